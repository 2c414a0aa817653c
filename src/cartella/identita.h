#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace gara {

// The identity of a scenario as the command line gives it (UTF-8), turned
// into the Windows-1252 bytes that the file names and the line table carry.
struct identita {
  std::string nome_percorso;
  std::string nome_treno;
};

// Converts both names. A name that is empty, that Windows-1252 cannot
// encode, or that holds a path separator (it would put the scenario's files
// outside their folder) is refused with a message on `errori`.
std::optional<identita> identita_da_utf8(const std::string& percorso, const std::string& treno,
                                         std::ostream& errori);

// Which files name a scenario in a folder: its two descriptions, or its
// compiled files (the line's plan or the line table, beside the cells).
enum class file_dello_scenario { descrizioni, binari };

// The identity for a subcommand on a folder: the names given, or, where
// either is left out (empty), the one scenario of that route that the
// folder holds. With none, or with several, a message (listing them) on
// `errori` and nothing.
std::optional<identita> identita_per_cartella(const std::filesystem::path& cartella,
                                              const std::string& percorso, const std::string& treno,
                                              std::ostream& errori,
                                              file_dello_scenario quali = file_dello_scenario::descrizioni);

}  // namespace gara
