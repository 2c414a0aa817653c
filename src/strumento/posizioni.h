#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gara::strumento {

inline constexpr int64_t metri_cella = 50;

// Where a cell lies along the line. An object at metre x goes into cell
// round(x / 50 + 1), so the object of cell c stands at metre 50 (c - 1).
// The profile bytes (speed, gradient, adhesion) are filled from cell
// round(p / 50) on, so cell c carries the profile of metres 50 c to 50 c + 49.
inline int64_t metro_oggetto(int64_t c) { return (c - 1) * metri_cella; }
inline int64_t metro_profilo(int64_t c) { return c * metri_cella; }

// Italian name of an object code of the cells ("segnale", ...); codes the
// format does not use are named by number.
std::string nome_tipo_cella(uint8_t tipo);

// A Windows-1252 text of the files as UTF-8 fit for a terminal or an SVG:
// control bytes, and the bytes the code page leaves undefined, become "?".
std::string testo_stampabile(std::string_view windows1252);

// Seconds of the day as hh:mm:ss (a negative time keeps its sign).
std::string ora_del_giorno(int64_t secondi);

}  // namespace gara::strumento
