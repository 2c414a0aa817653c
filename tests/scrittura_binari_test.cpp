#include "uscita/scrittura_binari.h"

#include "compilazione/compila.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "uscita/formato.h"
#include "uscita/timbro.h"

namespace gara {
namespace {

namespace fs = std::filesystem;

const std::string percorso = "Corvana_Selvadoro";
const std::string treno = "R 47315";
const std::string nome_linea = "Corvana_Selvadoro_linea.dat";
const std::string nome_sim = "Corvana_Selvadoro_R 47315.sim";
const std::string nome_dat = "Corvana_Selvadoro_R 47315.dat";

// A model the size of the scenario's (route length 47000: cells 0..1080,
// plan metres 0..54000) with varied contents, the plan filled as a complete
// read of the line description leaves it, stamped.
stato_compilazione modello_di_prova() {
  stato_compilazione s;
  s.nome_percorso = percorso;
  s.nome_treno = treno;
  s.genera_tracciato = 1;

  s.celle.assign(1081, cella{});
  for (std::size_t i = 0; i < s.celle.size(); ++i) {
    cella& c = s.celle[i];
    c.velocita = static_cast<uint8_t>(i % 29);
    c.pendenza = 100;
    c.aderenza = 100;
  }
  s.cella_in(497) = cella{1, 30, 40, 0, 3, 0, 0, 0, 28, 100, 100};
  s.cella_in(761) = cella{3, 80, 0, 1, 0, 0, 0, 0, 16, 100, 100};
  s.cella_in(489).avviso = 34;

  s.voce_in(voce::sfondi).testo = percorso;
  s.voce_in(voce::treno).testo = treno;
  s.voce_in(1) = voce_linea{8, 0, 600, 0, 1, "CORVANA", 1, 12, 4, 0, 0, 1, 1, 0, 1, 43200};
  s.voce_in(80).testo = "(FIUME LATO)";
  s.voce_in(voce::generale).valore2 = 47000;

  const int32_t m = 47000 + 7000;
  s.tracciato.crea(m);
  s.tracciato.imposta_intero(0, 0, 0);
  s.tracciato.imposta_intero(1, 0, 0);
  s.tracciato.imposta_intero(0, 1, 0);
  s.tracciato.imposta_intero(1, 1, 1);
  for (int64_t metro = 2; metro <= m - 2; ++metro) {
    s.tracciato.imposta_reale(metro, 0, static_cast<double>(metro) * 0.999);
    s.tracciato.imposta_reale(metro, 1, static_cast<double>(metro) / 7.0);
  }

  timbra(s);
  return s;
}

// The binaries of the model into the folder, as the package writes them;
// the names of those written, in order.
std::vector<std::string> scrivi_in(const stato_compilazione& s, const fs::path& cartella,
                                   std::vector<std::string> scritti = {}) {
  scrivi_binari(modello_di(s), scrittura_in_cartella(cartella), scritti);
  return scritti;
}

std::size_t dimensione(const fs::path& f) { return static_cast<std::size_t>(fs::file_size(f)); }

TEST(ScritturaBinari, DimensioniEOrdineDeiFileDelloScenario) {
  prova::cartella_temporanea cartella;
  auto s = modello_di_prova();

  EXPECT_EQ(scrivi_in(s, cartella.percorso()), (std::vector<std::string>{nome_linea, nome_sim, nome_dat}));
  EXPECT_EQ(dimensione(cartella.percorso() / nome_linea), 1079964u);
  EXPECT_EQ(dimensione(cartella.percorso() / nome_dat), 16215u);
  EXPECT_EQ(dimensione(cartella.percorso() / nome_sim),
            2958u + percorso.size() + treno.size() + 7u + 12u);

  const std::string dat = leggi_file(cartella.percorso() / nome_dat);
  EXPECT_EQ(dat.substr(16, 2), "\x01\x14");  // the header value 5121 in cell 1

  // Record 0 is never filled: 34 bytes of zeros, its text length included.
  const std::string sim = leggi_file(cartella.percorso() / nome_sim);
  EXPECT_EQ(sim.substr(0, 34), std::string(34, '\0'));
}

TEST(ScritturaBinari, IDecodificatoriRestituisconoIlModello) {
  auto s = modello_di_prova();
  const auto binari = prova::binari_in_memoria(s);

  const auto celle = decodifica_celle(binari.at(nome_dat));
  ASSERT_TRUE(celle) << celle.errore;
  ASSERT_EQ(celle.valore->size(), s.celle.size());
  for (std::size_t i = 0; i < s.celle.size(); ++i)
    EXPECT_EQ((*celle.valore)[i], s.celle[i]) << "cella " << i;

  const auto voci = decodifica_tabella(binari.at(nome_sim));
  ASSERT_TRUE(voci) << voci.errore;
  for (std::size_t i = 0; i < s.tabella_linea.size(); ++i)
    EXPECT_EQ((*voci.valore)[i], s.tabella_linea[i]) << "voce " << i;
  EXPECT_EQ((*voci.valore)[voce::sfondi].intero_a, 610);

  const auto piano = decodifica_tracciato(binari.at(nome_linea), 54000);
  ASSERT_TRUE(piano) << piano.errore;
  const tracciato_metri& t = *piano.valore;
  int differenze = 0;
  for (int asse = 0; asse <= 1; ++asse)
    for (int64_t m = 0; m <= 54000; ++m)
      if (t.tipo_di(m, asse) != s.tracciato.tipo_di(m, asse) ||
          std::bit_cast<uint64_t>(t.valore(m, asse)) !=
              std::bit_cast<uint64_t>(s.tracciato.valore(m, asse)))
        ++differenze;
  EXPECT_EQ(differenze, 0);
  EXPECT_EQ(t.tipo_di(53999, 0), tracciato_metri::tipo::vuoto);
  EXPECT_EQ(t.tipo_di(1, 1), tracciato_metri::tipo::intero);
  EXPECT_EQ(t.valore(1, 1), 1.0);
}

// The plan's writer hands runs of reals to the file as they are held and
// encodes the other elements one by one: runs that start and end on every
// side of the 64-element words of the reals' bitmap, reals overwritten by
// integers and integers by reals, a long run of reals as the plan's bulk,
// and empty elements, all come back as they were.
TEST(ScritturaBinari, TrattiDiRealiInteriEVuotiInOgniPosizione) {
  auto s = modello_di_prova();
  tracciato_metri& t = s.tracciato;
  t.crea(300000);
  for (const int64_t m : {0, 1, 62, 63, 64, 65, 127, 128, 129, 191, 200, 255, 256})
    t.imposta_intero(m, 0, static_cast<int16_t>(-m));
  t.posa_reali(2, 62, [](int64_t m) { return std::pair{m * 0.5, -m * 0.25}; });
  t.posa_reali(70, 299990, [](int64_t m) { return std::pair{m / 3.0, m * 1e-300}; });
  t.imposta_intero(100, 0, 7);     // a real become an integer
  t.imposta_reale(64, 0, -0.0);    // an integer become a real
  t.imposta_reale(299999, 1, 1.5);  // a real alone after empty elements
  uint64_t atteso = 0;
  for (int asse = 0; asse <= 1; ++asse)
    for (int64_t m = 0; m <= 300000; ++m) atteso += byte_elemento(t.tipo_di(m, asse));
  EXPECT_EQ(byte_tracciato(t), atteso);

  const std::string byte = prova::binari_in_memoria(s).at(nome_linea);
  EXPECT_EQ(byte.size(), atteso);
  const auto piano = decodifica_tracciato(byte, 300000);
  ASSERT_TRUE(piano) << piano.errore;
  int differenze = 0;
  for (int asse = 0; asse <= 1; ++asse)
    for (int64_t m = 0; m <= 300000; ++m)
      if (piano.valore->tipo_di(m, asse) != t.tipo_di(m, asse) ||
          std::bit_cast<uint64_t>(piano.valore->valore(m, asse)) != std::bit_cast<uint64_t>(t.valore(m, asse)))
        ++differenze;
  EXPECT_EQ(differenze, 0);
  EXPECT_EQ(t.tipo_di(100, 0), tracciato_metri::tipo::intero);
  EXPECT_EQ(t.valore(100, 0), 7.0);
  EXPECT_EQ(std::bit_cast<uint64_t>(t.valore(64, 0)), std::bit_cast<uint64_t>(-0.0));
  EXPECT_EQ(t.tipo_di(299995, 1), tracciato_metri::tipo::vuoto);
  EXPECT_EQ(t.tipo_di(150, 1), tracciato_metri::tipo::reale);
}

TEST(ScritturaBinari, UnFileVecchioPiuLungoEsceSostituitoDelTutto) {
  prova::cartella_temporanea cartella;
  for (const auto& nome : {nome_linea, nome_sim, nome_dat})
    prova::scrivi_file(cartella.percorso() / nome, std::string(2'000'000, 'x'));
  auto s = modello_di_prova();

  scrivi_in(s, cartella.percorso());

  EXPECT_EQ(dimensione(cartella.percorso() / nome_linea), 1079964u);
  EXPECT_EQ(dimensione(cartella.percorso() / nome_dat), 16215u);
  EXPECT_TRUE(decodifica_tabella(leggi_file(cartella.percorso() / nome_sim)));
  // Nothing else is left in the folder: no temporary file.
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella.percorso()), fs::directory_iterator()), 3);
}

TEST(ScritturaBinari, SenzaGeneraTracciatoIlVecchioPianoResta) {
  prova::cartella_temporanea cartella;
  prova::scrivi_file(cartella.percorso() / nome_linea, "piano vecchio");
  auto s = modello_di_prova();
  s.genera_tracciato = 0;

  EXPECT_EQ(scrivi_in(s, cartella.percorso()), (std::vector<std::string>{nome_sim, nome_dat}));
  EXPECT_EQ(leggi_file(cartella.percorso() / nome_linea), "piano vecchio");
  EXPECT_EQ(dimensione(cartella.percorso() / nome_dat), 16215u);
}

TEST(ScritturaBinari, UnTestoTroppoLungoFermaTuttoPrimaDiToccareIFile) {
  prova::cartella_temporanea cartella;
  for (const auto& nome : {nome_linea, nome_sim, nome_dat})
    prova::scrivi_file(cartella.percorso() / nome, "vecchio " + nome);
  auto s = modello_di_prova();
  s.voce_in(79).testo.assign(testo_massimo + 1, 'x');

  std::vector<std::string> scritti;
  try {
    scrivi_binari(modello_di(s), scrittura_in_cartella(cartella.percorso()), scritti);
    ADD_FAILURE() << "nessun errore";
  } catch (const errore_file& e) {
    const std::string messaggio = e.what();
    EXPECT_NE(messaggio.find(nome_sim), std::string::npos) << messaggio;
    EXPECT_NE(messaggio.find("voce 79"), std::string::npos) << messaggio;
  }

  EXPECT_TRUE(scritti.empty());
  for (const auto& nome : {nome_linea, nome_sim, nome_dat})
    EXPECT_EQ(leggi_file(cartella.percorso() / nome), "vecchio " + nome);
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella.percorso()), fs::directory_iterator()), 3);
}

TEST(ScritturaBinari, UnaCartellaMancanteEUnErroreDiFile) {
  prova::cartella_temporanea cartella;
  auto s = modello_di_prova();
  std::vector<std::string> scritti;
  EXPECT_THROW(scrivi_binari(modello_di(s), scrittura_in_cartella(cartella.percorso() / "manca"), scritti), errore_file);
  EXPECT_TRUE(scritti.empty());
}

}  // namespace
}  // namespace gara
