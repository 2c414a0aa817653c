#include "lettura/lettore_campi.h"

#include <gtest/gtest.h>

#include "modello/guasto.h"

namespace gara {
namespace {

TEST(LettoreCampi, CampiDiTesto) {
  lettore_campi f("  numero vetture  ,\t BOSCO PINETO \r\n\"a, b\"  resto,ultimo\r\n");
  EXPECT_EQ(f.leggi_testo(), "numero vetture");
  EXPECT_EQ(f.leggi_testo(), "BOSCO PINETO");
  EXPECT_EQ(f.leggi_testo(), "a, b");
  EXPECT_EQ(f.linea(), 2);
  EXPECT_FALSE(f.a_fine());
  EXPECT_EQ(f.leggi_testo(), "ultimo");
  EXPECT_TRUE(f.a_fine());
  EXPECT_THROW(f.leggi_testo(), guasto);
}

TEST(LettoreCampi, UnaRigaVuotaEUnCampoVuoto) {
  lettore_campi f("\r\n,x\n\ry");
  EXPECT_EQ(f.leggi_testo(), "");
  EXPECT_EQ(f.leggi_testo(), "");
  EXPECT_EQ(f.leggi_testo(), "x");
  EXPECT_EQ(f.leggi_testo(), "");  // a lone CR is a line end of its own
  EXPECT_EQ(f.leggi_testo(), "y");
  EXPECT_EQ(f.linea(), 4);
  EXPECT_TRUE(f.a_fine());
}

TEST(LettoreCampi, VirgoletteNonChiuseArrivanoAllaFine) {
  lettore_campi f("\"aperte, mai chiuse\r\naltro");
  EXPECT_EQ(f.leggi_testo(), "aperte, mai chiuse\r\naltro");
  EXPECT_TRUE(f.a_fine());
}

TEST(LettoreCampi, NumeriSeparatiDaSpaziVirgoleEFineRiga) {
  // The blanks after a number and one comma go with it: "0    ,0" is two
  // numbers; numbers may be separated by blanks alone.
  lettore_campi f("ripetizione segnali 4 codici,    0    ,0\r\norologio,    12              3             11 \r\n");
  EXPECT_EQ(f.leggi_testo(), "ripetizione segnali 4 codici");
  EXPECT_EQ(f.leggi_numero(), 0);
  EXPECT_EQ(f.leggi_numero(), 0);
  EXPECT_EQ(f.leggi_testo(), "orologio");
  EXPECT_EQ(f.leggi_numero<int16_t>(), 12);
  EXPECT_EQ(f.leggi_numero<int16_t>(), 3);
  EXPECT_EQ(f.leggi_numero<int16_t>(), 11);
  EXPECT_TRUE(f.a_fine());
}

TEST(LettoreCampi, UnNumeroUsaLaFineRigaEProsegueSullaSuccessiva) {
  lettore_campi f("pendenza, 100\r\n  2\r\nx\r\n");
  EXPECT_EQ(f.leggi_testo(), "pendenza");
  EXPECT_EQ(f.leggi_numero(), 100);
  EXPECT_EQ(f.leggi_numero(), 2);
  EXPECT_EQ(f.linea(), 2);
  EXPECT_EQ(f.leggi_testo(), "x");
}

TEST(LettoreCampi, ValoriDeiNumeri) {
  const struct {
    const char* campo;
    int32_t valore;
  } casi[] = {
      {"47000", 47000}, {"-350", -350},   {"+7", 7},         {"", 0},         {"abc", 0},
      {"-", 0},         {"12abc", 12},    {"2.5", 2},        {"3.5", 4},      {"-2.5", -2},
      {"2.51", 3},      {"2.4999", 2},    {".5", 0},         {"1.50001", 2},  {"2147483647", 2147483647},
      {"-2147483648", -2147483648LL},     {"0007", 7},
  };
  for (const auto& c : casi) {
    // The reader keeps a view of its text: the text must outlive it.
    const std::string testo = std::string(c.campo) + ",";
    lettore_campi f(testo);
    EXPECT_EQ(f.leggi_numero(), c.valore) << c.campo;
  }
}

TEST(LettoreCampi, UnNumeroCheNonEntraNelSuoCampoEUnGuasto) {
  const struct {
    const char* campo;
    int larghezza;  // 32, 16 or 8 (unsigned)
  } casi[] = {{"2147483648", 32}, {"-2147483649", 32}, {"99999999999999999999999", 32},
              {"32768", 16},      {"-32769", 16},      {"256", 8},
              {"-1", 8}};
  for (const auto& c : casi) {
    lettore_campi f(c.campo);
    switch (c.larghezza) {
      case 32: EXPECT_THROW(f.leggi_numero<int32_t>(), guasto) << c.campo; break;
      case 16: EXPECT_THROW(f.leggi_numero<int16_t>(), guasto) << c.campo; break;
      default: EXPECT_THROW(f.leggi_numero<uint8_t>(), guasto) << c.campo; break;
    }
  }
  lettore_campi f("32767,255");
  EXPECT_EQ(f.leggi_numero<int16_t>(), 32767);
  EXPECT_EQ(f.leggi_numero<uint8_t>(), 255);
}

TEST(LettoreCampi, ByteQualsiasiNonFannoDanni) {
  const std::string strano("\0\xFF\x81,\"\0\"", 7);
  lettore_campi f(strano);
  EXPECT_EQ(f.leggi_testo(), std::string("\0\xFF\x81", 3));
  EXPECT_EQ(f.leggi_testo(), std::string("\0", 1));
  EXPECT_TRUE(f.a_fine());
}

}  // namespace
}  // namespace gara
