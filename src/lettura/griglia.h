#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// Margins of the grid check: an entry at metre p is refused when
// (p + margin) / 50 lies beyond the last cell. Stations need room for
// their platform.
inline constexpr int64_t margine_oggetto = 100;
inline constexpr int64_t margine_stazione = 800;

// True when an entry at metre p must be refused (code 15). Needs the grid:
// without it the entry is a guasto.
bool oltre_griglia(const stato_compilazione& s, int64_t p, int64_t margine = margine_oggetto);

}  // namespace gara
