// Writes the maximum-size scenario's two descriptions into a folder, under
// the route and train names given (default "Massimo" and "M 1").
#include <cstdio>
#include <filesystem>
#include <string>

#include "file/file.h"
#include "modello/nomi_file.h"
#include "scenario_massimo.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "uso: genera_massimo CARTELLA [PERCORSO [TRENO]]\n");
    return 3;
  }
  const std::filesystem::path cartella = argv[1];
  const std::string percorso = argc > 2 ? argv[2] : "Massimo";
  const std::string treno = argc > 3 ? argv[3] : "M 1";
  try {
    const auto s = gara::banco::genera_scenario_massimo();
    gara::sostituisci_file(gara::percorso_file(cartella, gara::nome_descrizione_linea(percorso)), s.linea);
    gara::sostituisci_file(gara::percorso_file(cartella, gara::nome_descrizione_treno(percorso, treno)),
                           s.treno);
  } catch (const gara::errore_file& e) {
    std::fprintf(stderr, "Errore: %s\n", e.what());
    return 3;
  }
  return 0;
}
