#pragma once

#include <string_view>

namespace gara {

// Keywords are recognised by substring tests on the keyword field, most of
// them without regard to letter case (Windows-1252 letters included).
bool contiene(std::string_view riga, std::string_view parola);
bool contiene_senza_maiuscole(std::string_view riga, std::string_view parola);

// Whether a field holds a digit anywhere.
inline bool ha_cifre(std::string_view t) { return t.find_first_of("0123456789") != std::string_view::npos; }

}  // namespace gara
