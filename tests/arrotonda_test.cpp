// Rounding half to even, the one rounding of the system, must give the same
// whole numbers on every platform the package is built for (the suite runs
// on Linux and, under Wine, on Windows).
#include <gtest/gtest.h>

#include "modello/arrotonda.h"

namespace gara {
namespace {

TEST(Arrotonda, MetaAlPariAltrimentiAlPiuVicino) {
  struct caso {
    double x;
    double atteso;
  };
  for (const caso& k : {caso{0.5, 0}, caso{1.5, 2}, caso{2.5, 2}, caso{53.5, 54}, caso{54.5, 54},
                        caso{-0.5, 0}, caso{-1.5, -2}, caso{-2.5, -2}, caso{2.4999999999999996, 2},
                        caso{0.49999999999999994, 0}, caso{1079.9999999999998, 1080},
                        // Just below 2^52, where a half is the last bit a double holds.
                        caso{4503599627370494.5, 4503599627370494},
                        caso{4503599627370495.5, 4503599627370496}, caso{1e300, 1e300}}) {
    SCOPED_TRACE(k.x);
    EXPECT_EQ(arrotonda(k.x), k.atteso);
  }
}

TEST(Arrotonda, IlCampoSiControllaDopoLArrotondamento) {
  EXPECT_EQ(arrotonda_entro<int16_t>(32766.5), 32766);
  EXPECT_EQ(arrotonda_entro<int16_t>(-32768.5), -32768);
  EXPECT_THROW(arrotonda_entro<int16_t>(32767.5), guasto);
  EXPECT_THROW(arrotonda_entro<uint8_t>(-0.6), guasto);
  EXPECT_EQ(arrotonda_entro<uint8_t>(-0.5), 0);
}

}  // namespace
}  // namespace gara
