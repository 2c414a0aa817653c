#include "modello/nomi_file.h"
#include "scenario/dati.h"

namespace gara {

std::array<testo_scenario, 5> testi_scenario(const std::string& p, const std::string& t) {
  return {{
      {nome_descrizione_linea(p), dati_linea()},
      {nome_descrizione_treno(p, t), dati_treno()},
      {nome_note(p, t), dati_note()},
      {nome_rallentamenti(p, t), dati_rallentamenti()},
      {nome_scheda(p, t), dati_scheda()},
  }};
}

}  // namespace gara
