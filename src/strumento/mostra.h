#pragma once

#include <filesystem>
#include <ostream>

namespace gara::strumento {

struct opzioni_mostra {
  std::filesystem::path file;
  bool json = false;
};

// `scenario mostra`: decodes one binary file into a readable listing, or
// into JSON. Returns 0, 1 when the bytes do not fit the file's layout, 3
// when the file cannot be read or its name says nothing of its kind.
int comando_mostra(const opzioni_mostra& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
