#pragma once

#include "modello/sorgenti.h"
#include "modello/stato_compilazione.h"

namespace gara {

// Reads the line description and then the train description of the
// scenario into the route model. Always returns normally: a problem is left
// in codice_errore and posizione_errore and in the list of diagnostics, and
// any unforeseen failure (code 25) is taken over by its recovery routine.
// It also settles which descriptions the package deletes.
void memorizza_dati(stato_compilazione& s, const sorgenti& d);

}  // namespace gara
