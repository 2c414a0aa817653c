#include "avvio/avvio.h"
#include "file/file.h"
#include "avvio/piattaforma.h"

// The package takes no arguments and reads no configuration: everything it
// needs is inside it.
int main() {
  gara::ignora_segnale_limite_file();
  const auto p = gara::crea_piattaforma();
  gara::sequenza_avvio(*p);
}
