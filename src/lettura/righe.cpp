#include "lettura/righe.h"

namespace gara {

std::optional<std::string_view> riga_di(std::string_view testo, int numero) {
  if (numero < 1) return std::nullopt;
  std::size_t inizio = 0;
  for (int n = 1;; ++n) {
    std::size_t fine = inizio;
    while (fine < testo.size() && fine_riga_in(testo, fine) == 0) ++fine;
    if (n == numero) {
      // A text that ends with a line end has no line after it.
      if (inizio == testo.size() && n > 1) return std::nullopt;
      return testo.substr(inizio, fine - inizio);
    }
    if (fine >= testo.size()) return std::nullopt;
    inizio = fine + fine_riga_in(testo, fine);
  }
}

righe_del_testo::righe_del_testo(std::string_view testo) : testo_(testo) {
  for (std::size_t inizio = 0;;) {
    std::size_t fine = inizio;
    while (fine < testo.size() && fine_riga_in(testo, fine) == 0) ++fine;
    righe_.push_back({inizio, fine});
    if (fine >= testo.size()) break;
    inizio = fine + fine_riga_in(testo, fine);
  }
}

std::optional<std::string_view> righe_del_testo::riga(int numero) const {
  if (numero < 1 || static_cast<std::size_t>(numero) > righe_.size()) return std::nullopt;
  const riga_nel_testo& r = righe_[static_cast<std::size_t>(numero) - 1];
  // A text that ends with a line end has no line after it.
  if (r.inizio == testo_.size() && numero > 1) return std::nullopt;
  return testo_.substr(r.inizio, r.fine - r.inizio);
}

}  // namespace gara
