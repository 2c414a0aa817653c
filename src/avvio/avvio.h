#pragma once

#include <string>

#include "avvio/piattaforma.h"

namespace gara {

// The scenario this package installs.
inline constexpr const char* percorso_del_pacchetto = "Corvana_Selvadoro";
inline constexpr const char* treno_del_pacchetto = "R 47315";

// Exit statuses of the package and of the authoring tool.
namespace uscita_programma {
inline constexpr int riuscita = 0;
inline constexpr int errore_scenario = 2;  // errore: the scenario cannot be stamped
inline constexpr int guasto_file = 3;      // a file could not be written
}  // namespace uscita_programma

// The text that errore shows: " Errore n. " followed by the number.
std::string messaggio_errore(const std::string& a);

// Shows the message of a fatal scenario error and ends the program with a
// non-zero status. Never returns.
[[noreturn]] void errore(piattaforma& p, const std::string& a);

// The whole run of the package, in its fixed order: identity, window, the
// five text files, the compile, the end. It always finishes through the
// platform's fine_programma.
[[noreturn]] void sequenza_avvio(piattaforma& p);

}  // namespace gara
