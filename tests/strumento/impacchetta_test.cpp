// `scenario impacchetta` and `scenario estrai --da`: the package an author
// makes runs as the shipped one does, from its own payload; a damaged one
// writes nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "aiuti_prove.h"
#include "impronta.h"
#include "aiuti_strumento.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::strumento;

// Name and bytes of every file in a folder but the one named.
[[maybe_unused]] std::map<std::string, std::string> contenuto(const std::filesystem::path& cartella,
                                             const std::string& tranne = "") {
  std::map<std::string, std::string> r;
  for (const auto& v : std::filesystem::directory_iterator(cartella)) {
    const std::u8string u = v.path().filename().u8string();
    const std::string nome(u.begin(), u.end());
    if (nome != tranne) r[nome] = leggi_tutto(v.path());
  }
  return r;
}

[[maybe_unused]] std::filesystem::path da_utf8(const std::string& t) { return std::filesystem::path(std::u8string(t.begin(), t.end())); }

TEST(Impacchetta, LaVerificaConErroriFermaSenzaForza) {
  cartella_temporanea d;
  const auto cartella = d.percorso() / "mio";
  ASSERT_EQ(strumento({"estrai", cartella.string()}).stato, 0);
  // A route longer than the format allows.
  const auto linea = cartella / "Corvana_Selvadoro_linea.txt";
  std::string t = leggi_tutto(linea);
  t.replace(t.find("47000"), 5, "470000000");
  prova::scrivi_file(linea, t);
  const auto pacchetto = d.percorso() / "p.exe";
  const auto e = strumento({"impacchetta", "-o", pacchetto.string(), cartella.string()});
  EXPECT_EQ(e.stato, 1) << e.errori;
  EXPECT_NE(e.errori.find("Corvana_Selvadoro_linea.txt:6:24: errore: "), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(": errore: "), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find("[V"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find("--forza"), std::string::npos) << e.errori;
  EXPECT_FALSE(std::filesystem::exists(pacchetto));
#ifndef _WIN32
  // Forced, it is written all the same (the package program found where
  // the variable says: in this process the tool is the test program).
  setenv("SCENARIO_PACCHETTI", std::filesystem::path(GARA_PACCHETTO).parent_path().c_str(), 1);
  const auto f = strumento({"impacchetta", "--forza", "--piattaforma", "linux", "-o", pacchetto.string(),
                            cartella.string()});
  unsetenv("SCENARIO_PACCHETTI");
  EXPECT_EQ(f.stato, 0) << f.errori;
  EXPECT_NE(f.errori.find("--forza"), std::string::npos) << f.errori;
  EXPECT_TRUE(std::filesystem::exists(pacchetto));
#endif
}

TEST(Impacchetta, LeSvisteCheLaCompilazioneAccettaLoFermano) {
  // Slips an author makes by hand that the compile takes with code 0: a
  // train description without its first line, and a station with one value
  // fewer (its line takes the next station's keyword as its name).
  struct caso {
    const char* vecchio;
    const char* nuovo;
    const char* problema;
  };
  for (const caso& c : {caso{"[generale]\r\nnumero vetture", "numero vetture", "[V214]"},
                        caso{"12,45, 0, GINOSA", "12,45, GINOSA", "[V205]"}}) {
    cartella_temporanea d;
    const auto cartella = d.percorso() / "mio";
    ASSERT_EQ(strumento({"estrai", cartella.string()}).stato, 0);
    const auto treno = cartella / "Corvana_Selvadoro_R 47315-.txt";
    std::string t = leggi_tutto(treno);
    ASSERT_NE(t.find(c.vecchio), std::string::npos) << c.vecchio;
    t.replace(t.find(c.vecchio), std::string_view(c.vecchio).size(), c.nuovo);
    prova::scrivi_file(treno, t);
    const auto pacchetto = d.percorso() / "p.exe";
    const auto e = strumento({"impacchetta", "-o", pacchetto.string(), cartella.string()});
    EXPECT_EQ(e.stato, 1) << e.errori;
    EXPECT_NE(e.errori.find(c.problema), std::string::npos) << e.errori;
    EXPECT_FALSE(std::filesystem::exists(pacchetto));
  }
}

TEST(Impacchetta, TestiMancantiIdentitaNonValideEOpzioniInConflitto) {
  cartella_temporanea d;
  const auto cartella = d.percorso() / "mio";
  ASSERT_EQ(strumento({"estrai", cartella.string()}).stato, 0);
  std::filesystem::remove(cartella / "Corvana_Selvadoro_R 47315_note.txt");
  const auto e = strumento({"impacchetta", cartella.string()});
  EXPECT_EQ(e.stato, 3);
  EXPECT_NE(e.errori.find("Corvana_Selvadoro_R 47315_note.txt"), std::string::npos) << e.errori;

  for (const std::string nome : {"CON", "a:b", "fine."}) {
    const auto x = strumento({"impacchetta", "--percorso", nome, "--treno", "R 1", cartella.string()});
    EXPECT_EQ(x.stato, 3) << nome;
    EXPECT_NE(x.errori.find("non può dare nomi di file su Windows"), std::string::npos) << x.errori;
  }
  const auto o = strumento({"impacchetta", "--piattaforma", "entrambe", "-o", "x", cartella.string()});
  EXPECT_EQ(o.stato, 3);
  EXPECT_EQ(strumento({"impacchetta", "--piattaforma", "macos", cartella.string()}).stato, 3);
  EXPECT_EQ(strumento({"estrai", "--da", "x", "--percorso", "P", cartella.string()}).stato, 3);
}

#ifndef _WIN32
TEST(Impacchetta, SenzaIlProgrammaDelPacchettoLoDiceESiFerma) {
  cartella_temporanea d, vuota;
  const auto cartella = d.percorso() / "mio";
  ASSERT_EQ(strumento({"estrai", cartella.string()}).stato, 0);
  // In this process the tool is the test program: nothing beside it.
  setenv("SCENARIO_PACCHETTI", vuota.percorso().c_str(), 1);
  const auto e = strumento({"impacchetta", "--piattaforma", "linux", "-o", (d.percorso() / "p").string(),
                            cartella.string()});
  unsetenv("SCENARIO_PACCHETTI");
  EXPECT_EQ(e.stato, 3);
  EXPECT_NE(e.errori.find("manca il programma del pacchetto per Linux"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(vuota.percorso().string()), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find("SCENARIO_PACCHETTI"), std::string::npos) << e.errori;
  EXPECT_FALSE(std::filesystem::exists(d.percorso() / "p"));
}

TEST(Impacchetta, GliAvvisiSiMostranoENonFermano) {
  cartella_temporanea d;
  const auto cartella = d.percorso() / "mio";
  ASSERT_EQ(strumento({"estrai", cartella.string()}).stato, 0);
  // A line of the line description ended by LF alone: a warning.
  const auto linea = cartella / "Corvana_Selvadoro_linea.txt";
  std::string t = leggi_tutto(linea);
  t.erase(t.find("\r\n"), 1);
  prova::scrivi_file(linea, t);
  setenv("SCENARIO_PACCHETTI", std::filesystem::path(GARA_PACCHETTO).parent_path().c_str(), 1);
  const auto e = strumento({"impacchetta", "--piattaforma", "linux", "-o", (d.percorso() / "p").string(),
                            cartella.string()});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.errori.find("Corvana_Selvadoro_linea.txt:1:"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(": avviso: "), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find("[V211]"), std::string::npos) << e.errori;
  EXPECT_TRUE(std::filesystem::exists(d.percorso() / "p"));

  // A file of that name that is no package stays as it was.
  prova::scrivi_file(d.percorso() / "mio file", "le mie note");
  const auto x = strumento({"impacchetta", "--piattaforma", "linux", "-o", (d.percorso() / "mio file").string(),
                            cartella.string()});
  unsetenv("SCENARIO_PACCHETTI");
  EXPECT_EQ(x.stato, 3);
  EXPECT_NE(x.errori.find("non è un pacchetto"), std::string::npos) << x.errori;
  EXPECT_EQ(leggi_tutto(d.percorso() / "mio file"), "le mie note");
}

// Runs a package as its users do: alone in an empty folder, here without
// a display.
prova::esito_strumento esegui_pacchetto(const std::filesystem::path& pacchetto,
                                         const std::filesystem::path& cartella) {
  const auto copia = cartella / pacchetto.filename();
  std::filesystem::copy_file(pacchetto, copia);
  setenv("DISPLAY", "", 1);
  return prova::programma(copia.string(), {}, cartella);
}

// The names of the files that differ between two folders' contents (empty
// when they are the same), so that a failure does not print megabytes.
std::vector<std::string> differenze(const std::map<std::string, std::string>& a,
                                    const std::map<std::string, std::string>& b) {
  std::vector<std::string> r;
  for (const auto& [nome, byte] : a)
    if (!b.contains(nome) || b.at(nome) != byte) r.push_back(nome);
  for (const auto& [nome, byte] : b)
    if (!a.contains(nome)) r.push_back(nome);
  return r;
}

TEST(Impacchetta, EstraiPoiImpacchettaDaIlPacchettoSpedito) {
  // The shipped package's six files.
  cartella_temporanea spedito;
  ASSERT_EQ(esegui_pacchetto(GARA_PACCHETTO, spedito.percorso()).stato, 0);
  const auto attesi = contenuto(spedito.percorso(), "Corvana_Selvadoro_R 47315");
  ASSERT_EQ(attesi.size(), 6u);

  cartella_temporanea autore;
  ASSERT_EQ(prova::programma(GARA_SCENARIO, {"estrai", "mio"}, autore.percorso()).stato, 0);
  const auto i = prova::programma(GARA_SCENARIO, {"impacchetta", "--piattaforma", "linux", "mio"},
                                  autore.percorso());
  ASSERT_EQ(i.stato, 0) << i.errori;
  EXPECT_EQ(i.errori, "");
  const auto pacchetto = autore.percorso() / "Corvana_Selvadoro_R 47315";
  ASSERT_TRUE(std::filesystem::exists(pacchetto)) << i.uscita;
  EXPECT_NE(leggi_tutto(pacchetto), leggi_tutto(GARA_PACCHETTO));  // it carries a payload

  cartella_temporanea corsa;
  const auto e = esegui_pacchetto(pacchetto, corsa.percorso());
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(differenze(contenuto(corsa.percorso(), "Corvana_Selvadoro_R 47315"), attesi),
            std::vector<std::string>{});
  EXPECT_EQ(prova::diversi_dagli_spediti(corsa.percorso()), std::vector<std::string>{});

  // And the texts it carries are the shipped ones.
  const auto x = prova::programma(GARA_SCENARIO, {"estrai", "--da", pacchetto.string(), "ripreso"},
                                  autore.percorso());
  ASSERT_EQ(x.stato, 0) << x.errori;
  EXPECT_EQ(differenze(contenuto(autore.percorso() / "ripreso"), contenuto(autore.percorso() / "mio")),
            std::vector<std::string>{});
  const auto y = prova::programma(GARA_SCENARIO, {"estrai", "--da", GARA_PACCHETTO, "dallo spedito"},
                                  autore.percorso());
  ASSERT_EQ(y.stato, 0) << y.errori;
  EXPECT_EQ(differenze(contenuto(autore.percorso() / "dallo spedito"), contenuto(autore.percorso() / "mio")),
            std::vector<std::string>{});
}

// A scenario of the author's: another route and train, a station renamed, a
// signal added, notes edited with lines the package's own texts never have.
const std::string percorso_nuovo = "Linea_Citt\xC3\xA0";
const std::string treno_nuovo = "R 100";
const std::string base_nuova = "Linea_Citt\xC3\xA0_R 100";

void scrivi_scenario_nuovo(const std::filesystem::path& autore) {
  ASSERT_EQ(prova::programma(GARA_SCENARIO, {"estrai", "--percorso", percorso_nuovo, "--treno", treno_nuovo, "mio"},
                             autore)
                .stato,
            0);
  const auto treno = autore / "mio" / da_utf8(base_nuova + "-.txt");
  std::string t = leggi_tutto(treno);
  t.replace(t.find("GINOSA"), 6, "GINESTRA");
  const std::string segnale = "segnale,   24800,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n";
  ASSERT_NE(t.find(segnale), std::string::npos);
  t.insert(t.find(segnale) + segnale.size(), "segnale,   30500,   1, 3, 1,  0, 0,    0,  0,0,0, 0\r\n");
  prova::scrivi_file(treno, t);
  const auto note = autore / "mio" / da_utf8(base_nuova + "_note.txt");
  std::string n = leggi_tutto(note) + "Nota dell\x92" "autore, con LF soltanto\nriferimento fine del file\n";
  for (int i = 0; i < 1200; ++i) n += "riga " + std::to_string(i) + "\r\n";
  n += "senza fine di riga";
  prova::scrivi_file(note, n);
}

TEST(Impacchetta, UnoScenarioCambiatoLasciaCioCheDaCompilaEITestiDati) {
  cartella_temporanea autore;
  scrivi_scenario_nuovo(autore.percorso());
  const auto c = prova::programma(GARA_SCENARIO, {"compila", "mio"}, autore.percorso());
  ASSERT_EQ(c.stato, 0) << c.uscita << c.errori;
  const auto i = prova::programma(GARA_SCENARIO, {"impacchetta", "--piattaforma", "linux", "mio"},
                                  autore.percorso());
  ASSERT_EQ(i.stato, 0) << i.errori;
  const auto pacchetto = autore.percorso() / da_utf8(base_nuova);
  ASSERT_TRUE(std::filesystem::exists(pacchetto)) << i.uscita;

  cartella_temporanea corsa;
  const auto e = esegui_pacchetto(pacchetto, corsa.percorso());
  EXPECT_EQ(e.stato, 0) << e.errori;
  // The three binaries of `compila` and the three documents as given.
  std::map<std::string, std::string> attesi = contenuto(autore.percorso() / "mio");
  attesi.erase(percorso_nuovo + "_linea.txt");
  attesi.erase(base_nuova + "-.txt");
  EXPECT_EQ(attesi.size(), 6u);
  EXPECT_EQ(differenze(contenuto(corsa.percorso(), base_nuova), attesi), std::vector<std::string>{});

  // The same texts, the same bytes; and estrai --da gives them back.
  const auto di_nuovo = prova::programma(
      GARA_SCENARIO, {"impacchetta", "--piattaforma", "linux", "-o", "secondo", "mio"}, autore.percorso());
  ASSERT_EQ(di_nuovo.stato, 0) << di_nuovo.errori;
  EXPECT_TRUE(leggi_tutto(autore.percorso() / "secondo") == leggi_tutto(pacchetto));
  const auto x = prova::programma(GARA_SCENARIO, {"estrai", "--da", pacchetto.string(), "ripreso"},
                                  autore.percorso());
  ASSERT_EQ(x.stato, 0) << x.errori;
  auto testi = contenuto(autore.percorso() / "mio");
  for (const auto& nome : {percorso_nuovo + "_linea.dat", base_nuova + ".sim", base_nuova + ".dat"})
    testi.erase(nome);
  EXPECT_EQ(differenze(contenuto(autore.percorso() / "ripreso"), testi), std::vector<std::string>{});
}

TEST(Impacchetta, UnPacchettoDanneggiatoNonScriveNullaEFinisceConQuattro) {
  cartella_temporanea autore;
  ASSERT_EQ(prova::programma(GARA_SCENARIO, {"estrai", "mio"}, autore.percorso()).stato, 0);
  ASSERT_EQ(prova::programma(GARA_SCENARIO, {"impacchetta", "--piattaforma", "linux", "-o", "buono", "mio"},
                             autore.percorso())
                .stato,
            0);
  const std::string buono = leggi_tutto(autore.percorso() / "buono");
  const std::size_t inizio = leggi_tutto(GARA_PACCHETTO).size();
  ASSERT_EQ(buono.substr(inizio, marca_carico.size()), marca_carico);

  std::string girato = buono;
  girato[inizio + 3000] ^= 0x01;
  std::string versione = buono;
  versione[inizio + marca_carico.size()] = static_cast<char>(versione_carico + 1);
  // A damaged download that hit the program, not the payload: a byte of the
  // shipped notes the program carries (data a package with a payload never
  // uses, so that the damage cannot stop the program before its check).
  std::string programma_girato = buono;
  const std::size_t nota = buono.find("Lo scenario \xC3\xA8 tutto in piano");
  ASSERT_LT(nota, inizio);
  programma_girato[nota] ^= 0x01;
  const std::uint32_t somma = crc32(std::string_view(versione).substr(inizio, versione.size() - 4 - inizio));
  for (std::size_t k = 0; k < 4; ++k)
    versione[versione.size() - 4 + k] = static_cast<char>((somma >> (8 * k)) & 0xFFu);
  struct caso {
    std::string nome, byte, detto;
  };
  for (const caso& k : {caso{"troncato", buono.substr(0, buono.size() - 100), "troncato"},
                        caso{"girato", girato, "alterati"},
                        caso{"programma", programma_girato, "il programma è alterato"},
                        caso{"versione", versione, "più recente"}}) {
    SCOPED_TRACE(k.nome);
    cartella_temporanea corsa;
    const auto programma = corsa.percorso() / k.nome;
    prova::scrivi_file(programma, k.byte);
    std::filesystem::permissions(programma, std::filesystem::perms::owner_all);
    setenv("DISPLAY", "", 1);
    const auto e = prova::programma(programma.string(), {}, corsa.percorso());
    EXPECT_EQ(e.stato, 4) << e.errori;
    EXPECT_NE(e.errori.find(k.detto), std::string::npos) << e.errori;
    EXPECT_NE(e.errori.find("Nessun file è stato scritto"), std::string::npos) << e.errori;
    EXPECT_EQ(prova::nomi_in(corsa.percorso()), std::vector<std::string>{k.nome});
    // estrai --da refuses it too.
    const auto x = prova::programma(GARA_SCENARIO, {"estrai", "--da", programma.string(), "x"}, autore.percorso());
    EXPECT_EQ(x.stato, 1) << x.errori;
    EXPECT_FALSE(std::filesystem::exists(autore.percorso() / "x"));
  }
}
#endif

}  // namespace
}  // namespace gara
