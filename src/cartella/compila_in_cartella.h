#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cartella/identita.h"
#include "compilazione/compila.h"
#include "modello/sorgenti.h"

namespace gara {

// The two descriptions of the scenario in a folder, as the compile and the
// check take them (each shown under its file name; one missing or
// unreadable says so).
sorgenti leggi_descrizioni(const std::filesystem::path& cartella, const identita& id);

// A compile of the scenario in a folder, as the package and `scenario
// compila` run it: the two descriptions read from the folder, compiled,
// the descriptions deleted when asked (the package deletes those it read),
// and the binaries written whenever the compile allows, whatever the code.
struct richiesta_compilazione {
  std::filesystem::path cartella;  // where the descriptions are
  std::filesystem::path uscita;    // where the binaries go
  identita id;
  bool tracciato = true;  // false: no track plan, no "_linea.dat"
  bool cancella_descrizioni = false;
};

struct compilazione_in_cartella {
  sorgenti descrizioni;  // as they were read
  risultato_compilazione risultato;
  std::vector<std::string> scritti;  // the binaries written (UTF-8), in order

  // The header could not be stamped ("1250", "1251"): nothing written.
  arresto fermata() const { return risultato.fermata; }
  // The compile ended with code 0.
  bool riuscita() const;
};

// Runs the compile. Throws errore_file when a binary cannot be written
// (or a description deleted); `c.scritti` then names those written before.
void compila_in_cartella(const richiesta_compilazione& r, compilazione_in_cartella& c);

}  // namespace gara
