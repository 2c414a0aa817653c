#include "disegno/etichette.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace gara::disegno {

std::vector<int> righe_etichette(const std::vector<estensione>& etichette, int righe, double spazio) {
  std::vector<int> riga(etichette.size(), 0);
  if (righe < 1) return riga;
  std::vector<std::size_t> ordine(etichette.size());
  std::iota(ordine.begin(), ordine.end(), std::size_t{0});
  std::stable_sort(ordine.begin(), ordine.end(), [&](std::size_t a, std::size_t b) {
    return etichette[a].sinistra < etichette[b].sinistra;
  });
  std::vector<double> fine(static_cast<std::size_t>(righe), -std::numeric_limits<double>::infinity());
  for (std::size_t i : ordine) {
    int scelta = -1;
    for (int r = 0; r < righe; ++r)
      if (fine[static_cast<std::size_t>(r)] + spazio <= etichette[i].sinistra) {
        scelta = r;
        break;
      }
    if (scelta < 0)
      scelta = static_cast<int>(std::min_element(fine.begin(), fine.end()) - fine.begin());
    riga[i] = scelta;
    fine[static_cast<std::size_t>(scelta)] = etichette[i].destra;
  }
  return riga;
}

}  // namespace gara::disegno
