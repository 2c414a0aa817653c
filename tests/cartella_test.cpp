// The scenario folder module as every front end calls it: the compile in a
// folder, the binaries read back for a view, the five texts read for a
// package.
#include <gtest/gtest.h>

#include <algorithm>

#include "aiuti_prove.h"
#include "cartella/binari_in_cartella.h"
#include "cartella/compila_in_cartella.h"
#include "cartella/testi_in_cartella.h"
#include "file/file.h"
#include "modello/nomi_file.h"
#include "pacchetto/carico.h"

namespace gara {
namespace {

using prova::cartella_temporanea;

const identita spedito{percorso_del_pacchetto, treno_del_pacchetto};

// The shipped texts in `sorgente`, compiled into `uscita`.
compilazione_in_cartella compila_spedito(const std::filesystem::path& sorgente,
                                         const std::filesystem::path& uscita, bool tracciato,
                                         bool cancella) {
  scrivi_testi(sorgente, scenario_spedito());
  compilazione_in_cartella c;
  compila_in_cartella({sorgente, uscita, spedito, tracciato, cancella}, c);
  return c;
}

TEST(Cartella, CompilaComeIlPacchettoECancellaSoloSeRichiesto) {
  cartella_temporanea a, b;
  const auto c = compila_spedito(a.percorso(), b.percorso(), true, false);
  EXPECT_TRUE(c.riuscita());
  EXPECT_EQ(c.scritti, (std::vector<std::string>{"Corvana_Selvadoro_linea.dat", "Corvana_Selvadoro_R 47315.sim",
                                                 "Corvana_Selvadoro_R 47315.dat"}));
  EXPECT_TRUE(esiste_file(percorso_file(a.percorso(), nome_descrizione_linea(spedito.nome_percorso))));
  EXPECT_EQ(prova::leggi_tutto(percorso_file(b.percorso(), nome_dat(spedito.nome_percorso, spedito.nome_treno))).size(),
            16215u);

  compila_spedito(a.percorso(), a.percorso(), true, true);
  EXPECT_FALSE(esiste_file(percorso_file(a.percorso(), nome_descrizione_linea(spedito.nome_percorso))));
  EXPECT_FALSE(esiste_file(
      percorso_file(a.percorso(), nome_descrizione_treno(spedito.nome_percorso, spedito.nome_treno))));
}

TEST(Cartella, IBinariTornanoPerLaVistaEUnTracciatoDiUnAltraCompilazioneSiScarta) {
  cartella_temporanea a, b;
  compila_spedito(a.percorso(), a.percorso(), true, false);
  auto letti = leggi_binari(a.percorso(), spedito);
  ASSERT_TRUE(letti.binari) << letti.messaggio;
  EXPECT_EQ(letti.binari->celle.size(), 1081u);
  ASSERT_TRUE(letti.binari->tracciato);
  EXPECT_EQ(letti.binari->tracciato->ultimo_metro(), 54000);
  EXPECT_FALSE(letti.avviso);

  // The line table of a route 50 m longer: the plan no longer belongs to it.
  scenario_carico s = scenario_spedito();
  const auto lunghezza = s.testi[0].find("47000");
  ASSERT_NE(lunghezza, std::string::npos);
  s.testi[0].replace(lunghezza, 5, "47050");
  scrivi_testi(b.percorso(), s);
  compilazione_in_cartella c;
  compila_in_cartella({b.percorso(), b.percorso(), spedito, false, false}, c);
  for (const auto& nome : {nome_sim(spedito.nome_percorso, spedito.nome_treno),
                           nome_dat(spedito.nome_percorso, spedito.nome_treno)})
    prova::scrivi_file(percorso_file(a.percorso(), nome), prova::leggi_tutto(percorso_file(b.percorso(), nome)));
  letti = leggi_binari(a.percorso(), spedito);
  ASSERT_TRUE(letti.binari) << letti.messaggio;
  EXPECT_FALSE(letti.binari->tracciato);
  ASSERT_TRUE(letti.avviso);
  EXPECT_NE(letti.avviso->find("arriva al metro 54000 ma la linea ne vuole 54050"), std::string::npos)
      << *letti.avviso;
}

TEST(Cartella, BinariMancantiONonValidi) {
  cartella_temporanea a;
  EXPECT_EQ(leggi_binari(a.percorso(), spedito).problema, problema_binari::mancante);
  compila_spedito(a.percorso(), a.percorso(), false, false);
  prova::scrivi_file(percorso_file(a.percorso(), nome_sim(spedito.nome_percorso, spedito.nome_treno)), "corto");
  const auto letti = leggi_binari(a.percorso(), spedito);
  EXPECT_FALSE(letti.binari);
  EXPECT_EQ(letti.problema, problema_binari::non_valido);
  EXPECT_NE(letti.messaggio.find(".sim\" non rispetta il suo formato"), std::string::npos) << letti.messaggio;
}

TEST(Cartella, ITestiDiUnPacchettoENomiDiQuelliMancanti) {
  cartella_temporanea a;
  const scenario_carico s = scenario_spedito();
  scrivi_testi(a.percorso(), s);
  EXPECT_EQ(leggi_testi(a.percorso(), spedito).scenario, s);
  std::filesystem::remove(percorso_file(a.percorso(), nome_note(spedito.nome_percorso, spedito.nome_treno)));
  const auto t = leggi_testi(a.percorso(), spedito);
  EXPECT_EQ(t.mancanti, std::vector<std::string>{"Corvana_Selvadoro_R 47315_note.txt"});
  EXPECT_EQ(testi_presenti(a.percorso(), s).size(), 4u);
}

}  // namespace
}  // namespace gara
