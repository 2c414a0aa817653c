#pragma once

#include <string>

#include "vista/vista.h"

namespace gara::disegno {

// The whole picture of a scenario: title, plan (when there is one),
// profile and legend, as an SVG document.
std::string svg_scenario(const vista::scenario& d);

}  // namespace gara::disegno
