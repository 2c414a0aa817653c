#include "uscita/timbro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "compilazione/compila.h"

namespace gara {
namespace {

// A grid of 20 cells with the identifier copies in records 85 and 86, as the
// line reader leaves them.
stato_compilazione con_identificatori(const std::string& treno, const std::string& percorso) {
  stato_compilazione s;
  s.celle.assign(21, cella{});
  s.voce_in(voce::treno).testo = treno;
  s.voce_in(voce::sfondi).testo = percorso;
  return s;
}

struct caso_codici {
  std::string treno;
  std::string percorso;
  int16_t og;
  int32_t st;
};

TEST(Timbro, CodiciDegliIdentificatori) {
  const std::vector<caso_codici> casi = {
      {"A", "bc", 2546, 33756},
      {"bc", "A", 2546, 33753},  // the train comes first
      {"", "", 2583, 34355},     // the tail alone
      {"\xFF", "", 2727, 34307}, // a byte above 127 counts as 255
  };
  for (const auto& k : casi) {
    SCOPED_TRACE("treno \"" + k.treno + "\", percorso \"" + k.percorso + "\"");
    const auto s = con_identificatori(k.treno, k.percorso);
    EXPECT_EQ(codice_gara_og(s), k.og);
    EXPECT_EQ(codice_gara_st(s), k.st);
  }
}

TEST(Timbro, MaiuscoleEMinuscoleDannoGliStessiCodici) {
  const auto maiuscole = con_identificatori("R 47315 \xC8", "CORVANA_SELVADORO");
  const auto minuscole = con_identificatori("r 47315 \xE8", "corvana_selvadoro");
  EXPECT_EQ(codice_gara_og(maiuscole), codice_gara_og(minuscole));
  EXPECT_EQ(codice_gara_st(maiuscole), codice_gara_st(minuscole));
}

TEST(Timbro, ContanoSoloIPrimi25Caratteri) {
  const std::string venticinque = "abcdefghijklmnopqrstuvwxy";
  const auto a = con_identificatori(venticinque, "zzz");
  const auto b = con_identificatori(venticinque, "");
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
  EXPECT_EQ(codice_gara_st(a), codice_gara_st(b));
}

// The stop of the stamp as the message box shows it; empty for none.
std::string numero_fermata(arresto a) { return a == arresto::nessuno ? "" : numero_arresto(a); }
std::string fermata(const stato_compilazione& s) { return numero_fermata(s.fermata); }

TEST(Timbro, TimbraTabellaECella1) {
  auto s = con_identificatori("A", "bc");
  s.cella_in(1).tipo = tipo_cella::marcatore_montagna;
  s.cella_in(1).velocita = 28;

  timbra(s);

  EXPECT_EQ(fermata(s), "");
  EXPECT_EQ(s.voce_in(voce::sfondi).intero_a, 610);
  EXPECT_EQ(s.voce_in(voce::sfondi).orario, 33756);
  EXPECT_EQ(s.cella_in(1), (cella{.tipo = tipo_cella::marcatore_montagna,
                                  .dato1 = 5121,
                                  .dato2 = 2546,
                                  .velocita = 28}));
}

struct caso_occupato {
  std::string nome;
  void (*prepara)(stato_compilazione&);
  std::string errore;
  // What the stamp places hold afterwards.
  int16_t intero_a;
  int16_t dato1;
  int32_t orario;
  int16_t dato2;
};

TEST(Timbro, PostoOccupatoFermaIlTimbroSenzaSovrascrivere) {
  const std::vector<caso_occupato> casi = {
      {"record 85 intero_a", [](stato_compilazione& s) { s.voce_in(voce::sfondi).intero_a = 7; },
       "1250", 7, 0, 0, 0},
      {"cella 1 dato1", [](stato_compilazione& s) { s.cella_in(1).dato1 = 80; }, "1250", 0, 80, 0,
       0},
      {"record 85 orario", [](stato_compilazione& s) { s.voce_in(voce::sfondi).orario = 5; },
       "1251", 610, 5121, 5, 0},
      {"cella 1 dato2", [](stato_compilazione& s) { s.cella_in(1).dato2 = 20; }, "1251", 610, 5121,
       0, 20},
  };
  for (const auto& k : casi) {
    SCOPED_TRACE(k.nome);
    auto s = con_identificatori("A", "bc");
    k.prepara(s);

    timbra(s);

    EXPECT_EQ(fermata(s), k.errore);
    EXPECT_EQ(s.voce_in(voce::sfondi).intero_a, k.intero_a);
    EXPECT_EQ(s.cella_in(1).dato1, k.dato1);
    EXPECT_EQ(s.voce_in(voce::sfondi).orario, k.orario);
    EXPECT_EQ(s.cella_in(1).dato2, k.dato2);
  }
}

TEST(Timbro, GrigliaSenzaCella1NonSiPuoTimbrare) {
  auto s = con_identificatori("A", "bc");
  s.celle.assign(1, cella{});  // a negative route length leaves only cell 0

  timbra(s);

  EXPECT_EQ(fermata(s), "1250");
  EXPECT_EQ(s.voce_in(voce::sfondi).intero_a, 0);
}

// The whole compile of a short line with one object at metre 0 (cell 1).
struct caso_compilazione {
  std::string nome;
  std::string oggetto;  // a line of the "[cartelli]" / "[indicazioni]" part
  std::string errore;
  std::vector<std::string> scritti;
};

TEST(Timbro, UnaFermataDelTimbroNonLasciaFileBinari) {
  const std::vector<caso_compilazione> casi = {
      {"nulla in cella 1", "[indicazioni]", "", {"P_T.dat", "P_T.sim", "P_linea.dat"}},
      {"cartello in cella 1: dato1 usato",
       "[indicazioni]\r\ncartello_indicatore,  0,   (INIZIO)",
       "1250",
       {}},
      {"indicatore in cella 1 con dato1 0 e dato2 20: dato2 usato",
       "[cartelli]\r\nindicatori_vmax,  0,  0,  1,  0,  0,  0,  0,  0,  0",
       "1251",
       {}},
  };
  for (const auto& k : casi) {
    SCOPED_TRACE(k.nome);
    const std::string linea = prova::righe_crlf({"[generale]", "lunghezza percorso,  1000", k.oggetto, "[fine]"});
    const auto r = compila(prova::sorgenti_di("P", "T", &linea, &prova::treno_vuoto), {"P", "T", 1});

    EXPECT_EQ(numero_fermata(r.fermata), k.errore);
    std::vector<std::string> scritti;
    if (r.binari_da_scrivere())
      for (const auto& [nome, byte] : prova::binari_in_memoria(r.modello)) scritti.push_back(nome);
    EXPECT_EQ(scritti, k.scritti);
    if (!k.errore.empty()) {
      // The stop is among the problems, with its number.
      ASSERT_FALSE(r.diagnostiche.empty());
      EXPECT_EQ(std::to_string(r.diagnostiche.back().codice), k.errore);
    }
  }
}

}  // namespace
}  // namespace gara
