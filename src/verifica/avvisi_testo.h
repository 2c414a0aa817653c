#pragma once

#include <vector>

#include "modello/diagnostica.h"
#include "modello/sorgenti.h"

namespace gara {

// The warnings about a description file as text, before any field is read:
// a file saved as UTF-8, and line ends other than CR LF.
std::vector<diagnostica> avvisi_del_testo(const descrizione& d);

}  // namespace gara
