#include "modello/nomi_file.h"
#include "scenario/dati.h"

namespace gara {

std::array<testo_scenario, 5> testi_scenario(const std::string& p, const std::string& t) {
  const auto nomi = nomi_testi(p, t);
  return {{
      {nomi[0], dati_linea()},
      {nomi[1], dati_treno()},
      {nomi[2], dati_note()},
      {nomi[3], dati_rallentamenti()},
      {nomi[4], dati_scheda()},
  }};
}

}  // namespace gara
