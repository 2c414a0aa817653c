#include "modello/stato_compilazione.h"

#include <system_error>

#include "modello/arrotonda.h"
#include "modello/guasto.h"

namespace gara {

cella& stato_compilazione::cella_in(int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(celle.size())) throw guasto("cella fuori dalla griglia");
  return celle[static_cast<std::size_t>(i)];
}

const cella& stato_compilazione::cella_in(int64_t i) const {
  if (i < 0 || i >= static_cast<int64_t>(celle.size())) throw guasto("cella fuori dalla griglia");
  return celle[static_cast<std::size_t>(i)];
}

cella& stato_compilazione::cella_in_reale(double i) { return cella_in(arrotonda_entro<int32_t>(i)); }

voce_linea& stato_compilazione::voce_in(int64_t i) {
  if (i < 0 || i >= numero_voci) throw guasto("voce fuori dalla tabella della linea");
  return tabella_linea[static_cast<std::size_t>(i)];
}

void stato_compilazione::segna_errore(int32_t codice) {
  codice_errore = codice;
  origine_errore = voce_corrente;
}

void stato_compilazione::cancella_descrizione(const std::filesystem::path& file) const {
  if (!cancella_descrizioni) return;
  std::error_code ignorato;
  // Only a description file goes: a folder that happens to bear its name
  // (which the reader could not read) is not the compiler's to remove.
  if (std::filesystem::is_directory(std::filesystem::symlink_status(file, ignorato))) return;
  std::filesystem::remove(file, ignorato);
}

}  // namespace gara
