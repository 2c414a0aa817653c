#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "anteprima/voci_con_metro.h"
#include "modello/cella.h"
#include "modello/sorgenti.h"
#include "verifica/verifica.h"

namespace gara::anteprima {

// A picture of the scenario as a compile left it: the drawing, where its
// profile lies, the cells for the inspector and the entries that name a
// metre in the descriptions it came from.
struct immagine {
  std::string svg;
  std::string marcia;  // the running diagram; empty without two timed stations
  double profilo_alto = 0;
  double profilo_basso = 0;
  double x_minimo = 0;
  double x_massimo = 0;
  int64_t metro_minimo = 0;
  int64_t metro_massimo = 0;
  std::vector<cella> celle;
  // The entry that put each cell's object, where the check knows it, and
  // the descriptions it came from (for the lines to show).
  std::vector<std::optional<luogo>> occupanti;
  sorgenti descrizioni;
  std::vector<voce_con_metro> voci;
};

// How the picture shown relates to the descriptions on disk now.
enum class stato_immagine {
  nessuna,     // no compile has made a grid yet
  aggiornata,  // drawn from the descriptions as they are, without errors
  superata,    // the descriptions now have errors: the last good picture
  con_errori,  // no good picture yet: drawn from descriptions with errors
};

// What the preview shows for one scenario, kept from one change of its
// descriptions to the next. Each update compiles and checks in memory;
// a picture is kept as good only when the check found no error, and it
// stays on show, marked as superseded, while the descriptions are broken.
class anteprima {
 public:
  explicit anteprima(opzioni_verifica opzioni) : opzioni_(std::move(opzioni)) {}

  // Checks the descriptions given and takes in the outcome.
  void aggiorna(const sorgenti& d);

  // Everything the page shows, as one JSON object: versione, percorso,
  // treno, stato, svg with the profile's place, the running diagram
  // (marcia, when two stations carry a time), and the check's
  // diagnostiche, errori and avvisi.
  nlohmann::ordered_json contenuto() const;

  // The inspector at a metre of the profile: the cell whose object stands
  // nearest within `tolleranza` metres (a pointer on a drawn symbol finds
  // its object at any zoom), else the cell of that metre; its line as
  // `scenario mostra` lists it, the entry that put its object there
  // ("origine", when the check knows it), and the entries of the
  // descriptions at its metre, or the nearest before ("voci").
  // Nothing without a picture.
  std::optional<nlohmann::ordered_json> ispeziona(int64_t metro, int64_t tolleranza = 0) const;

  // Counts the updates: the page asks for the content again when it moves.
  uint64_t versione() const { return versione_; }
  stato_immagine stato() const { return stato_; }

 private:
  opzioni_verifica opzioni_;
  uint64_t versione_ = 0;
  stato_immagine stato_ = stato_immagine::nessuna;
  std::shared_ptr<const immagine> immagine_;
  nlohmann::ordered_json diagnostiche_ = {{"diagnostiche", nlohmann::ordered_json::array()},
                                          {"errori", 0},
                                          {"avvisi", 0}};
};

// The check as `scenario verifica --formato json` gives it, each
// diagnostic with its source line too ("sorgente") where it has one.
nlohmann::ordered_json diagnostiche_json(const esito_verifica& e, const sorgenti& d);

}  // namespace gara::anteprima
