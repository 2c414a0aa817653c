#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// The compile: reads the two descriptions of the scenario named in the state
// from its folder, places everything into the route model, adds the
// orientation boards, stamps the header and writes the binary files into the
// output folder. j != 0 also builds and writes the track plan.
//
// Reading problems are left in codice_errore / posizione_errore. When the
// scenario cannot be stamped, errore_fatale holds the number to show and no
// binary file is written. A file that cannot be written throws errore_file.
void memorizza_percorso(stato_compilazione& s, int32_t& j);

}  // namespace gara
