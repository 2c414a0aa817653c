#include "posa/segnale.h"

#include "modello/arrotonda.h"
#include "modello/codici.h"

namespace gara {

namespace {

constexpr int32_t lato_con_tempo = 2;  // only this left-side code carries the time byte
constexpr int32_t tempo_minimo = 1;    // times from here ...
constexpr int32_t tempo_massimo = 100; // ... to here all become
constexpr int32_t tempo_breve = 101;   // this one
constexpr int numero_avvisi = 4;
constexpr int64_t celle_tra_avvisi = 2;  // one mark every 100 m

// Two values packed as tens and units, in the 16 bits the cell keeps.
int16_t decine_e_unita(int32_t decine, int32_t unita) {
  return bassi_16(int64_t{decine} * 10 + unita);
}

}  // namespace

void memo_segnale(stato_compilazione& s, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                  int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                  int32_t tempo) {
  const int32_t c = arrotonda_entro<int32_t>(indice_cella(posizione));
  cella& segnale = s.cella_in(c);
  if (!libera(segnale)) {
    s.segna_errore_occupata(codice::segnale_occupato, segnale);
    return;
  }

  // The two side codes travel together: 3 * sx + dx.
  const int64_t lati = int64_t{sx} * 3 + dx;
  segnale.tipo = tipo_cella::segnale;
  s.occupa(segnale);
  segnale.dato4 = bassi_16(int64_t{rapp} * 10 + lati);
  segnale.dato1 = decine_e_unita(s1, d1);
  segnale.dato2 = decine_e_unita(s2, d2);
  segnale.dato3 = decine_e_unita(s3, d3);

  if (tempo >= tempo_minimo && tempo <= tempo_massimo) tempo = tempo_breve;
  segnale.tempo = sx == lato_con_tempo ? bassi_8(tempo) : uint8_t{0};

  // The marks go on whatever the cells hold: they belong to the cell, not
  // to its object. Before cell 0 there is no cell to mark, and that access
  // fails after the signal cell itself has been written.
  for (int k = 1; k <= numero_avvisi; ++k)
    s.cella_in(c - celle_tra_avvisi * k).avviso = bassi_8(lati * 10 + k);
}

}  // namespace gara
