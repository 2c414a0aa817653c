#pragma once

#include <cstdint>
#include <string>

#include "avvio/piattaforma.h"
#include "cartella/uscite.h"

namespace gara {


// Shows the message of a fatal scenario error and ends the program with a
// non-zero status. Never returns.
[[noreturn]] void errore(piattaforma& p, const std::string& a);

// Where the package's payload lies in its own file, as its locator says
// (pacchetto/eseguibile.h); both 0 when it carries the shipped scenario.
struct posizione_carico {
  std::uint64_t inizio = 0;
  std::uint64_t lunghezza = 0;
};

// What this program's own locator says.
posizione_carico carico_proprio();

// The whole run of the package, in its fixed order: identity (the payload
// at that place in the program's file, or the shipped scenario), window,
// the five text files, the compile, the end. A payload that cannot be read
// stops the run before anything is written, with a message and
// uscita_programma::pacchetto_danneggiato. It always finishes through the
// platform's fine_programma.
[[noreturn]] void sequenza_avvio(piattaforma& p, posizione_carico carico);
[[noreturn]] inline void sequenza_avvio(piattaforma& p) { sequenza_avvio(p, carico_proprio()); }

}  // namespace gara
