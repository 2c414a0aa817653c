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

}  // namespace gara
