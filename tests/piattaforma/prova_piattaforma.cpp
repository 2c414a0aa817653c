// A test program on the package's own platform layer, for the checks that
// need a screen: it shows the window and keeps it up, or calls errore, so
// that a script can look at what the user would see.
//
//   prova_piattaforma finestra SECONDI   window shown and painted once, kept
//                                        up that long without handling any
//                                        event, then the program ends (0)
//   prova_piattaforma errore NUMERO      window, then errore with NUMERO
//   prova_piattaforma cartella           prints the program folder (UTF-8)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "avvio/avvio.h"
#include "file/file.h"
#include "avvio/piattaforma.h"

namespace {

int uso() {
  std::fprintf(stderr, "uso: prova_piattaforma finestra SECONDI | errore NUMERO | cartella\n");
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string comando = argc > 1 ? argv[1] : "";
  const auto p = gara::crea_piattaforma();
  if (comando == "cartella" && argc == 2) {
    std::printf("%s\n", gara::nome_leggibile(p->cartella_programma()).c_str());
    return 0;
  }
  if (comando == "finestra" && argc == 3) {
    const int secondi = std::atoi(argv[2]);
    p->mostra_finestra();
    p->ridisegna_finestra();
    std::this_thread::sleep_for(std::chrono::seconds(secondi));
    p->termina(gara::uscita_programma::riuscita);
  }
  if (comando == "errore" && argc == 3) {
    p->mostra_finestra();
    p->ridisegna_finestra();
    gara::errore(*p, argv[2]);
  }
  return uso();
}
