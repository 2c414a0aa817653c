#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

namespace gara::editore {

// The keywords of a description as completion items, with the section
// headers its shipped file uses, when the cursor stands in a line's first
// field (`prima` is the line up to the cursor); each keyword's snippet has
// a placeholder named after each value. An empty list elsewhere.
nlohmann::json completamenti(std::string_view prima, bool della_linea);

// While the values of an entry are typed: its shape, with the value the
// cursor is in as the active parameter. Null outside an entry.
nlohmann::json firma(std::string_view prima, bool della_linea);

}  // namespace gara::editore
