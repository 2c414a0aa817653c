#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "avvio/modulo_schermo.h"
#include "avvio/piattaforma.h"
#include "avvio/schermo.h"
#include "file/programma.h"

namespace gara {

namespace {

// Writes all the bytes to a file descriptor; false on any failure.
bool scrivi_tutto(int fd, const unsigned char* byte, std::size_t n) {
  while (n > 0) {
    const ssize_t scritti = ::write(fd, byte, n);
    if (scritti < 0 && errno == EINTR) continue;
    if (scritti <= 0) return false;
    byte += scritti;
    n -= static_cast<std::size_t>(scritti);
  }
  return true;
}

// The window module, loaded from the bytes the program carries through an
// anonymous file in memory: nothing is written beside the program. On
// failure, why (for the user), and nullptr.
apri_schermo_fn carica_modulo(std::string& perche) {
  const int fd = memfd_create("schermo", MFD_CLOEXEC);
  if (fd < 0) {
    perche = "memoria anonima non disponibile";
    return nullptr;
  }
  void* modulo = nullptr;
  if (scrivi_tutto(fd, modulo_schermo, byte_modulo_schermo)) {
    const std::string percorso = "/proc/self/fd/" + std::to_string(fd);
    modulo = dlopen(percorso.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (modulo == nullptr) perche = dlerror();
  } else {
    perche = "modulo della finestra non scritto in memoria";
  }
  ::close(fd);
  if (modulo == nullptr) return nullptr;
  // The module stays loaded until the program ends.
  auto* apri = reinterpret_cast<apri_schermo_fn>(dlsym(modulo, nome_apri_schermo));
  if (apri == nullptr) perche = "il modulo della finestra non ha il suo ingresso";
  return apri;
}

// Without a display the package carries on without a window and writes its
// messages to standard error; no GUI library is loaded until a display is
// named by DISPLAY.
class piattaforma_linux final : public piattaforma {
 public:
  std::filesystem::path file_programma() override {
    return file_programma_in_esecuzione().value_or(std::filesystem::current_path() / "programma");
  }

  void mostra_finestra() override {
    if (apri_schermo()) schermo_->mostra_finestra(titolo());
  }

  void ridisegna_finestra() override {
    if (schermo_) schermo_->ridisegna_finestra();
  }

  void messaggio(const std::string& testo) override {
    if (apri_schermo())
      schermo_->messaggio(titolo(), testo);
    else
      std::fprintf(stderr, "%s\n", testo.c_str());
  }

  void segnala_guasto(const std::string& testo) override {
    const std::string riga = "Errore: " + testo;
    std::fprintf(stderr, "%s\n", riga.c_str());
    if (apri_schermo()) schermo_->messaggio(titolo(), riga);
  }

 protected:
  void fine_programma(int stato_uscita) override {
    std::fflush(nullptr);
    std::exit(stato_uscita);
  }

 private:
  // Opens the display once: the module is loaded only when DISPLAY names
  // one, and the module then opens it. A display named but not reachable
  // is no display; a module that cannot be loaded is said on standard
  // error, and the run goes on without a window.
  bool apri_schermo() {
    if (!schermo_provato_) {
      schermo_provato_ = true;
      const char* nome = std::getenv("DISPLAY");
      if (nome != nullptr && *nome != '\0') {
        std::string perche;
        if (const apri_schermo_fn apri = carica_modulo(perche))
          schermo_.reset(apri());
        else
          std::fprintf(stderr, "Finestra non disponibile: %s\n", perche.c_str());
      }
    }
    return schermo_ != nullptr;
  }

  bool schermo_provato_ = false;
  std::unique_ptr<schermo> schermo_;
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma() { return std::make_unique<piattaforma_linux>(); }

}  // namespace gara
