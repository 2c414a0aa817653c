// Any bytes as the payload of a package and as a package's whole file, as
// the package's program and `scenario estrai --da` would be handed them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_pacchetto_dati(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
