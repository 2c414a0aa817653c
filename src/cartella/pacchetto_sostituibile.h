#pragma once

#include <filesystem>

namespace gara {

// Whether a package may be written to that file: nothing is there, or a
// package is (its program carries a locator). Any other file is an
// author's, and stays.
//
// Apart from the texts (testi_in_cartella.h): the package's own program
// must not carry the locator's mark twice, and this reads it.
bool pacchetto_sostituibile(const std::filesystem::path& file);

}  // namespace gara
