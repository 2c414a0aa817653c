#include "uscita/memorizza_percorso.h"

#include "lettura/memorizza_dati.h"
#include "uscita/tavole_orientamento.h"
#include "uscita/timbro.h"

namespace gara {

void memorizza_percorso(stato_compilazione& s, int32_t& j, const sorgenti& d) {
  s.genera_tracciato = j;
  s.codice_errore = 0;
  s.tabella_linea = tabella{};
  memorizza_dati(s, d);

  // A reading that stopped before the route length left no grid: there is
  // nothing to finish and nothing that the simulator could load.
  if (!s.griglia_esiste()) return;

  s.voce_corrente.reset();  // what the passes record belongs to no entry
  tavole_orientamento(s);
  timbra(s);
}

}  // namespace gara
