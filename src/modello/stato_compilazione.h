#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/cella.h"
#include "modello/codici.h"
#include "modello/diagnostica.h"
#include "modello/registro_voci.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara {

// Mountain spans recorded so far: entries 1..80 are used.
inline constexpr int numero_spazi_montagne = 81;

// How the descriptions are read. The faithful reading is the package's:
// the first problem of most kinds stops it, and the codes, the stopping
// points and the model are exactly the package's. The checking reading
// records each problem and goes on at the next entry, so that one run
// finds every problem it can.
enum class modo_lettura { fedele, verifica };

// The whole state of one compile: the identity, the route model and the
// compiler's own codes. The readers, the placement routines and the passes
// all work on one of these; nothing else holds compile state.
struct stato_compilazione {
  // Identity of the scenario, as Windows-1252 bytes.
  std::string nome_percorso;
  std::string nome_treno;

  modo_lettura modo = modo_lettura::fedele;

  int32_t genera_tracciato = 0;
  // False: the curves are read and measured against the plan, but no
  // metre of it is laid (a check that keeps only the problems).
  bool posa_tracciato = true;
  // The metre of the code standing (see segna_posizione); the code itself
  // is that of the error that stands, codice_errore().
  int32_t posizione_errore = 0;
  std::string riga;  // the text field last read

  // The route model.
  std::vector<cella> celle;  // indexes 0..N; empty until the route length is read
  tabella tabella_linea{};
  tracciato_metri tracciato;
  std::array<int32_t, numero_spazi_montagne> inizio_montagne{};
  std::array<int32_t, numero_spazi_montagne> fine_montagne{};
  int32_t numero_montagne = 0;

  // The keyword field of the entry being read; none between entries.
  std::optional<luogo> voce_corrente;
  // Every problem met, in the order met; one of the errors stands (the one
  // whose code the package leaves), as errore_in_vigore() says.
  std::vector<diagnostica> diagnostiche;

  // Set by the header stamp when the scenario cannot be stamped: the run
  // must stop through errore and write nothing more.
  arresto fermata = arresto::nessuno;

  // In a checking reading, the keyword field of the entry that put the
  // object of each cell, and the text of each record, there.
  std::vector<std::optional<luogo>> occupanti;
  std::array<std::optional<luogo>, numero_voci> occupanti_voci{};
  // In a checking reading, every entry met, with its fields and cells.
  registro_voci voci_lette;

  // Which descriptions the package deletes after this reading: the line
  // description whenever it was read, the train description once its
  // reading began or when an unforeseen failure ended the reading.
  bool cancella_linea = false;
  bool cancella_treno = false;

  bool griglia_esiste() const { return !celle.empty(); }
  // N, the last cell index; meaningful only when the grid exists.
  int32_t ultima_cella() const { return static_cast<int32_t>(celle.size()) - 1; }
  bool verifica() const { return modo == modo_lettura::verifica; }
  // The error that stands, as the package leaves it: the last one recorded
  // through segna_errore*, or made to stand again by riafferma_errore;
  // nullptr when none does (code 0).
  const diagnostica* errore_in_vigore() const;
  // Its code, the package's codice_errore: 0 when no error stands.
  int32_t codice_errore() const;
  // An error of this code already recorded stands again, without a second
  // diagnostic (a failure that an entry recorded before the reading ended
  // on it).
  void riafferma_errore(int32_t codice);
  // No problem recorded, no error standing: the state of a compile's start.
  void azzera_errori();
  // Where in diagnostiche the error that stands is.
  std::optional<std::size_t> indice_errore() const { return errore_; }

  // Checked access to a cell: an index outside 0..N (or no grid) is a guasto.
  cella& cella_in(int64_t i);
  const cella& cella_in(int64_t i) const;
  // The same for a cell index still held as a real: rounded half to even,
  // then checked.
  cella& cella_in_reale(double i);

  // Checked access to a record of the line table.
  voce_linea& voce_in(int64_t i);

  // Records a problem at the current entry: the code, and its meaning. With
  // a metre, posizione_errore takes it as well.
  void segna_errore(int32_t codice, std::optional<int32_t> metro = std::nullopt);
  // The same at a given place, with the reason in words.
  void segna_errore_in(int32_t codice, std::optional<luogo> dove, std::string motivo,
                       std::optional<int32_t> metro = std::nullopt);
  // A problem with a cell (or a record) that an earlier entry already took:
  // recorded as segna_errore does, with a note at that entry when the
  // reading knows it.
  void segna_errore_occupata(int32_t codice, const cella& presa, std::optional<int32_t> metro = std::nullopt);
  void segna_errore_voce_occupata(int32_t codice, int64_t voce);
  // The current entry puts an object in the cell, or a text in the record
  // (noted by a checking reading only).
  void occupa(const cella& c);
  void occupa_voce(int64_t i);

  // The metre of the code standing: posizione_errore, and the metre of the
  // last problem recorded when it carries one and has none yet.
  void segna_posizione(int32_t metro);

 private:
  // Where in diagnostiche the error that stands is.
  std::optional<std::size_t> errore_;
};

}  // namespace gara
