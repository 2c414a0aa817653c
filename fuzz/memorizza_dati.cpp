// Any pair of line and train descriptions, compiled from memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_memorizza_dati(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
