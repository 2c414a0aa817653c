#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "modello/sorgenti.h"

namespace gara::anteprima {

// An entry of a description that stands at a metre of the line: its file
// and line, its keyword and the line as the author wrote it (UTF-8).
struct voce_con_metro {
  std::string file;
  int linea = 0;
  int64_t metro = 0;
  std::string chiave;
  std::string testo;
};

// The entries of both descriptions that name a metre: in every section
// but [generale], a line "chiave, metro, ..." whose first field after the
// keyword is a whole number. This is a look at the text, not a reading:
// it tells an author which line to open, it does not decide what the
// compile did.
std::vector<voce_con_metro> voci_con_metro(const sorgenti& d);

// The entries whose metre falls in the cell of an object at `metro`
// (within half a cell), or, when none does, the nearest one before it.
std::vector<voce_con_metro> voci_vicine(const std::vector<voce_con_metro>& voci, int64_t metro);

}  // namespace gara::anteprima
