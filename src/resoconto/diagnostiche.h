#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "modello/diagnostica.h"
#include "modello/sorgenti.h"
#include "verifica/verifica.h"

namespace gara {

// A diagnostic's message: its reason, and the metre when it has one.
std::string messaggio(const diagnostica& d);

// Line `numero` (from 1) of a description, as UTF-8 fit for a terminal:
// without its line end, control bytes shown as "?", cut when very long.
// Nothing when the description or the line is not there.
std::optional<std::string> riga_mostrata(const descrizione& d, int numero);
// The same of a line already found (its bytes, without the line end).
std::string riga_mostrata(std::string_view riga);

// The source line of a place and a caret under its field, as a compiler
// shows them ("    12 | stazione, ...", "       |           ^~~~");
// nothing when the place has no line in the descriptions given.
std::optional<std::string> riga_con_segno(const sorgenti& d, const luogo& l);

// The check in the form compilers use, one diagnostic after another:
// "FILE:RIGA:COLONNA: errore: messaggio [V008]", the source line with a
// caret, the related places as "nota:" lines; at most `massimo` of them,
// then how many more there are, then "N errori, M avvisi".
void scrivi_verifica(const esito_verifica& e, const sorgenti& d, std::ostream& out, std::size_t massimo);

// "N errori, M avvisi", with the singulars.
std::string conteggio_problemi(int errori, int avvisi);

// The same as one JSON object: {"diagnostiche": [...], "errori": N, "avvisi": M}.
nlohmann::ordered_json verifica_json(const esito_verifica& e);

// A SARIF 2.1.0 log of the check, with the catalogue as the tool's rules.
// With the descriptions' folder (an absolute path, UTF-8), every file is
// named relative to it, and the folder is the log's base "CARTELLA", so
// that an editor opened anywhere finds the files.
nlohmann::ordered_json verifica_sarif(const esito_verifica& e, const std::string& cartella = {});

// An absolute path (UTF-8, either separator) as a "file:" URI of a folder:
// percent-encoded, ending in "/".
std::string uri_di_cartella(std::string percorso);

// The catalogue of the check's diagnostics: identifier, severity, one
// line of explanation.
void scrivi_catalogo(std::ostream& out);

}  // namespace gara
