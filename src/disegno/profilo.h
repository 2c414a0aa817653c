#pragma once

#include "disegno/svg.h"
#include "vista/vista.h"

namespace gara::disegno {

// Draws the profile along the line, one row per kind of object on a common
// axis in kilometres: stations with their platforms, the speed limit, the
// gradient, signals, slowdowns with their warning points, speed indicators,
// direction boards and orientation boards. Starts at height y and returns
// the height below the axis.
double disegna_profilo(svg& s, const vista::scenario& d, double y);

// The legend of every symbol of the profile and of the plan.
double disegna_legenda(svg& s, double y);

}  // namespace gara::disegno
