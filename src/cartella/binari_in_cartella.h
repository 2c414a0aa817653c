#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cartella/identita.h"
#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara {

// The binary files of a compiled scenario in a folder, decoded: what a
// view of it (vista::prepara_vista) is made from.
struct binari_decodificati {
  std::vector<cella> celle;
  tabella tabella_linea;
  // None when the scenario was compiled without it, or when the one there
  // is left over from an earlier compile of another length (see avviso).
  std::optional<tracciato_metri> tracciato;
};

enum class problema_binari {
  nessuno,
  mancante,     // the cells or the line table are not there
  illeggibile,  // a file there cannot be read
  non_valido,   // a file does not fit its layout
};

struct binari_letti {
  std::optional<binari_decodificati> binari;
  problema_binari problema = problema_binari::nessuno;
  std::string messaggio;  // in Italian, naming the file, when there is a problem
  // A plan of another length, set aside (in Italian), when there is one.
  std::optional<std::string> avviso;
};

// Reads the cells, the line table and, when there, the track plan of the
// scenario named. Any bytes are safe.
binari_letti leggi_binari(const std::filesystem::path& cartella, const identita& id);

}  // namespace gara
