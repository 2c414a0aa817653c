// The payload a package carries (pacchetto/carico.h), the locator through
// which the package finds it (pacchetto/eseguibile.h), and the check of an
// identity as Windows file names.
#include <gtest/gtest.h>

#include "modello/nomi_file.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"

namespace gara {
namespace {

scenario_carico piccolo() {
  return {"Linea_Nuova", "R 1",
          {"linea\r\nriferimento fine del file\r\n", std::string("treno\n\0\xFF", 9), "", "r\r",
           "scheda"}};
}

void metti_32(std::string& b, std::size_t i, std::uint32_t v) {
  for (std::size_t k = 0; k < 4; ++k) b[i + k] = static_cast<char>((v >> (8 * k)) & 0xFFu);
}

// The checksum made right again after a change on purpose.
void rifai_somma(std::string& b) { metti_32(b, b.size() - 4, crc32(std::string_view(b).substr(0, b.size() - 4))); }

TEST(Carico, Crc32DelleProveNote) {
  EXPECT_EQ(crc32(""), 0u);
  EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
}

constexpr std::uint32_t crc_finto = 0x12345678u;

TEST(Carico, AndataERitornoBytePerByte) {
  const scenario_carico s = piccolo();
  const std::string b = scrivi_carico(s, crc_finto);
  EXPECT_EQ(b.substr(0, 8), marca_carico);
  EXPECT_EQ(b.size(),
            intestazione_carico + 11 + 3 + 34 + 9 + 0 + 2 + 6 + crc_programma_carico + coda_carico);
  const esito_carico e = leggi_carico(b);
  ASSERT_TRUE(e.scenario) << e.motivo;
  EXPECT_EQ(*e.scenario, s);
  EXPECT_EQ(e.crc_programma, crc_finto);
  EXPECT_EQ(scrivi_carico(s, crc_finto), b);  // the same inputs, the same bytes
  const esito_carico spedito = leggi_carico(scrivi_carico(scenario_spedito(), crc_finto));
  ASSERT_TRUE(spedito.scenario);
  EXPECT_EQ(*spedito.scenario, scenario_spedito());
}

TEST(Carico, OgniByteCambiatoEOgniTroncamentoSonoUnDifetto) {
  const std::string b = scrivi_carico(piccolo(), crc_finto);
  for (std::size_t i = 0; i < b.size(); ++i) {
    for (const unsigned char x : {0x01, 0x80, 0xFF}) {
      std::string c = b;
      c[i] = static_cast<char>(c[i] ^ x);
      const esito_carico e = leggi_carico(c);
      EXPECT_FALSE(e.scenario) << "byte " << i;
      EXPECT_EQ(e.difetto, difetto_carico::alterato) << "byte " << i;
      EXPECT_FALSE(e.motivo.empty());
    }
  }
  for (std::size_t n = 0; n < b.size(); ++n) {
    const esito_carico e = leggi_carico(std::string_view(b).substr(0, n));
    EXPECT_FALSE(e.scenario) << n;
    EXPECT_NE(e.difetto, difetto_carico::nessuno) << n;
  }
}

TEST(Carico, UnaVersionePiuRecenteSiDiceTale) {
  std::string b = scrivi_carico(piccolo(), crc_finto);
  metti_32(b, 8, versione_carico + 1);
  rifai_somma(b);
  const esito_carico e = leggi_carico(b);
  EXPECT_FALSE(e.scenario);
  EXPECT_EQ(e.difetto, difetto_carico::versione_nuova);
  EXPECT_NE(e.motivo.find("formato 3"), std::string::npos) << e.motivo;
}

// Packages made before the program's checksum are still read.
TEST(Carico, LaVersione1SenzaSommaDelProgrammaSiLeggeAncora) {
  std::string b = scrivi_carico(piccolo(), crc_finto);
  b.erase(b.size() - coda_carico - crc_programma_carico, crc_programma_carico);
  metti_32(b, 8, 1);
  rifai_somma(b);
  const esito_carico e = leggi_carico(b);
  ASSERT_TRUE(e.scenario) << e.motivo;
  EXPECT_EQ(*e.scenario, piccolo());
  EXPECT_FALSE(e.crc_programma);
}

TEST(Carico, LunghezzeCheNonTornanoEIdentitaNonValide) {
  std::string b = scrivi_carico(piccolo(), crc_finto);
  metti_32(b, 12, 12);  // the route one byte longer than it is
  rifai_somma(b);
  EXPECT_EQ(leggi_carico(b).difetto, difetto_carico::alterato);

  std::string c = scrivi_carico(piccolo(), crc_finto);
  c[intestazione_carico + 4] = ':';  // "Line:_Nuova"
  rifai_somma(c);
  const esito_carico e = leggi_carico(c);
  EXPECT_EQ(e.difetto, difetto_carico::identita_non_valida);
  EXPECT_NE(e.motivo.find(":"), std::string::npos) << e.motivo;
  scenario_carico s = piccolo();
  s.nome_treno = "CON";
  EXPECT_THROW(scrivi_carico(s, crc_finto), std::invalid_argument);
}

TEST(NomiWindows, CosaUnIdentitaNonPuoEssere) {
  for (const std::string& buono : std::vector<std::string>{"Corvana_Selvadoro", "R 47315", "Citt\xE0",
                                                          "CONSOLE", "COM0", "a.b", "x", std::string(100, 'a')})
    EXPECT_FALSE(problema_nome_windows(buono)) << buono;
  for (const std::string& cattivo : std::vector<std::string>{std::string(), std::string(101, 'a'), std::string("a\\b"), std::string("a/b"), std::string("a:b"),
        std::string("a*"), std::string("a?"), std::string("\"a\""), std::string("<a>"), std::string("a|b"),
        std::string("a\tb"), std::string("a\x7F"), std::string("a\x81"), std::string("fine."),
        std::string("fine "), std::string("CON"), std::string("con"), std::string("Nul.txt"),
        std::string("aux "), std::string("PRN"), std::string("com1"), std::string("LPT9"),
        std::string("a\0b", 3)})
    EXPECT_TRUE(problema_nome_windows(cattivo)) << cattivo;
}

// A stand-in for a package's program: some bytes, the locator as the
// program's data holds it, more bytes.
std::string programma_finto() {
  std::string p = "\x7F" "ELF codice e dati ";
  p.append(reinterpret_cast<const char*>(marca_localizzatore.data()), marca_localizzatore.size());
  p.append(16, '\0');
  p += " resto del programma";
  return p;
}

TEST(Localizzatore, ImpacchettaERilegge) {
  const std::string base = programma_finto();
  EXPECT_EQ(posizioni_localizzatore(base).size(), 1u);
  const esito_carico spedito = scenario_del_pacchetto(base);
  ASSERT_TRUE(spedito.scenario);
  EXPECT_EQ(*spedito.scenario, scenario_spedito());

  const std::string pacchetto = impacchetta(base, piccolo());
  EXPECT_EQ(pacchetto.size(), base.size() + scrivi_carico(piccolo(), 0).size());
  EXPECT_EQ(impacchetta(base, piccolo()), pacchetto);
  const esito_carico e = scenario_del_pacchetto(pacchetto);
  ASSERT_TRUE(e.scenario) << e.motivo;
  EXPECT_EQ(*e.scenario, piccolo());

  // A package packed again carries only its new scenario.
  scenario_carico altro = piccolo();
  altro.nome_treno = "R 2";
  EXPECT_EQ(impacchetta(pacchetto, altro), impacchetta(base, altro));

  // Cut short by any number of bytes, or with bytes after it.
  for (std::size_t tolti = 1; tolti <= pacchetto.size() - base.size(); ++tolti) {
    const esito_carico t = scenario_del_pacchetto(std::string_view(pacchetto).substr(0, pacchetto.size() - tolti));
    EXPECT_EQ(t.difetto, difetto_carico::troncato) << tolti;
  }
  EXPECT_EQ(scenario_del_pacchetto(pacchetto + "x").difetto, difetto_carico::alterato);
  EXPECT_EQ(scenario_del_pacchetto("nessun pacchetto").difetto, difetto_carico::alterato);
  EXPECT_THROW(impacchetta("nessun pacchetto", piccolo()), std::invalid_argument);
  EXPECT_THROW(impacchetta(base + base, piccolo()), std::invalid_argument);
}

// A damaged download: any byte of the program changed, outside the
// locator, is caught as the program's damage, before any text is used.
TEST(Localizzatore, OgniByteCambiatoDelProgrammaEUnDifetto) {
  const std::string base = programma_finto();
  const std::string pacchetto = impacchetta(base, piccolo());
  const std::size_t l = posizioni_localizzatore(base).front();
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (i >= l && i < l + lunghezza_localizzatore) continue;
    std::string c = pacchetto;
    c[i] = static_cast<char>(c[i] ^ 0x01);
    const esito_carico e = scenario_del_pacchetto(c);
    EXPECT_FALSE(e.scenario) << "byte " << i;
    EXPECT_EQ(e.difetto, difetto_carico::programma_alterato) << "byte " << i;
    EXPECT_NE(e.motivo.find("programma"), std::string::npos) << e.motivo;
  }
}

}  // namespace
}  // namespace gara
