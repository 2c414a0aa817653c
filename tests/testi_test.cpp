#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "aiuti_prove.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"
#include "file/file.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;

// The lines of a written file, without their CR LF; fails the test when a
// line end is not CR LF.
std::vector<std::string> righe_di(const std::string& byte) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  while (inizio < byte.size()) {
    const auto fine = byte.find("\r\n", inizio);
    EXPECT_NE(fine, std::string::npos) << "ultima riga senza CR LF";
    if (fine == std::string::npos) break;
    righe.push_back(byte.substr(inizio, fine - inizio));
    EXPECT_EQ(righe.back().find_first_of("\r\n"), std::string::npos) << "fine riga spaiata";
    inizio = fine + 2;
  }
  return righe;
}

struct testo_pacchetto {
  const char* nome;
  std::string file;
  std::size_t righe;
  std::size_t byte;
};

const std::string percorso = "Corvana_Selvadoro";
const std::string treno = "R 47315";

// In the order the package writes them.
const testo_pacchetto testi[] = {
    {"linea", "Corvana_Selvadoro_linea.txt", 38, 1568},
    {"treno", "Corvana_Selvadoro_R 47315-.txt", 35, 1489},
    {"note", "Corvana_Selvadoro_R 47315_note.txt", 36, 2555},
    {"rallentamenti", "Corvana_Selvadoro_R 47315_rallentamenti.txt", 46, 3285},
    {"scheda", "Corvana_Selvadoro_R 47315_scheda_treno.txt", 49, 3733},
};

// The bytes of a text of the scenario, by file name.
std::string testo(const std::string& file) {
  for (const auto& t : testi_scenario(percorso, treno))
    if (t.nome == file) return t.byte;
  throw std::runtime_error("nessun testo " + file);
}

TEST(TestiDelPacchetto, NomiRigheEByte) {
  const auto scenario = testi_scenario(percorso, treno);
  for (std::size_t i = 0; i < scenario.size(); ++i) {
    const testo_pacchetto& t = testi[i];
    EXPECT_EQ(scenario[i].nome, t.file) << t.nome;
    const std::string& byte = scenario[i].byte;
    EXPECT_EQ(byte.size(), t.byte) << t.nome;
    EXPECT_EQ(righe_di(byte).size(), t.righe) << t.nome;
    EXPECT_NE(byte.substr(0, 3), "\xEF\xBB\xBF") << t.nome;
    EXPECT_EQ(byte.find("riferimento fine del file"), std::string::npos) << t.nome;
    // Every byte is plain ASCII but for the accented letters of the prose.
    for (unsigned char b : byte) {
      if (b >= 0x80) {
        EXPECT_NE(std::string("\xE0\xE8\xEC\xF2\xF9").find(static_cast<char>(b)), std::string::npos);
      }
    }
  }
}

TEST(TestiDelPacchetto, RigheCheContano) {
  const auto linea = righe_di(testo("Corvana_Selvadoro_linea.txt"));
  EXPECT_NE(linea[0].find("linea \xE8 fatta"), std::string::npos);
  EXPECT_NE(linea[0].find("velocit\xE0 massima"), std::string::npos);
  EXPECT_EQ(linea[2].back(), ' ');
  EXPECT_EQ(linea[12], "ripetizione segnali 4 codici,    0    ,0");
  EXPECT_EQ(linea[33], "cartello_indicatore,  800,   (DEPOSITO  )(LOCOMOTIVE)");
  EXPECT_EQ(linea[37], "[fine]");
  EXPECT_EQ(std::max_element(linea.begin(), linea.end(),
                             [](const auto& a, const auto& b) { return a.size() < b.size(); })->size(),
            105u);

  const auto tr = righe_di(testo("Corvana_Selvadoro_R 47315-.txt"));
  EXPECT_EQ(tr[4], "orologio,    12              3             11 ");
  EXPECT_EQ(tr[25].substr(tr[25].size() - 3), "199");

  const auto note = righe_di(testo("Corvana_Selvadoro_R 47315_note.txt"));
  std::vector<int> con_spazio;
  for (std::size_t i = 0; i < note.size(); ++i)
    if (!note[i].empty() && note[i].back() == ' ') con_spazio.push_back(static_cast<int>(i) + 1);
  EXPECT_EQ(con_spazio, (std::vector<int>{5, 7, 12, 21, 23, 24, 25, 26, 28, 35, 36}));
  EXPECT_EQ(note[26].size(), 16u);
  const std::string tutte = testo("Corvana_Selvadoro_R 47315_note.txt");
  for (char accentata : std::string("\xE0\xE8\xEC\xF2\xF9"))
    EXPECT_NE(tutte.find(accentata), std::string::npos);

  const auto ordine = righe_di(testo("Corvana_Selvadoro_R 47315_rallentamenti.txt"));
  for (int i : {1, 6, 40}) EXPECT_EQ(ordine[i - 1], "") << i;
  for (int i : {4, 8}) EXPECT_EQ(ordine[i - 1].size(), 81u) << i;
  for (int i = 9; i <= 39; ++i) EXPECT_EQ(ordine[i - 1].size(), 82u) << i;
  EXPECT_EQ(std::count(ordine.begin(), ordine.end(), ordine[13]), 25);

  const auto scheda = righe_di(testo("Corvana_Selvadoro_R 47315_scheda_treno.txt"));
  for (int i : {1, 2, 12, 49}) EXPECT_EQ(scheda[i - 1], "") << i;
  for (int i : {3, 13}) EXPECT_EQ(scheda[i - 1].size(), 82u) << i;
  for (int i = 4; i <= 7; ++i) EXPECT_EQ(scheda[i - 1].size(), 83u) << i;
  for (int i = 14; i <= 48; ++i) EXPECT_EQ(scheda[i - 1].size(), 83u) << i;
  EXPECT_EQ(scheda[8].substr(scheda[8].size() - 8), "|       ");
  EXPECT_EQ(std::count(scheda.begin(), scheda.end(), scheda[23]), 24);
  EXPECT_EQ(scheda[47], scheda[15]);
  EXPECT_NE(scheda[13].find("Localita'"), std::string::npos);
}

TEST(Emissione, IlMarcatoreFermaSoloSeUgualeDelTutto) {
  const std::string_view righe[] = {"riferimento fine del file.", "RIFERIMENTO FINE DEL FILE", "",
                                    "à"};
  EXPECT_EQ(testo_windows1252(righe),
            "riferimento fine del file.\r\nRIFERIMENTO FINE DEL FILE\r\n\r\n\xE0\r\n");
  const std::string_view con_marcatore[] = {"a", fine_del_file, "b"};
  EXPECT_EQ(testo_windows1252(con_marcatore), "a\r\n");
}

TEST(Emissione, RifiutaRigheNonCodificabiliETroppeRighe) {
  const std::string_view greco[] = {"ok", "λ"};
  EXPECT_THROW(testo_windows1252(greco), std::logic_error);
  const std::vector<std::string_view> mille(1000, "x"), oltre(1001, "x");
  EXPECT_EQ(testo_windows1252(mille).size(), 3000u);
  EXPECT_THROW(testo_windows1252(oltre), std::logic_error);
}

TEST(Emissione, SostituisceUnFilePiuLungoSenzaResti) {
  cartella_temporanea c;
  const auto file = c.percorso() / "Corvana_Selvadoro_linea.txt";
  prova::scrivi_file(file, std::string(100000, 'x'));
  sostituisci_file(file, dati_linea());
  const std::string prima = leggi_tutto(file);
  EXPECT_EQ(prima.size(), 1568u);
  sostituisci_file(file, dati_linea());
  EXPECT_EQ(leggi_tutto(file), prima);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(c.percorso()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace gara
