#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "editore/forme_voci.h"
#include "editore/verificato.h"

namespace gara::editore {

// What the editor shows on hovering over a place of a checked description
// (line and character from 0, in characters): for a value, its name, unit,
// range, what the compile read and the values derived from it; for a
// keyword, the entry's shape and meaning; for a place with a diagnostic,
// the catalogue's explanation and fix. Italian, Markdown. Nothing where
// the reading took no field.
std::optional<std::string> testo_al_passaggio(const scenario_verificato& s, const file_verificato& f,
                                              std::size_t linea, std::size_t carattere);

// What a value read from the field `i` of an entry gives beyond itself:
// for a metre the kilometric position and the cell, for a speed the cell's
// value, for the hours, minutes or seconds of a time the whole time. Empty
// when there is nothing.
std::string derivato(const voce_letta& v, const std::vector<campo_di_forma>& campi, std::size_t i);

// A metre as a kilometric position: "km 17+000", "km -0+600".
std::string chilometrica(int64_t metro);
// Seconds from midnight as "hh:mm:ss" (hours past 24 kept as they are).
std::string orario(int64_t secondi);

}  // namespace gara::editore
