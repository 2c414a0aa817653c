#include "lettura/parole.h"

#include <algorithm>
#include <vector>

#include "modello/windows1252.h"

namespace gara {

bool contiene(std::string_view riga, std::string_view parola) {
  return riga.find(parola) != std::string_view::npos;
}

// Every field goes through several keyword tests: compared letter by
// letter, without making lower-case copies.
bool contiene_senza_maiuscole(std::string_view riga, std::string_view parola) {
  if (parola.size() > riga.size()) return false;
  for (std::size_t i = 0; i + parola.size() <= riga.size(); ++i) {
    std::size_t j = 0;
    while (j < parola.size() &&
           minuscola_windows1252(riga[i + j]) == minuscola_windows1252(parola[j]))
      ++j;
    if (j == parola.size()) return true;
  }
  return false;
}

std::size_t distanza(std::string_view a, std::string_view b) {
  std::vector<std::size_t> riga(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) riga[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonale = riga[0];
    riga[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t sopra = riga[j];
      riga[j] = std::min({riga[j] + 1, riga[j - 1] + 1, diagonale + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonale = sopra;
    }
  }
  return riga[b.size()];
}

}  // namespace gara
