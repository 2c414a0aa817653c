// `scenario mostra` on the shipped scenario's files, and on files that do
// not fit their layout.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"
#include "modello/stato_compilazione.h"
#include "uscita/timbro.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::strumento;

// The shipped scenario, extracted and compiled by the tool.
class MostraScenarioSpedito : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(strumento({"estrai", d.percorso().string()}).stato, 0);
    const auto c = strumento(
        {"compila", "--percorso", "Corvana_Selvadoro", "--treno", "R 47315", d.percorso().string()});
    ASSERT_EQ(c.stato, 0) << c.uscita;
  }
  prova::esito_strumento mostra(const std::string& nome, bool json = false) {
    const auto file = (d.percorso() / nome).string();
    return json ? strumento({"mostra", "--json", file}) : strumento({"mostra", file});
  }
  // The two codes the stamp computes from the identity.
  static std::pair<int, int> codici() {
    stato_compilazione s;
    s.tabella_linea[voce::sfondi].testo = "Corvana_Selvadoro";
    s.tabella_linea[voce::treno].testo = "R 47315";
    return {codice_gara_og(s), codice_gara_st(s)};
  }
  cartella_temporanea d;
};

TEST_F(MostraScenarioSpedito, LeCelleMostranoUnSegnaleEIlTimbroConINomiDeiCampi) {
  const auto e = mostra("Corvana_Selvadoro_R 47315.dat");
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.uscita.find("1081 celle"), std::string::npos);
  // "segnale,   24800,   1, 3, 4, ..." in cell 497, its marks before it.
  EXPECT_NE(e.uscita.find("cella   497  metro   24800  tipo   1 (segnale)"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("dato1=30 dato2=40 dato3=0 dato4=3 tempo=0 avviso=0"), std::string::npos);
  EXPECT_NE(e.uscita.find("cella   495  metro   24700  tipo   0 (nessun oggetto)"), std::string::npos);
  EXPECT_NE(e.uscita.find("avviso=31"), std::string::npos);
  // The stamp in cell 1.
  const std::string timbro = "cella     1  metro       0  tipo   0 (nessun oggetto)";
  const auto dove = e.uscita.find(timbro);
  ASSERT_NE(dove, std::string::npos) << e.uscita;
  const std::string riga = e.uscita.substr(dove, e.uscita.find('\n', dove) - dove);
  EXPECT_NE(riga.find("dato1=5121 dato2=" + std::to_string(codici().first) + " "), std::string::npos) << riga;
  // Profiles as runs: 140 km/h from cell 13 to 759.
  EXPECT_NE(e.uscita.find("celle    13-  759  metri     650-  37999:  28  (140 km/h)"), std::string::npos)
      << e.uscita;
}

TEST_F(MostraScenarioSpedito, LaTabellaMostraUnaStazioneELaVoce85) {
  const auto e = mostra("Corvana_Selvadoro_R 47315.sim");
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.uscita.find("voce 3: \"PALAGIANO-CHIATONA\"\n"
                          "  stazione 3: marciapiede dal metro 16800 al metro 17250, stazione al metro 17000, "
                          "tipo 12, orario 12:25:00\n"),
            std::string::npos)
      << e.uscita;
  EXPECT_NE(e.uscita.find("orario=44700"), std::string::npos);
  EXPECT_NE(e.uscita.find("voce 85: \"Corvana_Selvadoro\""), std::string::npos);
  EXPECT_NE(e.uscita.find("intero_a=610 "), std::string::npos);
  EXPECT_NE(e.uscita.find("orario=" + std::to_string(codici().second) + "\n"), std::string::npos);
  EXPECT_NE(e.uscita.find("voce 80: \"(DEPOSITO  )(LOCOMOTIVE)\"\n  testo di un cartello indicatore"),
            std::string::npos);
  // Empty records are not listed.
  EXPECT_EQ(e.uscita.find("voce 0:"), std::string::npos);
  EXPECT_EQ(e.uscita.find("voce 8:"), std::string::npos);
}

TEST_F(MostraScenarioSpedito, IlTracciatoMostraLunghezzaEstensioneECampioni) {
  const auto e = mostra("Corvana_Selvadoro_linea.dat");
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(e.uscita.find("54001 metri per asse (0-54000): una linea di 47000 m"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("Asse 0: metri 0-1 interi, metri 2-53998 reali, metri 53999-54000 vuoti"),
            std::string::npos);
  EXPECT_NE(e.uscita.find("Estensione: asse 0"), std::string::npos);
  // Straight along axis 1 up to the first curve at 2450.
  EXPECT_NE(e.uscita.find("      1000            0.000         1000.000\n"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("     54000            vuoto            vuoto\n"), std::string::npos);
}

TEST_F(MostraScenarioSpedito, IlJsonDaIlContenutoIntero) {
  const auto celle = nlohmann::json::parse(mostra("Corvana_Selvadoro_R 47315.dat", true).uscita);
  ASSERT_EQ(celle.at("celle").size(), 1081u);
  EXPECT_EQ(celle.at("celle")[497].at("tipo"), 1);
  EXPECT_EQ(celle.at("celle")[497].at("dato2"), 40);
  EXPECT_EQ(celle.at("celle")[1].at("dato1"), 5121);

  const auto tabella = nlohmann::json::parse(mostra("Corvana_Selvadoro_R 47315.sim", true).uscita);
  ASSERT_EQ(tabella.at("voci").size(), 87u);
  EXPECT_EQ(tabella.at("voci")[3].at("testo"), "PALAGIANO-CHIATONA");
  EXPECT_EQ(tabella.at("voci")[85].at("intero_a"), 610);
  EXPECT_EQ(tabella.at("voci")[85].at("orario"), codici().second);

  const auto tracciato = nlohmann::json::parse(mostra("Corvana_Selvadoro_linea.dat", true).uscita);
  EXPECT_EQ(tracciato.at("ultimo_metro"), 54000);
  const auto& asse1 = tracciato.at("assi")[1];
  ASSERT_EQ(asse1.size(), 54001u);
  EXPECT_TRUE(asse1[1].is_number_integer());  // the two starting points are integers
  EXPECT_EQ(asse1[1], 1);
  EXPECT_TRUE(asse1[2].is_number_float());
  EXPECT_TRUE(asse1[54000].is_null());
}

TEST(Mostra, UnFileCheNonRispettaIlSuoFormatoEUnErroreChiaro) {
  cartella_temporanea d;
  struct caso {
    const char* nome;
    std::string byte;
    int stato;
    const char* messaggio;
  };
  std::string tabella_corta(2958 - 1, '\0');
  std::string tracciato_dispari("\x02\x00\x07\x00", 4);
  for (const caso& c : {
           caso{"a.dat", std::string(16, '\0'), 1, "multiplo di 15"},
           caso{"a.dat", "", 1, "vuoto"},
           caso{"a.sim", tabella_corta, 1, "voce 86"},
           caso{"a.sim", std::string(2958 + 5, '\0'), 1, "in più"},
           caso{"a_linea.dat", tracciato_dispari, 1, "due assi"},
           caso{"a_linea.dat", std::string("\x09\x00", 2), 1, "sconosciuto"},
           caso{"a_linea.dat", std::string("\x05\x00\x01", 3), 1, "troncato"},
           caso{"a.txt", "x", 3, "non so che file sia"},
       }) {
    const auto file = d.percorso() / c.nome;
    prova::scrivi_file(file, c.byte);
    const auto e = strumento({"mostra", file.string()});
    EXPECT_EQ(e.stato, c.stato) << c.nome << " " << c.byte.size();
    EXPECT_NE(e.errori.find(c.messaggio), std::string::npos) << e.errori;
    EXPECT_EQ(e.uscita, "");
  }
  const auto manca = strumento({"mostra", (d.percorso() / "manca.sim").string()});
  EXPECT_EQ(manca.stato, 3);
  EXPECT_NE(manca.errori.find("impossibile aprire"), std::string::npos) << manca.errori;
}

}  // namespace
}  // namespace gara
