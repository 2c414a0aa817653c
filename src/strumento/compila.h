#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace gara::strumento {

struct opzioni_compila {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed
  std::string treno;
  bool senza_tracciato = false;
  std::optional<std::filesystem::path> uscita;  // default: the folder itself
  bool json = false;
  // Only the compiler's own verdict, as the package sees it: no check, and
  // the exit status from the code alone (for scripts written before it).
  bool fedele = false;
};

// `scenario compila`: compiles the two descriptions found in the folder
// exactly as the package does (the same compile, without the track plan
// when it is not wanted), writes the binaries into the output folder
// and reports the outcome with the check's count of problems. The author's
// descriptions are never deleted. Returns 0 for code 0 and no error of the
// check, 1 for any other code or an error of the check (the code alone with
// `fedele`), 2 when the scenario cannot be stamped, 3 for a folder or file
// problem.
int comando_compila(const opzioni_compila& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
