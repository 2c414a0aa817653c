#pragma once

#include <cstdint>

#include <string>
#include <string_view>

#include "modello/stato_compilazione.h"

namespace gara {

// The train half of memorizza_dati: reads the train description into the
// route model. limite_stazioni is the board slot the line half left.
// Unforeseen failures are thrown (guasto) for memorizza_dati's recovery
// routine.
// Whether a field is the keyword of some entry of the train description,
// by the reader's own tests.
bool parola_chiave_del_treno(std::string_view campo);

void leggi_descrizione_treno(stato_compilazione& s, const std::string& nome, std::string_view byte,
                             int32_t limite_stazioni);

}  // namespace gara
