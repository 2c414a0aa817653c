#pragma once

#include <stdexcept>
#include <string>

namespace gara {

// A failure inside the reading of the descriptions that no entry rule
// foresees: a read past the end of a file, a number that does not fit its
// field, an index outside its table, a file that cannot be opened. The
// reader's recovery routine turns it into code 25; it never leaves
// memorizza_dati.
class guasto : public std::runtime_error {
 public:
  explicit guasto(const std::string& motivo) : std::runtime_error(motivo) {}
};

}  // namespace gara
