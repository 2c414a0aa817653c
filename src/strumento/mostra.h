#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace gara::strumento {

struct opzioni_mostra {
  std::filesystem::path file;
  bool json = false;
};

// The three binary files, told apart by the end of their names.
enum class genere_binario { tracciato, tabella, celle };

// "_linea.dat" is the track plan, ".sim" the line table, any other ".dat"
// the cells (letter case ignored); nothing for any other name.
std::optional<genere_binario> genere_da_nome(const std::filesystem::path& file);

// `scenario mostra`: decodes one binary file into a readable listing, or
// into JSON. Returns 0, 1 when the bytes do not fit the file's layout, 3
// when the file cannot be read or its name says nothing of its kind.
int comando_mostra(const opzioni_mostra& o, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
