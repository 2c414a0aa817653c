#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace gara::strumento {

struct opzioni_estrai {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed
  std::string treno;
  bool sovrascrivi = false;
  // The package whose five texts are written instead of the shipped ones
  // (its identity names them).
  std::optional<std::filesystem::path> da;
};

// `scenario estrai`: writes the five text files of the scenario the package
// carries into the folder (made when missing), under the names the package
// gives them. Nothing is compiled or deleted; files already there are
// replaced only when asked, so an author's edited descriptions are never
// lost by accident. With `da`, the texts that package carries (a package
// made by `impacchetta`, or the shipped one). Returns the exit status: 1 for
// a package whose payload is damaged.
int comando_estrai(const opzioni_estrai& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
