#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "orario/orario.h"

namespace gara::strumento {

struct opzioni_orario_comando {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed; empty: from the folder
  std::string treno;
  std::string formato = "testo";  // testo, json
  std::string rango;              // A, B, C; empty: the card's
  std::optional<int32_t> velocita_massima;
  orario::treno_nominale treno_nominale;
  bool severo = false;
  std::size_t massimo = 200;
};

// `scenario orario`: the running times of the folder's scenario section by
// section, the timetable that cannot be kept and the card that disagrees
// with the description. Writes nothing. Returns 0 whatever it finds (1
// with severo when a warning stands), 3 for a usage error, a missing folder
// or an unreadable file.
int comando_orario(const opzioni_orario_comando& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
