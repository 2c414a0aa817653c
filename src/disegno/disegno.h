#pragma once

#include <string>

#include "vista/vista.h"

namespace gara::disegno {

// The whole picture of a scenario, and where its profile lies on it (in the
// SVG's own units), for a front end that marks places along the line.
struct disegno_scenario {
  std::string svg;
  double profilo_alto = 0;   // top of the profile's rows
  double profilo_basso = 0;  // its axis in kilometres
  double x_minimo = 0;       // the first metre of the profile
  double x_massimo = 0;      // the last
  int64_t metro_minimo = 0;
  int64_t metro_massimo = 0;
};

// Title, plan (when there is one), profile and legend.
disegno_scenario disegna_scenario(const vista::scenario& d);

// The same picture as an SVG document alone.
std::string svg_scenario(const vista::scenario& d);

}  // namespace gara::disegno
