#pragma once

#include "disegno/svg.h"
#include "vista/vista.h"

namespace gara::disegno {

// Draws the plan of the track from the per-metre plan, turned so that the
// line runs from left (start) to right (end) at the same scale on both
// axes, with the platforms, the stations named, kilometre marks and a scale
// bar. Starts at height y and returns the height below the panel. Nothing
// is drawn (y is returned) when the scenario has no plan.
double disegna_pianta(svg& s, const vista::scenario& d, double y);

}  // namespace gara::disegno
