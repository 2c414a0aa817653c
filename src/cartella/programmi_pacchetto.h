#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gara {

// The prebuilt package programs a package is made from (their payload
// appended; pacchetto/eseguibile.h), and where they are looked for.

// The variable naming a folder where the package programs are looked for
// before the running program's own folder.
inline constexpr const char* variabile_programmi = "SCENARIO_PACCHETTI";

// The folders searched, in order: the folder of SCENARIO_PACCHETTI when
// set, the running program's own folder, its subfolder linux (where the
// Windows archive carries the Linux program), and ../lib/scenario beside
// it (where `cmake --install` puts them on Linux).
std::vector<std::filesystem::path> cartelle_programmi();

// The file name of the package program of a platform (no payload: the
// shipped package), and of a package made for that identity (Windows-1252).
std::string nome_programma(bool windows);
std::string nome_pacchetto(const std::string& nome_percorso, const std::string& nome_treno, bool windows);

// The package program of a platform in the first of `cartelle` that holds
// it; nothing when none does.
std::optional<std::filesystem::path> trova_programma(bool windows,
                                                     const std::vector<std::filesystem::path>& cartelle);

}  // namespace gara
