#include "posa/indicatori_v_max.h"

#include "modello/arrotonda.h"
#include "modello/misure.h"
#include "modello/codici.h"

namespace gara {

namespace {

// One speed pair of the board: side d in fifths of km/h, side s in
// twenties, in one 16-bit number.
int16_t velocita_coppia(int32_t destra, int32_t sinistra) {
  return arrotonda_entro<int16_t>(destra / static_cast<double>(misura::km_h_per_unita_velocita) + static_cast<double>(int64_t{sinistra} * 20));
}

}  // namespace

void memo_indicatori_v_max(stato_compilazione& s, int32_t posizione, int32_t vas, int32_t vbs,
                           int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int32_t strisced) {
  cella& c = s.cella_in_reale(indice_cella(posizione));
  if (!libera(c)) {
    s.segna_errore_occupata(codice::indicatore_occupato, c);
    return;
  }
  c.tipo = tipo_cella::indicatore_vmax;
  s.occupa(c);
  c.dato1 = velocita_coppia(vad, vas);
  c.dato2 = velocita_coppia(vbd, vbs);
  c.dato3 = velocita_coppia(vcd, vcs);
  // The stripe counts are 16-bit, and so is their arithmetic: an overflow
  // is a failure, not a wrap.
  const int16_t decine = entro<int16_t>(int64_t{bassi_16(strisces)} * 10);
  c.dato4 = entro<int16_t>(int64_t{decine} + bassi_16(strisced));
}

}  // namespace gara
