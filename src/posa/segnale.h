#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// Sets a signal at metre posizione. The side codes sx and dx, the three
// aspects of each side (s1..s3, d1..d3) and rapp are packed into the cell's
// four parameters; tempo, when from 1 to 100, is raised to 101 and is
// carried only by a signal with sx = 2. The
// four cells 100, 200, 300 and 400 m before the signal get its approach
// marks. A taken signal cell is code 16 and nothing is written.
void memo_segnale(stato_compilazione& s, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                  int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                  int32_t tempo);

}  // namespace gara
