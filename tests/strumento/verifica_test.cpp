// `scenario verifica` as an author runs it: the text form compilers use,
// JSON and SARIF, the catalogue, and the exit statuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"
#include "resoconto/diagnostiche.h"

namespace gara::prova {
namespace {

// A folder with the shipped scenario, its train description broken at two
// places: a station off the 50 m step (an error) and a speed "8x0" (a
// warning).
struct cartella_con_problemi {
  cartella_temporanea c;
  cartella_con_problemi() {
    auto treno = righe_treno_spedita();
    treno[10] = "velocita,   38000,    8x0";
    treno[15] = "stazione,    9025, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CAGIONI";
    scrivi_descrizioni(c.percorso(), "Corvana_Selvadoro", "R 47315", righe_linea_spedita(), treno);
  }
  std::string percorso() const { return c.percorso().string(); }
};

TEST(VerificaStrumento, TestoComeUnCompilatore) {
  cartella_con_problemi d;
  const auto e = strumento({"verifica", d.percorso()});
  EXPECT_EQ(e.stato, 1) << e.errori;
  EXPECT_EQ(e.uscita,
            "Corvana_Selvadoro_R 47315-.txt:11:23: avviso: campo numerico \"8x0\" che non è un intero: il "
            "compilatore legge 8; qui va un numero intero, per esempio 8 [V201]\n"
            "  11 | velocita,   38000,    8x0\n"
            "     |                       ^~~\n"
            "Corvana_Selvadoro_R 47315-.txt:16:14: errore: posizione della stazione non multipla di 50 (al metro "
            "9025) [V008]\n"
            "  16 | stazione,    9025, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CAGIONI\n"
            "     |              ^~~~\n"
            "1 errore, 1 avviso\n");
  // Nothing written, changed or deleted.
  EXPECT_EQ(nomi_in(d.c.percorso()),
            (std::vector<std::string>{"Corvana_Selvadoro_R 47315-.txt", "Corvana_Selvadoro_linea.txt"}));
}

TEST(VerificaStrumento, JsonConUnOggettoSolo) {
  cartella_con_problemi d;
  const auto e = strumento({"verifica", "--formato", "json", d.percorso()});
  EXPECT_EQ(e.stato, 1);
  const auto j = nlohmann::json::parse(e.uscita);
  EXPECT_EQ(j.at("errori"), 1);
  EXPECT_EQ(j.at("avvisi"), 1);
  const auto& errore = j.at("diagnostiche").at(1);
  EXPECT_EQ(errore.at("file"), "Corvana_Selvadoro_R 47315-.txt");
  EXPECT_EQ(errore.at("riga"), 16);
  EXPECT_EQ(errore.at("colonna"), 14);
  EXPECT_EQ(errore.at("colonna_fine"), 18);
  EXPECT_EQ(errore.at("gravita"), "errore");
  EXPECT_EQ(errore.at("identificativo"), "V008");
  EXPECT_EQ(errore.at("codice"), 8);
  EXPECT_TRUE(j.at("diagnostiche").at(0).at("codice").is_null());
}

TEST(VerificaStrumento, UsciteSeveroMassimoEdElenco) {
  cartella_temporanea pulita;
  ASSERT_EQ(strumento({"estrai", pulita.percorso().string()}).stato, 0);
  const auto buona = strumento({"verifica", pulita.percorso().string()});
  // Nothing wrong in the descriptions' form; the shipped timetable and its
  // card disagree (a time no train keeps, two kilometres, a transit): four
  // warnings, which leave the exit at 0.
  EXPECT_EQ(buona.stato, 0);
  EXPECT_TRUE(buona.uscita.ends_with("0 errori, 4 avvisi\n")) << buona.uscita;
  EXPECT_NE(buona.uscita.find("[V222]"), std::string::npos);

  // A warning alone: 0, or 1 with --severo.
  auto treno = righe_treno_spedita();
  treno[10] = "velocita,   38000,    8x0";
  cartella_temporanea avviso;
  scrivi_descrizioni(avviso.percorso(), "L", "T", righe_linea_spedita(), treno);
  EXPECT_EQ(strumento({"verifica", avviso.percorso().string()}).stato, 0);
  EXPECT_EQ(strumento({"verifica", "--severo", avviso.percorso().string()}).stato, 1);

  cartella_con_problemi d;
  const auto corta = strumento({"verifica", "--massimo", "1", d.percorso()});
  EXPECT_NE(corta.uscita.find("... e altri 1 problemi non mostrati"), std::string::npos) << corta.uscita;
  EXPECT_EQ(corta.uscita.find("V008"), std::string::npos);

  const auto elenco = strumento({"verifica", "--elenco"});
  EXPECT_EQ(elenco.stato, 0);
  EXPECT_NE(elenco.uscita.find("V008  errore "), std::string::npos) << elenco.uscita;
  EXPECT_NE(elenco.uscita.find("V201  avviso "), std::string::npos);

  EXPECT_EQ(strumento({"verifica", (d.c.percorso() / "manca").string()}).stato, 3);
  EXPECT_EQ(strumento({"verifica"}).stato, 3);
  EXPECT_EQ(strumento({"verifica", "--formato", "xml", d.percorso()}).stato, 3);
}

TEST(VerificaStrumento, SarifConIlCatalogoComeRegole) {
  cartella_con_problemi d;
  const auto e = strumento({"verifica", "--formato", "sarif", d.percorso()});
  const auto j = nlohmann::json::parse(e.uscita);
  EXPECT_EQ(j.at("version"), "2.1.0");
  const auto& run = j.at("runs").at(0);
  EXPECT_GT(run.at("tool").at("driver").at("rules").size(), 30u);
  const auto& r = run.at("results").at(1);
  EXPECT_EQ(r.at("ruleId"), "V008");
  EXPECT_EQ(r.at("level"), "error");
  const auto& posto = r.at("locations").at(0).at("physicalLocation");
  EXPECT_EQ(posto.at("artifactLocation").at("uri"), "Corvana_Selvadoro_R%2047315-.txt");
  EXPECT_EQ(posto.at("region").at("startLine"), 16);
  // The files are found from anywhere: named from the folder, given whole.
  EXPECT_EQ(posto.at("artifactLocation").at("uriBaseId"), "CARTELLA");
  const std::string base = run.at("originalUriBaseIds").at("CARTELLA").at("uri");
  EXPECT_TRUE(base.starts_with("file:///")) << base;
  EXPECT_TRUE(base.ends_with("/")) << base;
}

TEST(VerificaStrumento, LaCartellaComeUriDiFile) {
  EXPECT_EQ(uri_di_cartella("/home/anna/mio scenario"), "file:///home/anna/mio%20scenario/");
  EXPECT_EQ(uri_di_cartella("C:\\Users\\Anna\\Citt\xC3\xA0\\"), "file:///C:/Users/Anna/Citt%C3%A0/");
}

}  // namespace
}  // namespace gara::prova
