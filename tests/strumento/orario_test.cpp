// `scenario orario` as an author runs it: the table of the sections, the
// JSON, the warnings, the nominal train's options and the exit statuses.
#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"

namespace gara::prova {
namespace {

const std::string scheda = "Corvana_Selvadoro_R 47315_scheda_treno.txt";

// The shipped scenario's five texts, in a folder whose name has a space and
// an accent.
struct cartella_spedita {
  cartella_temporanea c;
  std::filesystem::path dentro = c.percorso() / u8"orario è qui";
  cartella_spedita() { EXPECT_EQ(strumento({"estrai", percorso()}).stato, 0); }
  std::string percorso() const { return std::filesystem::path(dentro).string(); }
};

TEST(OrarioStrumento, TabellaDelleTratteEAvvisi) {
  cartella_spedita d;
  const auto e = strumento({"orario", d.percorso()});
  EXPECT_EQ(e.stato, 0) << e.errori;
  const std::string& u = e.uscita;
  EXPECT_NE(u.find("Rango delle tavole di velocità massima: C (dalla scheda)\n"), std::string::npos) << u;
  EXPECT_NE(u.find("Velocità massima del treno: 135 km/h (dalla scheda)\n"), std::string::npos);
  EXPECT_NE(u.find("CORVANA               PALAGIANO-CHIATONA       17000 m     840 s   498.4 s"), std::string::npos)
      << u;
  EXPECT_NE(u.find("GINOSA                SELVADORO                13000 m     840 s   362.1 s"), std::string::npos);
  EXPECT_NE(u.find(scheda + ":18:19: avviso: km 12 per \"CAGIONI\""), std::string::npos);
  EXPECT_NE(u.find("[V222]"), std::string::npos);
  EXPECT_TRUE(u.ends_with("0 errori, 4 avvisi\n")) << u;
  EXPECT_EQ(strumento({"orario", "--severo", d.percorso()}).stato, 1);
}

TEST(OrarioStrumento, JsonConTratteEDiagnostiche) {
  cartella_spedita d;
  const auto e = strumento({"orario", "--formato", "json", d.percorso()});
  EXPECT_EQ(e.stato, 0);
  const auto j = nlohmann::json::parse(e.uscita);
  ASSERT_EQ(j.at("tratte").size(), 5u);
  const auto& t = j.at("tratte").at(1);
  EXPECT_EQ(t.at("da"), "PALAGIANO-CHIATONA");
  EXPECT_EQ(t.at("a"), "BOSCO PINETO");
  EXPECT_EQ(t.at("da_metro"), 17000);
  EXPECT_EQ(t.at("a_metro"), 19000);
  EXPECT_EQ(t.at("distanza"), 2000);
  EXPECT_EQ(t.at("tempo_orario"), 0);
  EXPECT_NEAR(t.at("tempo_minimo").get<double>(), 2000 * 3.6 / 140, 1e-9);
  EXPECT_GT(t.at("tempo_stimato").get<double>(), t.at("tempo_minimo").get<double>());
  EXPECT_LT(t.at("margine").get<double>(), 0);
  EXPECT_EQ(j.at("rango"), "C");
  EXPECT_EQ(j.at("velocita_massima"), 135);
  const auto& prima = j.at("diagnostiche").at(0);
  EXPECT_EQ(prima.at("identificativo"), "V222");
  EXPECT_EQ(prima.at("riga"), 18);
  EXPECT_EQ(j.at("avvisi"), 4);
}

TEST(OrarioStrumento, OpzioniDelTrenoESenzaScheda) {
  cartella_spedita d;
  const auto base = nlohmann::json::parse(strumento({"orario", "--formato", "json", d.percorso()}).uscita);
  const auto lento = nlohmann::json::parse(
      strumento({"orario", "--formato", "json", "--velocita-massima", "60", "--rango", "A", "--potenza", "5",
                 "--massa-frenata", "60", d.percorso()})
          .uscita);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(lento.at("tratte").at(i).at("tempo_minimo"), base.at("tratte").at(i).at("tempo_minimo"));
    EXPECT_GT(lento.at("tratte").at(i).at("tempo_stimato").get<double>(),
              base.at("tratte").at(i).at("tempo_stimato").get<double>());
  }
  EXPECT_EQ(lento.at("rango"), "A");

  // Without the card: the description's times alone, no rank and no
  // maximum, and nothing to compare.
  std::filesystem::remove(d.dentro / scheda);
  const auto e = strumento({"orario", d.percorso()});
  EXPECT_EQ(e.stato, 0);
  EXPECT_NE(e.uscita.find("Rango delle tavole di velocità massima: nessuno (tavole ignorate)"), std::string::npos);
  EXPECT_NE(e.uscita.find("17000 m    1260 s"), std::string::npos) << e.uscita;  // 12:25 less 12:04
  EXPECT_TRUE(e.uscita.ends_with("0 errori, 1 avviso\n")) << e.uscita;
}

TEST(OrarioStrumento, SchedaConRigheStorte) {
  cartella_spedita d;
  std::ifstream in(d.dentro / scheda, std::ios::binary);
  std::string t((std::istreambuf_iterator<char>(in)), {});
  in.close();
  const std::string prima = " |135  |135  |    26    |";
  t.replace(t.find(prima), prima.size(), " |135  |135  |   ventisei |");
  const std::string ora = "12.43  12.45";
  t.replace(t.find(ora), ora.size(), "12,43  12.45");
  std::ofstream(d.dentro / scheda, std::ios::binary) << t;
  const auto e = strumento({"orario", d.percorso()});
  EXPECT_EQ(e.stato, 0);
  EXPECT_NE(e.uscita.find(scheda + ":21:18: avviso: chilometro illeggibile alla località \"CASTELLANETA MARINA\""),
            std::string::npos)
      << e.uscita;
  EXPECT_NE(e.uscita.find(scheda + ":22:63: avviso: orario illeggibile alla località \"GINOSA\""), std::string::npos);
  // The rows left out are stations the card lacks.
  EXPECT_NE(e.uscita.find("la stazione \"GINOSA\" della descrizione non è nella scheda treno"), std::string::npos);
}

TEST(OrarioStrumento, ConUnErroreDellaCompilazioneNessunTempo) {
  cartella_spedita d;
  auto treno = righe_treno_spedita();
  treno[15] = "stazione,    9025, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CAGIONI";
  scrivi_descrizioni(d.dentro, "Corvana_Selvadoro", "R 47315", righe_linea_spedita(), treno);
  const auto e = strumento({"orario", d.percorso()});
  EXPECT_EQ(e.stato, 0);
  EXPECT_TRUE(e.uscita.starts_with("Le descrizioni non si compilano")) << e.uscita;
  EXPECT_NE(e.uscita.find("[V008]"), std::string::npos);
  const auto j = nlohmann::json::parse(strumento({"orario", "--formato", "json", d.percorso()}).uscita);
  EXPECT_EQ(j.at("calcolato"), false);
  EXPECT_TRUE(j.at("tratte").empty());
  EXPECT_EQ(strumento({"orario", "--severo", d.percorso()}).stato, 1);
}

TEST(OrarioStrumento, ErroriDUsoEFileEsconoConTre) {
  cartella_spedita d;
  cartella_temporanea vuota;
  for (const auto& argomenti : std::vector<std::vector<std::string>>{
           {"orario"},
           {"orario", (vuota.percorso() / "manca").string()},
           {"orario", vuota.percorso().string()},
           {"orario", "--rango", "D", d.percorso()},
           {"orario", "--formato", "sarif", d.percorso()},
           {"orario", "--velocita-massima", "0", d.percorso()},
           {"orario", "--massa-aderente", "2", d.percorso()},
       }) {
    const auto e = strumento(argomenti);
    EXPECT_EQ(e.stato, 3) << argomenti.back();
    EXPECT_FALSE(e.errori.empty());
    EXPECT_EQ(e.uscita, "");
  }
  const auto aiuto = strumento({"orario", "--help"});
  EXPECT_EQ(aiuto.stato, 0);
  EXPECT_NE(aiuto.uscita.find("--potenza KW/T:POSITIVE=10"), std::string::npos) << aiuto.uscita;
}

}  // namespace
}  // namespace gara::prova
