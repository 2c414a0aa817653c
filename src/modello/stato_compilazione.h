#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara {

// Where the entry that caused a problem stands: the description file (its
// name only) and the line of the entry's keyword, when there is one.
struct origine {
  std::string file;
  std::optional<int> linea;

  bool operator==(const origine&) const = default;
};

// Mountain spans recorded so far: entries 1..80 are used.
inline constexpr int numero_spazi_montagne = 81;

// The whole state of one compile: the identity, the route model and the
// compiler's own codes. The readers, the placement routines and the passes
// all work on one of these; nothing else holds compile state.
struct stato_compilazione {
  // Identity of the scenario, as Windows-1252 bytes.
  std::string nome_percorso;
  std::string nome_treno;

  // Folder the descriptions are read from, and folder the binaries go to.
  std::filesystem::path cartella;
  std::filesystem::path cartella_uscita;
  // The package deletes the descriptions it has read; the authoring tool
  // leaves an author's files alone.
  bool cancella_descrizioni = true;

  int32_t genera_tracciato = 0;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  std::string riga;  // the text field last read

  // The route model.
  std::vector<cella> celle;  // indexes 0..N; empty until the route length is read
  tabella tabella_linea{};
  tracciato_metri tracciato;
  std::array<int32_t, numero_spazi_montagne> inizio_montagne{};
  std::array<int32_t, numero_spazi_montagne> fine_montagne{};
  int32_t numero_montagne = 0;

  // The entry being read, and where the entry that set the code stood.
  std::optional<origine> voce_corrente;
  std::optional<origine> origine_errore;

  // Set by the header stamp when the scenario cannot be stamped ("1250",
  // "1251"): the run must stop through errore and write nothing more.
  std::string errore_fatale;

  // Names of the binary files written, in the order written.
  std::vector<std::string> scritti;

  bool griglia_esiste() const { return !celle.empty(); }
  // N, the last cell index; meaningful only when the grid exists.
  int32_t ultima_cella() const { return static_cast<int32_t>(celle.size()) - 1; }

  // Checked access to a cell: an index outside 0..N (or no grid) is a guasto.
  cella& cella_in(int64_t i);
  const cella& cella_in(int64_t i) const;
  // The same for a cell index still held as a real: rounded half to even,
  // then checked.
  cella& cella_in_reale(double i);

  // Checked access to a record of the line table.
  voce_linea& voce_in(int64_t i);

  // Records a problem: the code, and where the current entry stands.
  void segna_errore(int32_t codice);

  // Deletes a description file when this compile is allowed to.
  void cancella_descrizione(const std::filesystem::path& file) const;
};

}  // namespace gara
