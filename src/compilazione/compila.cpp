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

modello_compilato modello_di(const stato_compilazione& s) {
  modello_compilato m{s.nome_percorso, s.nome_treno, s.celle, s.tabella_linea, {}};
  if (s.genera_tracciato != 0) m.tracciato = s.tracciato;
  return m;
}

risultato_compilazione compila(const sorgenti& d, const opzioni_compilazione& o) {
  stato_compilazione s;
  s.nome_percorso = o.nome_percorso;
  s.nome_treno = o.nome_treno;
  s.modo = o.modo;
  s.genera_tracciato = o.tracciato ? 1 : 0;
  s.posa_tracciato = o.posa_tracciato;
  memorizza_percorso(s, d);

  risultato_compilazione r;
  r.modello = {std::move(s.nome_percorso), std::move(s.nome_treno), std::move(s.celle), s.tabella_linea, {}};
  if (s.genera_tracciato != 0 && s.posa_tracciato) r.modello.tracciato = std::move(s.tracciato);
  r.indice_errore = s.indice_errore();
  r.diagnostiche = std::move(s.diagnostiche);
  r.posizione_errore = s.posizione_errore;
  r.fermata = s.fermata;
  r.cancella_linea = s.cancella_linea;
  r.cancella_treno = s.cancella_treno;
  r.occupanti = std::move(s.occupanti);
  r.voci_lette = std::move(s.voci_lette);
  return r;
}

}  // namespace gara
