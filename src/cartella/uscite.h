#pragma once

namespace gara {

// Exit statuses of the package and of the authoring tool: the front ends
// share them, so that scripts read both programs alike.
namespace uscita_programma {
inline constexpr int riuscita = 0;
// The compile left a code other than 0, a binary file does not fit its
// layout, or a check found errors (the tool only).
inline constexpr int codice_errore = 1;
inline constexpr int errore_scenario = 2;  // errore: the scenario cannot be stamped
inline constexpr int guasto_file = 3;      // a file could not be read or written
// The package's payload is cut short, altered or of a newer format, or
// names files Windows cannot have: nothing is written.
inline constexpr int pacchetto_danneggiato = 4;
}  // namespace uscita_programma

}  // namespace gara
