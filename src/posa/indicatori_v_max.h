#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// Sets a maximum-speed indicator board at metre posizione: the three speeds
// of each side (km/h) and the stripe counts. A taken cell is code 21 and
// leaves the cell as it was.
void memo_indicatori_v_max(stato_compilazione& s, int32_t posizione, int32_t vas, int32_t vbs,
                           int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int32_t strisced);

}  // namespace gara
