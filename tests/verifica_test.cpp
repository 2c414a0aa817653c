// The check of a scenario: every problem at once, each at its line and
// column with its identifier, the compile's own error among them, and a
// small fixture for each kind of warning.
#include "verifica/verifica.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "aiuti_prove.h"
#include "modello/codici.h"
#include "scenario/dati.h"
#include "verifica/catalogo.h"

namespace gara {
namespace {

const std::string linea_p = "P_linea.txt";
const std::string treno_p = "P_T-.txt";

esito_verifica verifica_di(const std::string& linea, const std::string& treno, int32_t j = 1) {
  return verifica(prova::sorgenti_di("P", "T", &linea, &treno), {"P", "T", j});
}

// A text with one piece replaced, which must be there.
std::string con(std::string testo, const std::string& prima, const std::string& dopo) {
  const auto i = testo.find(prima);
  if (i == std::string::npos) throw std::logic_error("nel testo manca: " + prima);
  return testo.replace(i, prima.size(), dopo);
}

using problema = std::tuple<std::string, int, int, std::string>;  // file, line, column, identifier

std::vector<problema> problemi(const esito_verifica& e) {
  std::vector<problema> p;
  for (const auto& d : e.diagnostiche)
    p.emplace_back(d.dove ? d.dove->file : "", d.dove ? d.dove->linea : 0, d.dove ? d.dove->colonna : 0,
                   identificativo(d));
  return p;
}

TEST(Verifica, LoScenarioDelPacchettoNonHaProblemi) {
  // With the plan and without it: a compile without the plan passes the
  // curves' values over, which is no slip of the author's.
  for (const int32_t j : {1, 0}) {
    const auto e = verifica_di(dati_linea(), dati_treno(), j);
    EXPECT_EQ(e.errori, 0) << "j = " << j;
    EXPECT_EQ(e.avvisi, 0) << "j = " << j;
    EXPECT_TRUE(e.diagnostiche.empty()) << e.diagnostiche.front().motivo;
  }
}

TEST(Verifica, DodiciProblemiIndipendentiInUnaSolaVolta) {
  std::string l = dati_linea();
  l = con(l, "curvas1,  16100,  300", "curva destra 5,  16100,  300");                      // 18:1 V202
  l = con(l, "pendenza,  24000,   0", "pendenza,  24000,   0\r\npendenza,  20000,   1");     // 25:12 V207
  l = con(l, "[montagne]", "pendnza, 30000, 2\r\n[montagne]");                               // 26:1 V213
  l = con(l, "cartello_indicatore,  14000,", "cartello_indicatore,  800,");                   // 38:1 V006
  std::string t = dati_treno();
  t = con(t, "numero vetture,    4", "numero vettura,    4");                                 // 2:1 V213
  t = con(t, "velocita,   38000,    80", "velocita,   38000,    8x0");                        // 11:23 V201
  t = con(t, "stazione,    9000, 26,", "stazione,    9025, 2600,");                           // 16:14 V008, 16:20 V025
  t = con(t, "GINOSA", "CORVANA");                                                           // 20:73 V212
  t = con(t, "rallentamento,   38000,    80,", "rallentamento,   38000,    120,");           // 23:18 V208
  t = con(t, "segnale,   24800,", "segnale,   15500,");                                     // 27:1 V016
  t = con(t, "segnale,   46600,", "segnale,   49000,");                                     // 33:12 V206

  const auto e = verifica_di(l, t);
  EXPECT_EQ(problemi(e), (std::vector<problema>{
                             {linea_p, 18, 1, "V202"},
                             {linea_p, 25, 12, "V207"},
                             {linea_p, 26, 1, "V213"},
                             {linea_p, 38, 1, "V006"},
                             {treno_p, 2, 1, "V213"},
                             {treno_p, 11, 23, "V201"},
                             {treno_p, 16, 14, "V008"},
                             {treno_p, 16, 20, "V025"},
                             {treno_p, 20, 73, "V212"},
                             {treno_p, 23, 18, "V208"},
                             {treno_p, 27, 1, "V016"},
                             {treno_p, 33, 12, "V206"},
                         }));
  EXPECT_EQ(e.errori, 4);
  EXPECT_EQ(e.avvisi, 8);
  // The compile stops at the first of them, the board at metre 800.
  EXPECT_EQ(e.compilazione.stato.codice_errore, codice::cartello_occupato);
  // Taken cells point at the entry that took them.
  const auto& cartello = e.diagnostiche[3];
  ASSERT_TRUE(cartello.prima.has_value());
  EXPECT_EQ(cartello.prima->linea, 36);
  const auto& segnale = e.diagnostiche[10];
  ASSERT_TRUE(segnale.prima.has_value());
  EXPECT_EQ(segnale.prima->linea, 25);
}

// One small fixture for each kind of warning, in the train description
// (or the line description, for the kinds of its entries).
struct caso_avviso {
  const char* identificativo;
  std::string corpo_linea;  // after the general block
  std::string corpo_treno;
  int linea;  // of the warning, in the file that has it
};

void PrintTo(const caso_avviso& k, std::ostream* o) { *o << k.identificativo; }

std::string linea_con(const std::string& corpo) {
  return "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\n" + corpo + "[fine]\r\n";
}
std::string treno_con(const std::string& corpo) { return "[generale]\r\n" + corpo + "[fine]\r\n"; }

const caso_avviso casi_avvisi[] = {
    {"V201", "", "velocita, 0, 32.500\r\n", 2},
    {"V202", "curvadestra4, 1000, 100\r\n", "", 4},
    {"V203", "", "questa riga non dice nulla\r\n", 2},
    {"V204", "", "sabbia, 300, 4\r\n", 2},
    {"V205", "", "velocita, 1000\r\nvelocita, 2000, 60\r\n", 3},
    {"V206", "", "velocita, 48000, 60\r\n", 2},
    {"V207", "", "aderenza, 2000, 90\r\naderenza, 1000, 80\r\n", 3},
    {"V208", "", "rallentamento, 20000, 130, 500, 1, 1, 0\r\n", 2},
    {"V209", "", "velocita, 0, 350\r\n", 2},
    {"V212", "", "stazione, 10000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n"
                 "stazione, 20000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n", 3},
    {"V213", "", "orologgio, 12, 0, 0\r\n", 2},
};

class AvvisiVerifica : public ::testing::TestWithParam<caso_avviso> {};

TEST_P(AvvisiVerifica, UnaVoceUnAvviso) {
  const caso_avviso& k = GetParam();
  const auto e = verifica_di(linea_con(k.corpo_linea), treno_con(k.corpo_treno));
  EXPECT_EQ(e.errori, 0) << e.diagnostiche.front().motivo;
  ASSERT_EQ(e.avvisi, 1);
  const diagnostica& d = e.diagnostiche.front();
  EXPECT_EQ(identificativo(d), k.identificativo) << d.motivo;
  ASSERT_TRUE(d.dove.has_value());
  EXPECT_EQ(d.dove->file, k.corpo_linea.empty() ? treno_p : linea_p);
  EXPECT_EQ(d.dove->linea, k.linea);
  EXPECT_NE(voce_dell_avviso(k.identificativo), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Tabella, AvvisiVerifica, ::testing::ValuesIn(casi_avvisi),
                         [](const auto& caso) { return std::string(caso.param.identificativo); });

TEST(Verifica, FileInUtf8EFineRigaDiverse) {
  const std::string linea = linea_con("");
  const auto utf8 = verifica_di(linea, treno_con("stazione, 10000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, CITTÀ\r\n"));
  EXPECT_EQ(problemi(utf8), (std::vector<problema>{{treno_p, 2, 63, "V210"}}));
  const auto lf = verifica_di(linea, "[generale]\nvelocita, 0, 60\n[fine]\n");
  EXPECT_EQ(problemi(lf), (std::vector<problema>{{treno_p, 1, 11, "V211"}}));
}

TEST(Verifica, OgniVoceDelCatalogoEUnica) {
  std::vector<std::string_view> visti;
  for (const voce_catalogo& v : catalogo()) {
    for (std::string_view w : visti) EXPECT_NE(w, v.identificativo);
    visti.push_back(v.identificativo);
    EXPECT_FALSE(v.spiegazione.empty());
    if (v.livello == gravita::errore) {
      EXPECT_EQ(voce_del_codice(v.codice), &v);
    }
  }
}

}  // namespace
}  // namespace gara
