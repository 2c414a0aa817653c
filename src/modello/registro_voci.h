#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/diagnostica.h"

namespace gara {

// One field of an entry as the reading took it: where it stands, its bytes
// as written (Windows-1252), and the number read from it (none for a text).
struct campo_letto {
  luogo dove;
  std::string testo;
  std::optional<int64_t> valore;
};

// One entry as a checking reading met it: its keyword field, the fields it
// took after it (which may run on to later lines), the metre at which it
// stands for the entries that stand at one, and the cells it put an object
// in. Every front end that shows an author what the compile made of a line
// takes it from here, not from a reading of its own.
struct voce_letta {
  luogo chiave;
  std::string parola;  // the keyword field as written
  std::vector<campo_letto> campi;
  std::optional<int32_t> metro;
  std::vector<int64_t> celle;
};

// Every keyword field of both descriptions, in the order of the reading.
using registro_voci = std::vector<voce_letta>;

}  // namespace gara
