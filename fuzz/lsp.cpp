// Any bytes as the language server's standard input: no crash, no hang,
// every answer framed and JSON-RPC 2.0.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bersagli_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  gara::fuzz::prova_lsp(std::string_view(reinterpret_cast<const char*>(dati), n));
  return 0;
}
