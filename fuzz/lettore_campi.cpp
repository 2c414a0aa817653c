// Any bytes as a description file, read field by field.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_lettore_campi(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
