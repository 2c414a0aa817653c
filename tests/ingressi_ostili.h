#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gara::prova {

// One hostile pair of descriptions and what compiling it must give. The
// table is the test suite's (ingressi_ostili_test.cpp) and also seeds the
// fuzzer of memorizza_dati.
struct ingresso_ostile {
  std::string nome;
  std::optional<std::string> linea;  // nothing: no file of that name
  std::optional<std::string> treno;
  int32_t codice;
  std::optional<int32_t> posizione;  // posizione_errore, where the code sets it
  bool resta_treno;                  // the train description is still there afterwards
  bool scritti;                      // the three binary files were written
};

const std::vector<ingresso_ostile>& ingressi_ostili();

}  // namespace gara::prova
