#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace gara::editore {

// What a value of an entry measures, for the derived values an editor shows.
// A position is a metre of the line (a kilometric position, a cell); a
// length is metres alone.
enum class unita { numero, metri, lunghezza, km_h, ore, minuti, secondi, percento, testo };

// One value of an entry: its name in the format, what it is, its unit and
// the range its reading takes (the width of the number it is read into).
struct campo_voce {
  std::string_view nome;
  std::string_view spiegazione;
  unita misura = unita::numero;
  int64_t minimo = 0;
  int64_t massimo = 0;
  std::string_view vincolo;  // a rule of the compile beyond the range, or empty
};

// An entry of a description: the keyword as the shipped files write it,
// its meaning, and its values in order.
struct forma_voce {
  std::string_view parola;
  std::string_view significato;
  std::span<const campo_voce> campi;
  bool della_linea = false;
};

// The entries a keyword field makes in a description, by the readers' own
// tests, in the order they read their values (a field holding two keywords
// is two entries).
std::vector<const forma_voce*> forme_di(std::string_view parola, bool della_linea);

// The values of those entries one after the other, each with its entry:
// the reader's record of an entry's fields follows this order.
using campo_di_forma = std::pair<const forma_voce*, const campo_voce*>;
std::vector<campo_di_forma> campi_di(std::string_view parola, bool della_linea);

// Every entry of both descriptions.
std::span<const forma_voce> tutte_le_forme();

// The Italian name of a unit ("metri", "km/h"...); empty for a plain number.
std::string_view nome_unita(unita u);

}  // namespace gara::editore
