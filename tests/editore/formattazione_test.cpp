#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "bersagli_fuzz.h"
#include "compilazione/compila.h"
#include "editore/formattazione.h"
#include "editore/testo.h"
#include "modello/windows1252.h"
#include "scenario/dati.h"

namespace gara {
namespace {

using editore::applica_formattazione;
using editore::formatta;

std::string formattato(const std::string& testo, bool della_linea) {
  return applica_formattazione(testo, formatta(testo, della_linea));
}

TEST(Formattazione, AllineaIValoriDiOgniBloccoInColonna) {
  const std::string prima =
      "prosa, prima del blocco,   intatta\r\n"
      "[generale]\r\n"
      "velocita,   0,    30  \r\n"
      "velocita,     650,   140\r\n"
      "VELOCITA,38000,80\r\n"
      "aderenza, 0, 100\r\n"
      "stazione, 1000, 12,  400,  0, 0, 1,  1,1,0,  4,1,1, 60, 12,25, 0, PALAGIANO-CHIATONA\r\n"
      "stazione, 25000,  8, 600, 0, 0, 0, 1,1,0, 4,1,1, 1, 12, 4, 0,  BOSCO PINETO \r\n"
      "stazione, \"1000\", 12\r\n"
      "---------, 1,  2\r\n"
      "riga sconosciuta,  1\r\n"
      "orologio,    12              3             11 \r\n"
      "[fine]";
  const std::string atteso =
      "prosa, prima del blocco,   intatta\r\n"
      "[generale]\r\n"
      "velocita,     0,  30\r\n"
      "velocita,   650, 140\r\n"
      "VELOCITA, 38000,  80\r\n"
      "aderenza, 0, 100\r\n"
      "stazione,  1000, 12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 60, 12, 25, 0, PALAGIANO-CHIATONA\r\n"
      "stazione, 25000,  8, 600, 0, 0, 0, 1, 1, 0, 4, 1, 1,  1, 12,  4, 0, BOSCO PINETO\r\n"
      "stazione, \"1000\", 12\r\n"
      "---------, 1,  2\r\n"
      "riga sconosciuta,  1\r\n"
      "orologio, 12              3             11\r\n"
      "[fine]";
  EXPECT_EQ(formattato(prima, false), atteso);
  EXPECT_TRUE(formatta(atteso, false).empty());
  // Only the lines that change are given.
  const auto righe = formatta(prima, false);
  ASSERT_FALSE(righe.empty());
  EXPECT_EQ(righe.front().riga, 2u);
}

// Every input kept by the fuzzers of the compile and the check, every
// regression, and the shipped scenario.
std::vector<std::string> ingressi() {
  std::vector<std::string> r{fuzz::unisci_descrizioni(dati_linea(), dati_treno())};
  for (const std::filesystem::path& cartella :
       {std::filesystem::path(GARA_CARTELLA_CORPORA) / "verifica", std::filesystem::path(GARA_CARTELLA_CORPORA) / "memorizza_dati",
        std::filesystem::path(GARA_CARTELLA_PROVE) / "regressioni" / "verifica",
        std::filesystem::path(GARA_CARTELLA_PROVE) / "regressioni" / "memorizza_dati"}) {
    if (!std::filesystem::is_directory(cartella)) continue;
    std::vector<std::filesystem::path> file;
    for (const auto& v : std::filesystem::directory_iterator(cartella))
      if (v.is_regular_file()) file.push_back(v.path());
    std::sort(file.begin(), file.end());
    for (const auto& f : file) r.push_back(prova::leggi_tutto(f));
  }
  return r;
}

// A description as the editor would show it, formatted and saved again;
// nothing when the editor could not show it unchanged.
std::optional<std::string> formattata_nell_editor(const std::string& byte, bool della_linea, bool& cambiata) {
  const std::string testo = da_windows1252(byte);
  if (editore::in_byte(testo, "x").byte != byte) return std::nullopt;
  const auto righe = formatta(testo, della_linea);
  cambiata = cambiata || !righe.empty();
  const std::string nuovo = applica_formattazione(testo, righe);
  EXPECT_TRUE(formatta(nuovo, della_linea).empty()) << "non idempotente:\n" << nuovo;
  return editore::in_byte(nuovo, "x").byte;
}

TEST(Formattazione, LaCompilazioneDelFormattatoHaGliStessiByte) {
  std::size_t provati = 0;
  std::size_t cambiati = 0;
  for (const std::string& ingresso : ingressi()) {
    const fuzz::coppia_descrizioni c = fuzz::dividi_descrizioni(ingresso);
    bool cambiata = false;
    const auto linea = formattata_nell_editor(c.linea, true, cambiata);
    const auto treno = c.treno ? formattata_nell_editor(*c.treno, false, cambiata) : std::optional<std::string>();
    if (!linea || (c.treno && !treno)) continue;
    ++provati;
    if (!cambiata) continue;
    ++cambiati;
    const opzioni_compilazione o{"P", "T", ingresso.size() % 2 == 0, modo_lettura::fedele};
    const auto originale = compila(prova::sorgenti_di("P", "T", &c.linea, c.treno ? &*c.treno : nullptr), o);
    const auto nuova = compila(prova::sorgenti_di("P", "T", &*linea, treno ? &*treno : nullptr), o);
    std::string quale = "ingresso:\n" + ingresso.substr(0, 2000);
    if (treno) quale += "\ntreno formattato:\n" + treno->substr(0, 2000);
    quale += "\nlinea formattata:\n" + linea->substr(0, 2000);
    ASSERT_EQ(nuova.codice_errore(), originale.codice_errore()) << quale;
    ASSERT_EQ(nuova.posizione_errore, originale.posizione_errore) << quale;
    ASSERT_EQ(nuova.fermata, originale.fermata) << quale;
    ASSERT_EQ(nuova.cancella_linea, originale.cancella_linea) << quale;
    ASSERT_EQ(nuova.cancella_treno, originale.cancella_treno) << quale;
    ASSERT_TRUE(prova::binari_in_memoria(nuova.modello) == prova::binari_in_memoria(originale.modello)) << quale;
  }
  std::cout << "formattazione: " << provati << " coppie provate, " << cambiati
            << " cambiate dalla formattazione, tutte con gli stessi byte compilati\n";
  EXPECT_GT(cambiati, 100u);
}

}  // namespace
}  // namespace gara
