#pragma once

#include <cstddef>
#include <string_view>

namespace gara {

// Keywords are recognised by substring tests on the keyword field, most of
// them without regard to letter case (Windows-1252 letters included).
bool contiene(std::string_view riga, std::string_view parola);
bool contiene_senza_maiuscole(std::string_view riga, std::string_view parola);

// Edits (insertions, deletions, substitutions) between two short words:
// the nearest keyword, option or subcommand to a slip.
std::size_t distanza(std::string_view a, std::string_view b);

// Whether a field holds a digit anywhere.
inline bool ha_cifre(std::string_view t) { return t.find_first_of("0123456789") != std::string_view::npos; }

// A keyword field as a message names it: what comes before a separator
// the reader does not know (";" or a tab, which glue the values of a whole
// line to the keyword), without the spaces around it.
inline std::string_view parola_mostrata(std::string_view campo) {
  campo = campo.substr(0, campo.find_first_of(";\t"));
  const auto inizio = campo.find_first_not_of(' ');
  if (inizio == std::string_view::npos) return {};
  return campo.substr(inizio, campo.find_last_not_of(' ') - inizio + 1);
}

}  // namespace gara
