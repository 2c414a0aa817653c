#include "lettura/parole.h"

#include "modello/windows1252.h"

namespace gara {

bool contiene(std::string_view riga, std::string_view parola) {
  return riga.find(parola) != std::string_view::npos;
}

bool contiene_senza_maiuscole(std::string_view riga, std::string_view parola) {
  return minuscolo_windows1252(riga).find(minuscolo_windows1252(parola)) != std::string::npos;
}

}  // namespace gara
