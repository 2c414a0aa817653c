#include "lettura/griglia.h"

#include "modello/guasto.h"

namespace gara {

bool oltre_griglia(const stato_compilazione& s, int64_t p, int64_t margine) {
  if (!s.griglia_esiste()) throw guasto("voce posizionata prima della lunghezza del percorso");
  return static_cast<double>(p + margine) / 50.0 > static_cast<double>(s.ultima_cella());
}

}  // namespace gara
