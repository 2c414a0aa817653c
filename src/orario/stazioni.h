#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/diagnostica.h"
#include "modello/registro_voci.h"

namespace gara::orario {

// A station of the train description, as the checking reading recorded
// its entry: name (Windows-1252, padding removed), metre, and time of day in
// seconds (none for 0:00:00 or a time not read), with their places.
struct stazione_treno {
  std::string nome;
  int64_t metro = 0;
  std::optional<int32_t> orario;
  luogo dove_nome;
  luogo dove_metro;
  luogo dove_orario;  // the hours
};

// The stations of the description named `file_treno`, in its order: the
// entries that carry all their values.
std::vector<stazione_treno> stazioni_del_treno(const registro_voci& voci, const std::string& file_treno);

// "12:25:00" for a time of day in seconds; "-" for none.
std::string ora_del_giorno(std::optional<int64_t> secondi);

}  // namespace gara::orario
