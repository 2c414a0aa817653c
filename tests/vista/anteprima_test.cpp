// The preview's core: what one update of the descriptions shows (picture,
// diagnostics, inspector), the last good picture kept while they are
// broken, the entries found by metre, and the requests it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "anteprima/anteprima.h"
#include "anteprima/richieste.h"
#include "anteprima/voci_con_metro.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "verifica/verifica.h"

namespace gara::anteprima {
namespace {

const std::string percorso = "Corvana_Selvadoro";
const std::string treno = "R 47315";

sorgenti spedito() {
  return {{nome_descrizione_linea(percorso), dati_linea(), std::nullopt},
          {nome_descrizione_treno(percorso, treno), dati_treno(), std::nullopt}};
}

// The shipped scenario with one text of the train description replaced.
sorgenti con_treno(const std::string& vecchio, const std::string& nuovo) {
  sorgenti d = spedito();
  std::string& t = *d.treno.byte;
  const auto i = t.find(vecchio);
  EXPECT_NE(i, std::string::npos) << vecchio;
  if (i != std::string::npos) t.replace(i, vecchio.size(), nuovo);
  return d;
}

int linea_di(const std::string& testo, const std::string& cercato) {
  const auto i = testo.find(cercato);
  return 1 + static_cast<int>(std::count(testo.begin(), testo.begin() + static_cast<long>(i), '\n'));
}

TEST(Anteprima, LoScenarioSpeditoMostraDisegnoEStazioni) {
  anteprima a({percorso, treno, 1});
  EXPECT_EQ(a.contenuto()["stato"], "nessuna");
  a.aggiorna(spedito());
  const auto c = a.contenuto();
  EXPECT_EQ(c["stato"], "aggiornata");
  EXPECT_EQ(c["versione"], 1);
  EXPECT_EQ(c["treno"], "R 47315");
  EXPECT_EQ(c["errori"], 0);
  const std::string svg = c["svg"];
  for (const char* stazione : {"CORVANA", "CAGIONI", "PALAGIANO-CHIATONA", "BOSCO PINETO",
                               "CASTELLANETA MARINA", "GINOSA", "SELVADORO"})
    EXPECT_NE(svg.find(stazione), std::string::npos) << stazione;
  // The profile's band lies inside the picture, from its left margin on.
  EXPECT_LT(c["profilo"]["alto"].get<double>(), c["profilo"]["basso"].get<double>());
  EXPECT_LT(c["profilo"]["x_minimo"].get<double>(), c["profilo"]["x_massimo"].get<double>());
  EXPECT_EQ(c["profilo"]["metro_massimo"].get<int64_t>() >= 47000, true);
}

TEST(Anteprima, UnaDescrizioneGuastaTieneLUltimaImmagineBuonaComeSuperata) {
  anteprima a({percorso, treno, 1});
  a.aggiorna(con_treno("CAGIONI", "CAGIONI NUOVA"));
  const std::string buona = a.contenuto()["svg"];
  ASSERT_NE(buona.find("CAGIONI NUOVA"), std::string::npos);

  const sorgenti guaste = con_treno("segnale,   15500,", "segnale,   15x00,");
  a.aggiorna(guaste);
  const auto c = a.contenuto();
  EXPECT_EQ(c["stato"], "superata");
  EXPECT_EQ(c["svg"], buona);
  ASSERT_GE(c["errori"].get<int>(), 1);
  const auto& lista = c["diagnostiche"];
  const auto d = *std::find_if(lista.begin(), lista.end(), [](const auto& x) { return x["gravita"] == "errore"; });
  EXPECT_EQ(d["file"], "Corvana_Selvadoro_R 47315-.txt");
  EXPECT_EQ(d["riga"], linea_di(*guaste.treno.byte, "segnale,   15x00"));
  EXPECT_GT(d["colonna"].get<int>(), 0);
  EXPECT_NE(d["sorgente"].get<std::string>().find("15x00"), std::string::npos);
  EXPECT_FALSE(d["messaggio"].get<std::string>().empty());

  // Mended, the picture follows the text again.
  a.aggiorna(spedito());
  EXPECT_EQ(a.contenuto()["stato"], "aggiornata");
  EXPECT_EQ(a.contenuto()["errori"], 0);
  EXPECT_EQ(a.contenuto()["svg"].get<std::string>().find("CAGIONI NUOVA"), std::string::npos);
  EXPECT_EQ(a.versione(), 3u);
}

TEST(Anteprima, SenzaImmagineBuonaMostraQuellaConErroriOppureNessuna) {
  // A signal on a cell already taken: the compile still makes the binaries.
  anteprima a({percorso, treno, 1});
  a.aggiorna(con_treno("segnale,   16500,", "segnale,   15500,"));
  EXPECT_EQ(a.contenuto()["stato"], "con_errori");
  EXPECT_TRUE(a.contenuto().contains("svg"));
  const auto con_errori = a.contenuto();
  const auto& lista = con_errori["diagnostiche"];
  EXPECT_TRUE(std::any_of(lista.begin(), lista.end(), [](const auto& x) { return x["metro"] == 15500; }));
  // A number that cannot be read leaves a scenario that cannot be stamped:
  // nothing to draw.
  a.aggiorna(con_treno("segnale,   15500,", "segnale,   15x00,"));
  EXPECT_EQ(a.contenuto()["stato"], "nessuna");

  anteprima b({percorso, treno, 1});
  sorgenti senza_linea = spedito();
  senza_linea.linea.byte.reset();
  b.aggiorna(senza_linea);
  EXPECT_EQ(b.contenuto()["stato"], "nessuna");
  EXPECT_FALSE(b.contenuto().contains("svg"));
  EXPECT_GE(b.contenuto()["errori"].get<int>(), 1);
  EXPECT_FALSE(b.ispeziona(1000));
}

TEST(Anteprima, LIspettoreDiceLaCellaEDaQualeVoceViene) {
  anteprima a({percorso, treno, 1});
  a.aggiorna(spedito());
  // The first signal stands at 15500 m: cell 311. A pointer a few metres
  // off still finds it.
  const auto s = a.ispeziona(15512);
  ASSERT_TRUE(s);
  EXPECT_EQ((*s)["cella"], 311);
  EXPECT_EQ((*s)["metro"], 15500);
  const std::string elenco = (*s)["elenco"];
  EXPECT_EQ(elenco.rfind("cella   311  metro   15500  tipo   1", 0), 0u) << elenco;
  const int linea_segnale = linea_di(dati_treno(), "segnale,   15500");
  EXPECT_EQ((*s)["origine"]["file"], "Corvana_Selvadoro_R 47315-.txt");
  EXPECT_EQ((*s)["origine"]["linea"], linea_segnale);
  EXPECT_EQ((*s)["origine"]["colonna"], 1);
  EXPECT_EQ((*s)["origine"]["testo"].get<std::string>().rfind("segnale,   15500,", 0), 0u);
  ASSERT_EQ((*s)["voci"].size(), 1u);
  EXPECT_EQ((*s)["voci"][0]["linea"], linea_segnale);

  // A pointer 120 m off finds the signal when the pointer's tolerance
  // reaches it, the empty cell under it otherwise.
  EXPECT_EQ((*a.ispeziona(15620, 200))["cella"], 311);
  EXPECT_EQ((*a.ispeziona(15620, 0))["cella"], 313);
  EXPECT_EQ((*a.ispeziona(15620, -5))["cella"], 313);

  // The orientation boards ahead of the slowdown come from the pass after
  // the reading: no entry put them, the nearest one before is shown.
  // Between entries: the nearest one before. Past either end: the end cells.
  const auto tra = a.ispeziona(15800);
  ASSERT_TRUE(tra);
  EXPECT_FALSE(tra->contains("origine"));
  ASSERT_EQ((*tra)["voci"].size(), 1u);
  EXPECT_EQ((*tra)["voci"][0]["metro"], 15500);
  EXPECT_EQ((*a.ispeziona(-500))["cella"], 0);
  const int64_t ultima = (*a.ispeziona(10'000'000))["cella"];
  EXPECT_GT(ultima, 940);
  EXPECT_EQ((*a.ispeziona(20'000'000))["cella"], ultima);
  // Any metre and tolerance a caller passes: the end cells, no overflow.
  EXPECT_EQ((*a.ispeziona(INT64_MAX, INT64_MAX))["cella"], ultima);
  EXPECT_EQ((*a.ispeziona(INT64_MIN, INT64_MAX))["cella"], 0);
}

TEST(Richieste, LIspettoreLeggeSoloCifre) {
  struct caso {
    const char* metro;
    const char* tolleranza;
    std::optional<ispezione> atteso;
  };
  const caso casi[] = {
      {"15500", "", ispezione{15500, 0}},
      {"-200", "400", ispezione{-200, 400}},
      {"9999999999", "999999", ispezione{9'999'999'999, 999'999}},
      {"0000000000", "000000", ispezione{0, 0}},
      {"", "", std::nullopt},
      {"-", "", std::nullopt},
      {"+5", "", std::nullopt},
      {"1e5", "", std::nullopt},
      {"12345678901", "", std::nullopt},
      {"15500", "-4", std::nullopt},
      {"15500", "1000000", std::nullopt},
      {"15500", "40 ", std::nullopt},
      {" 15500", "", std::nullopt},
  };
  for (const auto& c : casi) {
    const auto r = leggi_ispezione(c.metro, c.tolleranza);
    ASSERT_EQ(r.has_value(), c.atteso.has_value()) << c.metro << " " << c.tolleranza;
    if (r) {
      EXPECT_EQ(r->metro, c.atteso->metro);
      EXPECT_EQ(r->tolleranza, c.atteso->tolleranza);
    }
  }
}

TEST(VociConMetro, LeVociComeLeLeggeLaCompilazione) {
  // What the compile reads, not what a line looks like: an entry whose
  // values run on to the next line, numbers apart by blanks alone, a
  // metre with decimals; free text before any section and [generale] are
  // no entries at a metre.
  sorgenti d = con_treno("[segnali]", "[segnali]\r\nsegnale,   30125,   1, 3, 1\r\n 0, 0,    0,  0,0,0, 0\r\n"
                                     "segnale, 30274.6 1 3 1 0 0 0 0 0 0 0");
  const esito_verifica e = verifica(d, {percorso, treno, 1});
  ASSERT_EQ(e.errori, 0);
  EXPECT_EQ(e.avvisi, 1);  // the decimals
  const auto v = voci_con_metro(e.voci_lette, d);
  const int riga = linea_di(*d.treno.byte, "segnale,   30125");
  const auto a = std::find_if(v.begin(), v.end(), [&](const auto& x) { return x.metro == 30125; });
  ASSERT_NE(a, v.end());
  EXPECT_EQ(a->linea, riga);
  EXPECT_EQ(a->chiave, "segnale");
  EXPECT_EQ(a->testo, "segnale,   30125,   1, 3, 1");
  EXPECT_EQ(a->celle, std::vector<int64_t>{604});  // 30125 / 50 + 1 = 603.5, to even
  const auto b = std::find_if(v.begin(), v.end(), [&](const auto& x) { return x.file == a->file && x.linea == riga + 2; });
  ASSERT_NE(b, v.end());
  EXPECT_EQ(b->metro, 30275);
  for (const auto& x : v) EXPECT_NE(x.chiave, "lunghezzapercorso");

  // The cell's own entries, found by the cells they wrote; else the nearest before.
  const auto in_604 = voci_della_cella(v, 604);
  ASSERT_EQ(in_604.size(), 1u);
  EXPECT_EQ(in_604[0].metro, 30125);
  EXPECT_EQ(voci_della_cella(v, 605)[0].metro, 30125);
  EXPECT_TRUE(voci_della_cella(v, -3).empty());
}

TEST(VociConMetro, LIspettoreArrotondaIlMetroComeLaCompilazione) {
  // A signal at 30075 stands in cell 602 (602.5 to even), drawn at 30050:
  // the inspector at its own metre finds it there, and names its line.
  anteprima a({percorso, treno, 1});
  a.aggiorna(con_treno("[segnali]", "[segnali]\r\nsegnale,   30075,   1, 3, 1,  0, 0,    0,  0,0,0, 0"));
  const auto r = a.ispeziona(30075);
  ASSERT_TRUE(r);
  EXPECT_EQ((*r)["cella"], 602);
  ASSERT_TRUE(r->contains("origine"));
  EXPECT_EQ((*r)["voci"].size(), 1u);
  EXPECT_EQ((*r)["voci"][0]["metro"], 30075);
}

TEST(Richieste, SoloIlLoopbackConLaSuaPortaEIndirizziPuliti) {
  struct caso {
    const char* host;
    std::string destinazione;
    int stato;  // 0: answered
  };
  const caso casi[] = {
      {"127.0.0.1:8123", "/", 0},
      {"localhost:8123", "/eventi", 0},
      {"LOCALHOST:8123", "/ispeziona/1500", 0},
      {"127.0.0.1", "/", 403},
      {"127.0.0.1:8124", "/", 403},
      {"esempio.invalid:8123", "/", 403},
      {"127.0.0.1.esempio.invalid:8123", "/", 403},
      {"", "/", 403},
      {"127.0.0.1:8123", "/../etc/passwd", 400},
      {"127.0.0.1:8123", "/%2e%2e/etc/passwd", 400},
      {"127.0.0.1:8123", "/%2E%2E%2Fsegreto", 400},
      {"127.0.0.1:8123", "/.%2e/x", 400},
      {"127.0.0.1:8123", "/a%5c..%5cb", 400},
      {"127.0.0.1:8123", "/a\\b", 400},
      {"127.0.0.1:8123", "/a%00b", 400},
      {"127.0.0.1:8123", "*", 400},
      {"127.0.0.1:8123", "http://127.0.0.1:8123/", 400},
      {"127.0.0.1:8123", "/" + std::string(300, 'a'), 414},
  };
  for (const auto& c : casi) {
    const auto r = controlla_richiesta(c.host, c.destinazione, 8123);
    EXPECT_EQ(r ? r->stato : 0, c.stato) << c.host << " " << c.destinazione;
    if (r) {
      EXPECT_FALSE(r->motivo.empty());
    }
  }
}

}  // namespace
}  // namespace gara::anteprima
