#pragma once

#include <vector>

#include "modello/diagnostica.h"
#include "modello/registro_voci.h"
#include "modello/sorgenti.h"
#include "compilazione/compila.h"

namespace gara {

// The problems of the scenario as a whole, which no single field shows: a
// train description of which nothing was read, or that has no station or
// no speed, speeds that leave part of the line at 0, stations out of order,
// an entry that took its last values from the next line (and so swallowed
// the entry there), a station named with a keyword or a number, times of
// day out of range. They are read from the checking reading's record of the
// entries and from the faithful compile's model.
struct problemi_scenario {
  std::vector<diagnostica> diagnostiche;
  // The places whose warnings one of these problems explains (the line
  // whose keyword an entry swallowed, a name read as a number): a place
  // without a column stands for its whole line.
  std::vector<luogo> spiegati;
};
problemi_scenario problemi_dello_scenario(const sorgenti& d, const registro_voci& lette,
                                          const risultato_compilazione& fedele);

// The problems of the scenario among the others, which keep their order:
// each goes before the first diagnostic of its file at or after its line
// (one of the file as a whole, first in its file), and the warnings it
// explains are dropped, since it names their cause.
std::vector<diagnostica> unisci_problemi_dello_scenario(std::vector<diagnostica> tutte, problemi_scenario p);

}  // namespace gara
