#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "modello/cella.h"
#include "orario/profilo.h"
#include "orario/treno_nominale.h"

namespace gara::orario {

// The time to run metres da to a - 1 at exactly the limit of every metre,
// with no acceleration and no braking: no train does better. None when a
// metre of them has no limit above 0 (or lies outside the profile): the
// first such metre is given instead, and nothing is divided by it.
struct esito_minimo {
  std::optional<double> secondi;
  std::optional<int64_t> metro_a_zero;
};
esito_minimo tempo_minimo(const limiti_metro& limiti, int64_t da, int64_t a);

// The fastest run of the nominal train from a stop at metre da to a stop at
// metre a: accelerating forwards and braking backwards on the limits, the
// gradient and the adhesion of the cells. None when the train stops
// short on the way (a limit of 0, or a gradient it cannot climb or brake
// on): the metre where it stands is given instead.
// A point of the run, for a drawing: the metre, the speed there (m/s) and
// the seconds since the start.
struct punto_corsa {
  int64_t metro = 0;
  double velocita = 0;
  double secondi = 0;
};
// The run is kept at most this many points apart (and always at its ends
// and at each change of limit): enough for any drawing.
inline constexpr std::size_t punti_corsa = 2000;

struct corsa {
  std::optional<double> secondi;
  std::optional<int64_t> metro_fermo;
  std::vector<punto_corsa> punti;  // from da to a; none when the train stops short
};
corsa tempo_stimato(const limiti_metro& limiti, std::span<const cella> celle, int64_t da, int64_t a,
                    double percentuale_massa_frenata, const treno_nominale& t);

// The same, section after section: the speed at every metre mark is
// worked out in arrays kept from one section to the next.
class stima_corse {
 public:
  // Without `punti`, the run is not kept: only its seconds, or where it stops.
  corsa stima(const limiti_metro& limiti, std::span<const cella> celle, int64_t da, int64_t a,
              double percentuale_massa_frenata, const treno_nominale& t, bool punti = true);

 private:
  std::vector<double> tetto_;  // the highest speed at each mark
  std::vector<double> v_;      // the speed at each mark
};

// The braking the nominal train can count on, in m/s^2, on a gradient
// (per mille, rising positive).
double decelerazione(double percentuale_massa_frenata, double pendenza);

}  // namespace gara::orario
