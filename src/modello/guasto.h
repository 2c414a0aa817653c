#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace gara {

// A failure inside the reading of the descriptions that no entry rule
// foresees: a read past the end of a file, a number that does not fit its
// field, an index outside its table, a file that cannot be read. The
// reader's recovery routine turns it into code 25; it never leaves
// memorizza_dati.
class guasto : public std::runtime_error {
 public:
  explicit guasto(const std::string& motivo) : std::runtime_error(motivo) {}
};

// The reason of every guasto of an entry that needs the grid before the
// route length has made it: in a checking reading it is reported once.
inline constexpr std::string_view motivo_senza_griglia =
    "voce posizionata prima della lunghezza del percorso: la griglia delle celle non esiste ancora";

}  // namespace gara
