// What the preview's server reads itself: the Host header and the target of
// a request, the inspector's metre and tolerance, and the entries found by
// metre in a pair of descriptions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_anteprima(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
