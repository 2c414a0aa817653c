#include "posa/rallentamento.h"

#include "modello/arrotonda.h"
#include "modello/misure.h"
#include "modello/codici.h"

namespace gara {

namespace {

constexpr int32_t inizio_avvisi = 1500;  // metres: no warning at or before this
constexpr int64_t anticipo_avviso = 1200;  // metres between the warning and the start
constexpr int numero_celle_numerate = 4;

}  // namespace

void memo_rallentamento(stato_compilazione& s, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v) {
  const bool con_avviso = x > inizio_avvisi;
  if (!con_avviso) f_ta = 0;
  const int64_t a = int64_t{x} - anticipo_avviso;

  // Every check before any write, so that a refusal leaves the grid as it was.
  cella* avviso = nullptr;
  if (con_avviso) {
    avviso = &s.cella_in_reale(indice_cella(a));
    if (!libera(*avviso)) {
      s.segna_errore_occupata(codice::avviso_rallentamento_occupato, *avviso);
      return;
    }
  }
  cella& inizio = s.cella_in_reale(indice_cella(x));
  if (!libera(inizio)) {
    s.segna_errore_occupata(codice::inizio_rallentamento_occupato, inizio);
    return;
  }
  cella& fine = s.cella_in_reale(indice_cella(int64_t{x} + l));
  if (!libera(fine)) {
    s.segna_errore_occupata(codice::fine_rallentamento_occupato, fine);
    return;
  }

  // Start and end may share a cell (l short): the start is written last.
  fine.tipo = tipo_cella::fine_rallentamento;
  s.occupa(fine);
  if (d_v != 0) fine.dato2 = bassi_16(d_v);
  inizio.tipo = tipo_cella::inizio_rallentamento;
  s.occupa(inizio);
  if (d_v != 0) inizio.dato2 = bassi_16(d_v);
  if (avviso != nullptr) {
    avviso->tipo = tipo_cella::avviso_rallentamento;
    s.occupa(*avviso);
    if (d_v != 0) avviso->dato2 = bassi_16(d_v);
    avviso->dato1 = bassi_16(v);
  }
  for (cella* c : {&inizio, &fine}) {
    c->dato1 = bassi_16(v);
    c->dato3 = bassi_16(f_tt);
  }

  if (f_ta == 0) return;

  // The numbered cells lie just before the warning cell, 1 nearest to it.
  const int32_t m = arrotonda_entro<int32_t>(in_celle(static_cast<double>(a)));
  for (int k = 0; k < numero_celle_numerate; ++k) {
    if (const cella& c = s.cella_in(int64_t{m} - k); !libera(c)) {
      s.segna_errore_occupata(codice::numerate_rallentamento_occupate, c);
      return;
    }
  }
  for (int k = 0; k < numero_celle_numerate; ++k) {
    cella& c = s.cella_in(int64_t{m} - k);
    c.tipo = tipo_cella::numerata_rallentamento;
    s.occupa(c);
    c.dato1 = static_cast<int16_t>(k + 1);
    if (d_v != 0) c.dato2 = static_cast<int16_t>(k + 1);
  }
}

}  // namespace gara
