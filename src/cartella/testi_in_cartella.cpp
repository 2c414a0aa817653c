#include "cartella/testi_in_cartella.h"

#include "file/file.h"
#include "modello/windows1252.h"

namespace gara {

void scrivi_testi(const std::filesystem::path& cartella, const scenario_carico& s) {
  for (const auto& t : testi_scenario(s)) sostituisci_file(percorso_file(cartella, t.nome), t.byte);
}

std::vector<std::string> testi_presenti(const std::filesystem::path& cartella, const scenario_carico& s) {
  std::vector<std::string> presenti;
  for (const auto& t : testi_scenario(s))
    if (esiste_file(percorso_file(cartella, t.nome))) presenti.push_back(da_windows1252(t.nome));
  return presenti;
}

testi_letti leggi_testi(const std::filesystem::path& cartella, const identita& id) {
  testi_letti r{{id.nome_percorso, id.nome_treno, {}}, {}};
  const auto nomi = testi_scenario(r.scenario);
  for (std::size_t i = 0; i < nomi.size(); ++i) {
    const auto file = percorso_file(cartella, nomi[i].nome);
    if (!esiste_file(file)) {
      r.mancanti.push_back(da_windows1252(nomi[i].nome));
      continue;
    }
    r.scenario.testi[i] = leggi_file(file);
  }
  return r;
}

}  // namespace gara
