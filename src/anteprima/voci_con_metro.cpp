#include "anteprima/voci_con_metro.h"

#include <algorithm>

#include "lettura/righe.h"
#include "modello/cella.h"
#include "modello/windows1252.h"
#include "resoconto/diagnostiche.h"

namespace gara::anteprima {

std::vector<voce_con_metro> voci_con_metro(const registro_voci& lette, const sorgenti& d) {
  // Each description's lines found once for all its entries.
  std::vector<std::pair<const descrizione*, righe_del_testo>> righe;
  const auto righe_di = [&](const descrizione& x) -> const righe_del_testo& {
    for (const auto& [di, r] : righe)
      if (di == &x) return r;
    return righe.emplace_back(&x, righe_del_testo(*x.byte)).second;
  };
  std::vector<voce_con_metro> voci;
  for (const voce_letta& v : lette) {
    if (!v.metro) continue;
    voce_con_metro r{v.chiave.file, v.chiave.linea, *v.metro, da_windows1252(v.parola), {}, v.celle};
    if (const descrizione* sorgente = descrizione_di(d, v.chiave.file); sorgente && sorgente->byte)
      if (const auto riga = righe_di(*sorgente).riga(v.chiave.linea)) r.testo = riga_mostrata(*riga);
    voci.push_back(std::move(r));
  }
  return voci;
}

bool della_cella(const voce_con_metro& v, int64_t cella) {
  return std::find(v.celle.begin(), v.celle.end(), cella) != v.celle.end() || cella_del_metro(v.metro) == cella;
}

std::vector<voce_con_metro> voci_della_cella(const std::vector<voce_con_metro>& voci, int64_t cella) {
  std::vector<voce_con_metro> r;
  for (const auto& v : voci)
    if (della_cella(v, cella)) r.push_back(v);
  if (!r.empty()) return r;
  const voce_con_metro* precedente = nullptr;
  for (const auto& v : voci)
    if (cella_del_metro(v.metro) < cella && (precedente == nullptr || v.metro > precedente->metro)) precedente = &v;
  if (precedente != nullptr) r.push_back(*precedente);
  return r;
}

}  // namespace gara::anteprima
