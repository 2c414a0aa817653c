// Hostile descriptions compiled as the package and the authoring tool
// compile them: each must end with a defined code, the description files
// left or deleted as the reader's rules say and, when a grid exists, binary
// files that read back as the model they came from. Under the sanitizer
// preset the same run proves that no table is read or written outside.
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "bersagli_fuzz.h"
#include "ingressi_ostili.h"
#include "modello/nomi_file.h"
#include "uscita/formato.h"
#include "uscita/memorizza_percorso.h"

namespace gara::prova {

void PrintTo(const ingresso_ostile& k, std::ostream* o) { *o << k.nome; }

namespace {

class IngressiOstili : public ::testing::TestWithParam<ingresso_ostile> {};

TEST_P(IngressiOstili, CodiceDefinitoEFileSecondoLeRegole) {
  const ingresso_ostile& k = GetParam();
  compilazione_di_prova c;
  if (k.linea) scrivi_file(c.file_linea(), *k.linea);
  if (k.treno) scrivi_file(c.file_treno(), *k.treno);
  int32_t j = 1;
  ASSERT_NO_THROW(memorizza_percorso(c.s, j));

  EXPECT_EQ(c.s.codice_errore, k.codice);
  if (k.posizione) {
    EXPECT_EQ(c.s.posizione_errore, *k.posizione);
  }
  EXPECT_FALSE(std::filesystem::exists(c.file_linea()));
  EXPECT_EQ(std::filesystem::exists(c.file_treno()), k.resta_treno);

  const auto cartella = c.cartella.percorso();
  const auto dat = percorso_file(cartella, nome_dat("P", "T"));
  const auto sim = percorso_file(cartella, nome_sim("P", "T"));
  const auto piano = percorso_file(cartella, nome_linea_dat("P"));
  EXPECT_EQ(std::filesystem::exists(dat), k.scritti);
  EXPECT_EQ(std::filesystem::exists(sim), k.scritti);
  EXPECT_EQ(std::filesystem::exists(piano), k.scritti);
  if (k.scritti) {
    const auto celle = decodifica_celle(leggi_tutto(dat));
    ASSERT_TRUE(celle) << celle.errore;
    EXPECT_TRUE(*celle.valore == c.s.celle);
    const auto tabella_letta = decodifica_tabella(leggi_tutto(sim));
    ASSERT_TRUE(tabella_letta) << tabella_letta.errore;
    EXPECT_TRUE(*tabella_letta.valore == c.s.tabella_linea);
    const auto t = decodifica_tracciato(leggi_tutto(piano), c.s.tracciato.ultimo_metro());
    EXPECT_TRUE(t) << t.errore;
  }
  for (const auto& voce : std::filesystem::directory_iterator(cartella))
    EXPECT_NE(voce.path().extension(), ".nuovo") << "file temporaneo rimasto: " << voce.path();

  // The fuzzer's own checks on the same pair.
  cartella_temporanea altrove;
  const std::string coppia =
      k.treno ? fuzz::unisci_descrizioni(k.linea.value_or(""), *k.treno) : k.linea.value_or("");
  if (k.linea) {
    try {
      fuzz::prova_memorizza_dati(coppia, altrove.percorso());
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tabella, IngressiOstili, ::testing::ValuesIn(ingressi_ostili()),
                         [](const auto& caso) { return caso.param.nome; });

}  // namespace
}  // namespace gara::prova
