#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "modello/cella.h"

namespace gara {

// A slowdown runs from its start cell to the first end cell after it. The
// end cell of the slowdown that starts at cell `inizio`, or nothing when the
// grid ends without one.
std::optional<int64_t> fine_del_rallentamento(std::span<const cella> celle, int64_t inizio);

}  // namespace gara
