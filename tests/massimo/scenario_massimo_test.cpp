// The maximum-size scenario of the benchmarks is what its name says only if
// it compiles as a valid scenario: every entry placed, nothing refused.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "aiuti_prove.h"
#include "modello/cella.h"
#include "modello/codici.h"
#include "modello/nomi_file.h"
#include "scenario_massimo.h"
#include "uscita/formato.h"
#include "compilazione/compila.h"
#include "uscita/scrittura_binari.h"
#include "orario/orario.h"
#include "verifica/verifica.h"

namespace gara {
namespace {

TEST(ScenarioMassimo, SiCompilaSenzaProblemiAlleDimensioniMassime) {
  const auto m = banco::genera_scenario_massimo();
  const auto r = compila(prova::sorgenti_di("P", "T", &m.linea, &m.treno), {"P", "T", 1});
  const modello_compilato& c = r.modello;

  EXPECT_EQ(r.codice_errore(), 0) << significato(r.codice_errore()) << " al metro " << r.posizione_errore;
  EXPECT_EQ(r.fermata, arresto::nessuno);
  ASSERT_EQ(c.celle.size(), 20141u);
  EXPECT_EQ(c.tracciato.ultimo_metro(), 1007000);

  int stazioni = 0;
  for (int i = 1; i <= 80; ++i) stazioni += c.tabella_linea[static_cast<std::size_t>(i)].tipo_stazione != 0;
  EXPECT_EQ(stazioni, 70);
  int segnali = 0, indicatori = 0, cartelli = 0, rallentamenti = 0;
  for (const cella& x : c.celle) {
    segnali += x.tipo == tipo_cella::segnale;
    indicatori += x.tipo == tipo_cella::indicatore_vmax;
    cartelli += x.tipo == tipo_cella::cartello;
    rallentamenti += x.tipo == tipo_cella::inizio_rallentamento;
  }
  EXPECT_GT(segnali, 1200);  // one every 800 m, less where a station or a slowdown stands
  EXPECT_GE(indicatori, 999);
  EXPECT_GT(cartelli, 0);
  EXPECT_GT(rallentamenti, 0);

  // Both axes full up to metre L + 6998, the two last metres empty.
  EXPECT_EQ(c.tracciato.tipo_di(1006998, 1), tracciato_metri::tipo::reale);
  EXPECT_EQ(c.tracciato.tipo_di(1006999, 0), tracciato_metri::tipo::vuoto);

  // The writer's bytes, counted rather than kept.
  std::map<std::string, uint64_t> byte;
  std::vector<std::string> scritti;
  scrivi_binari(
      c, [&](const std::string& nome) { return std::make_unique<scrittura_contata>(byte[nome]); }, scritti);
  EXPECT_EQ(byte[nome_linea_dat("P")], byte_tracciato(c.tracciato));
  EXPECT_EQ(byte[nome_linea_dat("P")], 20139964u);
  EXPECT_EQ(byte[nome_dat("P", "T")], 20141u * formato::byte_cella);
}

// The running times over the whole route: 69 sections of 14 km, each timed
// ten minutes, every one computed, the estimate never below the bound.
TEST(ScenarioMassimo, TempiDiPercorrenzaSuTuttaLaLinea) {
  const auto m = banco::genera_scenario_massimo();
  const auto e = verifica(prova::sorgenti_di("P", "T", &m.linea, &m.treno), {"P", "T", true});
  const auto r = orario::calcola_orario(e, "P_T-.txt", std::nullopt, {});
  ASSERT_EQ(r.tratte.size(), 69u);
  EXPECT_EQ(r.limiti_linea.size(), 1000000u);
  for (const auto& t : r.tratte) {
    EXPECT_EQ(t.distanza(), 14000);
    EXPECT_EQ(t.tempo_orario, 600);
    ASSERT_TRUE(t.tempo_minimo && t.tempo_stimato);
    EXPECT_GE(*t.tempo_stimato, *t.tempo_minimo);
  }
  EXPECT_TRUE(r.diagnostiche.empty()) << r.diagnostiche.front().motivo;
}

}  // namespace
}  // namespace gara
