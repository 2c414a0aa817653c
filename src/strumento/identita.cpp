#include "strumento/identita.h"

#include "modello/windows1252.h"

namespace gara::strumento {

namespace {

std::optional<std::string> converti(const std::string& utf8, const char* opzione,
                                    std::ostream& errori) {
  if (utf8.empty()) {
    errori << "scenario: il valore di " << opzione << " non può essere vuoto\n";
    return std::nullopt;
  }
  if (utf8.find_first_of("/\\") != std::string::npos) {
    errori << "scenario: il valore di " << opzione << " (\"" << utf8
           << "\") non può contenere \"/\" o \"\\\": fa parte dei nomi dei file dello scenario\n";
    return std::nullopt;
  }
  auto byte = in_windows1252(utf8);
  if (!byte)
    errori << "scenario: il valore di " << opzione << " (\"" << utf8
           << "\") contiene caratteri che la codifica Windows-1252 dei file non può "
              "rappresentare\n";
  return byte;
}

}  // namespace

std::optional<identita> identita_da_utf8(const std::string& percorso, const std::string& treno,
                                         std::ostream& errori) {
  auto p = converti(percorso, "--percorso", errori);
  if (!p) return std::nullopt;
  auto t = converti(treno, "--treno", errori);
  if (!t) return std::nullopt;
  return identita{std::move(*p), std::move(*t)};
}

}  // namespace gara::strumento
