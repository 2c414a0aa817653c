#pragma once

#include <optional>
#include <string>

namespace gara {

// One description as the compile receives it: the name to show the author
// (UTF-8) and the file's bytes, none when the file is missing. A file that
// is there but could not be read carries the reason instead.
struct descrizione {
  std::string nome;
  std::optional<std::string> byte;
  std::optional<std::string> illeggibile;

  bool presente() const { return byte.has_value() || illeggibile.has_value(); }
};

// The two descriptions of a scenario.
struct sorgenti {
  descrizione linea;
  descrizione treno;
};

// The description a place names by its file; nullptr for another file.
inline const descrizione* descrizione_di(const sorgenti& d, const std::string& file) {
  if (file == d.linea.nome) return &d.linea;
  if (file == d.treno.nome) return &d.treno;
  return nullptr;
}

}  // namespace gara
