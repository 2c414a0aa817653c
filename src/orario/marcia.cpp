#include "orario/marcia.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "modello/misure.h"

namespace gara::orario {

namespace {

constexpr double km_h_per_m_s = 3.6;
constexpr double gravita = 9.81;  // m/s^2
// Resistances and gradients in N/kN (per mille of the weight).
constexpr double per_mille = 1000.0;
// The adhesion byte of a cell in percent of the dry rail; 0 is a cell the
// description gave none, taken as dry rail.
constexpr double aderenza_piena = 100.0;

// Adhesion on dry rail at a speed, by the relation of Curtius and Kniffler
// (1950): mu = 0.161 + 7.5 / (v + 44), v in km/h.
double aderenza_curtius_kniffler(double km_h) { return 0.161 + 7.5 / (km_h + 44.0); }

// The braking distance of a passenger train by the Minden relation,
// s = 3.85 v^2 / (6.1 psi (1 + lambda / 10) + i) (s in m, v in km/h, lambda
// the braked-mass percentage, i the gradient in per mille, psi = 1 for the
// passenger brake), is that of a constant deceleration
// v^2 / 2 s = (6.1 (1 + lambda / 10) + i) / (2 * 3.85 * 3.6^2) in m/s^2.
constexpr double minden_coefficiente = 3.85;
constexpr double minden_base = 6.1;
constexpr double minden_lambda = 10.0;

int64_t pendenza_di(std::span<const cella> celle, int64_t metro) {
  const int64_t i = metro / misura::metri_cella;
  if (i < 0 || i >= static_cast<int64_t>(celle.size())) return 0;
  return int64_t{celle[static_cast<std::size_t>(i)].pendenza} - misura::zero_pendenza;
}

double aderenza_di(std::span<const cella> celle, int64_t metro) {
  const int64_t i = metro / misura::metri_cella;
  if (i < 0 || i >= static_cast<int64_t>(celle.size())) return 1.0;
  const uint8_t a = celle[static_cast<std::size_t>(i)].aderenza;
  return (a == 0 ? aderenza_piena : a) / aderenza_piena;
}

// The highest speed in m/s at a metre mark whose metres on either side
// have these limits.
double tetto_fra(int32_t prima, int32_t dopo) { return std::max(0, std::min(prima, dopo)) / km_h_per_m_s; }

// The acceleration the nominal train has at speed v (m/s) on a metre:
// traction (power over speed, capped by adhesion on the driven mass) less
// the running resistance and the gradient.
double accelerazione(double v, int64_t pendenza, double aderenza, const treno_nominale& t) {
  const double km_h = v * km_h_per_m_s;
  const double aderente =
      std::max(0.0, aderenza_curtius_kniffler(km_h) * aderenza * gravita * t.quota_massa_aderente);
  const double trazione = v > 0 ? std::min(std::max(0.0, t.potenza_specifica) / v, aderente) : aderente;
  const double resistenza = t.resistenza_a + t.resistenza_b * km_h + t.resistenza_c * km_h * km_h;
  return trazione - gravita * (resistenza + static_cast<double>(pendenza)) / per_mille;
}

// The speed of a square v2, at most `tetto`: most metres run at their
// limit, and need no root.
double entro(double v2, double tetto) { return v2 >= tetto * tetto ? tetto : std::sqrt(std::max(0.0, v2)); }

// The seconds of a run, metre by metre: each metre at the mean of its two
// marks' speeds. Metres at one pair of speeds add one quotient, worked
// out once.
struct somma_tempi {
  double secondi = 0;
  double somma_nota = -1;
  double quoziente = 0;

  // Metres j to fino - 1; false, with j at it, at a metre the train does
  // not run (both its marks at 0). Kept out of its caller, whose calls
  // would otherwise have the running sum spilled to memory every metre.
  [[gnu::noinline]] bool aggiungi(std::span<const double> v, std::size_t& j, std::size_t fino) {
    double s = secondi, nota = somma_nota, q = quoziente;
    bool corre = true;
    for (; j < fino; ++j) {
      const double somma = v[j] + v[j + 1];
      if (!(somma > 0)) {
        corre = false;
        break;
      }
      if (somma != nota) {
        q = 2.0 / somma;
        nota = somma;
      }
      s += q;
    }
    secondi = s;
    somma_nota = nota;
    quoziente = q;
    return corre;
  }
};

}  // namespace

double decelerazione(double percentuale_massa_frenata, double pendenza) {
  const double lambda = std::max(0.0, percentuale_massa_frenata);
  return (minden_base * (1.0 + lambda / minden_lambda) + pendenza) /
         (2.0 * minden_coefficiente * km_h_per_m_s * km_h_per_m_s);
}

esito_minimo tempo_minimo(const limiti_metro& limiti, int64_t da, int64_t a) {
  // Summed run by run: each run of one limit adds its length over its
  // speed, so the bound is the exact integral up to one rounding a run.
  double s = 0;
  for (int64_t x = da; x < a;) {
    if (x < 0 || x >= limiti.metri()) return {std::nullopt, x};
    const std::size_t i = limiti.tratto_di(x);
    const int32_t v = limiti.tratti()[i].km_h;
    if (v <= 0) return {std::nullopt, x};
    const int64_t fine = std::min(a, limiti.fine(i));
    s += static_cast<double>(fine - x) * km_h_per_m_s / v;
    x = fine;
  }
  return {s, std::nullopt};
}

corsa tempo_stimato(const limiti_metro& limiti, std::span<const cella> celle, int64_t da, int64_t a,
                    double percentuale_massa_frenata, const treno_nominale& t) {
  return stima_corse{}.stima(limiti, celle, da, a, percentuale_massa_frenata, t);
}

corsa stima_corse::stima(const limiti_metro& limiti, std::span<const cella> celle, int64_t da, int64_t a,
                         double percentuale_massa_frenata, const treno_nominale& t, bool punti) {
  corsa c;
  if (a <= da) {
    c.secondi = 0.0;
    return c;
  }
  // Past either end of the profile there is no limit: the train stops
  // there, and nothing is allocated for metres that do not exist.
  if (da < 0 || a > limiti.metri()) {
    c.metro_fermo = da < 0 ? da : limiti.metri();
    return c;
  }
  const auto n = static_cast<std::size_t>(a - da);
  const auto tratti = limiti.tratti();
  const std::size_t primo_tratto = limiti.tratto_di(da);

  // The highest speed at each metre mark j (metre da + j): that of the
  // metres on both sides, the one inside at either end. Inside a run of one
  // limit that is the run's; at a run's start, the lower of the two.
  // Every mark is written below: the arrays keep whatever the last
  // section left, unread.
  std::vector<double>& tetto = tetto_;
  tetto.resize(n + 1);
  for (std::size_t i = primo_tratto; i < tratti.size() && tratti[i].inizio < a; ++i) {
    const int64_t p = std::max(tratti[i].inizio, da), q = std::min(limiti.fine(i), a);
    const int32_t km_h = tratti[i].km_h;
    const auto j = static_cast<std::size_t>(p - da), k = static_cast<std::size_t>(q - da);
    const double dentro = tetto_fra(km_h, km_h);
    tetto[j] = p == da ? dentro : tetto_fra(tratti[i - 1].km_h, km_h);
    std::fill(tetto.begin() + static_cast<std::ptrdiff_t>(j) + 1, tetto.begin() + static_cast<std::ptrdiff_t>(k), dentro);
    if (q == a) tetto[n] = dentro;
  }

  std::vector<double>& v = v_;
  v.resize(n + 1);
  v[0] = 0.0;
  // Forwards from the stop at da, one metre at a time on v^2. Running at
  // a limit the speed, the cell and so the acceleration stay the same from
  // one metre to the next: computed again only when one of them changes.
  // A train at the next mark's limit that would not slow down stays at it,
  // as v^2 + 2a, a >= 0, is never below the limit's square.
  double vj = 0, v_nota = -1, a_nota = 0;
  int64_t cella_nota = -1;
  for (std::size_t j = 0; j < n;) {
    const int64_t x = da + static_cast<int64_t>(j);
    const int64_t cella = x / misura::metri_cella;
    if (vj != v_nota || cella != cella_nota) {
      a_nota = accelerazione(vj, pendenza_di(celle, x), aderenza_di(celle, x), t);
      v_nota = vj;
      cella_nota = cella;
    }
    const double limite = tetto[j + 1];
    if (vj == limite && a_nota >= 0) {
      // So it stays, metre after metre, to the cell's end or a change of limit.
      const auto fine_cella = std::min(n, static_cast<std::size_t>((cella + 1) * misura::metri_cella - da));
      v[++j] = vj;
      for (; j < fine_cella && tetto[j + 1] == vj; ++j) v[j + 1] = vj;
      continue;
    }
    vj = entro(vj * vj + 2.0 * a_nota, limite);
    v[++j] = vj;
  }
  // Backwards from the stop at a: braking, on the same metres. Braking
  // back to a mark at its limit, with no force that speeds the train
  // (b >= 0), leaves it there, above what the forward pass reached.
  v[n] = 0.0;
  const double lambda = t.percentuale_massa_frenata.value_or(percentuale_massa_frenata);
  double dietro = 0.0;
  int64_t pendenza_nota = INT64_MIN, cella_frenata = -1;
  double b_nota = 0;
  for (std::size_t j = n; j-- > 0;) {
    const int64_t x = da + static_cast<int64_t>(j);
    if (const int64_t cella = x / misura::metri_cella; cella != cella_frenata) {
      cella_frenata = cella;
      if (const int64_t p = pendenza_di(celle, x); p != pendenza_nota) {
        b_nota = decelerazione(lambda, static_cast<double>(p));
        pendenza_nota = p;
      }
    }
    if (dietro == tetto[j] && b_nota >= 0) {
      // So it stays back to the cell's first metre or a change of limit.
      const auto inizio_cella = static_cast<std::size_t>(std::max<int64_t>(0, cella_frenata * misura::metri_cella - da));
      while (j > inizio_cella && tetto[j - 1] == dietro) --j;
      continue;
    }
    dietro = entro(dietro * dietro + 2.0 * b_nota, tetto[j]);
    v[j] = std::min(v[j], dietro);
  }
  // Each metre at the mean of its two marks' speeds (constant
  // acceleration over it), summed metre by metre in order: a run at one
  // speed adds the same quotient, worked out once. The run is kept as a
  // point every `passo` metres, where the limit changes and at the end.
  somma_tempi somma;
  const std::size_t passo = std::max<std::size_t>(1, n / punti_corsa);
  std::size_t prossimo_passo = passo;
  std::size_t tratto = primo_tratto;
  if (punti) {
    c.punti.reserve(n / passo + (limiti.tratto_di(a - 1) - primo_tratto) + 2);
    c.punti.push_back({da, 0.0, 0.0});
  }
  for (std::size_t j = 0; j < n;) {
    const int64_t cambio = limiti.fine(tratto);
    std::size_t punto = punti ? std::min(n, prossimo_passo) : n;
    if (punti && cambio < a) punto = std::min(punto, static_cast<std::size_t>(cambio - da));
    if (!somma.aggiungi(v, j, punto)) {
      c.metro_fermo = da + static_cast<int64_t>(j);
      c.punti.clear();
      return c;
    }
    const int64_t x = da + static_cast<int64_t>(j);
    if (j == prossimo_passo) prossimo_passo += passo;
    if (x == cambio) ++tratto;
    if (punti) c.punti.push_back({x, v[j], somma.secondi});
  }
  // Never below the bound, which runs every metre at its limit: equal
  // terms may round apart when summed in another order.
  const esito_minimo m = tempo_minimo(limiti, da, a);
  c.secondi = m.secondi ? std::max(somma.secondi, *m.secondi) : somma.secondi;
  return c;
}

}  // namespace gara::orario
