#pragma once

#include "modello/stato_compilazione.h"

namespace gara {

// Writes the track plan (when genera_tracciato is nonzero), the line table
// and the cells into the output folder, each file replaced whole, and
// records their names in s.scritti. Throws errore_file when one cannot be
// written.
void scrivi_binari(stato_compilazione& s);

}  // namespace gara
