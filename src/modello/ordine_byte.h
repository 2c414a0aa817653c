#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace gara {

// Little-endian by hand, byte by byte: the files must not depend on the
// byte order of the machine that writes or reads them. U is the unsigned
// type of the field; a signed value is cast to it first (two's complement).

// The sizeof(U) bytes at p, least significant first.
template <class U, class B>
constexpr U leggi_le(const B* p) {
  static_assert(std::numeric_limits<U>::is_integer && !std::numeric_limits<U>::is_signed);
  static_assert(sizeof(B) == 1);
  U v = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i)
    v = static_cast<U>(v | static_cast<U>(static_cast<U>(static_cast<unsigned char>(p[i])) << (8 * i)));
  return v;
}

// The same from byte `da` of a string; the caller has checked the room.
template <class U>
constexpr U leggi_le(std::string_view byte, std::size_t da) {
  return leggi_le<U>(byte.data() + da);
}

// Puts v at p, least significant byte first.
template <class U, class B>
constexpr void scrivi_le(B* p, U v) {
  static_assert(std::numeric_limits<U>::is_integer && !std::numeric_limits<U>::is_signed);
  static_assert(sizeof(B) == 1);
  for (std::size_t i = 0; i < sizeof(U); ++i) p[i] = static_cast<B>(static_cast<unsigned char>((v >> (8 * i)) & 0xFFu));
}

// Appends v to `uscita`, least significant byte first.
template <class U>
void aggiungi_le(std::string& uscita, U v) {
  char b[sizeof(U)];
  scrivi_le(b, v);
  uscita.append(b, sizeof(U));
}

}  // namespace gara
