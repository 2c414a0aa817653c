// Hostile descriptions compiled as the package and the authoring tool
// compile them: each must end with a defined code, the description files
// to be left or deleted as the reader's rules say and, when a grid exists,
// binary files that read back as the model they came from. Under the sanitizer
// preset the same run proves that no table is read or written outside.
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "bersagli_fuzz.h"
#include "ingressi_ostili.h"
#include "modello/nomi_file.h"
#include "uscita/formato.h"
#include "compilazione/compila.h"

namespace gara::prova {

void PrintTo(const ingresso_ostile& k, std::ostream* o) { *o << k.nome; }

namespace {

class IngressiOstili : public ::testing::TestWithParam<ingresso_ostile> {};

TEST_P(IngressiOstili, CodiceDefinitoEFileSecondoLeRegole) {
  const ingresso_ostile& k = GetParam();
  const sorgenti d = sorgenti_di("P", "T", k.linea ? &*k.linea : nullptr, k.treno ? &*k.treno : nullptr);
  risultato_compilazione r;
  ASSERT_NO_THROW(r = compila(d, {"P", "T", 1}));
  const risultato_compilazione& s = r;

  EXPECT_EQ(s.codice_errore(), k.codice);
  if (k.posizione) {
    EXPECT_EQ(s.posizione_errore, *k.posizione);
  }
  EXPECT_EQ(s.cancella_linea, k.linea.has_value());
  EXPECT_EQ(k.treno && !s.cancella_treno, k.resta_treno);

  EXPECT_EQ(r.binari_da_scrivere(), k.scritti);
  if (k.scritti) {
    const auto binari = binari_in_memoria(s.modello);
    ASSERT_EQ(binari.size(), 3u);
    const auto celle = decodifica_celle(binari.at(nome_dat("P", "T")));
    ASSERT_TRUE(celle) << celle.errore;
    EXPECT_TRUE(*celle.valore == s.modello.celle);
    const auto tabella_letta = decodifica_tabella(binari.at(nome_sim("P", "T")));
    ASSERT_TRUE(tabella_letta) << tabella_letta.errore;
    EXPECT_TRUE(*tabella_letta.valore == s.modello.tabella_linea);
    const auto t = decodifica_tracciato(binari.at(nome_linea_dat("P")), s.modello.tracciato.ultimo_metro());
    EXPECT_TRUE(t) << t.errore;
  }

  // The fuzzer's own checks on the same pair.
  const std::string coppia =
      k.treno ? fuzz::unisci_descrizioni(k.linea.value_or(""), *k.treno) : k.linea.value_or("");
  if (k.linea) {
    try {
      fuzz::prova_memorizza_dati(coppia);
      fuzz::prova_verifica(coppia);
      fuzz::prova_verifica(coppia + " ");  // the other parity: without the plan
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tabella, IngressiOstili, ::testing::ValuesIn(ingressi_ostili()),
                         [](const auto& caso) { return caso.param.nome; });

}  // namespace
}  // namespace gara::prova
