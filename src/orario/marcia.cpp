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

int32_t limite(std::span<const int32_t> limiti, int64_t metro) {
  if (metro < 0 || metro >= static_cast<int64_t>(limiti.size())) return 0;
  return limiti[static_cast<std::size_t>(metro)];
}

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

}  // namespace

double decelerazione(double percentuale_massa_frenata, double pendenza) {
  const double lambda = std::max(0.0, percentuale_massa_frenata);
  return (minden_base * (1.0 + lambda / minden_lambda) + pendenza) /
         (2.0 * minden_coefficiente * km_h_per_m_s * km_h_per_m_s);
}

esito_minimo tempo_minimo(std::span<const int32_t> limiti, int64_t da, int64_t a) {
  // Summed run by run: each run of equal limits adds its length over its
  // speed, so the bound is the exact integral up to one rounding a run.
  double s = 0;
  for (int64_t x = da; x < a;) {
    const int32_t v = limite(limiti, x);
    if (v <= 0) return {std::nullopt, x};
    int64_t fine = x + 1;
    while (fine < a && limite(limiti, fine) == v) ++fine;
    s += static_cast<double>(fine - x) * km_h_per_m_s / v;
    x = fine;
  }
  return {s, std::nullopt};
}

corsa tempo_stimato(std::span<const int32_t> limiti, std::span<const cella> celle, int64_t da, int64_t a,
                    double percentuale_massa_frenata, const treno_nominale& t) {
  corsa c;
  if (a <= da) {
    c.secondi = 0.0;
    return c;
  }
  // Past either end of the profile there is no limit: the train stops
  // there, and nothing is allocated for metres that do not exist.
  const auto metri = static_cast<int64_t>(limiti.size());
  if (da < 0 || a > metri) {
    c.metro_fermo = da < 0 ? da : metri;
    return c;
  }
  const auto n = static_cast<std::size_t>(a - da);
  // The highest speed at each metre mark: that of the metres on both sides.
  const auto tetto = [&](std::size_t j) {
    const int64_t x = da + static_cast<int64_t>(j);
    const int32_t prima = j > 0 ? limite(limiti, x - 1) : limite(limiti, x);
    const int32_t dopo = j < n ? limite(limiti, x) : prima;
    return std::max(0, std::min(prima, dopo)) / km_h_per_m_s;
  };
  std::vector<double> v(n + 1, 0.0);
  // Forwards from the stop at da, one metre at a time on v^2. Running at
  // a limit the speed, the cell and so the acceleration stay the same from
  // one metre to the next: computed again only when one of them changes.
  double v_nota = -1, a_nota = 0;
  int64_t cella_nota = -1;
  for (std::size_t j = 0; j < n; ++j) {
    const int64_t x = da + static_cast<int64_t>(j);
    const int64_t cella = x / misura::metri_cella;
    if (v[j] != v_nota || cella != cella_nota) {
      a_nota = accelerazione(v[j], pendenza_di(celle, x), aderenza_di(celle, x), t);
      v_nota = v[j];
      cella_nota = cella;
    }
    v[j + 1] = entro(v[j] * v[j] + 2.0 * a_nota, tetto(j + 1));
  }
  // Backwards from the stop at a: braking, on the same metres.
  v[n] = 0.0;
  const double lambda = t.percentuale_massa_frenata.value_or(percentuale_massa_frenata);
  double dietro = 0.0;
  int64_t pendenza_nota = INT64_MIN;
  double b_nota = 0;
  for (std::size_t j = n; j-- > 0;) {
    const int64_t x = da + static_cast<int64_t>(j);
    if (const int64_t p = pendenza_di(celle, x); p != pendenza_nota) {
      b_nota = decelerazione(lambda, static_cast<double>(p));
      pendenza_nota = p;
    }
    const double v2 = dietro * dietro + 2.0 * b_nota;
    dietro = entro(v2, tetto(j));
    v[j] = std::min(v[j], dietro);
  }
  // Each metre at the mean of its two marks' speeds (constant
  // acceleration over it).
  double s = 0;
  const std::size_t passo = std::max<std::size_t>(1, n / punti_corsa);
  c.punti.push_back({da, 0.0, 0.0});
  for (std::size_t j = 0; j < n; ++j) {
    const double somma = v[j] + v[j + 1];
    if (!(somma > 0)) {
      c.metro_fermo = da + static_cast<int64_t>(j);
      c.punti.clear();
      return c;
    }
    s += 2.0 / somma;
    const int64_t x = da + static_cast<int64_t>(j) + 1;
    if ((j + 1) % passo == 0 || j + 1 == n || limite(limiti, x) != limite(limiti, x - 1))
      c.punti.push_back({x, v[j + 1], s});
  }
  // Never below the bound, which runs every metre at its limit: equal
  // terms may round apart when summed in another order.
  const esito_minimo m = tempo_minimo(limiti, da, a);
  c.secondi = m.secondi ? std::max(s, *m.secondi) : s;
  return c;
}

}  // namespace gara::orario
