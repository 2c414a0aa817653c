#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "compilazione/compila.h"
#include "modello/codici.h"
#include "modello/sorgenti.h"

namespace gara {

// The Italian meaning of a code, from the compiler's own table; a number
// that is no code of the format says so.
std::string messaggio_codice(int32_t codice_errore);

// What the author reads when the scenario cannot be stamped.
std::string messaggio_arresto(arresto a);

// How many problems the check found in the same descriptions.
struct sommario_verifica {
  int errori = 0;
  int avvisi = 0;
  // The check's own record of a stop of the stamp, at the entry that took
  // the stamp's field when it found one.
  std::optional<diagnostica> fermata;
};

// A compile as its author sees it: what was compiled and from where, and
// which binaries were written where (none when the writer did not run).
struct compilazione_mostrata {
  const risultato_compilazione& risultato;
  const sorgenti& descrizioni;
  std::string cartella;         // as the user should read it, quoted
  std::string cartella_uscita;  // likewise
  std::vector<std::string> scritti;
  // The check of the same descriptions, when it ran (not with --fedele).
  std::optional<sommario_verifica> verifica;
};

// The outcome for the author, in Italian: the code and its meaning, the
// metre, the file and line of the entry that caused it (with the line
// itself), what the check found, and the binary files written. A code 0
// is "nessun problema" only when the check, if it ran, found no error.
void scrivi_resoconto(const compilazione_mostrata& c, std::ostream& out);

// The same as one JSON object: codice_errore, posizione_errore, errore,
// messaggio, file, riga, colonna, verifica ({errori, avvisi} or null when
// the check did not run), scritti.
nlohmann::ordered_json resoconto_json(const compilazione_mostrata& c);

}  // namespace gara
