#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modello/diagnostica.h"
#include "protocollo/posizioni.h"

namespace gara::editore {

// The lines of a UTF-8 text as the protocol counts them (CR LF, CR and LF
// each end one, as the descriptions' reader counts them): a view, valid
// while the text lives.
class righe {
 public:
  explicit righe(std::string_view testo);
  std::size_t numero() const { return inizi_.size(); }
  // Line `i` (from 0) without its line end; empty past the last.
  std::string_view riga(std::size_t i) const;
  std::size_t inizio(std::size_t i) const { return i < inizi_.size() ? inizi_[i] : testo_.size(); }

  // The byte offset of a position; nothing when its line or character is
  // past the text (the end of a line is a position of it).
  std::optional<std::size_t> offset(const protocollo::posizione& p, protocollo::codifica c) const;
  // The position of a byte offset.
  protocollo::posizione posizione_di(std::size_t offset, protocollo::codifica c) const;
  // The range of a place of the check (line from 1, column from 1 in
  // characters, length): the field, or the whole line without a column,
  // or the text's start for the file as a whole.
  protocollo::intervallo intervallo_di(const luogo& l, protocollo::codifica c) const;
  // The range of the whole text.
  protocollo::intervallo tutto(protocollo::codifica c) const;

 private:
  std::string_view testo_;
  std::vector<std::size_t> inizi_;
  std::vector<std::size_t> fini_;  // where each line's end begins
};

// Replaces a range of a text by `nuovo`, as a client's incremental change;
// throws protocollo::parametri_errati when the range is not in the text or
// ends before it starts.
void applica_modifica(std::string& testo, const protocollo::intervallo& i, std::string_view nuovo,
                      protocollo::codifica c);

// A field without the blanks (spaces and tabs) around it.
std::string_view senza_vuoti(std::string_view t);

// The characters of a UTF-8 text (of a single-byte one, its bytes): the
// bytes that start a character.
std::size_t caratteri(std::string_view t);

// The byte offset in a UTF-8 line of its character `n` (from 0); the
// line's length past its end.
std::size_t byte_del_carattere(std::string_view riga, std::size_t n);

// A description as the editor shows it (UTF-8), turned into the bytes the
// file will hold (Windows-1252), one byte a character so that the check's
// columns are the editor's characters. A character Windows-1252 cannot hold
// becomes "?" and an error at its place (carattere_non_windows1252); a
// U+FFFD, the mark an editor leaves where it could not decode a byte, says
// once that the file was opened as UTF-8 (aperto_come_utf8).
struct testo_in_byte {
  std::string byte;
  std::vector<diagnostica> problemi;
};
testo_in_byte in_byte(std::string_view utf8, const std::string& nome_file);

}  // namespace gara::editore
