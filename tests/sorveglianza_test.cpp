// The preview's watch over the two descriptions: every kind of save an
// editor does is seen once, and nothing is seen when nothing changed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "aiuti_prove.h"
#include "file/file.h"
#include "file/sorveglianza.h"

namespace gara {
namespace {

using prova::cartella_temporanea;

void scrivi(const std::filesystem::path& file, const std::string& byte) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f << byte;
}

TEST(Sorveglianza, VedeOgniModoDiSalvareEUnaVoltaSola) {
  cartella_temporanea c;
  const auto cartella = c.percorso() / u8"Scenari àè";
  std::filesystem::create_directory(cartella);
  const auto linea = cartella / "P_linea.txt";
  const auto treno = cartella / "P_T 1-.txt";
  scrivi(linea, "[generale]\r\n");
  sorveglianza_descrizioni s(cartella, "P", "T 1");

  auto d = s.cambiate();  // the first look always reports
  ASSERT_TRUE(d);
  EXPECT_EQ(d->linea.byte, "[generale]\r\n");
  EXPECT_FALSE(d->treno.presente());
  EXPECT_EQ(d->treno.nome, "P_T 1-.txt");
  EXPECT_FALSE(s.cambiate());

  // A file that appears.
  scrivi(treno, "[stazioni]\n");
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_EQ(d->treno.byte, "[stazioni]\n");
  EXPECT_FALSE(s.cambiate());

  // Saved in place with the same size, its time put back as it was: only
  // the bytes tell.
  const auto tempo = std::filesystem::last_write_time(linea);
  scrivi(linea, "[GENERALE]\r\n");
  std::filesystem::last_write_time(linea, tempo);
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_EQ(d->linea.byte, "[GENERALE]\r\n");

  // Saved as editors do: a new file renamed over the old one.
  const auto nuovo = cartella / "P_T 1-.txt.tmp";
  scrivi(nuovo, "[segnali]\n");
  std::filesystem::last_write_time(nuovo, std::filesystem::last_write_time(treno));
  std::filesystem::rename(nuovo, treno);
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_EQ(d->treno.byte, "[segnali]\n");
  EXPECT_FALSE(s.cambiate());

  // Removed.
  std::filesystem::remove(linea);
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_FALSE(d->linea.presente());
  EXPECT_FALSE(s.cambiate());
}

}  // namespace
}  // namespace gara
