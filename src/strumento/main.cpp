#include "strumento/strumento.h"

int main(int argc, char** argv) { return gara::strumento::esegui(argc, argv); }
