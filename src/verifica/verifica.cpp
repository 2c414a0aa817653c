#include "verifica/verifica.h"

#include <algorithm>

#include "modello/codici.h"
#include "verifica/avvisi_testo.h"
#include "modello/catalogo.h"
#include "verifica/controlli_scenario.h"

namespace gara {

namespace {

// Whether a diagnostic of the check stands for an error of the compile: the
// same code at the same file and line, as far as the compile's has them
// (the orientation-board pass and the stamp name no entry; the check may).
bool stesso_errore(const diagnostica& controllo, const diagnostica& compilazione) {
  if (controllo.livello != gravita::errore || compilazione.livello != gravita::errore ||
      controllo.codice != compilazione.codice)
    return false;
  if (!compilazione.dove) return true;
  if (!controllo.dove || controllo.dove->file != compilazione.dove->file) return false;
  return compilazione.dove->linea == 0 || controllo.dove->linea == compilazione.dove->linea;
}

// The errors of the faithful compile that its caller is told: the code it
// leaves (its last error) and a stop of the header stamp.
std::vector<diagnostica> errori_della_compilazione(const risultato_compilazione& s) {
  std::vector<diagnostica> e;
  if (const diagnostica* d = s.errore_in_vigore()) e.push_back(*d);
  if (s.fermata != arresto::nessuno)
    for (const auto& d : s.diagnostiche)
      if (d.codice == static_cast<int32_t>(s.fermata)) e.push_back(d);
  return e;
}

// The order of the report is the order of the reading, file by file: the
// line description, then the train description, then what belongs to no
// file (the passes after the reading, the stamp). Within a file, problems
// come as the reading met them, which is by line but for an entry whose
// values run on to later lines.
int ordine_file(const diagnostica& d, const sorgenti& s) {
  if (!d.dove) return 3;
  if (d.dove->file == s.linea.nome) return 0;
  if (d.dove->file == s.treno.nome) return 1;
  return 2;
}

}  // namespace

void ordina_per_file(std::vector<diagnostica>& d, const sorgenti& s) {
  std::stable_sort(d.begin(), d.end(), [&](const diagnostica& a, const diagnostica& b) {
    return ordine_file(a, s) < ordine_file(b, s);
  });
}

esito_verifica verifica(const sorgenti& d, const opzioni_verifica& o) {
  return verifica(d, o, compila(d, {o.nome_percorso, o.nome_treno, o.tracciato, modo_lettura::fedele}));
}

esito_verifica verifica(const sorgenti& d, const opzioni_verifica& o, risultato_compilazione fedele) {
  esito_verifica e;
  e.compilazione = std::move(fedele);
  // The checking reading is kept for its problems and its records only:
  // the plan is measured, not laid.
  risultato_compilazione controllo =
      compila(d, {o.nome_percorso, o.nome_treno, o.tracciato, modo_lettura::verifica, false});
  e.occupanti = std::move(controllo.occupanti);

  // The warnings about each file as text come first in its group.
  std::vector<diagnostica> tutte;
  for (const descrizione* x : {&d.linea, &d.treno}) {
    auto a = avvisi_del_testo(*x);
    tutte.insert(tutte.end(), std::make_move_iterator(a.begin()), std::make_move_iterator(a.end()));
  }
  const auto& letti = controllo.diagnostiche;
  tutte.insert(tutte.end(), letti.begin(), letti.end());
  // The checking reading follows the faithful one up to its first problem,
  // but not always after it: what the compile reports is added when the
  // checking reading went another way.
  for (const auto& f : errori_della_compilazione(e.compilazione))
    if (std::none_of(letti.begin(), letti.end(), [&](const diagnostica& x) { return stesso_errore(x, f); }))
      tutte.push_back(f);

  // The problems of the scenario as a whole go among those of their file;
  // the files' order comes last, keeping the order within each file.
  tutte = unisci_problemi_dello_scenario(
      std::move(tutte), problemi_dello_scenario(d, controllo.voci_lette, e.compilazione));
  ordina_per_file(tutte, d);
  for (const auto& x : tutte) {
    e.errori += x.livello == gravita::errore;
    e.avvisi += x.livello == gravita::avviso;
  }
  e.diagnostiche = std::move(tutte);
  e.voci_lette = std::move(controllo.voci_lette);
  return e;
}

}  // namespace gara
