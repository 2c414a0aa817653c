#include "modello/stato_compilazione.h"

#include <functional>

#include "modello/arrotonda.h"
#include "modello/guasto.h"

namespace gara {

cella& stato_compilazione::cella_in(int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(celle.size()))
    throw guasto(celle.empty() ? std::string(motivo_senza_griglia)
                               : "cella " + std::to_string(i) + " fuori dalla griglia (celle da 0 a " +
                                     std::to_string(celle.size() - 1) + ")");
  return celle[static_cast<std::size_t>(i)];
}

const cella& stato_compilazione::cella_in(int64_t i) const {
  return const_cast<stato_compilazione*>(this)->cella_in(i);
}

cella& stato_compilazione::cella_in_reale(double i) { return cella_in(arrotonda_entro<int32_t>(i)); }

voce_linea& stato_compilazione::voce_in(int64_t i) {
  if (i < 0 || i >= numero_voci)
    throw guasto("voce " + std::to_string(i) + " fuori dalla tabella della linea (voci da 0 a " +
                 std::to_string(numero_voci - 1) + ")");
  return tabella_linea[static_cast<std::size_t>(i)];
}

const diagnostica* stato_compilazione::errore_in_vigore() const {
  if (!errore_ || *errore_ >= diagnostiche.size()) return nullptr;
  return &diagnostiche[*errore_];
}

int32_t stato_compilazione::codice_errore() const {
  const diagnostica* d = errore_in_vigore();
  return d ? d->codice : codice::nessuno;
}

void stato_compilazione::riafferma_errore(int32_t codice) {
  for (std::size_t i = diagnostiche.size(); i-- > 0;)
    if (diagnostiche[i].livello == gravita::errore && diagnostiche[i].codice == codice) {
      errore_ = i;
      return;
    }
  segna_errore(codice);  // none yet: recorded here
}

void stato_compilazione::azzera_errori() {
  diagnostiche.clear();
  errore_.reset();
}

void stato_compilazione::segna_errore(int32_t codice, std::optional<int32_t> metro) {
  segna_errore_in(codice, voce_corrente, std::string(significato(codice)), metro);
}

void stato_compilazione::segna_errore_in(int32_t codice, std::optional<luogo> dove, std::string motivo,
                                         std::optional<int32_t> metro) {
  errore_ = diagnostiche.size();
  diagnostica d;
  d.codice = codice;
  d.dove = std::move(dove);
  d.motivo = std::move(motivo);
  diagnostiche.push_back(std::move(d));
  if (metro) segna_posizione(*metro);
}

namespace {

// The index of a cell of the grid given by reference, or -1 for one that
// is not an element of it.
int64_t indice_di(const std::vector<cella>& celle, const cella& c) {
  const std::less<const cella*> prima;
  if (celle.empty() || prima(&c, celle.data()) || !prima(&c, celle.data() + celle.size())) return -1;
  return &c - celle.data();
}

}  // namespace

void stato_compilazione::occupa(const cella& c) {
  if (!verifica() || !voce_corrente) return;
  if (occupanti.size() != celle.size()) occupanti.assign(celle.size(), std::nullopt);
  const int64_t i = indice_di(celle, c);
  if (i < 0) return;
  occupanti[static_cast<std::size_t>(i)] = voce_corrente;
  if (!voci_lette.empty() && voci_lette.back().chiave == *voce_corrente) voci_lette.back().celle.push_back(i);
}

void stato_compilazione::occupa_voce(int64_t i) {
  if (!verifica() || !voce_corrente || i < 0 || i >= numero_voci) return;
  occupanti_voci[static_cast<std::size_t>(i)] = voce_corrente;
}

void stato_compilazione::segna_errore_occupata(int32_t codice, const cella& presa, std::optional<int32_t> metro) {
  segna_errore(codice, metro);
  const int64_t i = indice_di(celle, presa);
  if (i < 0 || static_cast<std::size_t>(i) >= occupanti.size() || !occupanti[static_cast<std::size_t>(i)]) return;
  diagnostica& d = diagnostiche.back();
  d.prima = occupanti[static_cast<std::size_t>(i)];
  d.nota = "la cella " + std::to_string(i) + " è già occupata dall'oggetto di questa voce";
}

void stato_compilazione::segna_errore_voce_occupata(int32_t codice, int64_t voce) {
  segna_errore(codice);
  if (voce < 0 || voce >= numero_voci || !occupanti_voci[static_cast<std::size_t>(voce)]) return;
  diagnostica& d = diagnostiche.back();
  d.prima = occupanti_voci[static_cast<std::size_t>(voce)];
  d.nota = "la voce " + std::to_string(voce) + " della tabella della linea è già presa da questa voce";
}

void stato_compilazione::segna_posizione(int32_t metro) {
  posizione_errore = metro;
  if (diagnostiche.empty()) return;
  diagnostica& d = diagnostiche.back();
  if (!d.metro && d.livello == gravita::errore && registra_metro(d.codice)) d.metro = metro;
}

}  // namespace gara
