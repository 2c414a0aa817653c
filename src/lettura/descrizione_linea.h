#pragma once

#include <cstdint>
#include <filesystem>

#include "modello/stato_compilazione.h"

namespace gara {

// How the line half ends: the train description is read next, or the
// whole reading stops here.
enum class esito_linea { prosegui, termina };

// The line half of memorizza_dati: reads the line description file into the
// route model and deletes it (when the state allows). posto_cartello is the
// next free board-text record, from 80 downward; the train half takes it as
// its station limit. Unforeseen failures are thrown for the recovery routine.
esito_linea leggi_descrizione_linea(stato_compilazione& s, const std::filesystem::path& file,
                                    int32_t& posto_cartello);

}  // namespace gara
