#include "lettura/griglia.h"

#include "modello/guasto.h"
#include "modello/misure.h"

namespace gara {

bool oltre_griglia(const stato_compilazione& s, int64_t p, int64_t margine) {
  if (!s.griglia_esiste()) throw guasto(std::string(motivo_senza_griglia));
  return in_celle(static_cast<double>(p + margine)) > static_cast<double>(s.ultima_cella());
}

}  // namespace gara
