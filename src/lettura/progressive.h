#pragma once

#include "modello/stato_compilazione.h"

namespace gara {

// Puts the three kilometric progressive entries (records 81, 82, 83) in
// their order: by their first value, largest first, or, when those add up
// to 0, by which of them has a positive second value. An entry whose third
// value is 1 then gets 100 added to its second.
void progressive_ordina(stato_compilazione& s);

}  // namespace gara
