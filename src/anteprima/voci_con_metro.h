#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "modello/registro_voci.h"
#include "modello/sorgenti.h"

namespace gara::anteprima {

// An entry of a description that stands at a metre of the line, as the
// compile read it: its file and line, its keyword, the line as the author
// wrote it (UTF-8) and the cells it put an object in.
struct voce_con_metro {
  std::string file;
  int linea = 0;
  int64_t metro = 0;
  std::string chiave;
  std::string testo;
  std::vector<int64_t> celle;
};

// The entries of the checking reading's record that stand at a metre, in
// the order of the reading.
std::vector<voce_con_metro> voci_con_metro(const registro_voci& lette, const sorgenti& d);

// Whether an entry is one of cell `cella`'s own: it put an object there, or
// the compile puts its metre there.
bool della_cella(const voce_con_metro& v, int64_t cella);

// The entries of cell `cella`; when it has none, the one nearest before it.
std::vector<voce_con_metro> voci_della_cella(const std::vector<voce_con_metro>& voci, int64_t cella);

}  // namespace gara::anteprima
