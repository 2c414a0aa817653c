#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace gara::strumento {

struct opzioni_disegna {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed
  std::string treno;
  std::optional<std::filesystem::path> svg;  // default: NOME_TRENO.svg in the folder
};

// `scenario disegna`: reads the binary files of a compiled scenario and
// writes its SVG. Returns 0, 1 when a file does not fit its layout, 3 for a
// usage error, a missing file or an SVG that cannot be written.
int comando_disegna(const opzioni_disegna& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
