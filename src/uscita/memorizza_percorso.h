#pragma once

#include <cstdint>

#include "modello/sorgenti.h"
#include "modello/stato_compilazione.h"

namespace gara {

// The compile of the descriptions given: reads them into the route model,
// adds the orientation boards and stamps the header. j != 0 also builds the
// track plan. Nothing is read from or written to a file here: the model is
// left in the state for the binary writer.
//
// Reading problems are left in codice_errore / posizione_errore and in the
// list of diagnostics. When the scenario cannot be stamped, the state's
// fermata says so and no binary file may be written.
void memorizza_percorso(stato_compilazione& s, int32_t& j, const sorgenti& d);

}  // namespace gara
