#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editore/coppia.h"
#include "modello/diagnostica.h"
#include "modello/sorgenti.h"
#include "orario/orario.h"
#include "verifica/verifica.h"

namespace gara::editore {

// A description open in the editor: the URI the client uses for it, its
// text (UTF-8) and its version.
struct documento {
  std::string uri;
  std::string testo;
  int64_t versione = 0;
};

// One file of a checked scenario: where it is, the URI its diagnostics go
// to, its text as the editor shows it (UTF-8: the open buffer, or the file
// on disk decoded from Windows-1252) and the diagnostics published for it.
struct file_verificato {
  std::string percorso;
  std::string nome;  // as the check names it in its places
  std::string uri;
  std::string testo;
  std::optional<int64_t> versione;  // of the open buffer
  std::vector<diagnostica> diagnostiche;
};

// A scenario as last checked: both descriptions as the check read them and
// what it found.
struct scenario_verificato {
  coppia quale;
  sorgenti descrizioni;
  esito_verifica esito;
  orario::risultato_orario orario;  // the sections' running times
  file_verificato linea;
  file_verificato treno;   // percorso empty without a train file
  file_verificato scheda;  // the timetable card; percorso empty without one
};

}  // namespace gara::editore
