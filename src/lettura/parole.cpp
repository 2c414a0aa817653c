#include "lettura/parole.h"

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

}  // namespace gara
