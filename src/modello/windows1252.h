#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gara {

// The texts of the scenario are Windows-1252, one byte per character. The
// program's own sources and its terminal messages are UTF-8; these convert
// between the two.

// UTF-8 to Windows-1252. Returns nothing when the text is not valid UTF-8 or
// holds a character that Windows-1252 cannot encode.
std::optional<std::string> in_windows1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined
// (81, 8D, 8F, 90, 9D) map to the control characters of the same number.
std::string da_windows1252(std::string_view testo);

// Lower case of a Windows-1252 text: A-Z and the accented capitals of the
// code page become their small letters, every other byte stays.
std::string minuscolo_windows1252(std::string_view testo);
char minuscola_windows1252(char lettera);

// Lower case of A-Z alone, every other byte as it is: for texts in other
// encodings (UTF-8 file names, a request's address).
std::string minuscolo_ascii(std::string_view testo);

}  // namespace gara
