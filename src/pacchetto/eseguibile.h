#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pacchetto/carico.h"

namespace gara {

// The package's program finds its payload through a record in its own data,
// the locator: a mark of 16 bytes, then where the payload starts in the
// program's file and how many bytes it has (u64 each, little-endian). The
// program as built has both at 0 and carries the shipped scenario; `scenario
// impacchetta` sets them in a copy and appends the payload to it, so no
// compiler is needed to make a package.
inline constexpr std::array<unsigned char, 16> marca_localizzatore = {
    'G', 'A', 'R', 'A', '-', 'L', 'O', 'C', 'A', 'L', 'I', 'Z', 'Z', 'A', 0x00, 0xA7};
inline constexpr std::size_t lunghezza_localizzatore = 32;

// Where the locator's mark occurs in a program's bytes (a package program
// has it exactly once).
std::vector<std::size_t> posizioni_localizzatore(std::string_view programma);

// The package made of a package program (Linux or Windows, with or without
// a payload already: an old payload is dropped) and a scenario: the
// program's bytes with the locator set, then the payload. The same inputs
// give the same bytes. std::invalid_argument when the program has no single
// locator or the scenario's identity cannot name Windows files.
std::string impacchetta(std::string_view programma, const scenario_carico& s);

// The scenario a package's file carries: its payload's, the shipped one when
// it has none, or the defect (alterato, with its reason, for a file that is
// no package).
esito_carico scenario_del_pacchetto(std::string_view file);

}  // namespace gara
