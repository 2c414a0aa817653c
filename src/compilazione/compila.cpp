#include "compilazione/compila.h"

#include "lettura/memorizza_dati.h"
#include "uscita/tavole_orientamento.h"
#include "uscita/timbro.h"

namespace gara {

namespace {

// The compile's driver, the package's own sequence: the reading of both
// descriptions into the route model, then, when the reading made a grid,
// the orientation boards and the header stamp. Reading problems stay in the
// state's code and diagnostics; a stamp that cannot be made sets fermata.
void memorizza_percorso(stato_compilazione& s, const sorgenti& d) {
  s.azzera_errori();
  s.tabella_linea = tabella{};
  memorizza_dati(s, d);

  // A reading that stopped before the route length left no grid: there is
  // nothing to finish and nothing that the simulator could load.
  if (!s.griglia_esiste()) return;

  s.voce_corrente.reset();  // what the passes record belongs to no entry
  tavole_orientamento(s);
  timbra(s);
}

}  // namespace

risultato_compilazione compila(const sorgenti& d, const opzioni_compilazione& o) {
  risultato_compilazione r;
  stato_compilazione& s = r.stato;
  s.nome_percorso = o.nome_percorso;
  s.nome_treno = o.nome_treno;
  s.modo = o.modo;
  s.genera_tracciato = o.tracciato ? 1 : 0;
  memorizza_percorso(s, d);
  return r;
}

}  // namespace gara
