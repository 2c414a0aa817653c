#pragma once

#include <string>
#include <string_view>

#include "avvio/avvio.h"
#include "scenario/dati.h"

namespace gara {

// The one window of the package, Form1, and its label Label1, as both
// platforms draw them. Sizes are kept in twips (1/1440 inch), the unit the
// window was laid out in, and become pixels at the screen's resolution.
namespace finestra {

// The title of the window and of the message boxes: the program's own name,
// the scenario's two identifiers joined by "_".
inline std::string titolo() {
  return std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto;
}

inline constexpr std::string_view testo_etichetta = "Attendere";

inline constexpr int larghezza_area = 4200;  // client area
inline constexpr int altezza_area = 2688;
inline constexpr int sinistra_etichetta = 960;
inline constexpr int alto_etichetta = 960;
inline constexpr int larghezza_etichetta = 2652;
inline constexpr int altezza_etichetta = 792;

inline constexpr std::string_view carattere = "MS Sans Serif";
inline constexpr int punti_carattere = 24;
inline constexpr int peso_grassetto = 700;

inline constexpr int twip_per_pollice = 1440;
inline constexpr int punti_per_pollice = 72;
inline constexpr int dpi_normale = 96;

// Twips to whole pixels at dpi dots per inch: a fraction of a pixel is
// dropped below one half and counted from one half up, as the system does
// when it scales a window (at 96 dpi, 4200 x 2688 twips make 280 x 179).
constexpr int in_pixel(int twip, int dpi) {
  return (twip * dpi + twip_per_pollice / 2) / twip_per_pollice;
}

// The character height in pixels of a font of that many points.
constexpr int altezza_carattere(int punti, int dpi) {
  return (punti * dpi + punti_per_pollice / 2) / punti_per_pollice;
}

}  // namespace finestra
}  // namespace gara
