#include "modello/windows1252.h"

#include <gtest/gtest.h>

namespace gara {
namespace {

TEST(Windows1252, CodificaLeLettereAccentateInUnByte) {
  EXPECT_EQ(in_windows1252("è à ì ò ù"), std::optional<std::string>("\xE8 \xE0 \xEC \xF2 \xF9"));
  EXPECT_EQ(in_windows1252("€ “x” Ÿ"), std::optional<std::string>("\x80 \x93x\x94 \x9F"));
  EXPECT_EQ(in_windows1252("ASCII, 0-9 []"), std::optional<std::string>("ASCII, 0-9 []"));
}

TEST(Windows1252, RifiutaCioCheNonPuoCodificare) {
  for (const char* testo : {"ω", "日本", "😀", "\xC3", "\xE8\x80", "\xC0\x80", "\xED\xA0\x80"})
    EXPECT_FALSE(in_windows1252(testo).has_value()) << testo;
}

TEST(Windows1252, AndataERitornoConservaOgniByte) {
  std::string tutti;
  for (int b = 0; b < 256; ++b) tutti += static_cast<char>(b);
  const std::string utf8 = da_windows1252(tutti);
  EXPECT_EQ(in_windows1252(utf8), std::optional<std::string>(tutti));
}

TEST(Windows1252, MinuscoloDelleMaiuscoleDellaCodePage) {
  EXPECT_EQ(minuscolo_windows1252("R 47315"), "r 47315");
  EXPECT_EQ(minuscolo_windows1252("\xC0\xC8\xD7\xDE\xDF\x8A\x9F"), "\xE0\xE8\xD7\xFE\xDF\x9A\xFF");
}

}  // namespace
}  // namespace gara
