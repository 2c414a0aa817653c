#include "modello/windows1252.h"

#include <array>
#include <cstdint>

namespace gara {

namespace {

// Unicode code points of bytes 80..9F; 0 where the code page has no character.
constexpr std::array<char32_t, 32> alti{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t carattere(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) {
    const char32_t c = alti[b - 0x80u];
    return c != 0 ? c : b;
  }
  return b;
}

std::optional<unsigned char> byte_di(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  if (c >= 0x80 && c < 0xA0 && alti[c - 0x80] == 0) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < alti.size(); ++i)
    if (alti[i] != 0 && alti[i] == c) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

// Decodes one UTF-8 sequence at s[i], advancing i; nothing on malformed input.
std::optional<char32_t> decodifica(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int seguito;
  char32_t c;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    seguito = 1;
    c = b0 & 0x1Fu;
  } else if ((b0 & 0xF0) == 0xE0) {
    seguito = 2;
    c = b0 & 0x0Fu;
  } else if ((b0 & 0xF8) == 0xF0) {
    seguito = 3;
    c = b0 & 0x07u;
  } else {
    return std::nullopt;
  }
  if (i + static_cast<std::size_t>(seguito) >= s.size()) return std::nullopt;
  for (int k = 1; k <= seguito; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3Fu);
  }
  constexpr std::array<char32_t, 4> minimo{0, 0x80, 0x800, 0x10000};
  if (c < minimo[static_cast<std::size_t>(seguito)] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    return std::nullopt;
  i += static_cast<std::size_t>(seguito) + 1;
  return c;
}

void codifica_utf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::optional<std::string> in_windows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = decodifica(utf8, i);
    if (!c) return std::nullopt;
    const auto b = byte_di(*c);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

std::string da_windows1252(std::string_view testo) {
  std::string out;
  out.reserve(testo.size());
  for (char ch : testo) codifica_utf8(carattere(static_cast<unsigned char>(ch)), out);
  return out;
}

char minuscola_windows1252(char lettera) {
  const auto b = static_cast<unsigned char>(lettera);
  unsigned char m = b;
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
    m = static_cast<unsigned char>(b + 0x20);
  else if (b == 0x8A || b == 0x8C || b == 0x8E)  // Š Œ Ž
    m = static_cast<unsigned char>(b + 0x10);
  else if (b == 0x9F)  // Ÿ
    m = 0xFF;
  return static_cast<char>(m);
}

std::string minuscolo_ascii(std::string_view testo) {
  std::string out(testo);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

std::string minuscolo_windows1252(std::string_view testo) {
  std::string out(testo);
  for (char& ch : out) ch = minuscola_windows1252(ch);
  return out;
}

}  // namespace gara
