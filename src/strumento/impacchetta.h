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

// The variable naming a folder where the package programs are looked for
// before the tool's own folder.
inline constexpr const char* variabile_programmi = "SCENARIO_PACCHETTI";

// The folders where `impacchetta` looks for the package program of each
// platform, in order: the folder of SCENARIO_PACCHETTI when set, the
// tool's own folder, and ../lib/scenario beside it (where `cmake --install`
// puts them on Linux).
std::vector<std::filesystem::path> cartelle_programmi();

// The file name of the package program of a platform (no payload: the
// shipped package), and of a package made for that identity (Windows-1252).
std::string nome_programma(bool windows);
std::string nome_pacchetto(const std::string& nome_percorso, const std::string& nome_treno, bool windows);

// `scenario impacchetta`: checks the scenario of the folder (verifica),
// refuses when it has errors unless `forza`, and writes the package of each
// platform asked: the prebuilt package program with the scenario's payload
// appended. Returns 0, 1 (errors in the scenario, nothing written) or 3
// (usage, a missing text or program, a file that cannot be written).
int comando_impacchetta(const opzioni_impacchetta& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
