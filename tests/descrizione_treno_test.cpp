// The train half of the reading, on a grid made directly (as the line half
// would leave it) and a train description written by the test.
#include <gtest/gtest.h>

#include <functional>

#include "aiuti_prove.h"
#include "file/file.h"
#include "lettura/descrizione_treno.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"

namespace gara {
namespace {

// A state with the grid of a 47000 m line (cells 0..1080, unless told) and
// nothing on it; route "P", train "T".
struct lettura_di_prova {
  stato_compilazione s;

  explicit lettura_di_prova(int n = 1080) {
    s.nome_percorso = "P";
    s.nome_treno = "T";
    s.celle.assign(static_cast<std::size_t>(n) + 1, cella{});
    s.posizione_errore = -1;
  }
  void leggi(const std::string& testo, int32_t limite = voce::primo_cartello) {
    leggi_descrizione_treno(s, "P_T-.txt", testo, limite);
  }
};

// A train description with the lines given after "[generale]".
std::string treno(std::string_view corpo) { return "[generale]\r\n" + std::string(corpo) + "[fine]\r\n"; }

// A "stazione" line: position, type, platform length, values 5 and 6, name;
// every other value 0 and the time 12:00:00.
std::string stazione(int p, int t, int l, int v6 = 0, int v5 = 0, std::string_view nome = "S") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(t) + ", " + std::to_string(l) + ", 0, " +
         std::to_string(v5) + ", " + std::to_string(v6) + ", 0,0,0, 0,0,0, 0, 12,0,0, " + std::string(nome) +
         "\r\n";
}

TEST(DescrizioneTreno, LaDescrizioneDelPacchetto) {
  lettura_di_prova l;
  l.leggi(dati_treno(), 76);  // the line of the package has four boards
  const auto& s = l.s;
  const auto& c = s.celle;

  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_EQ(s.tabella_linea[84].valore1, 120);
  EXPECT_EQ(s.tabella_linea[84].valore3, 4);
  EXPECT_EQ(s.tabella_linea[86].intero_a, 300);
  EXPECT_EQ(s.tabella_linea[86].intero_c, 12);
  EXPECT_EQ(s.tabella_linea[86].intero_d, 3);
  EXPECT_EQ(s.tabella_linea[86].intero_e, 11);

  for (int i = 0; i <= 1080; ++i) {
    const int velocita = i <= 12 ? 6 : i <= 759 ? 28 : i <= 779 ? 16 : i <= 934 ? 28 : i <= 1077 ? 12 : 0;
    ASSERT_EQ(c[i].velocita, velocita) << "cella " << i;
    ASSERT_EQ(c[i].aderenza, i <= 1077 ? 100 : 0) << "cella " << i;
  }

  // The seven stations: platform, time, and the platform-end cell (none for
  // types 25 and above).
  const struct {
    const char* nome;
    uint8_t tipo;
    int32_t inizio, fine, posizione, orario;
    int cella_fine;
  } stazioni[] = {
      {"CORVANA", 8, -600, 600, 0, 43440, 11},
      {"CAGIONI", 26, 8850, 9150, 9000, 0, 0},
      {"PALAGIANO-CHIATONA", 12, 16800, 17250, 17000, 44700, 344},
      {"BOSCO PINETO", 28, 18900, 19100, 19000, 44700, 0},
      {"CASTELLANETA MARINA", 12, 25700, 26300, 26000, 45120, 525},
      {"GINOSA", 12, 33800, 34250, 34000, 45900, 684},
      {"SELVADORO", 2, 46650, 47350, 47000, 46740, 946},
  };
  int n = 1;
  for (const auto& k : stazioni) {
    const voce_linea& r = s.tabella_linea[n];
    EXPECT_EQ(r.testo, k.nome);
    EXPECT_EQ(r.tipo_stazione, k.tipo) << k.nome;
    EXPECT_EQ(r.valore1, k.inizio) << k.nome;
    EXPECT_EQ(r.valore2, k.fine) << k.nome;
    EXPECT_EQ(r.valore3, k.posizione) << k.nome;
    EXPECT_EQ(r.orario, k.orario) << k.nome;
    if (k.cella_fine != 0) {
      EXPECT_EQ(c[k.cella_fine].tipo, tipo_cella::fine_marciapiede) << k.nome;
      EXPECT_EQ(c[k.cella_fine].dato1, n) << k.nome;
      for (int m = 1; m <= 4; ++m) EXPECT_EQ(c[k.cella_fine - m].avviso, 80 + m) << k.nome;
    }
    ++n;
  }
  EXPECT_EQ(s.tabella_linea[n].testo, "");
  // Values 4 to 13 as read, but for the first station's forced values.
  const voce_linea corvana = s.tabella_linea[1];
  EXPECT_EQ(corvana.byte_e, 0);  // read 1, first station
  EXPECT_EQ(corvana.intero_a, 1);
  EXPECT_EQ(corvana.intero_c, 4);
  EXPECT_EQ(corvana.byte_c, 1);
  EXPECT_EQ(s.tabella_linea[3].byte_d, 1);
  EXPECT_EQ(s.tabella_linea[3].byte_c, 60);
  EXPECT_EQ(s.tabella_linea[5].byte_a, 1);
  EXPECT_EQ(s.tabella_linea[7].byte_e, 1);  // a platform of 700 m keeps it

  // Signals of the examples.
  EXPECT_EQ(c[497].tipo, tipo_cella::segnale);
  EXPECT_EQ(c[497].dato2, 40);
  EXPECT_EQ(c[489].avviso, 34);
  EXPECT_EQ(c[331].tempo, 199);
  EXPECT_EQ(c[534].dato1, 42);
  EXPECT_EQ(c[526].avviso, 84);
  EXPECT_EQ(c[933].dato4, 16);
  // The slowdown.
  EXPECT_EQ(c[737].tipo, tipo_cella::avviso_rallentamento);
  EXPECT_EQ(c[737].dato1, 80);
  EXPECT_EQ(c[761].tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(c[781].tipo, tipo_cella::fine_rallentamento);
  EXPECT_EQ(c[781].dato3, 1);
  for (int i = 733; i <= 736; ++i) {
    EXPECT_EQ(c[i].tipo, tipo_cella::numerata_rallentamento);
    EXPECT_EQ(c[i].dato1, 737 - i);
  }

  // Nothing else: 9 signals, 5 platform ends, 3 + 4 slowdown cells, and
  // four marks each for the signals and the platform ends.
  int oggetti = 0, segnali = 0, avvisi = 0;
  for (const cella& x : c) {
    oggetti += x.tipo != 0;
    segnali += x.tipo == tipo_cella::segnale;
    avvisi += x.avviso != 0;
  }
  EXPECT_EQ(oggetti, 21);
  EXPECT_EQ(segnali, 9);
  EXPECT_EQ(avvisi, 56);
}

// What a small train description leaves. Each file begins with a speed of
// 30 km/h at metre 0 (line 2), so that the speed tail shows whether the end
// of reading ran; the entries given start on line 3.
struct caso_codice {
  const char* nome;
  std::string corpo;
  int32_t codice;
  int32_t posizione;  // -1: left unchanged
  int riga;           // line of the entry the code goes with; 0: none
  bool code = false;  // speed and adhesion tails and progressive check done
  int32_t limite = voce::primo_cartello;
  int32_t progressiva = 0;  // valore1 of record 81 before the reading
};

void PrintTo(const caso_codice& k, std::ostream* o) { *o << k.nome; }

class CodiciTreno : public ::testing::TestWithParam<caso_codice> {};

TEST_P(CodiciTreno, CodicePosizioneRigaEFile) {
  const caso_codice& k = GetParam();
  lettura_di_prova l;
  l.s.tabella_linea[81].valore1 = k.progressiva;
  l.leggi(treno("velocita, 0, 30\r\n" + k.corpo), k.limite);

  EXPECT_EQ(l.s.codice_errore(), k.codice);
  EXPECT_EQ(l.s.posizione_errore, k.posizione);
  const auto origine = prova::origine_errore(l.s);
  ASSERT_TRUE(origine.has_value());
  EXPECT_EQ(origine->file, "P_T-.txt");
  if (k.riga != 0) {
    EXPECT_EQ(origine->linea, k.riga);
  } else {
    EXPECT_FALSE(origine->linea.has_value());
  }
  EXPECT_EQ(l.s.celle[0].velocita, k.code ? 6 : 0);
}

const std::string segnale_su_cella_737 = "segnale, 36800, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n";
const std::string rallentamento_38000 = "rallentamento, 38000, 80, 1000, 1, 1, 0\r\n";

const caso_codice casi_codici[] = {
    {"progressiva_fuori_passo", "", codice::progressiva_fuori_passo, -1, 0, true, 80, 75},
    {"abbattimento_occupato", "abbattimento, 1000, 0\r\nabbattimento, 1000, 5\r\n",
     codice::abbattimento_occupato, 1000, 4},
    {"abbattimento_su_un_segnale", "segnale, 950, 1, 0,0,0, 0, 0, 0,0,0, 0\r\nabbattimento, 1000, 5\r\n",
     codice::abbattimento_occupato, 1000, 4},
    {"stazione_fuori_passo", stazione(25, 12, 400), codice::stazione_fuori_passo, 25, 3},
    {"marciapiede_fuori_passo", stazione(10000, 12, 450), codice::marciapiede_fuori_passo, 10000, 3},
    {"troppe_stazioni", stazione(10000, 12, 400) + stazione(20000, 12, 400), codice::troppe_stazioni, -1,
     4, false, 3},
    {"oltre_la_griglia", "velocita, 53901, 60\r\n", codice::oltre_griglia, 53901, 3, true},
    {"stazione_oltre_la_griglia", stazione(53250, 12, 400), codice::oltre_griglia, 53250, 3, true},
    {"segnale_oltre_la_griglia", "segnale, 53901, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n", codice::oltre_griglia,
     53901, 3, true},
    {"oltre_la_griglia_poi_progressiva", "abbattimento, 53950, 0\r\n", codice::progressiva_fuori_passo,
     53950, 0, true, 80, 75},
    {"segnale_occupato", segnale_su_cella_737 + segnale_su_cella_737, codice::segnale_occupato, 36800, 4},
    {"avviso_rallentamento_occupato", segnale_su_cella_737 + rallentamento_38000,
     codice::avviso_rallentamento_occupato, 38000, 4},
    {"inizio_rallentamento_occupato", "segnale, 38000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n" + rallentamento_38000,
     codice::inizio_rallentamento_occupato, 38000, 4},
    {"fine_rallentamento_occupato", "segnale, 39000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n" + rallentamento_38000,
     codice::fine_rallentamento_occupato, 38000, 4},
    {"numerate_rallentamento_occupate",
     "segnale, 36750, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n" + rallentamento_38000,
     codice::numerate_rallentamento_occupate, 38000, 4},
    {"segnale_sulla_fine_del_marciapiede",
     stazione(10000, 12, 400) + "segnale, 10100, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n", codice::segnale_occupato,
     10100, 4},
    // 300 m from the previous platform end (10200) to the next start (10500).
    {"stazioni_troppo_vicine", stazione(10000, 12, 400) + stazione(10700, 12, 400),
     codice::stazioni_troppo_vicine, 10700, 4},
    {"marciapiede_vicino_all_inizio", stazione(0, 12, 200), codice::marciapiede_troppo_vicino_inizio, -1,
     3},
    {"fermata_vicina_all_inizio", stazione(-50, 5, 100), codice::marciapiede_troppo_vicino_inizio, -1, 3},
};

INSTANTIATE_TEST_SUITE_P(Tabella, CodiciTreno, ::testing::ValuesIn(casi_codici),
                         [](const auto& caso) { return std::string(caso.param.nome); });

// Failures that no entry rule foresees: the reader records code 25 at the
// field and throws (memorizza_dati ends the reading, both descriptions to
// be deleted), and what it had written before stays.
struct caso_guasto {
  const char* nome;
  std::string testo;
  std::function<void(const stato_compilazione&)> resta = [](const stato_compilazione&) {};
};

void PrintTo(const caso_guasto& k, std::ostream* o) { *o << k.nome; }

class GuastiTreno : public ::testing::TestWithParam<caso_guasto> {};

TEST_P(GuastiTreno, GuastoEQuelCheEraScrittoResta) {
  const caso_guasto& k = GetParam();
  lettura_di_prova l;
  EXPECT_THROW(l.leggi(k.testo), guasto);
  // Recorded where it happened, with its reason, before the reading ends.
  EXPECT_EQ(l.s.codice_errore(), codice::guasto_lettura);
  ASSERT_EQ(l.s.diagnostiche.size(), 1u);
  const diagnostica& d = l.s.diagnostiche.front();
  ASSERT_TRUE(d.dove.has_value());
  EXPECT_EQ(d.dove->file, "P_T-.txt");
  EXPECT_GT(d.dove->linea, 0);
  EXPECT_NE(d.motivo.find("lettura interrotta: "), std::string::npos);
  k.resta(l.s);
}

std::string ripetuta(std::string_view riga, int volte) {
  std::string r;
  for (int i = 0; i < volte; ++i) r += std::string(riga) + "\r\n";
  return r;
}

const caso_guasto casi_guasti[] = {
    // 1278 / 5 = 255.6 does not fit the byte; it fails when it is written.
    {"velocita_oltre_il_byte", treno("velocita, 0, 30\r\nvelocita, 100, 1278\r\nvelocita, 200, 30\r\n"),
     [](const stato_compilazione& s) {
       EXPECT_EQ(s.celle[1].velocita, 6);
       EXPECT_EQ(s.celle[2].velocita, 0);
     }},
    {"velocita_negativa", treno("velocita, 0, -3\r\nvelocita, 100, 30\r\n")},
    {"velocita_oltre_il_byte_nella_coda", treno("velocita, 0, 1300\r\n")},
    // The fifth entry at 53900 moves the adhesion cursor past cell 1080.
    {"aderenza_oltre_la_griglia", treno(ripetuta("aderenza, 53900, 7", 5)),
     [](const stato_compilazione& s) { EXPECT_EQ(s.celle[1080].aderenza, 7); }},
    // The grid check lets the station pass; its first mark falls in cell 1082.
    {"marciapiede_oltre_la_griglia", treno(stazione(53200, 12, 2000, 0, 0, "LONTANA")),
     [](const stato_compilazione& s) {
       EXPECT_EQ(s.tabella_linea[1].testo, "LONTANA");
       EXPECT_EQ(s.tabella_linea[1].valore2, 54200);
     }},
    {"fine_rallentamento_oltre_la_griglia", treno("rallentamento, 53000, 80, 5000, 1, 1, 0\r\n"),
     [](const stato_compilazione& s) {
       for (const cella& c : s.celle) ASSERT_EQ(c.tipo, 0);
     }},
    {"avvisi_del_segnale_prima_della_cella_0", treno("segnale, 0, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n"),
     [](const stato_compilazione& s) { EXPECT_EQ(s.celle[1].tipo, tipo_cella::segnale); }},
    {"abbattimento_a_metri_negativi", treno("abbattimento, -100, 0\r\n")},
    {"rallentamento_a_metri_negativi", treno("rallentamento, -100, 80, 50, 0, 0, 0\r\n")},
    {"sabbia_oltre_16_bit", treno("numero vetture, 3\r\nsabbia, 40000\r\n"),
     [](const stato_compilazione& s) { EXPECT_EQ(s.tabella_linea[84].valore3, 3); }},
    {"orologio_oltre_16_bit", treno("orologio, 12, 70000, 0\r\n"),
     [](const stato_compilazione& s) { EXPECT_EQ(s.tabella_linea[86].intero_c, 12); }},
    {"numero_oltre_32_bit", treno("numero vetture, 99999999999\r\n")},
    {"tipo_di_stazione_oltre_il_byte", treno(stazione(10000, 256, 400)),
     [](const stato_compilazione& s) { EXPECT_EQ(s.tabella_linea[1].valore3, 10000); }},
    {"orario_oltre_32_bit", treno("stazione, 10000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 600000,0,0, S\r\n")},
    {"nome_di_stazione_troppo_lungo",
     treno("stazione, 10000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " + std::string(65536, 'X') + "\r\n"),
     [](const stato_compilazione& s) {
       EXPECT_EQ(s.tabella_linea[1].testo, "");
       EXPECT_EQ(s.tabella_linea[1].orario, 43200);
     }},
    // The entry's values are read even across the end of the file: one
    // missing is a read past it.
    {"voce_tronca_alla_fine", "[generale]\r\nsabbia, 4\r\nvelocita, 100\r\n",
     [](const stato_compilazione& s) { EXPECT_EQ(s.tabella_linea[86].intero_a, 4); }},
};

INSTANTIATE_TEST_SUITE_P(Tabella, GuastiTreno, ::testing::ValuesIn(casi_guasti),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(DescrizioneTreno, UnNomeDiStazioneDi65535ByteEntra) {
  lettura_di_prova l;
  const std::string nome(65535, 'X');
  l.leggi(treno(stazione(10000, 12, 400, 0, 0, nome)));
  EXPECT_EQ(l.s.codice_errore(), 0);
  EXPECT_EQ(l.s.tabella_linea[1].testo, nome);
}

TEST(DescrizioneTreno, CodiceGiaPresenteFermaAlPrimoSegnaleORallentamento) {
  // The line half left code 15: the abbattimento entry and the station are
  // read, the first signal or slowdown is placed and ends the reading there,
  // with no tails.
  for (const std::string& voce : {std::string("segnale, 24800, 1, 3, 4, 0, 0, 0, 0,0,0, 0\r\n"),
                                  std::string("rallentamento, 24800, 80, 1000, 1, 1, 0\r\n")}) {
    lettura_di_prova l;
    l.s.segna_errore(codice::oltre_griglia);
    l.s.posizione_errore = 53950;
    l.leggi(treno("velocita, 0, 30\r\nvelocita, 1000, 60\r\nabbattimento, 2000, 5\r\n" +
                  stazione(10000, 12, 400) + voce + "segnale, 30000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n"));
    EXPECT_EQ(l.s.codice_errore(), codice::oltre_griglia) << voce;
    EXPECT_EQ(l.s.posizione_errore, 24800) << voce;
    EXPECT_EQ(l.s.celle[497].tipo, voce[0] == 's' ? tipo_cella::segnale : tipo_cella::inizio_rallentamento)
        << voce;
    EXPECT_EQ(l.s.celle[601].tipo, 0) << voce;  // the second signal is not read
    EXPECT_EQ(l.s.celle[40].tipo, tipo_cella::tavola) << voce;
    EXPECT_EQ(l.s.tabella_linea[1].valore3, 10000) << voce;
    EXPECT_EQ(l.s.celle[19].velocita, 6) << voce;
    EXPECT_EQ(l.s.celle[20].velocita, 0) << voce;  // no speed tail
  }
}

TEST(DescrizioneTreno, VelocitaECursori) {
  // A first entry at 650 leaves cells 0..12 at speed 0.
  lettura_di_prova a;
  a.leggi(treno("velocita, 650, 140\r\n"));
  EXPECT_EQ(a.s.celle[12].velocita, 0);
  EXPECT_EQ(a.s.celle[13].velocita, 28);
  EXPECT_EQ(a.s.celle[1077].velocita, 28);
  EXPECT_EQ(a.s.celle[1078].velocita, 0);

  // Two entries at the same place: the second speed starts one cell later.
  lettura_di_prova b;
  b.leggi(treno("velocita, 0, 30\r\nvelocita, 1000, 60\r\nvelocita, 1000, 100\r\nvelocita, 2000, 1277\r\n"));
  EXPECT_EQ(b.s.celle[19].velocita, 6);
  EXPECT_EQ(b.s.celle[20].velocita, 12);
  EXPECT_EQ(b.s.celle[21].velocita, 20);
  EXPECT_EQ(b.s.celle[39].velocita, 20);
  EXPECT_EQ(b.s.celle[40].velocita, 255);  // 1277 / 5 = 255.4

  // The speed cursor stops at the last cell; the tail still writes there.
  lettura_di_prova c(20);
  c.leggi(treno("velocita, 0, 10\r\n" + ripetuta("velocita, 900, 20", 4) + "velocita, 900, 50\r\n"));
  EXPECT_EQ(c.s.codice_errore(), 0);
  EXPECT_EQ(c.s.celle[17].velocita, 2);
  EXPECT_EQ(c.s.celle[18].velocita, 4);
  EXPECT_EQ(c.s.celle[19].velocita, 4);
  EXPECT_EQ(c.s.celle[20].velocita, 10);

  // Adhesion keeps its low byte; speeds go to the nearest fifth.
  lettura_di_prova d;
  d.leggi(treno("aderenza, 0, 300\r\nvelocita, 0, 12\r\nvelocita, 100, 13\r\n"));
  EXPECT_EQ(d.s.celle[0].aderenza, 44);
  EXPECT_EQ(d.s.celle[1077].aderenza, 44);
  EXPECT_EQ(d.s.celle[1].velocita, 2);     // 12 / 5 = 2.4
  EXPECT_EQ(d.s.celle[1077].velocita, 3);  // 13 / 5 = 2.6
}

TEST(DescrizioneTreno, CampiEParoleChiave) {
  const auto letta = [](const std::string& testo) {
    lettura_di_prova l;
    l.s.tabella_linea[84].valore3 = 9;
    l.s.tabella_linea[86].intero_a = 9;
    l.leggi(testo);
    EXPECT_EQ(l.s.codice_errore(), 0) << testo;
    return std::move(l.s);
  };
  const auto sabbia = [&](const std::string& testo) { return letta(testo).tabella_linea[86].intero_a; };
  const auto vetture = [&](const std::string& testo) { return letta(testo).tabella_linea[84].valore3; };

  // Before "[generale]" nothing counts; keywords ignore case.
  EXPECT_EQ(sabbia("sabbia, 5\r\n[Generale]\r\nSABBIA, 6\r\n[fine]\r\n"), 6);
  EXPECT_EQ(sabbia("sabbia, 5\r\n[fine]\r\n"), 9);
  // The last field of the file is never interpreted.
  EXPECT_EQ(sabbia("[generale]\r\nsabbia\r\n"), 9);
  EXPECT_EQ(sabbia("[generale]\r\nsabbia, 4"), 4);
  // At most two dash fields in a row are passed over; the third is read
  // whatever it holds.
  EXPECT_EQ(sabbia(treno("-, sabbia-x, 5\r\n")), 9);
  EXPECT_EQ(sabbia(treno("-, -, sabbia-x, 5\r\n")), 5);
  // A number field without digits reads as 0; numbers may be separated by
  // blanks alone.
  EXPECT_EQ(vetture(treno("numero vetture, molte\r\n")), 0);
  EXPECT_EQ(vetture(treno("percentuale massa frenata numero vetture,   120   7\r\n")), 7);

  // A field with two keywords is two entries, in the order of the tests:
  // the clock before the sand.
  const auto s = letta(treno("sabbia e orologio, 1 2 3, 4\r\n"));
  EXPECT_EQ(s.tabella_linea[86].intero_c, 1);
  EXPECT_EQ(s.tabella_linea[86].intero_e, 3);
  EXPECT_EQ(s.tabella_linea[86].intero_a, 4);

  // Section headers hold no keyword; the station keyword in capitals does.
  const auto t = letta(treno("[stazioni]\r\n" + stazione(10000, 12, 400).replace(0, 8, "STAZIONE")));
  EXPECT_EQ(t.tabella_linea[1].valore3, 10000);
  EXPECT_EQ(t.tabella_linea[2].valore3, 0);

  // Empty files and files without "[generale]" read nothing and end normally.
  EXPECT_EQ(vetture(""), 9);
  EXPECT_EQ(vetture("numero vetture, 5\r\n"), 9);
}

TEST(DescrizioneTreno, MarciapiediPerTipo) {
  // Each station follows a first one at 1000 (type 26: no cells), so the
  // forcing of the first station does not apply.
  const struct {
    int tipo, lunghezza, v6, v5;
    int32_t inizio, fine;
    uint8_t byte_d, byte_e;
    int cella_fine;  // 0: none
    bool avvisi;
  } casi[] = {
      {12, 400, 1, 1, 9800, 10250, 1, 0, 204, true},  // extension; value 5 dropped under 600 m
      {12, 600, 0, 1, 9700, 10300, 0, 1, 205, true},
      {24, 600, 1, 1, 9700, 10350, 1, 1, 206, true},
      {5, 400, 1, 1, 9600, 10150, 0, 0, 202, false},
      {6, 800, 0, 1, 9200, 10150, 0, 1, 202, false},
      {7, 600, 1, 1, 9400, 10600, 0, 1, 211, true},
      {8, 400, 0, 0, 9600, 10400, 0, 0, 207, true},
      {25, 400, 1, 1, 9800, 10250, 1, 0, 0, false},
      {28, 600, 0, 1, 9700, 10300, 0, 1, 0, false},
  };
  for (const auto& k : casi) {
    lettura_di_prova l;
    l.leggi(treno(stazione(1000, 26, 100) + stazione(10000, k.tipo, k.lunghezza, k.v6, k.v5)));
    const auto& s = l.s;
    const voce_linea& r = s.tabella_linea[2];
    EXPECT_EQ(s.codice_errore(), 0) << k.tipo;
    EXPECT_EQ(r.valore1, k.inizio) << k.tipo;
    EXPECT_EQ(r.valore2, k.fine) << k.tipo;
    EXPECT_EQ(r.byte_d, k.byte_d) << k.tipo;
    EXPECT_EQ(r.byte_e, k.byte_e) << k.tipo;
    int fini = 0, avvisi = 0;
    for (const cella& c : s.celle) {
      fini += c.tipo == tipo_cella::fine_marciapiede;
      avvisi += c.avviso != 0;
    }
    EXPECT_EQ(fini, k.cella_fine != 0 ? 1 : 0) << k.tipo;
    EXPECT_EQ(avvisi, k.avvisi ? 4 : 0) << k.tipo;
    if (k.cella_fine != 0) {
      EXPECT_EQ(s.celle[k.cella_fine].tipo, tipo_cella::fine_marciapiede) << k.tipo;
      EXPECT_EQ(s.celle[k.cella_fine].dato1, 2) << k.tipo;
    }
    if (k.avvisi) {
      EXPECT_EQ(s.celle[k.cella_fine - 1].avviso, 81) << k.tipo;
      EXPECT_EQ(s.celle[k.cella_fine - 4].avviso, 84) << k.tipo;
    }
  }
}

TEST(DescrizioneTreno, PrimaStazione) {
  // Value 6 still lengthens the first platform, then both values are forced to 0.
  lettura_di_prova l;
  l.leggi(treno(stazione(10000, 12, 600, 1, 1)));
  const voce_linea& r = l.s.tabella_linea[1];
  EXPECT_EQ(r.valore2, 10350);
  EXPECT_EQ(r.byte_d, 0);
  EXPECT_EQ(r.byte_e, 0);
  EXPECT_EQ(l.s.celle[206].tipo, tipo_cella::fine_marciapiede);
}

TEST(DescrizioneTreno, StazioniDistanzaEGriglia) {
  // 350 m from one platform end to the next start is enough.
  lettura_di_prova a;
  a.leggi(treno(stazione(10000, 12, 400) + stazione(10750, 12, 400)));
  EXPECT_EQ(a.s.codice_errore(), 0);
  EXPECT_EQ(a.s.tabella_linea[2].valore1, 10550);

  // The last station the grid check lets pass.
  lettura_di_prova b;
  b.leggi(treno(stazione(53200, 12, 100)));
  EXPECT_EQ(b.s.codice_errore(), 0);
  EXPECT_EQ(b.s.celle[1064].tipo, tipo_cella::fine_marciapiede);

  // The platform end nearest to the start: cell 2, with no marks (they
  // would fall on cell 1 and before).
  lettura_di_prova d;
  d.leggi(treno(stazione(100, 12, 100)));
  EXPECT_EQ(d.s.codice_errore(), 0);
  EXPECT_EQ(d.s.celle[2].tipo, tipo_cella::fine_marciapiede);
  for (const cella& x : d.s.celle) ASSERT_EQ(x.avviso, 0);

  // A station takes the platform-end cell from a signal already there.
  lettura_di_prova c;
  c.leggi(treno("segnale, 10100, 1, 3, 0, 0, 0, 0, 0,0,0, 0\r\n" + stazione(10000, 12, 400)));
  EXPECT_EQ(c.s.codice_errore(), 0);
  EXPECT_EQ(c.s.celle[203].tipo, tipo_cella::fine_marciapiede);
  EXPECT_EQ(c.s.celle[203].dato1, 1);
}

TEST(DescrizioneTreno, LimiteDelleStazioni) {
  const auto stazioni = [](int quante) {
    std::string r;
    for (int i = 1; i <= quante; ++i) r += stazione(500 * i, 12, 100, 0, 0, "S" + std::to_string(i));
    return r;
  };
  // Without boards, 78 stations fit and the 79th is stored and gives code 10.
  lettura_di_prova a;
  a.leggi(treno(stazioni(78)));
  EXPECT_EQ(a.s.codice_errore(), 0);
  lettura_di_prova b;
  b.leggi(treno(stazioni(80)));
  EXPECT_EQ(b.s.codice_errore(), codice::troppe_stazioni);
  EXPECT_EQ(b.s.posizione_errore, -1);
  EXPECT_EQ(b.s.tabella_linea[79].testo, "S79");
  EXPECT_EQ(b.s.tabella_linea[80].testo, "");

  // With four boards (texts in records 80..77), 74 stations fit.
  lettura_di_prova c;
  for (int r = 77; r <= 80; ++r) c.s.tabella_linea[r].testo = "CARTELLO";
  c.leggi(treno(stazioni(75)), 76);
  EXPECT_EQ(c.s.codice_errore(), codice::troppe_stazioni);
  EXPECT_EQ(c.s.tabella_linea[75].testo, "S75");
  EXPECT_EQ(c.s.tabella_linea[76].testo, "");
  EXPECT_EQ(c.s.tabella_linea[77].testo, "CARTELLO");

  // With 80 boards every record from 1 holds a text: a station has no room
  // and the board's text is kept.
  lettura_di_prova d;
  for (int r = 1; r <= 80; ++r) d.s.tabella_linea[r].testo = "CARTELLO";
  d.leggi(treno(stazioni(1)), 0);
  EXPECT_EQ(d.s.codice_errore(), codice::troppe_stazioni);
  EXPECT_EQ(d.s.tabella_linea[1].testo, "CARTELLO");
  EXPECT_EQ(d.s.tabella_linea[1].valore3, 0);

  // With 79 boards record 1 is still free: one station, then code 10.
  lettura_di_prova e;
  e.leggi(treno(stazioni(1)), 1);
  EXPECT_EQ(e.s.codice_errore(), codice::troppe_stazioni);
  EXPECT_EQ(e.s.tabella_linea[1].testo, "S1");
}

TEST(DescrizioneTreno, AbbattimentoNellaCellaSenzaL1) {
  lettura_di_prova l;
  l.s.celle[40].tipo = tipo_cella::marcatore_montagna;
  l.leggi(treno("abbattimento, 2000, 70000\r\nabbattimento, 3025, 0\r\nabbattimento, 2975, -4\r\n"));
  EXPECT_EQ(l.s.codice_errore(), codice::abbattimento_occupato);  // 60.5 and 59.5 are both cell 60
  EXPECT_EQ(l.s.posizione_errore, 2975);
  EXPECT_EQ(l.s.celle[40].tipo, tipo_cella::tavola);  // covers the mountain marker
  EXPECT_EQ(l.s.celle[40].dato1, 4464);               // low 16 bits of 70000
  EXPECT_EQ(l.s.celle[60].tipo, tipo_cella::abbattimento);
  EXPECT_EQ(l.s.celle[60].dato1, 0);
}

}  // namespace
}  // namespace gara
