#include "verifica/verifica.h"

#include <algorithm>

#include "modello/codici.h"
#include "verifica/avvisi_testo.h"

namespace gara {

namespace {

bool stesso_errore(const diagnostica& a, const diagnostica& b) {
  if (a.livello != gravita::errore || b.livello != gravita::errore || a.codice != b.codice) return false;
  if (a.dove.has_value() != b.dove.has_value()) return false;
  return !a.dove || (a.dove->file == b.dove->file && a.dove->linea == b.dove->linea);
}

// The errors of the faithful compile that its caller is told: the code it
// leaves (its last error) and a stop of the header stamp.
std::vector<diagnostica> errori_della_compilazione(const stato_compilazione& s) {
  std::vector<diagnostica> e;
  for (auto d = s.diagnostiche.rbegin(); d != s.diagnostiche.rend(); ++d) {
    if (d->livello == gravita::errore && d->codice == s.codice_errore && s.codice_errore != codice::nessuno) {
      e.push_back(*d);
      break;
    }
  }
  if (s.fermata != arresto::nessuno)
    for (const auto& d : s.diagnostiche)
      if (d.codice == static_cast<int32_t>(s.fermata)) e.push_back(d);
  return e;
}

// The order of the report: the line description, then the train
// description, each by line and column; what belongs to no place last.
int ordine_file(const diagnostica& d, const sorgenti& s) {
  if (!d.dove) return 3;
  if (d.dove->file == s.linea.nome) return 0;
  if (d.dove->file == s.treno.nome) return 1;
  return 2;
}

}  // namespace

esito_verifica verifica(const sorgenti& d, const opzioni_verifica& o) {
  esito_verifica e;
  e.compilazione = compila(d, {o.nome_percorso, o.nome_treno, o.j, modo_lettura::fedele});
  const risultato_compilazione controllo =
      compila(d, {o.nome_percorso, o.nome_treno, o.j, modo_lettura::verifica});

  std::vector<diagnostica> tutte = controllo.stato.diagnostiche;
  // The checking reading follows the faithful one up to its first problem,
  // but not always after it: what the compile reports is added when the
  // checking reading went another way.
  for (const auto& f : errori_della_compilazione(e.compilazione.stato))
    if (std::none_of(tutte.begin(), tutte.end(), [&](const diagnostica& x) { return stesso_errore(x, f); }))
      tutte.push_back(f);
  for (const descrizione* x : {&d.linea, &d.treno}) {
    auto a = avvisi_del_testo(*x);
    tutte.insert(tutte.end(), std::make_move_iterator(a.begin()), std::make_move_iterator(a.end()));
  }

  std::stable_sort(tutte.begin(), tutte.end(), [&](const diagnostica& a, const diagnostica& b) {
    const int fa = ordine_file(a, d), fb = ordine_file(b, d);
    if (fa != fb) return fa < fb;
    if (!a.dove || !b.dove) return false;
    if (a.dove->linea != b.dove->linea) return a.dove->linea < b.dove->linea;
    return a.dove->colonna < b.dove->colonna;
  });
  for (const auto& x : tutte) {
    e.errori += x.livello == gravita::errore;
    e.avvisi += x.livello == gravita::avviso;
  }
  e.diagnostiche = std::move(tutte);
  return e;
}

}  // namespace gara
