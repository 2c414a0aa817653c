#include "cartella/pacchetto_sostituibile.h"

#include <string>

#include "file/file.h"
#include "pacchetto/eseguibile.h"

namespace gara {

bool pacchetto_sostituibile(const std::filesystem::path& file) {
  if (!esiste_file(file)) return true;
  std::string vecchio;
  try {
    vecchio = leggi_file(file);
  } catch (const errore_file&) {
    // Unreadable: it cannot be told from an author's file.
  }
  return !posizioni_localizzatore(vecchio).empty();
}

}  // namespace gara
