#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <limits>

#include "modello/guasto.h"

namespace gara {

// Every real that becomes a whole number goes to the nearest one, a half to
// the even neighbour (53.5 -> 54, 54.5 -> 54). nearbyint does exactly that in
// the default rounding mode, which nothing in the system changes.
inline double arrotonda(double x) { return std::nearbyint(x); }

// The reason of a value that does not fit a field of type T, with the range.
template <class T>
std::string fuori_dai_limiti(const std::string& valore) {
  return "valore " + valore + " fuori dai limiti del campo (da " +
         std::to_string(int64_t{std::numeric_limits<T>::min()}) + " a " +
         std::to_string(int64_t{std::numeric_limits<T>::max()}) + ")";
}

// A whole number that must fit a field of type T: anything outside its range
// (or not a number at all) is a failure, never a silent wrap.
template <class T>
T entro(double x) {
  static_assert(sizeof(T) <= 4, "only the narrow fields of the formats");
  if (!(x >= static_cast<double>(std::numeric_limits<T>::min()) &&
        x <= static_cast<double>(std::numeric_limits<T>::max()))) {
    char testo[64];
    std::snprintf(testo, sizeof testo, "%.17g", x);
    throw guasto(fuori_dai_limiti<T>(testo));
  }
  return static_cast<T>(x);
}

template <class T>
T entro(int64_t x) {
  if (x < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
      x > static_cast<int64_t>(std::numeric_limits<T>::max()))
    throw guasto(fuori_dai_limiti<T>(std::to_string(x)));
  return static_cast<T>(x);
}

// Rounds half to even and checks that the result fits T.
template <class T>
T arrotonda_entro(double x) {
  return entro<T>(arrotonda(x));
}

// Where the formats keep "the low bits" of a result, the truncation is
// written once here (two's complement, as the simulator reads the fields).
inline int16_t bassi_16(int64_t x) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(x) & 0xFFFFu));
}
inline uint8_t bassi_8(int64_t x) {
  return static_cast<uint8_t>(static_cast<uint64_t>(x) & 0xFFu);
}

}  // namespace gara
