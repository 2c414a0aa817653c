#pragma once

#include <string>

#include "orario/orario.h"

namespace gara::orario {

// The running diagram of the times computed, as an SVG document: above,
// speed against distance (the line's limits, the nominal train's, its
// fastest run, the stations); below, time against distance (the
// timetable's times at the stations, and the fastest run of each section
// leaving at its scheduled departure). Empty without a section.
std::string diagramma_di_marcia(const risultato_orario& r);

}  // namespace gara::orario
