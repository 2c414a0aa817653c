// Files and folders named on the command line are UTF-8 on every platform:
// names with letters outside Windows-1252 (and spaces) work for every
// subcommand, and messages show them as typed. On Windows this is the
// path from the UTF-16 command line to the wide-character file names.
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"
#include "file/file.h"

namespace gara {
namespace {

using prova::strumento;

TEST(NomiUnicode, OgniSottocomandoLavoraInCartelleDaiNomiFuoriDaWindows1252) {
  prova::cartella_temporanea radice;
  const auto cartella = radice.percorso() / std::filesystem::path(u8"Cartella è ł 東/mio scenario");
  const auto binari = radice.percorso() / std::filesystem::path(u8"binari ĳ Ω");
  const auto svg = radice.percorso() / std::filesystem::path(u8"disegno € ő.svg");
  const std::string utf8 = nome_leggibile(cartella);

  const auto e = strumento({"estrai", utf8});
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.uscita.find(utf8), std::string::npos) << e.uscita;
  EXPECT_TRUE(esiste_file(cartella / "Corvana_Selvadoro_linea.txt"));

  const auto c = strumento({"compila", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315",
                            "--uscita", nome_leggibile(binari), utf8});
  ASSERT_EQ(c.stato, 0) << c.uscita << c.errori;
  for (const char* nome : {"Corvana_Selvadoro_linea.dat", "Corvana_Selvadoro_R 47315.sim",
                           "Corvana_Selvadoro_R 47315.dat"})
    EXPECT_TRUE(esiste_file(binari / nome)) << nome;

  const auto m = strumento({"mostra", nome_leggibile(binari / "Corvana_Selvadoro_R 47315.sim")});
  EXPECT_EQ(m.stato, 0) << m.errori;

  const auto d = strumento({"disegna", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315",
                            "-o", nome_leggibile(svg), nome_leggibile(binari)});
  EXPECT_EQ(d.stato, 0) << d.errori;
  EXPECT_TRUE(esiste_file(svg));

  // A folder that is not there is named in the message as typed.
  const auto assente = nome_leggibile(radice.percorso() / std::filesystem::path(u8"manca ł"));
  const auto a = strumento({"disegna", "--percorso", "P", "--treno", "T", assente});
  EXPECT_EQ(a.stato, 3);
  EXPECT_NE(a.errori.find("\"" + assente + "\""), std::string::npos) << a.errori;
}

// Options are --opzione on every platform: a name that begins with a slash
// is a file (Windows takes it from the root of the drive), never an option.
TEST(NomiUnicode, UnNomeCheIniziaConLaBarraEUnFile) {
  const auto m = strumento({"mostra", "/manca_scenario_ł.sim"});
  EXPECT_EQ(m.stato, 3);
  EXPECT_NE(m.errori.find("manca_scenario_ł.sim"), std::string::npos) << m.errori;
  EXPECT_EQ(m.errori.find("opzione"), std::string::npos) << m.errori;
}

}  // namespace
}  // namespace gara
