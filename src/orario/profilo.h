#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "modello/modello_compilato.h"
#include "modello/registro_voci.h"

namespace gara::orario {

// The speed limit of every metre of the line in km/h, metre 0 first; 0
// where no train may run.
using limiti_metro = std::vector<int32_t>;

// The limits the simulator applies to any train: the cells' speed (in
// steps of 5 km/h, cell c for metres 50 c to 50 c + 49) and, over their
// length, the slowdowns' speed. Metres 0 to the route's length (less, when
// the grid is shorter; none without a grid).
limiti_metro limiti_della_linea(const modello_compilato& m);

// The ranks of the maximum-speed boards: each board gives one speed per rank
// on each side of the track.
inline constexpr std::string_view ranghi = "ABC";

// The limit a maximum-speed board sets for one rank, from its metre on,
// until the next board.
struct tavola_rango {
  int64_t metro = 0;
  int32_t km_h = 0;
};

// The boards of the line description, as the checking reading recorded
// them, for a rank ('A', 'B' or 'C'; none for another letter). Of the two
// sides the lower speed is taken, since nothing says which one the driver
// reads; a side that gives 0 has no board.
std::vector<tavola_rango> tavole_del_rango(const registro_voci& voci, char rango);

// The limits tightened by the boards of a rank, or by a train's own maximum.
void stringi(limiti_metro& l, std::span<const tavola_rango> tavole);
void stringi(limiti_metro& l, int32_t massima);

}  // namespace gara::orario
