#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gara::editore {

// The quick fix of a diagnostic, where the catalogue knows one that is
// safe: the field's text (as the diagnostic's range covers it) and the
// identifier in, the text that replaces it out. A letter O for a zero
// ("1O0" for "100", V201), a dot between thousands ("1.000", V201), a blank
// between thousands ("1 000", V221). Nothing for every other text.
std::optional<std::string> correzione(std::string_view identificativo, std::string_view campo);

}  // namespace gara::editore
