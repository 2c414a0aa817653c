// `scenario estrai`, and the whole loop against the package itself: what the
// tool extracts and compiles is byte for byte what the package leaves.
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"
#include "modello/windows1252.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::strumento;

const std::vector<std::string> testi_spediti{
    "Corvana_Selvadoro_R 47315-.txt", "Corvana_Selvadoro_R 47315_note.txt",
    "Corvana_Selvadoro_R 47315_rallentamenti.txt", "Corvana_Selvadoro_R 47315_scheda_treno.txt",
    "Corvana_Selvadoro_linea.txt"};

const std::vector<std::string> binari_spediti{"Corvana_Selvadoro_R 47315.dat",
                                              "Corvana_Selvadoro_R 47315.sim",
                                              "Corvana_Selvadoro_linea.dat"};

#ifndef _WIN32
TEST(Estrai, EstrarrePoiCompilareDaIByteDelPacchetto) {
  // The package, run as its users run it, in a folder of its own.
  cartella_temporanea pacchetto;
  const auto programma = pacchetto.percorso() / "Corvana_Selvadoro_R 47315";
  std::filesystem::copy_file(GARA_PACCHETTO, programma);
  const auto p = prova::programma(programma.string(), {}, pacchetto.percorso());
  ASSERT_EQ(p.stato, 0) << p.errori;

  // The tool, as an author runs it: the built program, from another folder.
  cartella_temporanea autore;
  const auto cartella = autore.percorso() / "mio scenario";
  const auto e = prova::programma(GARA_SCENARIO, {"estrai", cartella.string()}, autore.percorso());
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(prova::nomi_in(cartella), testi_spediti);
  const auto c = prova::programma(
      GARA_SCENARIO, {"compila", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315", cartella.string()},
      autore.percorso());
  ASSERT_EQ(c.stato, 0) << c.uscita << c.errori;
  EXPECT_NE(c.uscita.find("nessun problema"), std::string::npos) << c.uscita;

  for (const auto& nome : binari_spediti)
    EXPECT_TRUE(leggi_tutto(cartella / nome) == leggi_tutto(pacchetto.percorso() / nome)) << nome;
  // The three documents are the package's too (the package deletes the
  // descriptions; the tool leaves them).
  for (const auto& nome : testi_spediti) {
    if (std::filesystem::exists(pacchetto.percorso() / nome)) {
      EXPECT_EQ(leggi_tutto(cartella / nome), leggi_tutto(pacchetto.percorso() / nome)) << nome;
    }
  }
  auto tutti = testi_spediti;
  tutti.insert(tutti.end(), binari_spediti.begin(), binari_spediti.end());
  std::sort(tutti.begin(), tutti.end());
  EXPECT_EQ(prova::nomi_in(cartella), tutti);
}
#endif

TEST(Estrai, NonSostituisceIFileDiUnAutoreSenzaSovrascrivi) {
  cartella_temporanea d;
  ASSERT_EQ(strumento({"estrai", d.percorso().string()}).stato, 0);
  const auto linea = d.percorso() / "Corvana_Selvadoro_linea.txt";
  prova::scrivi_file(linea, "la mia linea\r\n");

  const auto rifiuto = strumento({"estrai", d.percorso().string()});
  EXPECT_EQ(rifiuto.stato, 3);
  EXPECT_NE(rifiuto.errori.find("Corvana_Selvadoro_linea.txt"), std::string::npos) << rifiuto.errori;
  EXPECT_NE(rifiuto.errori.find("--sovrascrivi"), std::string::npos);
  EXPECT_EQ(leggi_tutto(linea), "la mia linea\r\n");

  EXPECT_EQ(strumento({"estrai", "--sovrascrivi", d.percorso().string()}).stato, 0);
  EXPECT_EQ(leggi_tutto(linea).size(), 1568u);
}

TEST(Estrai, UnAltraIdentitaDaIsuoiNomiAiFileInWindows1252) {
  cartella_temporanea d;
  const auto e = strumento({"estrai", "--percorso", "Città", "--treno", "R 1", d.percorso().string()});
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(prova::nomi_in(d.percorso()),
            (std::vector<std::string>{"Città_R 1-.txt", "Città_R 1_note.txt", "Città_R 1_rallentamenti.txt",
                                      "Città_R 1_scheda_treno.txt", "Città_linea.txt"}));
  const auto c = strumento({"compila", "--percorso", "Città", "--treno", "R 1", d.percorso().string()});
  ASSERT_EQ(c.stato, 0) << c.uscita << c.errori;
  // The route name goes into record 85 as the file format's Windows-1252 bytes.
  const std::string sim = leggi_tutto(d.percorso() / std::filesystem::path(u8"Città_R 1.sim"));
  EXPECT_NE(sim.find(*in_windows1252("Città")), std::string::npos);
}

}  // namespace
}  // namespace gara
