#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// Lays a mountain from metre inizio to metre fine over the cells, and records
// its span. A kind above 10 also puts a mountain marker on every fourth
// covered empty cell; a mountain that starts 150 m or less after the previous
// one ends becomes kind 3.
void memo_montagna(stato_compilazione& s, int32_t inizio, int32_t fine, int32_t tipo);

}  // namespace gara
