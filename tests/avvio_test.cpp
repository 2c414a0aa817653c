// The start-up sequence against a stand-in platform that records what the
// user would see, and the layout of the window in pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "avvio/avvio.h"
#include "avvio/finestra.h"
#include "avvio/piattaforma.h"

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

  std::filesystem::path cartella_programma() override { return cartella_; }
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

int esegui(piattaforma& p) {
  try {
    sequenza_avvio(p);
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
