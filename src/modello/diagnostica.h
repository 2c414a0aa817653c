#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gara {

// A place in a description: the file (its name as the author reads it) and
// the field, by line and column (both from 1; column in bytes, which are
// characters in Windows-1252) and length. A place without a line stands for
// the file as a whole; one without a column for the whole line.
struct luogo {
  std::string file;
  int linea = 0;
  int colonna = 0;
  int lunghezza = 0;

  bool operator==(const luogo&) const = default;
};

enum class gravita { errore, avviso, nota };

// A change that mends a problem by itself, for an editor to offer: the
// bytes of `dove` (one field, or a few on one line) replaced by `testo`
// (Windows-1252, as the file holds it).
struct sostituzione {
  luogo dove;
  std::string testo;

  bool operator==(const sostituzione&) const = default;
};

// One problem of a compile. An error carries its code of the format (or,
// for the header stamp, the number of the stop); a warning carries its
// identifier instead and code 0.
struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;
  std::string avviso;  // identifier of a warning; empty for an error
  std::optional<luogo> dove;
  std::optional<int32_t> metro;
  std::string motivo;  // in words, for the author
  // Where an earlier entry took the cell or the record (a note, not an error).
  std::optional<luogo> prima;
  std::string nota;  // what `prima` points at, in words
  // The fix, when one is certain: what the author plainly meant.
  std::optional<sostituzione> correzione;

  bool operator==(const diagnostica&) const = default;
};

}  // namespace gara
