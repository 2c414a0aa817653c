#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gara::vista {

// The texts every front end shows of a compiled scenario.

// Italian name of an object code of the cells ("segnale", ...); codes the
// format does not use are named by number.
std::string nome_tipo_cella(uint8_t tipo);

// A Windows-1252 text of the files as UTF-8 fit for a terminal or an SVG:
// control bytes, and the bytes the code page leaves undefined, become "?".
std::string testo_stampabile(std::string_view windows1252);

// Seconds of the day as hh:mm:ss (a negative time keeps its sign).
std::string ora_del_giorno(int64_t secondi);

}  // namespace gara::vista
