#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gara::editore {

// One line the formatter re-spaces: its number (from 0) and its new text,
// without the line end (which stays as it was).
struct riga_formattata {
  std::size_t riga = 0;
  std::string testo;
};

// Aligns the values of each block of entries in columns, as a careful
// author would: after "[generale]", the consecutive lines of one keyword
// with as many values each get their values right-aligned (numbers) or
// left-aligned (texts) under each other, one blank after each comma, no
// blanks before a comma or at the line's end. Only blanks around commas
// change, which the reader skips: what the compile reads stays the same.
// A line it cannot re-space safely stays as it is: one before
// "[generale]", the last one when no line end follows it (blanks before
// the end of the file count), one that is no entry of this description, one holding a
// double quote (a field taken literally) or a dash in its keyword (the
// reader may pass it over). `testo` is UTF-8 or Windows-1252 alike (the
// widths count characters). Returns only the lines that change.
std::vector<riga_formattata> formatta(std::string_view testo, bool della_linea);

// The text with those lines replaced.
std::string applica_formattazione(std::string_view testo, const std::vector<riga_formattata>& righe);

}  // namespace gara::editore
