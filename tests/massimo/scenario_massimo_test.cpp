// The maximum-size scenario of the benchmarks is what its name says only if
// it compiles as a valid scenario: every entry placed, nothing refused.
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "modello/cella.h"
#include "modello/codici.h"
#include "modello/nomi_file.h"
#include "scenario_massimo.h"
#include "uscita/formato.h"
#include "uscita/memorizza_percorso.h"

namespace gara {
namespace {

TEST(ScenarioMassimo, SiCompilaSenzaProblemiAlleDimensioniMassime) {
  const auto m = banco::genera_scenario_massimo();
  prova::compilazione_di_prova c;
  prova::scrivi_file(c.file_linea(), m.linea);
  prova::scrivi_file(c.file_treno(), m.treno);
  int32_t j = 1;
  memorizza_percorso(c.s, j);

  EXPECT_EQ(c.s.codice_errore, 0) << significato(c.s.codice_errore) << " al metro " << c.s.posizione_errore;
  EXPECT_TRUE(c.s.errore_fatale.empty());
  ASSERT_EQ(c.s.celle.size(), 20141u);
  EXPECT_EQ(c.s.tracciato.ultimo_metro(), 1007000);

  int stazioni = 0;
  for (int i = 1; i <= 80; ++i) stazioni += c.s.tabella_linea[static_cast<std::size_t>(i)].tipo_stazione != 0;
  EXPECT_EQ(stazioni, 70);
  int segnali = 0, indicatori = 0, cartelli = 0, rallentamenti = 0;
  for (const cella& x : c.s.celle) {
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
  EXPECT_EQ(c.s.tracciato.tipo_di(1006998, 1), tracciato_metri::tipo::reale);
  EXPECT_EQ(c.s.tracciato.tipo_di(1006999, 0), tracciato_metri::tipo::vuoto);

  const auto uscita = [&](const std::string& nome) { return percorso_file(c.s.cartella_uscita, nome); };
  EXPECT_EQ(std::filesystem::file_size(uscita(nome_linea_dat("P"))), byte_tracciato(c.s.tracciato));
  EXPECT_EQ(std::filesystem::file_size(uscita(nome_linea_dat("P"))), 20139964u);
  EXPECT_EQ(std::filesystem::file_size(uscita(nome_dat("P", "T"))), 20141u * formato::byte_cella);
}

}  // namespace
}  // namespace gara
