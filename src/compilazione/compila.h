#pragma once

#include <cstdint>
#include <string>

#include "modello/sorgenti.h"
#include "modello/stato_compilazione.h"

namespace gara {

struct opzioni_compilazione {
  // The scenario's identity, as Windows-1252 bytes.
  std::string nome_percorso;
  std::string nome_treno;
  // Build the per-metre track plan too, as the package does.
  bool tracciato = true;
  modo_lettura modo = modo_lettura::fedele;
};

// What a compile leaves: the route model, the code and metre as the
// package would leave them, the stop of the header stamp, every problem
// met, and which descriptions the package would now delete.
struct risultato_compilazione {
  stato_compilazione stato;

  // The package writes the binary files when the reading made a grid and
  // the header could be stamped, whatever the code.
  bool binari_da_scrivere() const {
    return stato.griglia_esiste() && stato.fermata == arresto::nessuno;
  }
};

// The compile as a function of the descriptions' bytes: it opens, writes
// and deletes no file. A faithful compile is the package's own, to the bit;
// a checking one reads on past each problem (see modo_lettura).
risultato_compilazione compila(const sorgenti& d, const opzioni_compilazione& o);

}  // namespace gara
