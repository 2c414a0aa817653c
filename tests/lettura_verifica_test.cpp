// The checking reading: each problem is recorded at its field and the
// reading goes on at the next entry, so that the entries after it still
// reach the model. The faithful reading of the same descriptions stops at
// the first, as the package does.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "compilazione/compila.h"
#include "modello/codici.h"

namespace gara {
namespace {

using prova::compilazione_di_prova;

std::string linea(std::string_view corpo) {
  return "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\n" + std::string(corpo) + "[fine]\r\n";
}
std::string treno(std::string_view corpo) { return "[generale]\r\n" + std::string(corpo) + "[fine]\r\n"; }

struct caso_verifica {
  const char* nome;
  std::string linea;
  std::string treno;
  std::vector<int32_t> codici;   // the errors of the checking reading, in order
  int32_t codice_fedele;         // what the faithful reading leaves
  std::function<void(const stato_compilazione&)> poi;  // what the later entries left
};

void PrintTo(const caso_verifica& k, std::ostream* o) { *o << k.nome; }

std::vector<int32_t> codici(const stato_compilazione& s) {
  std::vector<int32_t> c;
  for (const auto& d : s.diagnostiche)
    if (d.livello == gravita::errore) c.push_back(d.codice);
  return c;
}

const caso_verifica casi[] = {
    {"cartello_su_cella_presa_poi_altro_cartello",
     linea("cartello_indicatore, 800, (A)\r\ncartello_indicatore, 800, (B)\r\n"
           "cartello_indicatore, 1200, (C)\r\n"),
     treno(""),
     {codice::cartello_occupato},
     codice::cartello_occupato,
     [](const stato_compilazione& s) {
       EXPECT_EQ(s.celle[25].tipo, tipo_cella::cartello);
       EXPECT_EQ(s.tabella_linea[79].testo, "(C)");
     }},
    {"curva_senza_cifra_poi_montagna",
     linea("curva, 1000, 200, x\r\nmontagna, 2000, 3000, 1\r\n"),
     treno(""),
     {codice::curva_errata},
     codice::curva_errata,
     [](const stato_compilazione& s) { EXPECT_EQ(s.celle[45].montagna, 1); }},
    {"voce_oltre_la_griglia_poi_indicatore",
     linea("pendenza, 60000, 3\r\nindicatori_vmax, 1000, 1,1,1,0, 1,1,1,0\r\n"),
     treno(""),
     {codice::oltre_griglia},
     codice::oltre_griglia,
     [](const stato_compilazione& s) { EXPECT_EQ(s.celle[21].tipo, tipo_cella::indicatore_vmax); }},
    {"tre_problemi_del_treno_e_un_segnale_dopo",
     linea(""),
     treno("stazione, 10025, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n"
           "stazione, 20000, 2600, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, B\r\n"
           "abbattimento, 5000, 3\r\nabbattimento, 5000, 4\r\n"
           "segnale, 30000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n"),
     {codice::stazione_fuori_passo, codice::guasto_lettura, codice::abbattimento_occupato},
     codice::stazione_fuori_passo,
     [](const stato_compilazione& s) {
       EXPECT_EQ(s.tabella_linea[1].testo, "A");  // placed all the same
       EXPECT_EQ(s.celle[100].dato1, 3);
       EXPECT_EQ(s.celle[601].tipo, tipo_cella::segnale);
     }},
    {"segnale_su_cella_presa_poi_velocita",
     linea(""),
     treno("velocita, 0, 30\r\nsegnale, 30000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n"
           "segnale, 30000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\nvelocita, 1000, 60\r\n"),
     {codice::segnale_occupato},
     codice::segnale_occupato,
     [](const stato_compilazione& s) {
       EXPECT_EQ(s.celle[30].velocita, 12);
       EXPECT_EQ(s.posizione_errore, 30000);
     }},
};

class Verifica : public ::testing::TestWithParam<caso_verifica> {};

TEST_P(Verifica, OgniProblemaERegistratoELaLetturaProsegue) {
  const caso_verifica& k = GetParam();
  compilazione_di_prova v;
  v.leggi(&k.linea, &k.treno, 1, modo_lettura::verifica);
  EXPECT_EQ(codici(v.s), k.codici);
  for (const auto& d : v.s.diagnostiche) {
    ASSERT_TRUE(d.dove.has_value()) << d.motivo;
    EXPECT_GT(d.dove->linea, 0) << d.motivo;
    EXPECT_GT(d.dove->colonna, 0) << d.motivo;
    EXPECT_GT(d.dove->lunghezza, 0) << d.motivo;
    EXPECT_FALSE(d.motivo.empty());
  }
  k.poi(v.s);

  compilazione_di_prova f;
  f.leggi(&k.linea, &k.treno);
  EXPECT_EQ(f.s.codice_errore(), k.codice_fedele);
}

INSTANTIATE_TEST_SUITE_P(Tabella, Verifica, ::testing::ValuesIn(casi),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(Verifica, UnValoreFuoriDalCampoDiceQualeCampoQualeValoreEQualiLimiti) {
  const std::string l = linea("");
  const std::string t = treno("stazione, 20000, 2600, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, B\r\n");
  compilazione_di_prova c;
  c.leggi(&l, &t);
  ASSERT_EQ(c.s.codice_errore(), codice::guasto_lettura);
  ASSERT_EQ(c.s.diagnostiche.size(), 1u);
  const diagnostica& d = c.s.diagnostiche.front();
  EXPECT_EQ(*d.dove, (luogo{"P_T-.txt", 2, 18, 4}));
  EXPECT_NE(d.motivo.find("valore 2600 fuori dai limiti del campo (da 0 a 255)"), std::string::npos) << d.motivo;
  EXPECT_NE(d.motivo.find("\"stazione\""), std::string::npos) << d.motivo;
}

TEST(Verifica, UnCartelloOltreLaTabellaDiceQualeTabella) {
  std::string corpo;
  for (int i = 0; i < 81; ++i) corpo += "cartello_indicatore, " + std::to_string(1000 + 100 * i) + ", (X)\r\n";
  const std::string l = linea(corpo);
  compilazione_di_prova c;
  c.leggi(&l, &prova::treno_vuoto);
  ASSERT_EQ(c.s.codice_errore(), codice::guasto_lettura);
  EXPECT_NE(c.s.diagnostiche.back().motivo.find("tabella della linea"), std::string::npos)
      << c.s.diagnostiche.back().motivo;
  EXPECT_EQ(c.s.diagnostiche.back().dove->linea, 84);
}

TEST(Verifica, SenzaLunghezzaDelPercorsoUnSoloProblemaPerLaGriglia) {
  const std::string l = "[generale]\r\n[curve]\r\npendenza, 100, 1\r\npendenza, 200, 2\r\nmontagna, 1, 2, 3\r\n[fine]\r\n";
  compilazione_di_prova c;
  c.leggi(&l, &prova::treno_vuoto, 0, modo_lettura::verifica);  // without the plan, that needs the grid first
  ASSERT_EQ(codici(c.s), (std::vector<int32_t>{codice::guasto_lettura}));
  EXPECT_EQ(c.s.diagnostiche.front().dove->linea, 3);
}

}  // namespace
}  // namespace gara
