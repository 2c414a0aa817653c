#include "avvio/avvio.h"
#include "avvio/piattaforma.h"

// The package takes no arguments and reads no configuration: everything it
// needs is inside it.
int main() {
  const auto p = gara::crea_piattaforma();
  gara::sequenza_avvio(*p);
}
