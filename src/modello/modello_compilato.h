#pragma once

#include <string>
#include <vector>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara {

// The route model as a compile leaves it, for the binary writer and the
// views: the identity that names the files, the cells, the line table and
// the track plan (which exists only when the compile built it).
struct modello_compilato {
  std::string nome_percorso;  // Windows-1252
  std::string nome_treno;
  std::vector<cella> celle;  // indexes 0..N; empty when the reading made no grid
  tabella tabella_linea{};
  tracciato_metri tracciato;

  bool griglia_esiste() const { return !celle.empty(); }
};

}  // namespace gara
