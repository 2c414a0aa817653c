#pragma once

#include <vector>

namespace gara::disegno {

// The horizontal span a label takes, in pixels.
struct estensione {
  double sinistra = 0;
  double destra = 0;
};

// Gives each label (in any order) a row from 0 to righe - 1 so that labels
// of one row keep `spazio` pixels apart: each goes to the lowest row where
// it fits, or, when none is free, to the row whose last label ends first.
std::vector<int> righe_etichette(const std::vector<estensione>& etichette, int righe, double spazio);

}  // namespace gara::disegno
