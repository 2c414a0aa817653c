// Running times: the bound and the fastest run on limit profiles, the
// timetable card read back, and the sections of whole scenarios with their
// diagnostics.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "modello/catalogo.h"
#include "modello/misure.h"
#include "orario/diagramma.h"
#include "orario/orario.h"
#include "scenario/dati.h"

namespace gara::orario {
namespace {

constexpr double km_h = 3.6;  // km/h in one m/s

// A random profile of runs of speeds in multiples of 5 km/h, with cells of
// random gradients (-10 to +10 per mille) under it.
struct profilo_prova {
  std::vector<int32_t> limiti;  // one a metre
  std::vector<cella> celle;
};

profilo_prova profilo_a_caso(std::mt19937& g, int64_t metri) {
  profilo_prova p;
  std::uniform_int_distribution<int> velocita(4, 32), lunghezza(30, 3000), pendenza(-10, 10);
  while (static_cast<int64_t>(p.limiti.size()) < metri)
    p.limiti.insert(p.limiti.end(), static_cast<std::size_t>(lunghezza(g)), velocita(g) * 5);
  p.limiti.resize(static_cast<std::size_t>(metri));
  p.celle.resize(static_cast<std::size_t>(metri / misura::metri_cella + 1));
  for (cella& c : p.celle) {
    c.pendenza = static_cast<uint8_t>(misura::zero_pendenza + pendenza(g));
    c.aderenza = 100;
  }
  return p;
}

struct tempi {
  double minimo;
  double stimato;
};

tempi tempi_di(const profilo_prova& p, int64_t da, int64_t a) {
  const auto l = limiti_metro::dei_metri(p.limiti);
  const auto m = tempo_minimo(l, da, a);
  const auto s = tempo_stimato(l, p.celle, da, a, 120, treno_nominale{});
  EXPECT_TRUE(m.secondi && s.secondi);
  return {m.secondi.value_or(0), s.secondi.value_or(0)};
}

TEST(Marcia, AlzareUnLimiteNonAllungaRallentareNonAccorciaEIlMinimoSegueLaDifferenza) {
  std::mt19937 g(22);
  for (int prova = 0; prova < 40; ++prova) {
    const int64_t metri = 20000;
    const profilo_prova p = profilo_a_caso(g, metri);
    std::uniform_int_distribution<int64_t> metro(0, metri - 1);
    int64_t da = metro(g), a = metro(g);
    if (da > a) std::swap(da, a);
    if (a - da < 2) continue;
    const tempi prima = tempi_di(p, da, a);
    EXPECT_GE(prima.stimato, prima.minimo);

    // One stretch inside the section, at one speed: raised, then slowed.
    const int64_t x = std::uniform_int_distribution<int64_t>(da, a - 1)(g);
    const int64_t y = std::min<int64_t>(a, x + std::uniform_int_distribution<int64_t>(1, 2000)(g));
    const int32_t v = std::uniform_int_distribution<int>(1, 32)(g) * 5;

    profilo_prova alto = p, basso = p;
    double differenza_alto = 0, differenza_basso = 0;
    for (int64_t m = x; m < y; ++m) {
      int32_t& l = alto.limiti[static_cast<std::size_t>(m)];
      const int32_t nuovo = std::max(l, v);
      differenza_alto += km_h / l - km_h / nuovo;
      l = nuovo;
      int32_t& b = basso.limiti[static_cast<std::size_t>(m)];
      const int32_t lento = std::min(b, v);
      differenza_basso += km_h / lento - km_h / b;
      b = lento;
    }
    const tempi t_alto = tempi_di(alto, da, a), t_basso = tempi_di(basso, da, a);
    EXPECT_LE(t_alto.minimo, prima.minimo + 1e-9);
    EXPECT_LE(t_alto.stimato, prima.stimato + 1e-9);
    EXPECT_GE(t_basso.minimo, prima.minimo - 1e-9);
    EXPECT_GE(t_basso.stimato, prima.stimato - 1e-9);
    EXPECT_NEAR(prima.minimo - t_alto.minimo, differenza_alto, 1e-6);
    EXPECT_NEAR(t_basso.minimo - prima.minimo, differenza_basso, 1e-6);
    EXPECT_GE(t_alto.stimato, t_alto.minimo);
    EXPECT_GE(t_basso.stimato, t_basso.minimo);
  }
}

// The profile is kept as runs: whatever is lowered, and however, it says
// for every metre what a number a metre would, with no two runs side by
// side at one limit (the drawing and the bound take each run's start as a
// change of limit).
TEST(Profilo, ITrattiDannoIlLimiteDiOgniMetro) {
  std::mt19937 g(5);
  for (int prova = 0; prova < 200; ++prova) {
    std::uniform_int_distribution<int> velocita(0, 6), lunghezza(1, 60), metro(-20, 520);
    std::vector<int32_t> metri;
    while (metri.size() < 500) metri.insert(metri.end(), static_cast<std::size_t>(lunghezza(g)), velocita(g) * 20);
    metri.resize(500);
    limiti_metro l = limiti_metro::dei_metri(metri);
    for (int passo = 0; passo < 4; ++passo) {
      if (g() % 2) {
        const int64_t da = metro(g), a = metro(g);
        const int32_t v = velocita(g) * 20;
        l.limita(da, a, v);
        for (int64_t x = std::max<int64_t>(da, 0); x < std::min<int64_t>(a, 500); ++x)
          metri[static_cast<std::size_t>(x)] = std::min(metri[static_cast<std::size_t>(x)], v);
      } else {
        std::vector<tavola_rango> tavole(static_cast<std::size_t>(g() % 5));
        for (auto& t : tavole) t = {metro(g), velocita(g) * 20};
        std::sort(tavole.begin(), tavole.end(), [](const auto& a, const auto& b) { return a.metro < b.metro; });
        stringi(l, tavole);
        for (std::size_t k = 0; k < tavole.size(); ++k) {
          const int64_t fino = k + 1 < tavole.size() ? tavole[k + 1].metro : 500;
          for (int64_t x = std::max<int64_t>(tavole[k].metro, 0); x < std::min<int64_t>(fino, 500); ++x)
            metri[static_cast<std::size_t>(x)] = std::min(metri[static_cast<std::size_t>(x)], tavole[k].km_h);
        }
      }
    }
    ASSERT_EQ(l.size(), 500u);
    for (int64_t x = 0; x < 500; ++x) ASSERT_EQ(l[x], metri[static_cast<std::size_t>(x)]) << "metro " << x;
    EXPECT_EQ(l[-1], 0);
    EXPECT_EQ(l[500], 0);
    const auto t = l.tratti();
    for (std::size_t i = 1; i < t.size(); ++i) EXPECT_NE(t[i].km_h, t[i - 1].km_h);
    const int64_t da = metro(g), a = metro(g);
    int32_t massimo = 0;
    for (int64_t x = std::max<int64_t>(da, 0); x < std::min<int64_t>(a, 500); ++x)
      massimo = std::max(massimo, metri[static_cast<std::size_t>(x)]);
    EXPECT_EQ(l.massimo(da, a), massimo);
  }
}

TEST(Marcia, LimiteZeroEFuoriDalProfiloNonDividonoMaliDicono) {
  limiti_metro l(1000, 100);
  l.limita(400, 401, 0);
  const std::vector<cella> celle(30);
  EXPECT_EQ(tempo_minimo(l, 0, 1000).metro_a_zero, 400);
  EXPECT_FALSE(tempo_minimo(l, 0, 1000).secondi);
  EXPECT_TRUE(tempo_minimo(l, 0, 400).secondi);
  EXPECT_EQ(tempo_minimo(l, 900, 1200).metro_a_zero, 1000);  // past the profile
  EXPECT_EQ(tempo_minimo(l, -5, 10).metro_a_zero, -5);
  const corsa c = tempo_stimato(l, celle, 0, 1000, 120, {});
  EXPECT_FALSE(c.secondi);
  ASSERT_TRUE(c.metro_fermo);
  EXPECT_LE(*c.metro_fermo, 400);
  EXPECT_EQ(tempo_stimato(l, celle, 500, 500, 120, {}).secondi, 0.0);
  EXPECT_EQ(tempo_stimato(l, celle, 900, int64_t{1} << 40, 120, {}).metro_fermo, 1000);  // nothing allocated
  EXPECT_EQ(tempo_stimato(l, celle, -3, 10, 120, {}).metro_fermo, -3);
  EXPECT_EQ(tempo_minimo(l, 500, 500).secondi, 0.0);
}

TEST(Marcia, SalitaTroppoRipidaFermaIlTrenoNominale) {
  const limiti_metro l(2000, 100);
  std::vector<cella> celle(41);
  for (cella& c : celle) c.pendenza = misura::zero_pendenza + 150;  // 150 per mille up
  const corsa c = tempo_stimato(l, celle, 0, 2000, 120, {});
  EXPECT_FALSE(c.secondi);
  EXPECT_EQ(c.metro_fermo, 0);
}

TEST(Marcia, FrenaturaDallaPercentualeDiMassaFrenata) {
  // More braked mass brakes harder; a rising gradient helps, a falling one
  // does not. From 135 km/h at lambda 120 the level stop takes some 885 m.
  EXPECT_GT(decelerazione(150, 0), decelerazione(120, 0));
  EXPECT_GT(decelerazione(120, 5), decelerazione(120, 0));
  const double v = 135 / km_h;
  EXPECT_NEAR(v * v / (2 * decelerazione(120, 0)), 885, 1);
}

// --- The card ---

TEST(Scheda, LaSchedaSpeditaSiLeggeTutta) {
  const scheda s = leggi_scheda(dati_scheda(), "S.txt");
  EXPECT_TRUE(s.avvisi.empty());
  ASSERT_TRUE(s.velocita_massima && s.rango);
  EXPECT_EQ(s.velocita_massima->valore, 135);
  EXPECT_EQ(s.rango->valore, 'C');
  EXPECT_EQ(s.velocita_massima->dove, (luogo{"S.txt", 5, 73, 4}));
  ASSERT_EQ(s.righe.size(), 7u);
  const riga_scheda& palagiano = s.righe[2];
  EXPECT_EQ(palagiano.nome.valore, "PALAGIANO-CHIATONA");
  EXPECT_EQ(palagiano.linea, 19);
  ASSERT_TRUE(palagiano.arrivo && palagiano.partenza);
  EXPECT_EQ(palagiano.arrivo->valore, 12 * 3600 + 18 * 60);
  EXPECT_EQ(palagiano.partenza->valore, 12 * 3600 + 25 * 60);
  EXPECT_TRUE(s.righe[1].transito);
  EXPECT_TRUE(s.righe[0].partenza && !s.righe[0].arrivo);  // the first: a departure
  EXPECT_TRUE(s.righe[6].arrivo && !s.righe[6].partenza);  // the last: an arrival
  EXPECT_EQ(s.righe[1].chilometro->valore, 12);
}

TEST(Scheda, RigheIncomprensibiliSonoAvvisiAllaLoroRiga) {
  struct caso {
    const char* riga;
    int colonna;
    const char* detto;
  };
  const caso casi[] = {
      {" | 30  | 30  |   uno    |     |  A   |  12.04  |     |", 18, "chilometro"},
      {" | 3O  | 30  |     1    |     |  A   |  12.04  |     |", 4, "velocità"},
      {" | 30  | 30  |     1    |     |  A   |  12h04  |     |", 41, "orario"},
      {" | 30  | 30  |     1    |     |  A   |  12.04 12.05 12.06 |     |", 0, "orario"},
      {" | 30  | 30  |     1    |     |  A   |  25.00  |     |", 41, "orario"},
      {" | 30  | 30  |     1    |  A  ", 1, "colonne"},
      {" 30    30        1          A          12.04", 1, "\"|\""},
      {" | 30  | 30  |     1    |     |      |  12.04  |     |", 4, "nome"},
  };
  const std::string testa = " |   V135 C  |\r\n | Vel.| Vel.| Progr Km |  No | Localita' | Orario | Rec |\r\n";
  for (const caso& c : casi) {
    const scheda s = leggi_scheda(testa + c.riga + "\r\n | 30 | 30 | 2 | | B | 12.30 | |\r\n", "S.txt");
    ASSERT_EQ(s.avvisi.size(), 1u) << c.riga;
    EXPECT_EQ(s.avvisi[0].dove->linea, 3) << c.riga;
    if (c.colonna != 0) {
      EXPECT_EQ(s.avvisi[0].dove->colonna, c.colonna) << c.riga;
    }
    EXPECT_NE(s.avvisi[0].motivo.find(c.detto), std::string::npos) << s.avvisi[0].motivo;
    EXPECT_EQ(s.righe.size(), 1u) << "the good row after it is read";
  }
}

TEST(Scheda, QualunqueByteDannoUnRisultato) {
  std::mt19937 g(7);
  std::string base = dati_scheda();
  for (int prova = 0; prova < 300; ++prova) {
    std::string t = base;
    for (int k = 0; k < 20; ++k)
      t[std::uniform_int_distribution<std::size_t>(0, t.size() - 1)(g)] = static_cast<char>(g());
    const scheda s = leggi_scheda(t.substr(0, std::uniform_int_distribution<std::size_t>(0, t.size())(g)), "S");
    EXPECT_LE(s.righe.size(), 49u);
  }
  EXPECT_EQ(leggi_scheda("", "S").avvisi.size(), 0u);
  // Saved as UTF-8 by an editor: the same names as in Windows-1252.
  const scheda utf8 = leggi_scheda("| Localit\u00e0 |\n|1|1|1||CITT\u00c0|12.00||\n", "S");
  ASSERT_EQ(utf8.righe.size(), 1u);
  EXPECT_EQ(utf8.righe[0].nome.valore, "CITT\xC0");
  EXPECT_EQ(leggi_scheda("solo testo\n", "S").avvisi.size(), 1u);  // no table
}

// --- Whole scenarios ---

constexpr const char* file_linea = "P_linea.txt";
constexpr const char* file_treno = "P_T-.txt";
constexpr const char* file_scheda = "P_T_scheda_treno.txt";

risultato_orario orario_di(const std::string& linea, const std::string& treno,
                           const std::optional<std::string>& scheda = std::nullopt, opzioni_orario o = {}) {
  const sorgenti s{{file_linea, linea, std::nullopt}, {file_treno, treno, std::nullopt}};
  const esito_verifica e = verifica(s, {"P", "T", true});
  std::optional<testo_scheda> t;
  if (scheda) t = testo_scheda{file_scheda, *scheda};
  return calcola_orario(e, file_treno, t, o);
}

std::vector<std::string> identificativi(const risultato_orario& r) {
  std::vector<std::string> v;
  for (const auto& d : r.diagnostiche) v.push_back(identificativo(d));
  return v;
}

const diagnostica* trova(const risultato_orario& r, const std::string& id, const std::string& detto = "") {
  for (const auto& d : r.diagnostiche)
    if (identificativo(d) == id && d.motivo.find(detto) != std::string::npos) return &d;
  return nullptr;
}

TEST(Orario, ScenarioSpeditoTratteEProblemiNoti) {
  const risultato_orario r = orario_di(dati_linea(), dati_treno(), dati_scheda());
  ASSERT_EQ(r.tratte.size(), 5u);
  EXPECT_EQ(r.rango, 'C');
  EXPECT_EQ(r.velocita_massima, 135);
  EXPECT_EQ(r.percentuale_massa_frenata, 120);

  // CORVANA (metre 0, 12:04:00) to PALAGIANO-CHIATONA (17000, arrival 12.18
  // on the card): 840 s; 650 m at 30 km/h and 16350 m at 140 km/h.
  const tratta& prima = r.tratte[0];
  EXPECT_EQ(prima.distanza(), 17000);
  EXPECT_EQ(prima.tempo_orario, 840);
  EXPECT_TRUE(prima.arrivo_dalla_scheda);
  EXPECT_NEAR(*prima.tempo_minimo, 650 * 3.6 / 30 + 16350 * 3.6 / 140, 1e-9);
  EXPECT_GT(*prima.tempo_stimato, *prima.tempo_minimo);
  EXPECT_LT(*prima.tempo_stimato, 840);

  // GINOSA (34000) to SELVADORO (47000), 840 s: 11750 m at 140, the 1000 m
  // of line speed and slowdown at 80 from 38000, the last 250 m at 60.
  const tratta& ultima = r.tratte[4];
  EXPECT_EQ(ultima.tempo_orario, 840);
  EXPECT_NEAR(*ultima.tempo_minimo, 11750 * 3.6 / 140 + 1000 * 3.6 / 80 + 250 * 3.6 / 60, 1e-9);

  // BOSCO PINETO at the departure's second from PALAGIANO-CHIATONA, two
  // kilometres on: no train keeps that.
  EXPECT_EQ(r.tratte[1].tempo_orario, 0);
  const diagnostica* impossibile = trova(r, "V222", "BOSCO PINETO");
  ASSERT_NE(impossibile, nullptr);
  EXPECT_EQ(impossibile->dove, (luogo{file_treno, 18, 63, 2}));
  EXPECT_NE(impossibile->motivo.find("mancano 51.4 s"), std::string::npos) << impossibile->motivo;

  // The card's kilometres 12 and 21 against metres 9000 and 19000, and the
  // card's transit at BOSCO PINETO against the description's time.
  const diagnostica* cagioni = trova(r, "V228", "CAGIONI");
  ASSERT_NE(cagioni, nullptr);
  EXPECT_EQ(cagioni->dove, (luogo{file_scheda, 18, 19, 2}));
  EXPECT_EQ(cagioni->prima->file, file_treno);
  EXPECT_NE(trova(r, "V228", "BOSCO PINETO"), nullptr);
  EXPECT_NE(trova(r, "V227", "BOSCO PINETO"), nullptr);
  EXPECT_EQ(trova(r, "V228", "CORVANA"), nullptr) << "1 km off is within the tolerance";
  EXPECT_EQ(trova(r, "V226"), nullptr);
  EXPECT_EQ(trova(r, "V229"), nullptr);
  EXPECT_EQ(trova(r, "V225"), nullptr);
}

TEST(Orario, LaVerificaCompletaTieneInsiemeIProblemiDiOgniFile) {
  // A row of the card it cannot read comes before the sections' times;
  // the report still lists the train's problems before the card's.
  std::string scheda = dati_scheda();
  const std::size_t riga = scheda.find("\r\n", scheda.find("CAGIONI")) + 2;
  scheda.insert(riga, " | 30  | 30  |   uno    |     |  A   |  12.04  |     |\r\n");
  const sorgenti s{{file_linea, dati_linea(), std::nullopt}, {file_treno, dati_treno(), std::nullopt}};
  const esito_verifica e = verifica_completa(s, {"P", "T", true}, testo_scheda{file_scheda, scheda});
  std::vector<std::string> file;
  for (const diagnostica& d : e.diagnostiche) file.push_back(d.dove ? d.dove->file : "");
  const std::vector<std::string> attesi{file_treno, file_scheda, file_scheda, file_scheda, file_scheda};
  EXPECT_EQ(file, attesi);
  EXPECT_EQ(e.avvisi, 5);
}

// A slowdown added to the shipped train: no section gets shorter, and the
// first one's bound grows by exactly its 2000 m at 50 km/h instead of 140.
TEST(Orario, UnRallentamentoInPiuNonAccorciaNessunaTratta) {
  const std::string voce = "rallentamento,   38000,    80, 1000, 1,  1,  0\r\n";
  std::string treno = dati_treno();
  treno.insert(treno.find(voce) + voce.size(), "rallentamento,   10000,    50, 2000, 1,  1,  0\r\n");
  const risultato_orario prima = orario_di(dati_linea(), dati_treno());
  const risultato_orario dopo = orario_di(dati_linea(), treno);
  ASSERT_TRUE(dopo.calcolato);
  ASSERT_EQ(dopo.tratte.size(), prima.tratte.size());
  for (std::size_t i = 0; i < prima.tratte.size(); ++i) {
    EXPECT_GE(*dopo.tratte[i].tempo_minimo, *prima.tratte[i].tempo_minimo);
    EXPECT_GE(*dopo.tratte[i].tempo_stimato, *prima.tratte[i].tempo_stimato);
  }
  EXPECT_NEAR(*dopo.tratte[0].tempo_minimo - *prima.tratte[0].tempo_minimo, 2000 * 3.6 / 50 - 2000 * 3.6 / 140, 1e-9);
  EXPECT_GT(*dopo.tratte[0].tempo_stimato, *prima.tratte[0].tempo_stimato);
  EXPECT_EQ(dopo.limiti_linea[9999], 140);
  EXPECT_EQ(dopo.limiti_linea[10000], 50);
  EXPECT_EQ(dopo.limiti_linea[11999], 50);
  EXPECT_EQ(dopo.limiti_linea[12000], 140);
}

TEST(Orario, IlLimiteDelTrenoNominaleStringeSoloLaStima) {
  opzioni_orario lento;
  lento.velocita_massima = 60;
  const risultato_orario r = orario_di(dati_linea(), dati_treno(), dati_scheda());
  const risultato_orario l = orario_di(dati_linea(), dati_treno(), dati_scheda(), lento);
  for (std::size_t i = 0; i < r.tratte.size(); ++i) {
    EXPECT_EQ(l.tratte[i].tempo_minimo, r.tratte[i].tempo_minimo);
    EXPECT_GE(*l.tratte[i].tempo_stimato, *r.tratte[i].tempo_stimato);
  }
  // At 60 km/h the 840 s from CORVANA cannot hold 17 km: 1020 s at least.
  EXPECT_GT(*l.tratte[0].tempo_stimato, 1020);
  EXPECT_NE(trova(l, "V223", "in ritardo"), nullptr);
  // The card's rank C boards keep 125 km/h from 1000 to 13700.
  EXPECT_EQ(r.limiti_treno[5000], 125);
  EXPECT_EQ(r.limiti_linea[5000], 140);
  EXPECT_EQ(r.limiti_treno[15000], 135);
}

std::string linea_corta() { return "[generale]\r\nlunghezza percorso, 20000\r\n[fine]\r\n"; }
std::string treno_di(const std::string& corpo) {
  return "[generale]\r\npercentuale massa frenata, 120\r\n[vel_limite]\r\nvelocita, 0, 100\r\n" + corpo + "[fine]\r\n";
}
std::string stazione(int metro, int ore, int minuti, const char* nome) {
  return "stazione, " + std::to_string(metro) + ", 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, " + std::to_string(ore) + "," +
         std::to_string(minuti) + ",0, " + nome + "\r\n";
}

TEST(Orario, IngressiOstiliDannoDiagnosticheChiare) {
  struct caso {
    const char* nome;
    std::string treno;
    std::optional<std::string> scheda;
    const char* atteso;
  };
  const caso casi[] = {
      {"nessuna stazione", treno_di(""), std::nullopt, "V231"},
      {"una stazione", treno_di(stazione(1000, 12, 0, "A")), std::nullopt, "V231"},
      {"orari tutti 0", treno_di(stazione(1000, 0, 0, "A") + stazione(5000, 0, 0, "B")), std::nullopt, "V231"},
      {"orario all'indietro", treno_di(stazione(1000, 12, 10, "A") + stazione(5000, 12, 0, "B")), std::nullopt,
       "V224"},
      {"limite 0", treno_di("velocita, 3000, 0\r\nvelocita, 4000, 100\r\n" + stazione(1000, 12, 0, "A") +
                            stazione(5000, 12, 10, "B")),
       std::nullopt, "V230"},
      {"rallentamento a 0", treno_di(stazione(1000, 12, 0, "A") + stazione(9000, 12, 10, "B") +
                                     "rallentamento, 4000, 0, 500, 1, 1, 0\r\n"),
       std::nullopt, "V230"},
      {"scheda di sola spazzatura", treno_di(stazione(1000, 12, 0, "A") + stazione(5000, 12, 10, "B")),
       std::string("\x01\xff|||\r\n| Localita' |\r\n|x|y|z|\r\n"), "V225"},
      {"stretto", treno_di(stazione(1000, 12, 0, "A") + stazione(5000, 12, 3, "B")), std::nullopt, "V223"},
  };
  for (const caso& c : casi) {
    const risultato_orario r = orario_di(linea_corta(), c.treno, c.scheda);
    const auto ids = identificativi(r);
    EXPECT_NE(std::find(ids.begin(), ids.end(), c.atteso), ids.end()) << c.nome;
    for (const auto& d : r.diagnostiche) EXPECT_TRUE(d.dove.has_value()) << c.nome << ": " << d.motivo;
  }
}

TEST(Orario, SchedaEDescrizioneInDisaccordo) {
  const std::string treno =
      treno_di(stazione(1000, 12, 0, "ALFA") + stazione(6000, 12, 10, "BETA") + stazione(12000, 12, 20, "GAMMA"));
  const std::string testa = " V100 B\r\n | Vel.| Vel.| Progr Km |  No | Localita' | Orario | Rec |\r\n";
  const std::string scheda = testa +
                             " | 150 | 100 |  1 |  | ALFA | 12.00 | |\r\n"
                             " | 100 | 100 |  12 |  | Gamma | 12.20 | |\r\n"
                             " | 100 | 100 |  6 |  | BETA  | 12.09  12.12 | |\r\n"
                             " | 100 | 100 |  15 |  | DELTA | 12.30 | |\r\n";
  const risultato_orario r = orario_di(linea_corta(), treno, scheda);
  EXPECT_NE(trova(r, "V226", "\"GAMMA\" viene prima di \"BETA\""), nullptr);  // order, and case aside
  EXPECT_NE(trova(r, "V226", "DELTA"), nullptr);                            // not in the description
  EXPECT_NE(trova(r, "V227", "partenza da \"BETA\" alle 12:12:00"), nullptr);
  EXPECT_EQ(trova(r, "V227", "ALFA"), nullptr);
  EXPECT_NE(trova(r, "V229", "150 km/h"), nullptr);
  EXPECT_EQ(r.rango, 'B');
  // The card's arrival at BETA gives the first section its time: 9 minutes.
  ASSERT_FALSE(r.tratte.empty());
  EXPECT_EQ(r.tratte[0].tempo_orario, 540);
}

TEST(Orario, DiagrammaDiMarciaConLeStazioniOppureNiente) {
  const std::string svg = diagramma_di_marcia(orario_di(dati_linea(), dati_treno(), dati_scheda()));
  ASSERT_NE(svg.find("<svg"), std::string::npos);
  for (const char* nome : {"CORVANA", "CAGIONI", "BOSCO PINETO", "SELVADORO", "Velocità (km/h)"})
    EXPECT_NE(svg.find(nome), std::string::npos) << nome;
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(diagramma_di_marcia(orario_di(linea_corta(), treno_di(stazione(1000, 12, 0, "A")))), "");
}

}  // namespace
}  // namespace gara::orario
