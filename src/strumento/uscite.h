#pragma once

#include "cartella/uscite.h"

namespace gara::strumento {

// Exit statuses of the authoring tool. The fatal stamp error keeps the
// package's own status, so that scripts read both programs alike.
namespace uscita {
inline constexpr int riuscita = uscita_programma::riuscita;
// The compile left a code other than 0 (the binaries are written all the
// same); for `mostra` and `disegna`, a binary file that does not fit its layout.
inline constexpr int codice_errore = uscita_programma::codice_errore;
inline constexpr int errore_scenario = uscita_programma::errore_scenario;  // "1250", "1251"
// A usage error, a folder that does not exist, a file that cannot be read
// or written.
inline constexpr int uso = uscita_programma::guasto_file;
}  // namespace uscita

}  // namespace gara::strumento
