#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace gara::strumento {

enum class piattaforma_pacchetto { per_windows, per_linux, entrambe };

struct opzioni_impacchetta {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed; empty: the folder's one scenario
  std::string treno;
  piattaforma_pacchetto piattaforma = piattaforma_pacchetto::per_windows;
  std::optional<std::filesystem::path> uscita;  // default: the package's own name here
  bool forza = false;
};

// `scenario impacchetta`: checks the scenario of the folder (verifica),
// refuses when it has errors unless `forza`, and writes the package of each
// platform asked: the prebuilt package program with the scenario's payload
// appended (cartella/programmi_pacchetto.h). Returns 0, 1 (errors in the scenario, nothing written) or 3
// (usage, a missing text or program, a file that cannot be written).
int comando_impacchetta(const opzioni_impacchetta& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
