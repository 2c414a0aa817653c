#pragma once

#include <string>
#include <vector>

#include "uscita/scrittura.h"
#include "modello/modello_compilato.h"

namespace gara {

// Encodes the track plan (when the compile built it), the line table
// and the cells, in this order, each into the destination `apri` gives for
// its name, and adds each name (UTF-8) to `scritti` once it is confirmed.
// Nothing at all when the model has no grid. Throws errore_file when a
// record cannot be encoded (before any destination is opened) or when a
// destination fails.
void scrivi_binari(const modello_compilato& s, const apri_scrittura& apri,
                   std::vector<std::string>& scritti);

}  // namespace gara
