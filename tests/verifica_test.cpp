// The check of a scenario: every problem at once, each at its line and
// column with its identifier, the compile's own error among them, and a
// small fixture for each kind of warning.
#include "verifica/verifica.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "aiuti_prove.h"
#include "modello/codici.h"
#include "scenario/dati.h"
#include "modello/catalogo.h"

namespace gara {
namespace {

const std::string linea_p = "P_linea.txt";
const std::string treno_p = "P_T-.txt";

esito_verifica verifica_di(const std::string& linea, const std::string& treno, int32_t j = 1) {
  return verifica(prova::sorgenti_di("P", "T", &linea, &treno), {"P", "T", j != 0});
}

// A text with one piece replaced, which must be there.
std::string con(std::string testo, const std::string& prima, const std::string& dopo) {
  const auto i = testo.find(prima);
  if (i == std::string::npos) throw std::logic_error("nel testo manca: " + prima);
  return testo.replace(i, prima.size(), dopo);
}

using problema = std::tuple<std::string, int, int, std::string>;  // file, line, column, identifier

std::vector<problema> problemi(const esito_verifica& e) {
  std::vector<problema> p;
  for (const auto& d : e.diagnostiche)
    p.emplace_back(d.dove ? d.dove->file : "", d.dove ? d.dove->linea : 0, d.dove ? d.dove->colonna : 0,
                   identificativo(d));
  return p;
}

TEST(Verifica, LoScenarioDelPacchettoNonHaProblemi) {
  // With the plan and without it: a compile without the plan passes the
  // curves' values over, which is no slip of the author's.
  for (const int32_t j : {1, 0}) {
    const auto e = verifica_di(dati_linea(), dati_treno(), j);
    EXPECT_EQ(e.errori, 0) << "j = " << j;
    EXPECT_EQ(e.avvisi, 0) << "j = " << j;
    EXPECT_TRUE(e.diagnostiche.empty()) << e.diagnostiche.front().motivo;
  }
}

TEST(Verifica, DodiciProblemiIndipendentiInUnaSolaVolta) {
  std::string l = dati_linea();
  l = con(l, "curvas1,  16100,  300", "curva destra 5,  16100,  300");                      // 18:1 V202
  l = con(l, "pendenza,  24000,   0", "pendenza,  24000,   0\r\npendenza,  20000,   1");     // 25:12 V207
  l = con(l, "[montagne]", "pendnza, 30000, 2\r\n[montagne]");                               // 26:1 V213
  l = con(l, "cartello_indicatore,  14000,", "cartello_indicatore,  800,");                   // 38:1 V006
  std::string t = dati_treno();
  t = con(t, "numero vetture,    4", "numero vettura,    4");                                 // 2:1 V213
  t = con(t, "velocita,   38000,    80", "velocita,   38000,    8x0");                        // 11:23 V201
  t = con(t, "stazione,    9000, 26,", "stazione,    9025, 2600,");                           // 16:14 V008, 16:20 V025
  t = con(t, "GINOSA", "CORVANA");                                                           // 20:73 V212
  t = con(t, "rallentamento,   38000,    80,", "rallentamento,   38000,    120,");           // 23:18 V208
  t = con(t, "segnale,   24800,", "segnale,   15500,");                                     // 27:1 V016
  t = con(t, "segnale,   46600,", "segnale,   49000,");                                     // 33:12 V206

  const auto e = verifica_di(l, t);
  EXPECT_EQ(problemi(e), (std::vector<problema>{
                             {linea_p, 18, 1, "V202"},
                             {linea_p, 25, 12, "V207"},
                             {linea_p, 26, 1, "V213"},
                             {linea_p, 38, 1, "V006"},
                             {treno_p, 2, 1, "V213"},
                             {treno_p, 11, 23, "V201"},
                             {treno_p, 16, 14, "V008"},
                             {treno_p, 16, 20, "V025"},
                             {treno_p, 20, 73, "V212"},
                             {treno_p, 23, 18, "V208"},
                             {treno_p, 27, 1, "V016"},
                             {treno_p, 33, 12, "V206"},
                         }));
  EXPECT_EQ(e.errori, 6);  // a keyword misspelt loses its entry: V213 is an error
  EXPECT_EQ(e.avvisi, 6);
  // The compile stops at the first of them, the board at metre 800.
  EXPECT_EQ(e.compilazione.codice_errore(), codice::cartello_occupato);
  // Taken cells point at the entry that took them.
  const auto& cartello = e.diagnostiche[3];
  ASSERT_TRUE(cartello.prima.has_value());
  EXPECT_EQ(cartello.prima->linea, 36);
  const auto& segnale = e.diagnostiche[10];
  ASSERT_TRUE(segnale.prima.has_value());
  EXPECT_EQ(segnale.prima->linea, 25);
}

// The check's reading measures the plan without laying it: the problems,
// the code and the record of the entries are those of a reading that lays
// it, whatever the curves do (a curve past the million metres, one past
// the end of the plan), and no plan without values is handed on.
TEST(Verifica, LaLetturaCheNonPosaIlTracciatoTrovaGliStessiProblemi) {
  const std::string curve_fuori =
      "[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\ncurvad1, 990000, 20000\r\n"
      "curvas2, 2000, 100\r\n[fine]\r\n";
  const std::string oltre_il_piano = con(dati_linea(), "curvas1,  16100,  300", "curvas1,  53000,  9000");
  const std::string errata = con(dati_linea(), "curvas1,  16100,  300", "curva destra 5,  16100,  300");
  for (const std::string* l : {&curve_fuori, &oltre_il_piano, &errata}) {
    const std::string t = dati_treno();
    const sorgenti d = prova::sorgenti_di("P", "T", l, &t);
    const auto posato = compila(d, {"P", "T", true, modo_lettura::verifica, true});
    const auto misurato = compila(d, {"P", "T", true, modo_lettura::verifica, false});
    const auto riassunto = [](const risultato_compilazione& r) {
      std::vector<std::tuple<int32_t, std::string, int, int, std::string>> x;
      for (const auto& g : r.diagnostiche)
        x.emplace_back(g.codice, g.dove ? g.dove->file : "", g.dove ? g.dove->linea : 0,
                       g.dove ? g.dove->colonna : 0, g.motivo);
      return x;
    };
    EXPECT_FALSE(posato.diagnostiche.empty()) << l->substr(0, 60);
    EXPECT_EQ(riassunto(misurato), riassunto(posato)) << l->substr(0, 60);
    EXPECT_EQ(misurato.codice_errore(), posato.codice_errore());
    EXPECT_EQ(misurato.occupanti, posato.occupanti);
    EXPECT_EQ(misurato.voci_lette.size(), posato.voci_lette.size());
    EXPECT_EQ(misurato.modello.celle, posato.modello.celle);
    EXPECT_FALSE(misurato.modello.tracciato.esiste());
  }
}

// One small fixture for each kind of slip the check alone sees, in the
// train description (or the line description, for the kinds of its
// entries): one diagnostic, of the catalogue's severity.
struct caso_avviso {
  const char* identificativo;
  std::string corpo_linea;  // after the general block
  std::string corpo_treno;  // after the general block, a speed and a station
  int linea;  // of the diagnostic, in the file that has it; 0: the file as a whole
  std::optional<std::string> treno_intero = std::nullopt;  // instead of the above
  std::size_t quanti = 1;  // diagnostics in all: the compile's own may follow
};

void PrintTo(const caso_avviso& k, std::ostream* o) { *o << k.identificativo; }

std::string linea_con(const std::string& corpo) {
  return "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\n" + corpo + "[fine]\r\n";
}
// A train description that the check of the whole finds complete: a speed
// over the whole line and one station.
std::string treno_con(const std::string& corpo) {
  return "[generale]\r\nvelocita, 0, 60\r\nstazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n" +
         corpo + "[fine]\r\n";
}
const std::string stazione_b = "stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, B\r\n";

const caso_avviso casi_avvisi[] = {
    {"V201", "", "velocita, 2000, 32.500\r\n", 4},
    {"V202", "curvadestra4, 1000, 100\r\n", "", 4},
    {"V203", "", "questa riga non dice nulla\r\n", 4},
    {"V204", "", "sabbia, 300, 4\r\n", 4},
    {"V205", "", "orologio, 12, 0\r\nsabbia, 300\r\n", 4},
    {"V205", "", "stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0, B\r\n" + stazione_b, 4},
    {"V206", "", "velocita, 48000, 60\r\n", 4},
    {"V207", "", "aderenza, 2000, 90\r\naderenza, 1000, 80\r\n", 5},
    {"V208", "", "rallentamento, 20000, 130, 500, 1, 1, 0\r\n", 4},
    {"V209", "", "velocita, 2000, 350\r\n", 4},
    {"V212", "", "stazione, 10000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n", 4},
    {"V213", "", "orologgio, 12, 0, 0\r\n", 4},
    {"V214", "", "", 0, "velocita, 0, 60\r\n"},
    {"V214", "", "", 0, " \r\n"},
    {"V215", "", "", 0, "[generale]\r\nvelocita, 0, 60\r\n[fine]\r\n"},
    {"V216", "", "", 0, "[generale]\r\nstazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n[fine]\r\n"},
    {"V217", "", "stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, 5000\r\n", 4},
    {"V217", "", "stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0,  Segnale \r\n", 4},
    {"V218", "", stazione_b + "stazione, 3000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, C\r\n", 5, {}, 2},
    {"V219", "", "stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,60,0, B\r\n", 4},
    {"V219", "", "orologio, 24, 0, 0\r\n", 4},
    {"V220", "", "", 2, "[generale]\r\nvelocita, 20000, 60\r\n"
                       "stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n[fine]\r\n"},
};

// A name that holds a keyword among other words is a name like any other.
TEST(Verifica, UnNomeCheContieneUnaParolaChiaveEUnNome) {
  for (const char* nome : {"STAZIONE CENTRALE", "SEGNALE 1", "Bivio Velocita"}) {
    const auto e = verifica_di(linea_con(""), treno_con("stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " +
                                                        std::string(nome) + "\r\n"));
    EXPECT_TRUE(e.diagnostiche.empty()) << nome << ": " << e.diagnostiche.front().motivo;
  }
}

class AvvisiVerifica : public ::testing::TestWithParam<caso_avviso> {};

TEST_P(AvvisiVerifica, UnaSvistaUnProblema) {
  const caso_avviso& k = GetParam();
  const auto e = verifica_di(linea_con(k.corpo_linea), k.treno_intero ? *k.treno_intero : treno_con(k.corpo_treno));
  ASSERT_EQ(e.diagnostiche.size(), k.quanti) << (e.diagnostiche.empty() ? "" : e.diagnostiche.back().motivo);
  const diagnostica& d = e.diagnostiche.front();
  EXPECT_EQ(identificativo(d), k.identificativo) << d.motivo;
  const voce_catalogo* v = voce_dell_avviso(k.identificativo);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(d.livello, v->livello);
  EXPECT_EQ(static_cast<std::size_t>(e.errori + e.avvisi), k.quanti);
  ASSERT_TRUE(d.dove.has_value());
  EXPECT_EQ(d.dove->file, k.corpo_linea.empty() ? treno_p : linea_p);
  EXPECT_EQ(d.dove->linea, k.linea);
}

INSTANTIATE_TEST_SUITE_P(Tabella, AvvisiVerifica, ::testing::ValuesIn(casi_avvisi), [](const auto& caso) {
  return std::string(caso.param.identificativo) + "_" + std::to_string(caso.index);
});

TEST(Verifica, IlSuggerimentoNominaIlValoreCheLAutoreIntendevaELaCorrezioneLoScrive) {
  struct caso {
    const char* voce;
    const char* identificativo;
    const char* detto;
    const char* corretta;  // the line once the fix is applied; none when no fix is certain
    bool di_linea = false;
  };
  const caso casi[] = {
      {"velocita, 38OOO, 60", "V201", "la lettera O non è uno zero; qui va un numero intero, per esempio 38000",
       "velocita, 38000, 60"},
      {"velocita, l7000, 60", "V201", "la lettera l non è un uno; qui va un numero intero, per esempio 17000",
       "velocita, 17000, 60"},
      {"velocita, 17.000, 60", "V201", "il punto è la virgola dei decimali, non il separatore delle migliaia; qui va "
                                       "un numero intero, per esempio 17000", "velocita, 17000, 60"},
      {"velocita, 9 000, 60", "V221", "le migliaia si scrivono senza spazi (9000)", "velocita, 9000, 60"},
      // The whole number the compiler reads already: the scenario compiles
      // as before, without the stray decimals.
      {"aderenza, 2000, 2,5", "V204", "i decimali si scrivono con il punto (2.5)", "aderenza, 2000, 2"},
      {"aderenza, 2000, 07,9", "V204", "i decimali si scrivono con il punto (07.9)", "aderenza, 2000, 7"},
      {"velocita, 1x0, 60", "V201", "che non è un intero", nullptr},
      {"segnale; 2000; 1; 3; 1; 0; 0; 0; 0;0;0; 0", "V205", "separa i valori con \";\"", nullptr},
      // A curve whose keyword says right, or says left apart from it.
      {"curva destra 5,  16100,  300", "V202", "ma la parola chiave dice destra", "curvad5,  16100,  300", true},
      {"Curva S2,  16100,  300", "V202", "è letta come sinistra", "curvas2,  16100,  300", true},
      {"curva sud 3,  16100,  300", "V202", "è letta come sinistra", nullptr, true},
  };
  const auto trova = [](const esito_verifica& e, const char* id) {
    return std::find_if(e.diagnostiche.begin(), e.diagnostiche.end(),
                        [&](const diagnostica& x) { return identificativo(x) == id; });
  };
  for (const caso& c : casi) {
    const auto descrizioni = [&](const std::string& corpo) {
      return c.di_linea ? std::pair{linea_con(corpo), treno_con("")} : std::pair{linea_con(""), treno_con(corpo)};
    };
    const auto [linea, treno] = descrizioni(std::string(c.voce) + "\r\n");
    const auto e = verifica_di(linea, treno);
    const auto d = trova(e, c.identificativo);
    ASSERT_NE(d, e.diagnostiche.end()) << c.voce;
    EXPECT_NE(d->motivo.find(c.detto), std::string::npos) << d->motivo;
    if (!c.corretta) {
      EXPECT_FALSE(d->correzione) << c.voce;
      continue;
    }
    // The fix, applied as an editor would, gives what the author meant,
    // and the check no longer finds the problem.
    ASSERT_TRUE(d->correzione) << c.voce;
    const luogo& l = d->correzione->dove;
    std::string mendato = c.di_linea ? linea : treno;
    const std::size_t riga = mendato.find(c.voce);
    ASSERT_NE(riga, std::string::npos);
    mendato.replace(riga + static_cast<std::size_t>(l.colonna - 1), static_cast<std::size_t>(l.lunghezza),
                    d->correzione->testo);
    const auto atteso = descrizioni(std::string(c.corretta) + "\r\n");
    EXPECT_EQ(mendato, c.di_linea ? atteso.first : atteso.second) << c.voce;
    const auto dopo = c.di_linea ? verifica_di(mendato, treno) : verifica_di(linea, mendato);
    EXPECT_EQ(trova(dopo, c.identificativo), dopo.diagnostiche.end()) << c.voce;
  }
}

TEST(Verifica, FileInUtf8EFineRigaDiverse) {
  const std::string linea = linea_con("");
  const auto utf8 = verifica_di(linea, treno_con("stazione, 10000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, CITTÀ\r\n"));
  EXPECT_EQ(problemi(utf8), (std::vector<problema>{{treno_p, 4, 63, "V210"}}));
  const auto lf = verifica_di(linea, "[generale]\nvelocita, 0, 60\nstazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\n[fine]\n");
  EXPECT_EQ(problemi(lf), (std::vector<problema>{{treno_p, 1, 11, "V211"}}));
}

TEST(Verifica, OgniVoceDelCatalogoEUnica) {
  std::vector<std::string_view> visti;
  for (const voce_catalogo& v : catalogo()) {
    for (std::string_view w : visti) EXPECT_NE(w, v.identificativo);
    visti.push_back(v.identificativo);
    EXPECT_FALSE(v.spiegazione.empty());
    if (v.codice != 0) {
      EXPECT_EQ(voce_del_codice(v.codice), &v);
    }
  }
}

}  // namespace
}  // namespace gara
