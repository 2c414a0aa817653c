#include "orario/profilo.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "lettura/parole.h"
#include "modello/misure.h"
#include "modello/rallentamenti.h"

namespace gara::orario {

namespace {

// Fields of a board entry after its keyword: the metre, then speeds A, B, C
// and the stripes of one side, then the same of the other.
constexpr std::size_t valori_tavola = 9;
constexpr std::size_t primo_lato_s = 1, primo_lato_d = 5;

// A step with no limit: what follows a range that limita lowers.
constexpr int32_t senza_limite = std::numeric_limits<int32_t>::max();

}  // namespace

limiti_metro::limiti_metro(int64_t metri, int32_t km_h) { aggiungi(metri, km_h); }

limiti_metro limiti_metro::dei_metri(std::span<const int32_t> km_h) {
  limiti_metro l;
  for (const int32_t v : km_h) l.aggiungi(1, v);
  return l;
}

std::size_t limiti_metro::tratto_di(int64_t metro) const {
  const auto dopo = std::upper_bound(tratti_.begin(), tratti_.end(), metro,
                                     [](int64_t m, const tratto& t) { return m < t.inizio; });
  return dopo == tratti_.begin() ? 0 : static_cast<std::size_t>(dopo - tratti_.begin()) - 1;
}

int32_t limiti_metro::operator[](int64_t metro) const {
  if (metro < 0 || metro >= metri_) return 0;
  return tratti_[tratto_di(metro)].km_h;
}

int32_t limiti_metro::massimo(int64_t da, int64_t a) const {
  da = std::max<int64_t>(da, 0);
  a = std::min(a, metri_);
  int32_t m = 0;
  for (std::size_t i = da < a ? tratto_di(da) : tratti_.size(); i < tratti_.size() && tratti_[i].inizio < a; ++i)
    m = std::max(m, tratti_[i].km_h);
  return m;
}

void limiti_metro::aggiungi(int64_t metri, int32_t km_h) {
  if (metri <= 0) return;
  if (tratti_.empty() || tratti_.back().km_h != km_h) tratti_.push_back({metri_, km_h});
  metri_ += metri;
}

void limiti_metro::stringi(std::span<const tratto> gradini) {
  if (gradini.empty() || tratti_.empty()) return;
  // Both are steps that change only at their starts: the lower of the two
  // at each start of either is the whole result.
  std::vector<tratto> r;
  r.reserve(tratti_.size() + gradini.size());
  std::size_t i = 0, k = 0;
  std::optional<int32_t> gradino;
  for (int64_t x = 0; x < metri_;) {
    while (i + 1 < tratti_.size() && tratti_[i + 1].inizio <= x) ++i;
    for (; k < gradini.size() && gradini[k].inizio <= x; ++k) gradino = gradini[k].km_h;
    const int32_t v = gradino ? std::min(tratti_[i].km_h, *gradino) : tratti_[i].km_h;
    if (r.empty() || r.back().km_h != v) r.push_back({x, v});
    int64_t prossimo = metri_;
    if (i + 1 < tratti_.size()) prossimo = std::min(prossimo, tratti_[i + 1].inizio);
    if (k < gradini.size()) prossimo = std::min(prossimo, gradini[k].inizio);
    x = prossimo;
  }
  tratti_ = std::move(r);
}

void limiti_metro::limita(int64_t da, int64_t a, int32_t km_h) {
  if (a <= da) return;
  const tratto gradini[] = {{da, km_h}, {a, senza_limite}};
  stringi(gradini);
}

limiti_metro limiti_della_linea(const modello_compilato& m) {
  if (!m.griglia_esiste()) return {};
  const auto celle = static_cast<int64_t>(m.celle.size());
  const int64_t metri =
      std::clamp<int64_t>(lunghezza_percorso(m.tabella_linea), 0, celle * misura::metri_cella);
  // Every limit here changes only at a cell's first metre: the cell's own
  // speed, and the slowdowns, which hold from the metre of their start cell
  // to that of their end cell (to the line's end when it has none); so
  // they are worked out cell by cell.
  std::vector<int32_t> per_cella(static_cast<std::size_t>(celle));
  for (std::size_t c = 0; c < per_cella.size(); ++c)
    per_cella[c] = int32_t{m.celle[c].velocita} * misura::km_h_per_unita_velocita;
  for (int64_t i = 0; i < celle; ++i) {
    const cella& c = m.celle[static_cast<std::size_t>(i)];
    if (c.tipo != tipo_cella::inizio_rallentamento || c.dato1 < 0) continue;
    const int64_t fine = fine_del_rallentamento(m.celle, i).value_or(celle);
    // metro_oggetto(k) is the first metre of cell k - 1.
    const int64_t da = std::clamp<int64_t>(metro_oggetto(i) / misura::metri_cella, 0, celle);
    const int64_t a = std::clamp<int64_t>(metro_oggetto(fine) / misura::metri_cella, da, celle);
    for (int64_t k = da; k < a; ++k) {
      int32_t& v = per_cella[static_cast<std::size_t>(k)];
      v = std::min(v, int32_t{c.dato1});
    }
  }
  limiti_metro l;
  for (int64_t k = 0; k * misura::metri_cella < metri; ++k)
    l.aggiungi(std::min(misura::metri_cella, metri - k * misura::metri_cella), per_cella[static_cast<std::size_t>(k)]);
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
  // Each board holds up to the next one's metre, the last to the end.
  std::vector<limiti_metro::tratto> gradini;
  gradini.reserve(tavole.size());
  for (const tavola_rango& t : tavole) gradini.push_back({t.metro, t.km_h});
  l.stringi(gradini);
}

void stringi(limiti_metro& l, int32_t massima) { l.limita(0, l.metri(), massima); }

}  // namespace gara::orario
