#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "modello/stato_compilazione.h"

namespace gara::strumento {

// The Italian meaning of a code, from the compiler's own table; a number
// that is no code of the format says so.
std::string messaggio_codice(int32_t codice_errore);

// What the tool says when the scenario cannot be stamped ("1250", "1251").
std::string messaggio_fatale(const std::string& errore_fatale);

// Line `numero` (from 1) of a description file, as UTF-8 without its line
// end; nothing when the file or the line is not there.
std::optional<std::string> riga_del_file(const std::filesystem::path& file, int numero);

// The outcome of a compile for the author, in Italian: the code and its
// meaning, the metre, the file and line of the entry that caused it (with
// the line itself), and the binary files written.
void scrivi_resoconto(const stato_compilazione& s, std::ostream& out);

// The same as one JSON object: codice_errore, posizione_errore, errore,
// messaggio, file, riga, scritti.
nlohmann::ordered_json resoconto_json(const stato_compilazione& s);

}  // namespace gara::strumento
