#include "orario/profilo.h"

#include <algorithm>

#include "lettura/parole.h"
#include "modello/misure.h"
#include "modello/rallentamenti.h"

namespace gara::orario {

namespace {

// Fields of a board entry after its keyword: the metre, then speeds A, B, C
// and the stripes of one side, then the same of the other.
constexpr std::size_t valori_tavola = 9;
constexpr std::size_t primo_lato_s = 1, primo_lato_d = 5;

void limita(limiti_metro& l, int64_t da, int64_t a, int32_t km_h) {
  const auto n = static_cast<int64_t>(l.size());
  da = std::clamp<int64_t>(da, 0, n);
  a = std::clamp<int64_t>(a, da, n);
  for (int64_t x = da; x < a; ++x) {
    int32_t& v = l[static_cast<std::size_t>(x)];
    v = std::min(v, km_h);
  }
}

}  // namespace

limiti_metro limiti_della_linea(const modello_compilato& m) {
  if (!m.griglia_esiste()) return {};
  const auto celle = static_cast<int64_t>(m.celle.size());
  const int64_t metri =
      std::clamp<int64_t>(lunghezza_percorso(m.tabella_linea), 0, celle * misura::metri_cella);
  // Cell by cell: each of its metres has the cell's limit.
  limiti_metro l;
  l.reserve(static_cast<std::size_t>(metri));
  for (int64_t x = 0; x < metri;) {
    const int64_t fine = std::min(metri, (x / misura::metri_cella + 1) * misura::metri_cella);
    const int32_t km_h =
        int32_t{m.celle[static_cast<std::size_t>(x / misura::metri_cella)].velocita} * misura::km_h_per_unita_velocita;
    l.insert(l.end(), static_cast<std::size_t>(fine - x), km_h);
    x = fine;
  }

  // A slowdown holds from the metre of its start cell to that of its end
  // cell (to the line's end when it has none).
  for (int64_t i = 0; i < celle; ++i) {
    const cella& c = m.celle[static_cast<std::size_t>(i)];
    if (c.tipo != tipo_cella::inizio_rallentamento || c.dato1 < 0) continue;
    const int64_t fine = fine_del_rallentamento(m.celle, i).value_or(celle);
    limita(l, metro_oggetto(i), metro_oggetto(fine), c.dato1);
  }
  return l;
}

std::vector<tavola_rango> tavole_del_rango(const registro_voci& voci, char rango) {
  std::vector<tavola_rango> t;
  const auto k = ranghi.find(rango);
  if (k == std::string_view::npos) return t;
  for (const voce_letta& v : voci) {
    if (!contiene_senza_maiuscole(v.parola, "indicatori_v") || v.campi.size() < valori_tavola) continue;
    const auto& metro = v.campi[0].valore;
    const auto& s = v.campi[primo_lato_s + k].valore;
    const auto& d = v.campi[primo_lato_d + k].valore;
    if (!metro) continue;
    int64_t km_h = 0;
    for (const auto& lato : {s, d})
      if (lato && *lato > 0) km_h = km_h == 0 ? *lato : std::min(km_h, *lato);
    if (km_h > 0) t.push_back({*metro, static_cast<int32_t>(std::min<int64_t>(km_h, INT32_MAX))});
  }
  std::stable_sort(t.begin(), t.end(), [](const tavola_rango& a, const tavola_rango& b) { return a.metro < b.metro; });
  return t;
}

void stringi(limiti_metro& l, std::span<const tavola_rango> tavole) {
  for (std::size_t i = 0; i < tavole.size(); ++i) {
    const int64_t fino = i + 1 < tavole.size() ? tavole[i + 1].metro : static_cast<int64_t>(l.size());
    limita(l, tavole[i].metro, fino, tavole[i].km_h);
  }
}

void stringi(limiti_metro& l, int32_t massima) { limita(l, 0, static_cast<int64_t>(l.size()), massima); }

}  // namespace gara::orario
