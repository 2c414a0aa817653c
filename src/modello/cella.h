#pragma once

#include <cstdint>

#include "modello/arrotonda.h"
#include "modello/misure.h"

namespace gara {

// One 50 m cell of the track grid, as the simulator reads it from the ".dat"
// file: the object standing in the cell (tipo and its four parameters) and
// the profile bytes that belong to the cell itself.
struct cella {
  uint8_t tipo = 0;
  int16_t dato1 = 0;
  int16_t dato2 = 0;
  int16_t dato3 = 0;
  int16_t dato4 = 0;
  uint8_t tempo = 0;     // signal time byte
  uint8_t avviso = 0;    // approach mark ahead of a signal or platform end
  uint8_t montagna = 0;  // mountain scenery kind, 0 = none
  uint8_t velocita = 0;  // speed limit in units of 5 km/h
  uint8_t pendenza = 0;  // gradient + 100
  uint8_t aderenza = 0;

  bool operator==(const cella&) const = default;
};

// Object codes kept in cella::tipo.
namespace tipo_cella {
inline constexpr uint8_t vuota = 0;
inline constexpr uint8_t segnale = 1;
inline constexpr uint8_t fine_rallentamento = 2;
inline constexpr uint8_t inizio_rallentamento = 3;
inline constexpr uint8_t avviso_rallentamento = 4;
inline constexpr uint8_t numerata_rallentamento = 5;  // the four cells before the warning
inline constexpr uint8_t indicatore_vmax = 6;
inline constexpr uint8_t fine_marciapiede = 10;
inline constexpr uint8_t marcatore_montagna = 11;
inline constexpr uint8_t tavola = 12;  // board with a value
inline constexpr uint8_t abbattimento = 13;
inline constexpr uint8_t cartello = 14;  // direction board with a text
}  // namespace tipo_cella

// A cell takes a new object when it is empty or holds only a mountain
// marker, which any object may cover.
inline bool libera(const cella& c) {
  return c.tipo == tipo_cella::vuota || c.tipo == tipo_cella::marcatore_montagna;
}

// Cell of an object at metre x: x / 50 + 1, rounded half to even. Kept as a
// real so that the caller checks it against the grid before using it.
inline double indice_cella(int64_t x) { return in_celle(static_cast<double>(x)) + 1.0; }

// The same cell as a whole number, for a metre of a description's range
// (an int32_t): not checked against any grid.
inline int64_t cella_del_metro(int32_t x) { return static_cast<int64_t>(arrotonda(indice_cella(x))); }

}  // namespace gara
