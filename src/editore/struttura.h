#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

#include "editore/verificato.h"
#include "protocollo/posizioni.h"

namespace gara::editore {

// What the editor draws of a checked description, each in the protocol's
// own shape and in the client's position encoding.

// The outline: each section (a line "[...]") with its entries inside;
// stations by name, every other entry that stands at a metre by its
// keyword and metre.
nlohmann::json simboli(const scenario_verificato& s, const file_verificato& f, protocollo::codifica c);

// A fold for each section, from its header to the line before the next.
nlohmann::json pieghe(const file_verificato& f);

// The kinds of the semantic tokens, in the order their numbers refer to.
nlohmann::json legenda_gettoni();
// Keywords, numbers and texts as the reading took them; the text the
// reader passes over (the prose before "[generale]", lines no keyword
// recognises, the section headers) as ignored.
nlohmann::json gettoni(const scenario_verificato& s, const file_verificato& f, protocollo::codifica c,
                       std::size_t prima = 0, std::size_t ultima = SIZE_MAX);

// After each metre its kilometric position and cell, after each time its
// hh:mm:ss; only for the lines from `prima` to `ultima`.
nlohmann::json suggerimenti(const scenario_verificato& s, const file_verificato& f, protocollo::codifica c,
                            std::size_t prima, std::size_t ultima);

}  // namespace gara::editore
