#pragma once

#include <string>

namespace gara::banco {

// The largest scenario the format allows: a route of 1000000 m (cells 0 to
// 20140, a track plan of metres 0 to 1007000) with an entry of almost every
// kind spread along it, all placed on free cells so that it compiles with
// no problem. Texts as Windows-1252 bytes with CR LF, ready to be written
// under the names of the route and train given to the compile.
struct scenario_massimo {
  std::string linea;
  std::string treno;
};

scenario_massimo genera_scenario_massimo();

}  // namespace gara::banco
