#pragma once

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>

namespace gara::strumento {

struct opzioni_verifica_comando {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed; empty: from the folder
  std::string treno;
  bool senza_tracciato = false;
  std::string formato = "testo";  // testo, json, sarif
  bool severo = false;
  std::size_t massimo = 200;  // diagnostics shown by the text form
  bool elenco = false;
};

// `scenario verifica`: every problem of the two descriptions of the folder
// at once, in the text form compilers use, as JSON or as SARIF. Writes,
// changes and deletes nothing. Returns 0 without errors (warnings allowed,
// unless severo), 1 otherwise, 3 for a usage error, a missing folder or an
// unreadable file.
int comando_verifica(const opzioni_verifica_comando& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
