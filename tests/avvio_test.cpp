// The start-up sequence against a stand-in platform that records what the
// user would see, and the layout of the window in pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "impronta.h"
#include "avvio/avvio.h"
#include "avvio/finestra.h"
#include "avvio/piattaforma.h"
#include "file/file.h"
#include "modello/windows1252.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"

namespace gara {
namespace {

using prova::cartella_temporanea;

// The end of the program, thrown instead of ending the test process.
struct fine_programma_finta {
  int stato;
};

std::size_t file_in(const std::filesystem::path& cartella) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& voce : std::filesystem::directory_iterator(cartella)) ++n;
  return n;
}

// Records each call as a line; the window calls note how many files the
// folder held at that moment.
class piattaforma_finta final : public piattaforma {
 public:
  explicit piattaforma_finta(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}

  std::vector<std::string> eventi;
  std::string guasto;

  std::filesystem::path programma;  // default: "programma" in the folder
  std::filesystem::path file_programma() override {
    return programma.empty() ? cartella_ / "programma" : programma;
  }
  void mostra_finestra() override { eventi.push_back("mostra " + std::to_string(contati())); }
  void ridisegna_finestra() override {
    eventi.push_back("ridisegna " + std::to_string(contati()));
  }
  void messaggio(const std::string& testo) override { eventi.push_back("[" + testo + "]"); }
  void segnala_guasto(const std::string& testo) override {
    eventi.push_back("guasto");
    guasto = testo;
  }

 protected:
  void fine_programma(int stato_uscita) override { throw fine_programma_finta{stato_uscita}; }

 private:
  std::size_t contati() const {
    return std::filesystem::is_directory(cartella_) ? file_in(cartella_) : 0;
  }
  std::filesystem::path cartella_;
};

int esegui(piattaforma& p, posizione_carico carico = {}) {
  try {
    sequenza_avvio(p, carico);
  } catch (const fine_programma_finta& f) {
    return f.stato;
  }
  ADD_FAILURE() << "sequenza_avvio è tornata senza terminare il programma";
  return -1;
}

TEST(Avvio, LaFinestraEDipintaPrimaDiOgniFileELaCorsaFinisceConZero) {
  cartella_temporanea c;
  piattaforma_finta p(c.percorso());
  EXPECT_EQ(esegui(p), uscita_programma::riuscita);
  EXPECT_EQ(p.eventi, (std::vector<std::string>{"mostra 0", "ridisegna 0"}));
  EXPECT_GT(file_in(c.percorso()), 0u);
}

TEST(Avvio, SenzaCaricoLoScenarioSpeditoEIlTitoloDelPacchetto) {
  cartella_temporanea c;
  piattaforma_finta p(c.percorso());
  p.imposta_titolo("altro");
  EXPECT_EQ(esegui(p), uscita_programma::riuscita);
  EXPECT_EQ(p.titolo(), "Corvana_Selvadoro_R 47315");
  EXPECT_EQ(file_in(c.percorso()), 6u);
  // The bytes the simulator loads, on each platform this suite runs on.
  EXPECT_EQ(prova::diversi_dagli_spediti(c.percorso()), std::vector<std::string>{});
}

// A program's file as `scenario impacchetta` makes it: some bytes standing
// for the program, the locator, the payload; and where the payload lies.
struct programma_con_carico {
  std::string byte;
  posizione_carico dove;
};
programma_con_carico con_carico(const scenario_carico& s) {
  std::string base = "programma ";
  base.append(reinterpret_cast<const char*>(marca_localizzatore.data()), marca_localizzatore.size());
  base.append(16, '\0');
  const std::string pacchetto = impacchetta(base, s);
  return {pacchetto, {base.size(), pacchetto.size() - base.size()}};
}

TEST(Avvio, IlCaricoDaIdentitaETestiScrittiBytePerByte) {
  scenario_carico s = scenario_spedito();
  s.nome_percorso = "Citt\xE0_Nuova";
  s.nome_treno = "R 1";
  // The shipped texts, but with line ends of LF alone, a line that is the
  // emitter's end marker, and more than 1000 lines in the notes.
  s.testi[2] = "riferimento fine del file\nseconda riga\n";
  for (int i = 0; i < 1500; ++i) s.testi[2] += "riga " + std::to_string(i) + "\r\n";
  s.testi[3] = "senza fine di riga";
  s.testi[4] = "";
  cartella_temporanea c;
  const programma_con_carico f = con_carico(s);
  piattaforma_finta p(c.percorso());
  p.programma = percorso_file(c.percorso(), "Citt\xE0_Nuova_R 1");
  prova::scrivi_file(p.programma, f.byte);
  EXPECT_EQ(esegui(p, f.dove), uscita_programma::riuscita);
  EXPECT_EQ(p.titolo(), "Citt\xC3\xA0_Nuova_R 1");
  EXPECT_EQ(p.eventi, (std::vector<std::string>{"mostra 1", "ridisegna 1"}));
  const auto testi = testi_scenario(s);
  for (std::size_t i = 2; i < testi.size(); ++i) {  // the three documents
    const auto file = percorso_file(c.percorso(), testi[i].nome);
    ASSERT_TRUE(std::filesystem::exists(file)) << da_windows1252(testi[i].nome);
    EXPECT_EQ(prova::leggi_tutto(file), testi[i].byte) << da_windows1252(testi[i].nome);
  }
  // The program, the three documents and the three binaries; the
  // descriptions are gone.
  EXPECT_EQ(file_in(c.percorso()), 7u);
  EXPECT_TRUE(std::filesystem::exists(percorso_file(c.percorso(), "Citt\xE0_Nuova_R 1.sim")));
}

TEST(Avvio, UnCaricoDanneggiatoNonScriveNullaEFinisceConQuattro) {
  const scenario_carico s = scenario_spedito();
  const programma_con_carico f = con_carico(s);
  struct caso {
    const char* nome;
    std::string byte;
    const char* detto;
  };
  std::string versione = f.byte;
  versione[f.dove.inizio + 8] = versione_carico + 1;
  const std::size_t corpo = versione.size() - 4;
  const std::uint32_t somma = crc32(std::string_view(versione).substr(f.dove.inizio, corpo - f.dove.inizio));
  for (std::size_t k = 0; k < 4; ++k) versione[corpo + k] = static_cast<char>((somma >> (8 * k)) & 0xFFu);
  std::string girato = f.byte;
  girato[f.dove.inizio + 500] ^= 0x20;
  // A damaged download that hit the program's code, not the payload.
  std::string codice = f.byte;
  codice[3] ^= 0x20;
  for (const caso& k : {caso{"troncato", f.byte.substr(0, f.byte.size() - 1), "troncato"},
                        caso{"troncato al programma", f.byte.substr(0, f.dove.inizio), "troncato"},
                        caso{"byte cambiato", girato, "alterati"},
                        caso{"codice cambiato", codice, "il programma è alterato"},
                        caso{"versione nuova", versione, "più recente"}}) {
    SCOPED_TRACE(k.nome);
    cartella_temporanea c;
    piattaforma_finta p(c.percorso());
    p.programma = c.percorso() / "Mio_R 1.exe";
    prova::scrivi_file(p.programma, k.byte);
    EXPECT_EQ(esegui(p, f.dove), uscita_programma::pacchetto_danneggiato);
    EXPECT_EQ(p.eventi, std::vector<std::string>{"guasto"});
    EXPECT_NE(p.guasto.find("\"Mio_R 1.exe\""), std::string::npos) << p.guasto;
    EXPECT_NE(p.guasto.find(k.detto), std::string::npos) << p.guasto;
    EXPECT_NE(p.guasto.find("Nessun file è stato scritto"), std::string::npos) << p.guasto;
    EXPECT_EQ(p.titolo(), "Mio_R 1");
    EXPECT_EQ(file_in(c.percorso()), 1u);  // the program alone
  }
  // And a program file that is not there at all.
  cartella_temporanea c;
  piattaforma_finta p(c.percorso());
  p.programma = c.percorso() / "non c'è";
  EXPECT_EQ(esegui(p, f.dove), uscita_programma::pacchetto_danneggiato);
  EXPECT_EQ(file_in(c.percorso()), 0u);
}

TEST(Avvio, UnaCartellaCheNonSiPuoScrivereFinisceConTreENomina) {
  cartella_temporanea c;
  piattaforma_finta p(c.percorso() / "non esiste");
  EXPECT_EQ(esegui(p), uscita_programma::guasto_file);
  EXPECT_EQ(p.eventi, (std::vector<std::string>{"mostra 0", "ridisegna 0", "guasto"}));
  EXPECT_NE(p.guasto.find("Corvana_Selvadoro_linea.txt"), std::string::npos) << p.guasto;
  EXPECT_EQ(file_in(c.percorso()), 0u);
}

TEST(Avvio, ErroreMostraIlNumeroDopoUnoSpazioEFinisceConDue) {
  for (const std::string numero : {"1250", "1251"}) {
    cartella_temporanea c;
    piattaforma_finta p(c.percorso());
    try {
      errore(p, numero);
    } catch (const fine_programma_finta& f) {
      EXPECT_EQ(f.stato, uscita_programma::errore_scenario);
    }
    EXPECT_EQ(p.eventi, std::vector<std::string>{"[ Errore n. " + numero + "]"});
  }
}

// The window's layout in twips becomes these pixels: 280 x 179 with the
// label at 64, 64, 177 x 53 and a 32-pixel font at the usual 96 dpi, and
// proportionally more on screens of a higher resolution.
TEST(Finestra, DaTwipAPixelAllaRisoluzioneDelloSchermo) {
  struct caso {
    int dpi;
    int area[2];
    int etichetta[4];
    int carattere;
  };
  for (const caso& k : {caso{96, {280, 179}, {64, 64, 177, 53}, 32},
                        caso{120, {350, 224}, {80, 80, 221, 66}, 40},
                        caso{144, {420, 269}, {96, 96, 265, 79}, 48}}) {
    SCOPED_TRACE(k.dpi);
    EXPECT_EQ(finestra::in_pixel(finestra::larghezza_area, k.dpi), k.area[0]);
    EXPECT_EQ(finestra::in_pixel(finestra::altezza_area, k.dpi), k.area[1]);
    EXPECT_EQ(finestra::in_pixel(finestra::sinistra_etichetta, k.dpi), k.etichetta[0]);
    EXPECT_EQ(finestra::in_pixel(finestra::alto_etichetta, k.dpi), k.etichetta[1]);
    EXPECT_EQ(finestra::in_pixel(finestra::larghezza_etichetta, k.dpi), k.etichetta[2]);
    EXPECT_EQ(finestra::in_pixel(finestra::altezza_etichetta, k.dpi), k.etichetta[3]);
    EXPECT_EQ(finestra::altezza_carattere(finestra::punti_carattere, k.dpi), k.carattere);
  }
}

}  // namespace
}  // namespace gara
