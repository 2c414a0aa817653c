#include "anteprima/richieste.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace gara::anteprima {

namespace {

std::string minuscolo(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
}

}  // namespace

std::optional<rifiuto> controlla_richiesta(std::string_view host, std::string_view destinazione,
                                           int porta) {
  const std::string p = ":" + std::to_string(porta);
  const std::string h = minuscolo(host);
  if (h != "127.0.0.1" + p && h != "localhost" + p)
    return rifiuto{403, "Host non ammesso: l'anteprima risponde solo a 127.0.0.1" + p +
                            " e localhost" + p};
  if (destinazione.size() > destinazione_massima)
    return rifiuto{414, "indirizzo troppo lungo"};
  if (destinazione.empty() || destinazione.front() != '/')
    return rifiuto{400, "indirizzo non valido"};
  const std::string d = minuscolo(destinazione);
  // Dots, separators and control bytes have no place in the preview's own
  // addresses, neither written out nor escaped.
  constexpr std::array<std::string_view, 6> vietati{"..", "%2e", "%2f", "%5c", "%00", "\\"};
  for (std::string_view v : vietati)
    if (d.find(v) != std::string::npos) return rifiuto{400, "indirizzo non valido"};
  for (unsigned char c : d)
    if (c < 0x20 || c >= 0x7f) return rifiuto{400, "indirizzo non valido"};
  return std::nullopt;
}

}  // namespace gara::anteprima
