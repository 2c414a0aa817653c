#pragma once

#include <cstdint>

#include "modello/stato_compilazione.h"

namespace gara {

// The train half of memorizza_dati: reads the train description of the
// scenario from s.cartella into the route model, then deletes it (when the
// state allows). limite_stazioni is the board slot the line half left.
// Unforeseen failures are thrown (guasto, errore_file) for memorizza_dati's
// recovery routine.
void leggi_descrizione_treno(stato_compilazione& s, int32_t limite_stazioni);

}  // namespace gara
