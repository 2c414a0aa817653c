#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cartella/identita.h"
#include "pacchetto/carico.h"

namespace gara {

// The five texts of a scenario in a folder, under the names its identity
// gives them, in the package's order.

// Writes them, each replaced whole.
void scrivi_testi(const std::filesystem::path& cartella, const scenario_carico& s);

// The names (UTF-8) of those already in the folder.
std::vector<std::string> testi_presenti(const std::filesystem::path& cartella, const scenario_carico& s);

// Reads them, for a package: the scenario, and the names (UTF-8) of those
// missing (their texts left empty). Throws errore_file for one that is
// there and cannot be read.
struct testi_letti {
  scenario_carico scenario;
  std::vector<std::string> mancanti;
};
testi_letti leggi_testi(const std::filesystem::path& cartella, const identita& id);

}  // namespace gara
