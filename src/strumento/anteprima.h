#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace gara::strumento {

struct opzioni_anteprima {
  std::filesystem::path cartella;
  std::string percorso;  // UTF-8, as typed; empty: the folder's one scenario
  std::string treno;
  int porta = 0;  // 0: a free one
  bool apri = false;
  bool sondaggio = false;  // polling, whatever the system could tell
};

// `scenario anteprima`: serves the live preview of a scenario's
// descriptions on the loopback address until interrupted. Its first line
// on `out` is the page's address. Returns 0 once interrupted, 3 for a
// usage error, a missing folder or a port that cannot be had.
int comando_anteprima(const opzioni_anteprima& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
