#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "avvio/piattaforma.h"

namespace gara {

namespace {

// Without a display the package carries on without a window and writes
// its messages to standard error.
class piattaforma_linux final : public piattaforma {
 public:
  std::filesystem::path cartella_programma() override {
    std::error_code e;
    const auto eseguibile = std::filesystem::read_symlink("/proc/self/exe", e);
    if (e) return std::filesystem::current_path();
    return eseguibile.parent_path();
  }

  void mostra_finestra() override {}
  void ridisegna_finestra() override {}

  void messaggio(const std::string& testo) override {
    std::fprintf(stderr, "%s\n", testo.c_str());
  }

  void segnala_guasto(const std::string& testo) override {
    std::fprintf(stderr, "Errore: %s\n", testo.c_str());
  }

 protected:
  void fine_programma(int stato_uscita) override {
    std::fflush(nullptr);
    std::exit(stato_uscita);
  }
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma() { return std::make_unique<piattaforma_linux>(); }

}  // namespace gara
