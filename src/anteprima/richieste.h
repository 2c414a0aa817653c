#pragma once

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

}  // namespace gara::anteprima
