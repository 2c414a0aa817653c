#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "modello/arrotonda.h"
#include "modello/diagnostica.h"

namespace gara {

// Reads a description file as a stream of fields. A field ends at a comma or
// at a line end (CR LF, CR or LF); the delimiter is used up with it.
//
// A text field skips leading blanks (spaces, tabs) and loses its trailing
// ones; one that begins with a double quote is taken literally up to the
// closing quote, commas included, and anything between that quote and the
// delimiter is dropped.
//
// A number field skips leading blanks and ends at the first blank, comma or
// line end; the blanks after it and then one comma or one line end are used
// up with it, so numbers may be separated by blanks alone and an entry may go
// on to the next line. Its value is the number at the start of the field
// (sign, digits, decimals) rounded half to even; a field without a digit
// reads as 0. A value that does not fit its destination is a guasto.
//
// Reading when the whole file has already been used up is a guasto: the
// readers look at a_fine() after a read to know whether the field they got
// was the last one.
//
// The reader only looks at the bytes it is given; they must outlive it.
class lettore_campi {
 public:
  lettore_campi(std::string_view contenuto, std::string nome_file = {});
  lettore_campi(const char* contenuto, std::string nome_file = {})
      : lettore_campi(std::string_view(contenuto), std::move(nome_file)) {}
  // A temporary would be gone before the first field is read.
  lettore_campi(std::string&& contenuto, std::string nome_file = {}) = delete;

  // True when every byte of the file has been used up.
  bool a_fine() const { return pos_ >= testo_.size(); }

  std::string leggi_testo();

  template <class T = int32_t>
  T leggi_numero() {
    return entro<T>(leggi_intero());
  }

  // Passes over what is left of the current line, its line end included;
  // nothing when the last field read ended its line.
  void salta_resto_della_riga();

  // The line (from 1) on which the last field read begins.
  int linea() const { return campo_.linea; }
  // Where the last field read stands: its line, column and length.
  const luogo& campo() const { return campo_; }
  // The last field read as it stands in the file.
  std::string_view testo_campo() const {
    return testo_.substr(inizio_campo_, static_cast<std::size_t>(campo_.lunghezza));
  }
  // What follows the last field read on its line, up to the line end.
  std::string_view dopo_il_campo() const;

 private:
  int64_t leggi_intero();
  void salta_spazi();
  bool fine_riga() const;
  void consuma_fine_riga();
  void consuma_delimitatore();
  void controlla_non_finito() const;
  void inizia_campo();
  void chiudi_campo(std::size_t fine);

  std::string_view testo_;
  std::size_t pos_ = 0;
  int linea_ = 1;
  std::size_t inizio_riga_ = 0;
  std::size_t inizio_campo_ = 0;
  luogo campo_;
};

}  // namespace gara
