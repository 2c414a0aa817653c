// Any pair of line and train descriptions, compiled in a folder of this
// process's own.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "bersagli_fuzz.h"

namespace {

class cartella_fuzz {
 public:
  cartella_fuzz()
      : percorso_(std::filesystem::temp_directory_path() /
                  ("gara-fuzz-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(percorso_);
  }
  ~cartella_fuzz() {
    std::error_code ignorato;
    std::filesystem::remove_all(percorso_, ignorato);
  }
  const std::filesystem::path& percorso() const { return percorso_; }

 private:
  std::filesystem::path percorso_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t n) {
  static const cartella_fuzz cartella;
  gara::fuzz::prova_memorizza_dati(std::string_view(reinterpret_cast<const char*>(dati), n),
                                   cartella.percorso());
  return 0;
}
