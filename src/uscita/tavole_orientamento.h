#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// The smaller of two board values.
int32_t minimo(int32_t x, int32_t y);

// Adds orientation boards around the slowdowns and ahead of the signals
// before a slowdown's warning point; conflicts are recorded (codes 11, 12,
// 13) and the pass goes on.
void tavole_orientamento(stato_compilazione& s);

}  // namespace gara
