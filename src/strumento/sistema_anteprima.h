#pragma once

#include <string>

namespace gara::strumento {

// Ctrl+C (and, on Linux, SIGTERM) from now on only asks the preview to
// end: it then closes its connections and returns normally.
void intercetta_interruzione();
bool interruzione_chiesta();

// Opens an address in the system's browser, without waiting for it; false
// when no browser could be started.
bool apri_nel_browser(const std::string& indirizzo);

}  // namespace gara::strumento
