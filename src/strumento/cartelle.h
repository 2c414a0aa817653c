#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "cartella/identita.h"
#include "modello/sorgenti.h"
#include "orario/orario.h"
#include "verifica/verifica.h"

namespace gara::strumento {

// The folder an author names must exist and be a folder; false, with a
// message, otherwise.
bool cartella_esistente(const std::filesystem::path& cartella, std::ostream& errori);

// A folder the tool writes into: made (with its parents) when missing.
// False, with a message, when it cannot be made or is not a folder.
bool cartella_da_scrivere(const std::filesystem::path& cartella, std::ostream& errori);

// The scenario of a folder for a subcommand that checks it: its identity
// (the names given, or the folder's one scenario), both descriptions and
// the timetable card when the folder has one. Nothing, with a message, when
// the folder is missing, the identity is not found or a file that is there
// cannot be read.
struct scenario_in_cartella {
  identita id;
  sorgenti descrizioni;
  std::optional<orario::testo_scheda> scheda;
};
std::optional<scenario_in_cartella> scenario_della_cartella(const std::filesystem::path& cartella,
                                                           const std::string& percorso, const std::string& treno,
                                                           std::ostream& errori);

// The timetable card of a scenario in a folder, as the file holds it;
// `illeggibile` says why when it cannot be read, no bytes when it is missing.
descrizione scheda_in_cartella(const std::filesystem::path& cartella, const identita& id);

}  // namespace gara::strumento
