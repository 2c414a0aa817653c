#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "modello/misure.h"

namespace gara {

// One record of the line table (".sim" file): a station, a direction-board
// text or one of the records of general data at the top of the table.
struct voce_linea {
  uint8_t tipo_stazione = 0;
  int32_t valore1 = 0;
  int32_t valore2 = 0;
  int32_t valore3 = 0;
  uint8_t byte_a = 0;
  std::string testo;  // Windows-1252 bytes
  int16_t intero_a = 0;
  int16_t intero_b = 0;
  int16_t intero_c = 0;
  int16_t intero_d = 0;
  int16_t intero_e = 0;
  uint8_t byte_b = 0;
  uint8_t byte_c = 0;
  uint8_t byte_d = 0;
  uint8_t byte_e = 0;
  int32_t orario = 0;

  bool operator==(const voce_linea&) const = default;
};

inline constexpr int numero_voci = 87;
using tabella = std::array<voce_linea, numero_voci>;

// Fixed places in the line table.
namespace voce {
inline constexpr int prima_stazione = 1;      // stations grow upward from here
inline constexpr int primo_cartello = 80;     // board texts grow downward from here
inline constexpr int progressiva_tre = 81;
inline constexpr int progressiva_due = 82;
inline constexpr int progressiva_uno = 83;
inline constexpr int generale = 84;           // braked mass, route length, coaches
inline constexpr int sfondi = 85;             // backgrounds, route name, stamp
inline constexpr int treno = 86;              // signal repetition, train name, sand, clock
}  // namespace voce

// The route's length in metres, as its record of general data holds it.
inline int32_t lunghezza_percorso(const tabella& t) { return t[voce::generale].valore2; }

// The last metre of the track plan that a line table calls for: the plan
// runs on past the route's end.
inline int64_t ultimo_metro_atteso(const tabella& t) {
  return int64_t{lunghezza_percorso(t)} + misura::metri_oltre_la_fine;
}

// The longest text the ".sim" file can carry (16-bit length).
inline constexpr std::size_t testo_massimo = 65535;

}  // namespace gara
