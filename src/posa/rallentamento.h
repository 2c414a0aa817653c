#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// Sets a temporary slowdown from metre x for l metres at speed v: its start
// and end cells, and, for a slowdown beyond metre 1500, the warning cell
// 1200 m before the start and (when f_ta is non-zero) the four numbered cells
// before the warning. f_tt goes with the start and end, d_v (when non-zero)
// with every cell. The warning, start and end cells are all checked before
// any is written (codes 17, 18, 19); a taken numbered cell is code 20 and
// leaves the other three cells placed.
void memo_rallentamento(stato_compilazione& s, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v);

}  // namespace gara
