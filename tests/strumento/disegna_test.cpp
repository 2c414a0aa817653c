// `scenario disegna`: the SVG of a compiled scenario, checked as a document
// and, through a headless browser, as the picture a person sees.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <limits>
#include <random>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"
#include "modello/voce_linea.h"
#include "uscita/formato.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::strumento;

const std::vector<std::string> stazioni{"CORVANA",           "CAGIONI",
                                        "PALAGIANO-CHIATONA", "BOSCO PINETO",
                                        "CASTELLANETA MARINA", "GINOSA",
                                        "SELVADORO"};

// Extracts and compiles the shipped scenario into d (with or without the plan).
void compila_spedito(const std::filesystem::path& d, bool tracciato = true) {
  ASSERT_EQ(strumento({"estrai", d.string()}).stato, 0);
  std::vector<std::string> a{"compila", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315"};
  if (!tracciato) a.push_back("--senza-tracciato");
  a.push_back(d.string());
  ASSERT_EQ(strumento(a).stato, 0);
}

prova::esito_strumento disegna(const std::filesystem::path& d, const std::filesystem::path& svg) {
  return strumento({"disegna", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315", "-o", svg.string(),
                    d.string()});
}

TEST(Disegna, LoScenarioSpeditoEUnSvgBenFormatoConPiantaStazioniELegenda) {
  cartella_temporanea d;
  compila_spedito(d.percorso());
  const auto e = strumento({"disegna", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315",
                            d.percorso().string()});
  ASSERT_EQ(e.stato, 0) << e.errori;
  const auto file = d.percorso() / "Corvana_Selvadoro_R 47315.svg";  // next to the binaries
  EXPECT_NE(e.uscita.find(file.filename().string()), std::string::npos);
  const std::string svg = leggi_tutto(file);
  EXPECT_EQ(prova::difetto_xml(svg), "");
  EXPECT_NE(svg.find("Pianta del tracciato"), std::string::npos);
  EXPECT_NE(svg.find("Legenda"), std::string::npos);
  for (const auto& nome : stazioni) EXPECT_NE(svg.find(">" + nome + "</text>"), std::string::npos) << nome;
  // The direction boards carry their texts, the slowdown its speed.
  EXPECT_NE(svg.find(">(BIVIO BARI)</text>"), std::string::npos);
  EXPECT_NE(svg.find(">80 km/h</text>"), std::string::npos);
}

TEST(Disegna, SenzaTracciatoDisegnaIlSoloProfilo) {
  cartella_temporanea d;
  compila_spedito(d.percorso(), false);
  const auto file = d.percorso() / "profilo.svg";
  const auto e = disegna(d.percorso(), file);
  ASSERT_EQ(e.stato, 0) << e.errori;
  const std::string svg = leggi_tutto(file);
  EXPECT_EQ(prova::difetto_xml(svg), "");
  EXPECT_EQ(svg.find("Pianta del tracciato"), std::string::npos);
  EXPECT_NE(svg.find("solo il profilo"), std::string::npos);
  for (const auto& nome : stazioni) EXPECT_NE(svg.find(">" + nome + "</text>"), std::string::npos) << nome;
}

TEST(Disegna, UnTracciatoDiUnAltraLunghezzaVieneIgnoratoConUnAvviso) {
  cartella_temporanea d;
  compila_spedito(d.percorso(), false);
  // A plan of two metres, left by some other compile.
  prova::scrivi_file(d.percorso() / "Corvana_Selvadoro_linea.dat", std::string(8, '\0'));
  const auto e = disegna(d.percorso(), d.percorso() / "x.svg");
  EXPECT_EQ(e.stato, 0);
  EXPECT_NE(e.errori.find("disegno il solo profilo"), std::string::npos) << e.errori;
  EXPECT_EQ(leggi_tutto(d.percorso() / "x.svg").find("Pianta del tracciato"), std::string::npos);
}

TEST(Disegna, FileMancantiONonValidiSonoErroriChiari) {
  cartella_temporanea d;
  compila_spedito(d.percorso());
  const auto svg = d.percorso() / "x.svg";
  prova::scrivi_file(d.percorso() / "Corvana_Selvadoro_R 47315.sim", std::string(100, '\0'));
  auto e = disegna(d.percorso(), svg);
  EXPECT_EQ(e.stato, 1);
  EXPECT_NE(e.errori.find("non rispetta il suo formato"), std::string::npos) << e.errori;
  std::filesystem::remove(d.percorso() / "Corvana_Selvadoro_R 47315.dat");
  e = disegna(d.percorso(), svg);
  EXPECT_EQ(e.stato, 3);
  EXPECT_NE(e.errori.find("manca il file"), std::string::npos) << e.errori;
  EXPECT_FALSE(std::filesystem::exists(svg));
  e = disegna(d.percorso(), d.percorso() / "manca" / "x.svg");
  EXPECT_EQ(e.stato, 3);
}

// Binary files that no compile would write (any byte in any cell, records
// full of extreme numbers and control bytes, a plan with NaN, infinities and
// huge coordinates) are still decoded, listed and drawn as a well-formed SVG.
TEST(Disegna, FileOstiliSiDisegnanoSenzaGuasti) {
  std::mt19937 caso(47315);
  const auto byte = [&caso] { return static_cast<char>(caso() & 0xFF); };
  for (int giro = 0; giro < 4; ++giro) {
    cartella_temporanea d;
    std::string celle(15 * (1 + caso() % 600), '\0');
    for (char& b : celle) b = byte();
    prova::scrivi_file(d.percorso() / "P_T.dat", celle);

    tabella t{};
    for (auto& v : t) {
      v.tipo_stazione = static_cast<uint8_t>(caso());
      v.valore1 = static_cast<int32_t>(caso());
      v.valore2 = static_cast<int32_t>(caso());
      v.valore3 = static_cast<int32_t>(caso());
      v.testo.resize(caso() % 40);
      for (char& b : v.testo) b = byte();
      v.orario = static_cast<int32_t>(caso());
    }
    const int32_t ultimo = 9999;
    t[voce::generale].valore2 = ultimo - 7000;  // so that the plan below is drawn
    std::string sim;
    for (const auto& v : t) codifica_voce(sim, v);
    prova::scrivi_file(d.percorso() / "P_T.sim", sim);

    const double strani[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -1e300, 1e12, 0.0};
    std::string piano;
    for (int i = 0; i < 2 * (ultimo + 1); ++i) {
      piano += std::string("\x05\x00", 2);
      const double v = caso() % 50 == 0 ? strani[caso() % 5] : static_cast<double>(caso() % 20000) - 10000.0;
      const auto bit = std::bit_cast<uint64_t>(v);
      for (int k = 0; k < 8; ++k) piano += static_cast<char>((bit >> (8 * k)) & 0xFF);
    }
    prova::scrivi_file(d.percorso() / "P_linea.dat", piano);

    const auto e = strumento({"disegna", "--percorso", "P", "--treno", "T", d.percorso().string()});
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(prova::difetto_xml(leggi_tutto(d.percorso() / "P_T.svg")), "") << giro;
    for (const char* nome : {"P_T.dat", "P_T.sim", "P_linea.dat"})
      EXPECT_EQ(strumento({"mostra", (d.percorso() / nome).string()}).stato, 0) << nome;
  }
}

#ifndef _WIN32
// The picture as a person sees it: the SVG rendered by headless Chromium.
// Without Chromium the test is skipped, except under CI, where it must run.
TEST(Disegna, ChromiumLoMostraNonVuotoConLeLineeEISegnali) {
  const auto chromium = prova::trova_chromium();
  if (!chromium) {
    const char* ci = std::getenv("CI");
    if (ci != nullptr && std::string(ci) == "true") FAIL() << "chromium non installato, ma sotto CI deve esserci";
    GTEST_SKIP() << "chromium non installato (apt-get install chromium): prova del disegno saltata";
  }
  cartella_temporanea d;
  compila_spedito(d.percorso());
  const auto svg = d.percorso() / "scenario.svg";
  ASSERT_EQ(disegna(d.percorso(), svg).stato, 0);
  const std::string documento = leggi_tutto(svg);
  // The page size, from the root element: width="W" height="H".
  const auto attributo = [&documento](const std::string& nome) {
    const auto inizio = documento.find(" " + nome + "=\"") + nome.size() + 3;
    return documento.substr(inizio, documento.find('"', inizio) - inizio);
  };
  const std::string dimensioni = attributo("width") + "," + attributo("height");
  ASSERT_EQ(dimensioni.find_first_not_of("0123456789,"), std::string::npos) << dimensioni;

  const std::vector<std::string> comuni{
      "--headless",  "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync"};
  const auto avvia = [&](const std::string& profilo, std::vector<std::string> altri) {
    std::vector<std::string> a{"120", chromium->string()};
    a.insert(a.end(), comuni.begin(), comuni.end());
    a.push_back("--user-data-dir=" + (d.percorso() / profilo).string());
    a.insert(a.end(), altri.begin(), altri.end());
    a.push_back("file://" + svg.string());
    return prova::programma("timeout", a, d.percorso());
  };

  // The document the browser built holds no parse error and the names.
  const auto dom = avvia("profilo-dom", {"--dump-dom"});
  ASSERT_EQ(dom.stato, 0) << dom.errori;
  EXPECT_EQ(dom.uscita.find("parsererror"), std::string::npos) << dom.uscita.substr(0, 2000);
  for (const auto& nome : stazioni) EXPECT_NE(dom.uscita.find(nome), std::string::npos) << nome;

  const auto png = d.percorso() / "scenario.png";
  const auto foto = avvia("profilo-foto", {"--screenshot=" + png.string(), "--window-size=" + dimensioni});
  ASSERT_EQ(foto.stato, 0) << foto.errori;
  std::string errore;
  const auto im = prova::leggi_png(png, errore);
  ASSERT_TRUE(im) << errore;
  EXPECT_EQ(std::to_string(im->larghezza) + "," + std::to_string(im->altezza), dimensioni);

  // Not blank: a good share of the page is drawn, and the speed line (blue)
  // and the signals (red) are there in their colours.
  std::size_t disegnati = 0, blu = 0, rossi = 0;
  const auto vicino = [](const uint8_t* p, int r, int g, int b) {
    return std::abs(p[0] - r) < 40 && std::abs(p[1] - g) < 40 && std::abs(p[2] - b) < 40;
  };
  for (std::size_t i = 0; i + 2 < im->rgb.size(); i += 3) {
    const uint8_t* p = &im->rgb[i];
    if (p[0] < 235 || p[1] < 235 || p[2] < 235) ++disegnati;
    if (vicino(p, 0x1f, 0x5f, 0xbf)) ++blu;
    if (vicino(p, 0xd6, 0x27, 0x28)) ++rossi;
  }
  const std::size_t pixel = im->rgb.size() / 3;
  EXPECT_GT(disegnati * 20, pixel) << disegnati << " di " << pixel;  // more than 5 %
  EXPECT_GT(blu, 500u);
  EXPECT_GT(rossi, 9u * 20u);  // nine signals
}
#endif

}  // namespace
}  // namespace gara
