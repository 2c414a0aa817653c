#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gara::anteprima {

// The longest request target the preview answers; its own are short.
inline constexpr std::size_t destinazione_massima = 256;

struct rifiuto {
  int stato = 400;
  std::string motivo;  // for the author, in Italian
};

// Whether the preview on `porta` answers a request, by its Host header and
// its raw target (as sent, before any decoding). Only the loopback names
// with the preview's own port are answered, so that a page from elsewhere
// cannot read through it; a target that climbs folders, hides dots or
// separators behind escapes, or is very long is refused outright. The
// preview maps no target to the disk, so this is a second fence, not the
// first.
std::optional<rifiuto> controlla_richiesta(std::string_view host, std::string_view destinazione,
                                           int porta);

// The inspector's request, /ispeziona/METRO?tolleranza=T.
struct ispezione {
  int64_t metro = 0;
  int64_t tolleranza = 0;
};

// The longest metre and tolerance the inspector reads, in digits: its page
// asks for metres of the drawn profile and a few cells around them.
inline constexpr std::size_t cifre_metro_massime = 10;
inline constexpr std::size_t cifre_tolleranza_massime = 6;

// Reads the metre as the address gives it (an optional minus, then 1 to
// cifre_metro_massime digits) and the tolerance parameter's value (empty:
// none, so 0; else 1 to cifre_tolleranza_massime digits). Nothing when
// either is anything else.
std::optional<ispezione> leggi_ispezione(std::string_view metro, std::string_view tolleranza);

}  // namespace gara::anteprima
