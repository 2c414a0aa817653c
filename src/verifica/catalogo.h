#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "modello/diagnostica.h"

namespace gara {

// One kind of diagnostic of the check: its stable identifier, its severity
// and one line of explanation. Errors of the format carry the compile's
// code (or the number of the header stamp's stop); warnings, and the
// errors that only the check finds in the scenario as a whole, have none.
struct voce_catalogo {
  std::string_view identificativo;  // "V008", "V201", ...
  gravita livello;
  int32_t codice;  // 0 for a warning
  std::string_view spiegazione;
};

// The whole catalogue, errors first in the order of their codes.
std::span<const voce_catalogo> catalogo();

// The entry of an error code (or stop number), or of a warning identifier;
// nullptr when there is none.
const voce_catalogo* voce_del_codice(int32_t codice);
const voce_catalogo* voce_dell_avviso(std::string_view identificativo);

// The identifier of a diagnostic: its warning identifier, or the one of its
// code ("V" and the code on three digits at least).
std::string identificativo(const diagnostica& d);

// The Italian name of a severity: "errore", "avviso", "nota".
std::string_view nome_gravita(gravita g);

}  // namespace gara
