#include "disegno/impaginazione.h"

#include <cstdio>

namespace gara::disegno {

std::string in_km(double metri) {
  char testo[64];
  std::snprintf(testo, sizeof testo, "%.3f", metri / 1000.0);
  std::string t = testo;
  while (!t.empty() && t.back() == '0') t.pop_back();
  if (!t.empty() && t.back() == '.') t.pop_back();
  for (char& c : t)
    if (c == '.') c = ',';
  if (t == "-0") t = "0";
  return t + " km";
}

}  // namespace gara::disegno
