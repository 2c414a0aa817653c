// `scenario compila`: the report of a compile and its exit status, for the
// shipped scenario and for descriptions broken on purpose.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "aiuti_prove.h"
#include "impronta.h"
#include "aiuti_strumento.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::strumento;

// A line of a description, replaced or inserted before line `riga` (from 1).
struct modifica {
  bool nel_treno = false;
  int riga = 0;
  std::string testo;
  bool inserisci = false;
};

struct caso_errato {
  const char* nome;
  std::vector<modifica> modifiche;
  int codice;
  std::optional<int> metro;  // shown in the report when the code has one
  const char* file;
  std::optional<int> riga;
};

// Test names, not bytes, in the listing of the cases.
void PrintTo(const caso_errato& c, std::ostream* o) { *o << c.nome; }

void applica(std::vector<std::string>& righe, const modifica& m) {
  const auto i = static_cast<std::size_t>(m.riga - 1);
  ASSERT_LE(i, righe.size());
  if (m.inserisci)
    righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(i), m.testo);
  else
    righe[i] = m.testo;
}

class CompilaDescrizioniErrate : public ::testing::TestWithParam<caso_errato> {};

// Line numbers below are those of the shipped descriptions: line 15 of the
// line description is the first curve; line 16 of the train description the
// station CAGIONI, line 33 "[codici]" after the last signal.
TEST_P(CompilaDescrizioniErrate, IlResocontoNominaCodiceMetroFileERiga) {
  const caso_errato& c = GetParam();
  cartella_temporanea d;
  auto linea = prova::righe_linea_spedita();
  auto treno = prova::righe_treno_spedita();
  for (const auto& m : c.modifiche) applica(m.nel_treno ? treno : linea, m);
  prova::scrivi_descrizioni(d.percorso(), "P", "T", linea, treno);
  const auto prima = prova::nomi_in(d.percorso());

  const auto testo = strumento({"compila", "--percorso", "P", "--treno", "T", d.percorso().string()});
  EXPECT_EQ(testo.stato, 1) << testo.errori;
  EXPECT_NE(testo.uscita.find("Esito: codice " + std::to_string(c.codice) + ", "), std::string::npos)
      << testo.uscita;
  if (c.metro)
    EXPECT_NE(testo.uscita.find("al metro " + std::to_string(*c.metro) + "\n"), std::string::npos)
        << testo.uscita;
  else
    EXPECT_EQ(testo.uscita.find("al metro"), std::string::npos) << testo.uscita;
  if (c.riga) {
    EXPECT_NE(testo.uscita.find(std::string("nel file \"") + c.file + "\", riga " + std::to_string(*c.riga)),
              std::string::npos)
        << testo.uscita;
    // The entry's own line is quoted under the place.
    const auto& righe = c.modifiche.front().nel_treno ? treno : linea;
    EXPECT_NE(testo.uscita.find(std::to_string(*c.riga) + " | " + righe[static_cast<std::size_t>(*c.riga - 1)]),
              std::string::npos)
        << testo.uscita;
  }

  const auto json = strumento({"compila", "--json", "--percorso", "P", "--treno", "T", d.percorso().string()});
  EXPECT_EQ(json.stato, 1);
  const auto j = nlohmann::json::parse(json.uscita);  // throws on anything but one JSON value
  ASSERT_TRUE(j.is_object());
  EXPECT_EQ(j.at("codice_errore"), c.codice);
  if (c.metro) {
    EXPECT_EQ(j.at("posizione_errore"), *c.metro);
  }
  EXPECT_TRUE(j.at("errore").is_null());
  EXPECT_FALSE(j.at("messaggio").get<std::string>().empty());
  if (c.file)
    EXPECT_EQ(j.at("file"), c.file);
  else
    EXPECT_TRUE(j.at("file").is_null());
  if (c.riga) {
    EXPECT_EQ(j.at("riga"), *c.riga);
    EXPECT_GE(j.at("colonna").get<int>(), 1);
  } else {
    EXPECT_TRUE(j.at("riga").is_null());
    EXPECT_TRUE(j.at("colonna").is_null());
  }
  EXPECT_EQ(j.at("scritti"),
            nlohmann::json::array({"P_linea.dat", "P_T.sim", "P_T.dat"}));

  // The author's descriptions are still there; only the binaries were added.
  auto dopo = prima;
  dopo.insert(dopo.end(), {"P_T.dat", "P_T.sim", "P_linea.dat"});
  std::sort(dopo.begin(), dopo.end());
  EXPECT_EQ(prova::nomi_in(d.percorso()), dopo);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, CompilaDescrizioniErrate,
    ::testing::Values(
        caso_errato{"SegnaleSuCellaOccupata",
                    {{true, 33, "segnale,   24800,   1, 3, 4,  0, 0,    0,  0,0,0, 0", true}},
                    16, 24800, "P_T-.txt", 33},
        caso_errato{"StazioneFuoriPasso",
                    {{true, 16, "stazione,    9010, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CAGIONI"}},
                    8, 9010, "P_T-.txt", 16},
        caso_errato{"CurvaSenzaCifra", {{false, 15, "curvad,  2450,  550"}}, 103, std::nullopt, "P_linea.txt", 15},
        // Three signals on the cells of the first band before the slowdown
        // start (cell 761): the orientation-board pass finds no free cell
        // and records code 12 at the start's cell; no entry is to blame.
        caso_errato{"TavolaDiOrientamentoSenzaPosto",
                    {{true, 33, "segnale,   37650,   1, 3, 4,  0, 0,    0,  0,0,0, 0", true},
                     {true, 33, "segnale,   37700,   1, 3, 4,  0, 0,    0,  0,0,0, 0", true},
                     {true, 33, "segnale,   37750,   1, 3, 4,  0, 0,    0,  0,0,0, 0", true}},
                    12, 38050, nullptr, std::nullopt}),
    [](const auto& caso) { return std::string(caso.param.nome); });

// Slips the compiler passes with code 0 and the check calls errors: the
// compile says so, exits 1, and `--fedele` keeps the compiler's verdict.
struct caso_taciuto {
  const char* nome;
  modifica m;
  const char* conteggio;
};
void PrintTo(const caso_taciuto& c, std::ostream* o) { *o << c.nome; }

class CompilaErroriTaciuti : public ::testing::TestWithParam<caso_taciuto> {};

TEST_P(CompilaErroriTaciuti, NonSonoNessunProblema) {
  const caso_taciuto& c = GetParam();
  cartella_temporanea d;
  auto linea = prova::righe_linea_spedita();
  auto treno = prova::righe_treno_spedita();
  applica(c.m.nel_treno ? treno : linea, c.m);
  prova::scrivi_descrizioni(d.percorso(), "P", "T", linea, treno);
  const std::string cartella = d.percorso().string();

  const auto testo = strumento({"compila", cartella});
  EXPECT_EQ(testo.stato, 1) << testo.uscita << testo.errori;
  EXPECT_EQ(testo.uscita.find("nessun problema"), std::string::npos) << testo.uscita;
  EXPECT_NE(testo.uscita.find(std::string("Verifica: ") + c.conteggio +
                              ": scenario verifica per i dettagli\n"),
            std::string::npos)
      << testo.uscita;

  const auto json = nlohmann::json::parse(strumento({"compila", "--json", cartella}).uscita);
  EXPECT_EQ(json.at("codice_errore"), 0);
  EXPECT_GE(json.at("verifica").at("errori").get<int>(), 1);
  EXPECT_EQ(json.at("messaggio").get<std::string>().find("nessun problema"), std::string::npos);

  const auto fedele = strumento({"compila", "--fedele", "--json", cartella});
  EXPECT_EQ(fedele.stato, 0) << fedele.uscita;
  const auto j = nlohmann::json::parse(fedele.uscita);
  EXPECT_EQ(j.at("messaggio"), "nessun problema");
  EXPECT_TRUE(j.at("verifica").is_null());
}

// Line 1 of the train description is "[generale]"; line 16 the station
// CAGIONI (17 values).
INSTANTIATE_TEST_SUITE_P(
    Casi, CompilaErroriTaciuti,
    ::testing::Values(
        caso_taciuto{"SenzaGenerale", {true, 1, "generale"}, "1 errore, 0 avvisi"},
        caso_taciuto{"StazioneConUnValoreInMeno",
                     {true, 16, "stazione,    9000, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, CAGIONI"},
                     "1 errore, 0 avvisi"}),
    [](const auto& caso) { return std::string(caso.param.nome); });

// The shipped scenario: no error, and the same count as `verifica`'s (its
// timetable's warnings).
TEST(Compila, LoScenarioSpeditoENessunProblemaConIlConteggioDiVerifica) {
  cartella_temporanea d;
  ASSERT_EQ(strumento({"estrai", d.percorso().string()}).stato, 0);
  const auto e = strumento({"compila", d.percorso().string()});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_NE(e.uscita.find("Esito: nessun problema (codice 0)\n"), std::string::npos) << e.uscita;
  const auto j = nlohmann::json::parse(strumento({"compila", "--json", d.percorso().string()}).uscita);
  const auto v = nlohmann::json::parse(strumento({"verifica", "--formato", "json", d.percorso().string()}).uscita);
  EXPECT_EQ(j.at("verifica"), nlohmann::json({{"errori", 0}, {"avvisi", v.at("avvisi")}}));
  EXPECT_NE(e.uscita.find("Verifica: 0 errori, " + std::to_string(v.at("avvisi").get<int>()) + " avvisi"),
            std::string::npos)
      << e.uscita;
}

TEST(Compila, LeDescrizioniSpediteDannoIBinariDelPacchettoBytePerByte) {
  cartella_temporanea d;
  const auto mio = d.percorso() / "mio";
  ASSERT_EQ(strumento({"estrai", mio.string()}).stato, 0);
  const auto e = strumento({"compila", mio.string()});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(prova::diversi_dagli_spediti(mio, prova::primo_binario_spedito),
            std::vector<std::string>{});
}

TEST(Compila, IlPassoDelleTavoleSiDichiaraNelResoconto) {
  cartella_temporanea d;
  auto treno = prova::righe_treno_spedita();
  for (const char* m : {"37650", "37700", "37750"})
    treno.insert(treno.begin() + 32, std::string("segnale,   ") + m + ",   1, 3, 4,  0, 0,    0,  0,0,0, 0");
  prova::scrivi_descrizioni(d.percorso(), "P", "T", prova::righe_linea_spedita(), treno);
  const auto e = strumento({"compila", "--percorso", "P", "--treno", "T", d.percorso().string()});
  EXPECT_NE(e.uscita.find("passo delle tavole di orientamento"), std::string::npos) << e.uscita;
}

TEST(Compila, UnaDescrizioneMancanteEUnEsitoComeGliAltri) {
  struct caso {
    bool manca_linea;
    int codice;
    const char* file;
    std::vector<std::string> scritti;
  };
  for (const caso& c : {caso{true, 101, "P_linea.txt", {}},
                        caso{false, 25, "P_T-.txt", {"P_linea.dat", "P_T.sim", "P_T.dat"}}}) {
    cartella_temporanea d;
    prova::scrivi_descrizioni(d.percorso(), "P", "T", prova::righe_linea_spedita(),
                              prova::righe_treno_spedita());
    std::filesystem::remove(d.percorso() / (c.manca_linea ? "P_linea.txt" : "P_T-.txt"));
    const auto e = strumento({"compila", "--json", "--percorso", "P", "--treno", "T", d.percorso().string()});
    EXPECT_EQ(e.stato, 1) << c.codice;
    const auto j = nlohmann::json::parse(e.uscita);
    EXPECT_EQ(j.at("codice_errore"), c.codice);
    EXPECT_EQ(j.at("file"), c.file);
    EXPECT_TRUE(j.at("riga").is_null());
    EXPECT_EQ(j.at("scritti"), nlohmann::json(c.scritti));
    // The description that was there is still there.
    EXPECT_TRUE(std::filesystem::exists(d.percorso() / (c.manca_linea ? "P_T-.txt" : "P_linea.txt")));
  }
}

TEST(Compila, LoScenarioCheNonSiTimbraEsceConDueSenzaScrivereBinari) {
  // An "abbattimento" with a value in cell 1 takes its dato1 (1250); a
  // slowdown at 0 with speed 0 and d_v 5 leaves dato1 free and takes dato2 (1251).
  struct caso {
    const char* riga;
    const char* errore;
  };
  for (const caso& c : {caso{"abbattimento,   50,   7", "1250"},
                        caso{"rallentamento,   0,    0, 100, 0,  0,  5", "1251"}}) {
    cartella_temporanea d;
    auto treno = prova::righe_treno_spedita();
    treno.insert(treno.begin() + 32, c.riga);
    prova::scrivi_descrizioni(d.percorso(), "P", "T", prova::righe_linea_spedita(), treno);
    const auto testo = strumento({"compila", "--percorso", "P", "--treno", "T", d.percorso().string()});
    EXPECT_EQ(testo.stato, 2) << c.riga;
    EXPECT_NE(testo.errori.find(std::string("Errore n. ") + c.errore), std::string::npos) << testo.errori;
    const auto json = strumento({"compila", "--json", "--percorso", "P", "--treno", "T", d.percorso().string()});
    EXPECT_EQ(json.stato, 2);
    const auto j = nlohmann::json::parse(json.uscita);
    EXPECT_EQ(j.at("errore"), c.errore);
    EXPECT_EQ(j.at("scritti"), nlohmann::json::array());
    // The entry that took the stamp's field, found by the check; never
    // "nessun problema".
    EXPECT_EQ(j.at("file"), "P_T-.txt");
    EXPECT_EQ(j.at("riga"), 33);
    EXPECT_NE(testo.uscita.find("nel file \"P_T-.txt\", riga 33, colonna 1\n"), std::string::npos) << testo.uscita;
    EXPECT_NE(testo.uscita.find("spostala più avanti lungo la linea"), std::string::npos) << testo.uscita;
    EXPECT_EQ(testo.uscita.find("nessun problema"), std::string::npos) << testo.uscita;
    EXPECT_EQ(prova::nomi_in(d.percorso()), (std::vector<std::string>{"P_T-.txt", "P_linea.txt"}));
  }
}

TEST(Compila, SenzaTracciatoEInUnAltraCartella) {
  cartella_temporanea d;
  prova::scrivi_descrizioni(d.percorso(), "P", "T", prova::righe_linea_spedita(), prova::righe_treno_spedita());
  const auto binari = d.percorso() / "binari" / "nuovi";
  const auto e = strumento({"compila", "--json", "--senza-tracciato", "--uscita", binari.string(), "--percorso",
                            "P", "--treno", "T", d.percorso().string()});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(nlohmann::json::parse(e.uscita).at("scritti"), nlohmann::json::array({"P_T.sim", "P_T.dat"}));
  EXPECT_EQ(prova::nomi_in(binari), (std::vector<std::string>{"P_T.dat", "P_T.sim"}));
  EXPECT_EQ(prova::nomi_in(d.percorso()), (std::vector<std::string>{"P_T-.txt", "P_linea.txt", "binari"}));
}

TEST(Compila, CartellaEUscitaNonUsabiliSonoErroriDUso) {
  cartella_temporanea d;
  prova::scrivi_descrizioni(d.percorso(), "P", "T", prova::righe_linea_spedita(), prova::righe_treno_spedita());
  prova::scrivi_file(d.percorso() / "un_file", "x");
  struct caso {
    std::vector<std::string> argomenti;
    const char* messaggio;
  };
  const std::string c = d.percorso().string();
  for (const caso& k : {
           caso{{"--percorso", "P", "--treno", "T", c + "/manca"}, "non esiste"},
           caso{{"--percorso", "P", "--treno", "T", c + "/un_file"}, "non è una cartella"},
           caso{{"--percorso", "P", "--treno", "T", "--uscita", c + "/un_file", c}, "non è una cartella"},
           caso{{"--percorso", "P", "--treno", "T", "--uscita", c + "/un_file/sotto", c}, "impossibile creare"},
       }) {
    std::vector<std::string> a{"compila"};
    a.insert(a.end(), k.argomenti.begin(), k.argomenti.end());
    const auto e = strumento(a);
    EXPECT_EQ(e.stato, 3) << k.messaggio;
    EXPECT_NE(e.errori.find(k.messaggio), std::string::npos) << e.errori;
    EXPECT_EQ(e.uscita, "");
  }
}

}  // namespace
}  // namespace gara
