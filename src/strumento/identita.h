#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace gara::strumento {

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

}  // namespace gara::strumento
