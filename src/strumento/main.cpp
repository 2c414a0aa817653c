#include "file/file.h"
#include "strumento/strumento.h"

int main(int argc, char** argv) {
  gara::ignora_segnale_limite_file();
  return gara::strumento::esegui(argc, argv);
}
