// Any bytes as a ".dat", ".sim" and "_linea.dat" file, as `scenario mostra`
// would be handed them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_decodificatori(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
