#pragma once

#include <cstdint>

#include <string>
#include <string_view>

#include "modello/stato_compilazione.h"

namespace gara {

// How the line half ends: the train description is read next, or the
// whole reading stops here.
enum class esito_linea { prosegui, termina };

// The line half of memorizza_dati: reads the line description into the
// route model. posto_cartello is the next free board-text record, from 80
// downward; the train half takes it as its station limit. Unforeseen
// failures are thrown for the recovery routine.
// Whether a field is the keyword of some entry of the line description's
// body, by the reader's own tests.
bool parola_chiave_della_linea(std::string_view campo);

esito_linea leggi_descrizione_linea(stato_compilazione& s, const std::string& nome,
                                    std::string_view byte, int32_t& posto_cartello);

}  // namespace gara
