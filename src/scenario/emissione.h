#pragma once

#include <span>
#include <string>
#include <string_view>

namespace gara {

// Every text file is first held as a list of at most 1000 lines closed by
// this marker, which is never written.
inline constexpr std::string_view fine_del_file = "riferimento fine del file";
inline constexpr std::size_t righe_massime = 1000;

// The bytes of a text file: each line up to the end marker in Windows-1252,
// followed by CR LF; no byte-order mark. A line that Windows-1252 cannot
// encode, or a list without room for the marker, is a fault of the program
// (std::logic_error).
std::string testo_windows1252(std::span<const std::string_view> righe);

}  // namespace gara
