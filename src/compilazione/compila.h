#pragma once

#include <cstdint>
#include <string>

#include <optional>
#include <vector>

#include "modello/diagnostica.h"
#include "modello/modello_compilato.h"
#include "modello/registro_voci.h"
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
  // False: a plan is made and its curves checked as above, but no metre is
  // computed and none is handed on (for a reading kept only for its
  // problems: they do not depend on the plan's values).
  bool posa_tracciato = true;
};

// What a compile leaves, and nothing of its working state: the route
// model, every problem met with the error that stands among them (whose
// code and metre the package leaves), the stop of the header stamp, which
// descriptions the package would now delete, and, from a checking reading,
// its record of the entries.
struct risultato_compilazione {
  modello_compilato modello;
  std::vector<diagnostica> diagnostiche;
  std::optional<std::size_t> indice_errore;  // in diagnostiche: the error that stands
  int32_t posizione_errore = 0;
  arresto fermata = arresto::nessuno;
  bool cancella_linea = false;
  bool cancella_treno = false;
  // A checking reading's: the entry that put the object of each cell, and
  // every entry with its fields and cells.
  std::vector<std::optional<luogo>> occupanti;
  registro_voci voci_lette;

  const diagnostica* errore_in_vigore() const {
    return indice_errore && *indice_errore < diagnostiche.size() ? &diagnostiche[*indice_errore] : nullptr;
  }
  // The package's codice_errore: 0 when no error stands.
  int32_t codice_errore() const {
    const diagnostica* d = errore_in_vigore();
    return d ? d->codice : 0;
  }
  // The package writes the binary files when the reading made a grid and
  // the header could be stamped, whatever the code.
  bool binari_da_scrivere() const { return modello.griglia_esiste() && fermata == arresto::nessuno; }
};

// The model of a working state, as the compile hands it on (a copy): the
// track plan only where the state was to build it.
modello_compilato modello_di(const stato_compilazione& s);

// The compile as a function of the descriptions' bytes: it opens, writes
// and deletes no file. A faithful compile is the package's own, to the bit;
// a checking one reads on past each problem (see modo_lettura).
risultato_compilazione compila(const sorgenti& d, const opzioni_compilazione& o);

}  // namespace gara
