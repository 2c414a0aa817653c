#pragma once

#include <cstdint>

namespace gara {

// The measures of the formats, each written once.
namespace misura {
// One cell of the grid covers this many metres of line.
inline constexpr int64_t metri_cella = 50;
// The grid and the track plan run this many metres past the end of the line.
inline constexpr int64_t metri_oltre_la_fine = 7000;
// The speed byte of a cell counts in units of this many km/h.
inline constexpr int32_t km_h_per_unita_velocita = 5;
// The gradient byte of a cell holds the gradient plus this offset.
inline constexpr int32_t zero_pendenza = 100;
// Slowdowns at this speed (km/h) or faster get no orientation boards along
// them or after their end.
inline constexpr int32_t velocita_senza_tavole = 110;
}  // namespace misura

// Where a cell lies along the line. An object at metre x goes into cell
// round(x / 50 + 1), so the object of cell c stands at metre 50 (c - 1).
// The profile bytes (speed, gradient, adhesion) are filled from cell
// round(p / 50) on, so cell c carries the profile of metres 50 c to 50 c + 49.
inline constexpr int64_t metro_oggetto(int64_t c) { return (c - 1) * misura::metri_cella; }
inline constexpr int64_t metro_profilo(int64_t c) { return c * misura::metri_cella; }

// A metre as a real count of cells, the form in which the readers round it.
inline constexpr double in_celle(double metri) {
  return metri / static_cast<double>(misura::metri_cella);
}

}  // namespace gara
