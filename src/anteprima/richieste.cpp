#include "anteprima/richieste.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "modello/windows1252.h"

namespace gara::anteprima {

namespace {

// A whole number of 1 to `cifre` digits, the whole of `testo`.
std::optional<int64_t> cifre_sole(std::string_view testo, std::size_t cifre) {
  if (testo.empty() || testo.size() > cifre) return std::nullopt;
  if (testo.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int64_t v = 0;
  std::from_chars(testo.data(), testo.data() + testo.size(), v);  // at most 10 digits: fits
  return v;
}

}  // namespace

std::optional<ispezione> leggi_ispezione(std::string_view metro, std::string_view tolleranza) {
  const bool negativo = metro.starts_with('-');
  if (negativo) metro.remove_prefix(1);
  const auto m = cifre_sole(metro, cifre_metro_massime);
  if (!m) return std::nullopt;
  ispezione r{negativo ? -*m : *m, 0};
  if (!tolleranza.empty()) {
    const auto t = cifre_sole(tolleranza, cifre_tolleranza_massime);
    if (!t) return std::nullopt;
    r.tolleranza = *t;
  }
  return r;
}

std::optional<rifiuto> controlla_richiesta(std::string_view host, std::string_view destinazione,
                                           int porta) {
  const std::string p = ":" + std::to_string(porta);
  const std::string h = minuscolo_ascii(host);
  if (h != "127.0.0.1" + p && h != "localhost" + p)
    return rifiuto{403, "Host non ammesso: l'anteprima risponde solo a 127.0.0.1" + p +
                            " e localhost" + p};
  if (destinazione.size() > destinazione_massima)
    return rifiuto{414, "indirizzo troppo lungo"};
  if (destinazione.empty() || destinazione.front() != '/')
    return rifiuto{400, "indirizzo non valido"};
  const std::string d = minuscolo_ascii(destinazione);
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
