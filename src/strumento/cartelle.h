#pragma once

#include <filesystem>
#include <ostream>

namespace gara::strumento {

// The folder an author names must exist and be a folder; false, with a
// message, otherwise.
bool cartella_esistente(const std::filesystem::path& cartella, std::ostream& errori);

// A folder the tool writes into: made (with its parents) when missing.
// False, with a message, when it cannot be made or is not a folder.
bool cartella_da_scrivere(const std::filesystem::path& cartella, std::ostream& errori);

}  // namespace gara::strumento
