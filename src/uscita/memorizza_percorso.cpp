#include "uscita/memorizza_percorso.h"

#include "lettura/memorizza_dati.h"
#include "uscita/scrittura_binari.h"
#include "uscita/tavole_orientamento.h"
#include "uscita/timbro.h"

namespace gara {

void memorizza_percorso(stato_compilazione& s, int32_t& j) {
  s.genera_tracciato = j;
  s.codice_errore = 0;
  s.tabella_linea = tabella{};
  memorizza_dati(s);

  // A reading that stopped before the route length left no grid: there is
  // nothing to finish and nothing that the simulator could load.
  if (!s.griglia_esiste()) return;

  s.voce_corrente.reset();  // what the passes record belongs to no entry
  tavole_orientamento(s);
  timbra(s);
  if (!s.errore_fatale.empty()) return;
  scrivi_binari(s);
}

}  // namespace gara
