#pragma once

#include <optional>

namespace gara::orario {

// The nominal train of the estimated run: every figure the tool's options
// can change, with the values used when they do not. The braked-mass
// percentage comes from the train description unless it is given here.
struct treno_nominale {
  // Braked-mass percentage (lambda, %); none: the train description's.
  std::optional<double> percentuale_massa_frenata;
  // Power at the rail per tonne of train (kW/t = W/kg). 10 kW/t is our own
  // choice for a regional train of four coaches behind an electric
  // locomotive (some 3 MW for 280 t); raise it for a multiple unit.
  double potenza_specifica = 10.0;
  // Share of the train's mass on driven axles, which the adhesion limit
  // acts on: our choice of 0.3 for a locomotive of some 80 t in 280 t.
  double quota_massa_aderente = 0.3;
  // Running resistance in N per kN of weight, in the form of W. J. Davis
  // (1926): r = a + b v + c v^2, v in km/h. The coefficients are our own,
  // to give some 5 N/kN at 120 km/h for a short passenger train.
  double resistenza_a = 2.0;
  double resistenza_b = 0.0;
  double resistenza_c = 0.0002;
  // The margin a timetable should leave over the fastest run, as a share
  // of that run (%).
  double margine_regolarita = 5.0;
};

}  // namespace gara::orario
