// Any pair of line and train descriptions, checked: no crash, no hang, and
// the compile's own error among the check's errors.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_verifica(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
