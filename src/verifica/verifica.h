#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compilazione/compila.h"
#include "modello/diagnostica.h"
#include "modello/sorgenti.h"

namespace gara {

// The check takes the compile's options; it reads both ways whatever their
// mode.
using opzioni_verifica = opzioni_compilazione;

// Every problem of a scenario at once. The errors are those of the checking
// reading, which goes on past each one; the compile's own error (the code
// the package would leave, and a stop of the header stamp) is always among
// them. The warnings are what the compile accepts but an author almost
// surely did not mean.
struct esito_verifica {
  std::vector<diagnostica> diagnostiche;  // in the order of the reading, file by file
  int errori = 0;
  int avvisi = 0;
  // The faithful compile of the same descriptions: the model, the code and
  // the binaries exactly as the package and `scenario compila` give them.
  risultato_compilazione compilazione;
  // The checking reading's record of the entry that put the object of each
  // cell (none for an empty cell and for what the passes after the reading
  // put there); it follows the faithful model whenever there is no error.
  std::vector<std::optional<luogo>> occupanti;
  // The checking reading's record of every entry, its fields and cells.
  registro_voci voci_lette;
};

// Checks the descriptions given; reads no file and writes none.
esito_verifica verifica(const sorgenti& d, const opzioni_verifica& o);
// The same for a caller that has already made the faithful compile of these
// descriptions with these options (it becomes esito_verifica::compilazione):
// it is not made twice. Its plan may have been dropped; the check does not
// read it.
esito_verifica verifica(const sorgenti& d, const opzioni_verifica& o, risultato_compilazione fedele);

// Problems grouped by file: the line description's, the train
// description's, any other file's, then those without a place; the order
// within each group stays.
void ordina_per_file(std::vector<diagnostica>& d, const sorgenti& s);

}  // namespace gara
