#pragma once

#include <cstdint>
#include <string>

namespace gara::disegno {

// The page of the drawing: a fixed width, the names of the rows in a left
// margin, the plan and the profile in the same horizontal band.
namespace pagina {
inline constexpr double larghezza = 1600;
inline constexpr double margine_sinistro = 210;
inline constexpr double margine_destro = 40;
inline constexpr double area = larghezza - margine_sinistro - margine_destro;
inline constexpr double margine_alto = 20;
}  // namespace pagina

// One colour per kind of object, shared by the rows and the legend.
namespace colore {
inline constexpr const char* testo = "#222222";
inline constexpr const char* testo_tenue = "#666666";
inline constexpr const char* griglia = "#e3e3e3";
inline constexpr const char* fondo_riga = "#f6f7f9";
inline constexpr const char* binario = "#3a3a3a";
inline constexpr const char* oltre_la_fine = "#b0b0b0";
inline constexpr const char* velocita = "#1f5fbf";
inline constexpr const char* pendenza = "#a0522d";
inline constexpr const char* stazione = "#12355b";
inline constexpr const char* marciapiede = "#8fa3b8";
inline constexpr const char* segnale = "#d62728";
inline constexpr const char* rallentamento = "#f28c00";
inline constexpr const char* indicatore = "#222222";
inline constexpr const char* cartello = "#2e8b57";
inline constexpr const char* tavola = "#e6b800";
inline constexpr const char* abbattimento = "#8e44ad";
}  // namespace colore

// Metres along the line to the horizontal pixels of the profile.
class scala_metri {
 public:
  scala_metri(int64_t minimo, int64_t massimo)
      : minimo_(static_cast<double>(minimo)),
        ampiezza_(massimo > minimo ? static_cast<double>(massimo - minimo) : 1.0) {}
  double x(double metro) const {
    return pagina::margine_sinistro + (metro - minimo_) / ampiezza_ * pagina::area;
  }
  double metri_per_pixel() const { return ampiezza_ / pagina::area; }
  double minimo() const { return minimo_; }
  double massimo() const { return minimo_ + ampiezza_; }

 private:
  double minimo_;
  double ampiezza_;
};

// A position in kilometres, Italian style: "24,8 km".
std::string in_km(double metri);

}  // namespace gara::disegno
