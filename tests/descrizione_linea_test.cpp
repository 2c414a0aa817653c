#include <bit>
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "modello/codici.h"
#include "scenario/dati.h"

namespace gara {
namespace {

using prova::compilazione_di_prova;
using prova::righe_crlf;
using prova::treno_vuoto;
using T = tracciato_metri::tipo;

// A line description of 47000 m with the general lines and body given.
std::string linea(std::string_view generale, std::string_view corpo) {
  return "prosa\r\n[generale]\r\nlunghezza percorso, 47000\r\n" + std::string(generale) +
         "[curve]\r\n" + std::string(corpo) + "[fine]\r\n";
}

TEST(DescrizioneLinea, LaLineaDelPacchetto) {
  compilazione_di_prova c;
  c.s.nome_percorso = "Corvana_Selvadoro";
  const std::string descrizione = dati_linea();
  c.leggi(&descrizione, &treno_vuoto);
  auto& s = c.s;

  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_FALSE(c.resta_linea());
  ASSERT_EQ(s.ultima_cella(), 1080);
  EXPECT_EQ(s.tabella_linea[84].valore2, 47000);
  EXPECT_EQ(s.tabella_linea[85].valore1, 1);
  EXPECT_EQ(s.tabella_linea[85].testo, "Corvana_Selvadoro");
  EXPECT_EQ(s.tabella_linea[86].testo, "T");

  for (int i = 0; i <= 1080; ++i) {
    const int atteso = i <= 419 ? 100 : i <= 479 ? 102 : i <= 1077 ? 100 : 0;
    ASSERT_EQ(s.celle[i].pendenza, atteso) << "cella " << i;
  }

  const std::pair<int, const char*> cartelli[] = {
      {17, "(DEPOSITO  )(LOCOMOTIVE)"}, {75, "(BIVIO BARI)"}, {281, "(FIUME TARA)"}, {472, "(FIUME LATO)"}};
  int record = 80;
  for (const auto& [cella, testo] : cartelli) {
    EXPECT_EQ(s.celle[cella].tipo, tipo_cella::cartello);
    EXPECT_EQ(s.celle[cella].dato1, record);
    EXPECT_EQ(s.tabella_linea[record].testo, testo);
    --record;
  }
  EXPECT_EQ(s.tabella_linea[76].testo, "");

  const struct {
    int cella;
    int16_t dato1, dato2, dato3, dato4;
  } indicatori[] = {{21, 2323, 2424, 2525, 0},  {275, 2525, 2626, 2727, 0},
                    {441, 2424, 2525, 2626, 22}, {451, 2424, 2525, 2626, 11},
                    {461, 2424, 2525, 2626, 0},  {487, 2525, 2626, 2727, 0}};
  for (const auto& i : indicatori) {
    const cella& x = s.celle[i.cella];
    EXPECT_EQ(x.tipo, tipo_cella::indicatore_vmax) << i.cella;
    EXPECT_EQ(x.dato1, i.dato1) << i.cella;
    EXPECT_EQ(x.dato2, i.dato2) << i.cella;
    EXPECT_EQ(x.dato3, i.dato3) << i.cella;
    EXPECT_EQ(x.dato4, i.dato4) << i.cella;
  }

  // The plan: straight along axis 1 up to metre 2450, then turning right.
  const auto& t = s.tracciato;
  ASSERT_EQ(t.ultimo_metro(), 54000);
  EXPECT_EQ(t.tipo_di(0, 0), T::intero);
  EXPECT_EQ(t.tipo_di(1, 1), T::intero);
  EXPECT_EQ(t.valore(1, 1), 1.0);
  for (int m = 2; m <= 2450; ++m) {
    ASSERT_EQ(t.tipo_di(m, 0), T::reale);
    ASSERT_EQ(t.valore(m, 0), 0.0) << m;
    ASSERT_EQ(t.valore(m, 1), m) << m;
  }
  EXPECT_EQ(t.valore(2451, 0), 0.001);
  EXPECT_EQ(t.valore(2451, 1), 2451.0);
  for (int m = 2452; m <= 3000; ++m) {
    const double d0 = t.valore(m, 0) - t.valore(m - 1, 0);
    const double d0_prima = t.valore(m - 1, 0) - t.valore(m - 2, 0);
    ASSERT_GT(d0, d0_prima) << m;  // heading keeps turning towards axis 0
  }
  EXPECT_EQ(t.tipo_di(53998, 1), T::reale);
  for (int m : {53999, 54000})
    for (int a : {0, 1}) EXPECT_EQ(t.tipo_di(m, a), T::vuoto);

  // Every bit of the plan, so that any platform or compiler change that
  // moves one shows here.
  uint64_t h = 1469598103934665603ull;
  for (int a = 0; a <= 1; ++a)
    for (int m = 0; m <= 54000; ++m) {
      h = (h ^ static_cast<uint64_t>(t.tipo_di(m, a))) * 1099511628211ull;
      h = (h ^ std::bit_cast<uint64_t>(t.valore(m, a))) * 1099511628211ull;
    }
  EXPECT_EQ(h, 3056930091898949265u);
}

// What a small line description leaves: the code, its position, the line
// of the entry that caused it, and whether the descriptions are still there.
struct caso_codice {
  const char* nome;
  std::string linea;  // empty: no line description at all
  int32_t codice;
  int32_t posizione;
  int riga;  // 0: no line
  bool resta_linea;
  bool resta_treno;
};

void PrintTo(const caso_codice& k, std::ostream* o) { *o << k.nome; }

class CodiciLinea : public ::testing::TestWithParam<caso_codice> {};

TEST_P(CodiciLinea, CodicePosizioneEFile) {
  const caso_codice& k = GetParam();
  compilazione_di_prova c;
  c.s.posizione_errore = -1;
  const std::string treno = treno_vuoto;
  c.leggi(k.linea.empty() ? nullptr : &k.linea, &treno);
  EXPECT_EQ(c.s.codice_errore(), k.codice);
  EXPECT_EQ(c.s.posizione_errore, k.posizione);
  const auto origine = prova::origine_errore(c.s);
  ASSERT_TRUE(origine.has_value());
  EXPECT_EQ(origine->file, k.codice == codice::guasto_lettura && k.riga == 0 ? origine->file : "P_linea.txt");
  if (k.riga != 0) {
    EXPECT_EQ(origine->linea, k.riga);
  }
  EXPECT_EQ(c.resta_linea(), k.resta_linea);
  EXPECT_EQ(c.resta_treno(), k.resta_treno);
}

std::string ripetute(std::string_view riga, int volte) {
  std::string r;
  for (int i = 0; i < volte; ++i) r += std::string(riga) + "\r\n";
  return r;
}

const caso_codice casi_codici[] = {
    {"manca_la_linea", "", codice::linea_mancante, -1, 0, false, true},
    {"senza_generale", "prosa\r\n[curve]\r\n[fine]\r\n", codice::generale_mancante, -1, 3, false, true},
    {"generale_ultimo_campo", "prosa\r\n[generale]\r\n", codice::generale_mancante, -1, 2, false, true},
    {"vuota", "", codice::linea_mancante, -1, 0, false, true},
    {"lunghezza_eccessiva", "[generale]\r\nlunghezza percorso, 1000001\r\n[curve]\r\n[fine]\r\n",
     codice::lunghezza_eccessiva, -1, 2, false, true},
    {"ripetizione_inizio", linea("ripetizione segnali 4 codici, 75, 0\r\n", ""),
     codice::ripetizione_inizio_fuori_passo, -1, 4, false, true},
    {"ripetizione_fine", linea("ripetizione segnali 4 codici, 50, 75\r\n", ""),
     codice::ripetizione_fine_fuori_passo, -1, 4, false, true},
    {"ripetizione_senza_codici", linea("ripetizione segnali codici, 50, 100\r\n", ""),
     codice::ripetizione_senza_codici, -1, 4, false, true},
    {"cartello_occupato",
     linea("", "cartello_indicatore, 800, (A)\r\ncartello_indicatore, 800, (B)\r\n"),
     codice::cartello_occupato, 800, 6, false, true},
    // 25 m and 75 m both round to cell 2 (1.5 and 2.5, halves to even).
    {"cartello_mezzi_al_pari",
     linea("", "cartello_indicatore, 25, (A)\r\ncartello_indicatore, 75, (B)\r\n"),
     codice::cartello_occupato, 75, 6, false, true},
    {"oltre_griglia", linea("", "pendenza, 53900, 0\r\npendenza, 53901, 0\r\n"), codice::oltre_griglia,
     53901, 6, false, false},
    {"indicatore_occupato",
     linea("", "indicatori_vmax, 1000, 1,1,1,0, 1,1,1,0\r\nindicatori_vmax, 1000, 1,1,1,0, 1,1,1,0\r\n"),
     codice::indicatore_occupato, 1000, 6, false, true},
    {"curva_senza_cifra", linea("", "curvad, 100, 100\r\n"), codice::curva_errata, -1, 5, false, true},
    {"curva_oltre_un_milione",
     "[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\ncurvad1, 990000, 20000\r\n[fine]\r\n",
     codice::curva_errata, -1, 4, false, true},
    {"senza_lunghezza", "[generale]\r\n[curve]\r\npendenza, 100, 0\r\n[fine]\r\n", codice::guasto_lettura,
     -1, 0, false, false},
    {"cartello_a_metri_negativi", linea("", "cartello_indicatore, -100, (A)\r\n"), codice::guasto_lettura,
     -1, 5, false, false},
    {"pendenze_oltre_la_griglia", linea("", ripetute("pendenza, 53900, 0", 5)), codice::guasto_lettura,
     -1, 9, false, false},
    {"curva_oltre_il_tracciato", linea("", "curvad4, 53000, 2000\r\n"), codice::guasto_lettura, -1, 5,
     false, false},
    {"ottantuno_montagne", linea("", ripetute("montagna, 100, 50, 1", 81)), codice::guasto_lettura, -1,
     85, false, false},
    {"voce_tronca", "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\npendenza, 100\r\n",
     codice::guasto_lettura, -1, 4, false, false},
    {"numero_troppo_grande", linea("", "pendenza, 99999999999, 0\r\n"), codice::guasto_lettura, -1, 5,
     false, false},
};

INSTANTIATE_TEST_SUITE_P(Tabella, CodiciLinea, ::testing::ValuesIn(casi_codici),
                         [](const auto& caso) { return std::string(caso.param.nome); });

// Compiles a line description of 47000 m (body given) with an empty train.
stato_compilazione compila_corpo(std::string_view corpo, std::string_view generale = "") {
  compilazione_di_prova c;
  c.leggi(linea(generale, corpo), treno_vuoto);
  return std::move(c.s);
}

TEST(DescrizioneLinea, LunghezzaLimiteEMezziAlPari) {
  const std::pair<const char*, int32_t> casi[] = {{"47025", 1080}, {"47075", 1082}, {"1000000", 20140}};
  for (const auto& [lunghezza, n] : casi) {
    compilazione_di_prova c;
    c.leggi("[generale]\r\nlunghezza percorso, " + std::string(lunghezza) + "\r\n[c]\r\n[fine]\r\n",
            treno_vuoto, 0);
    EXPECT_EQ(c.s.codice_errore(), 0) << lunghezza;
    EXPECT_EQ(c.s.ultima_cella(), n) << lunghezza;
  }
}

TEST(DescrizioneLinea, MaiuscoleNelleParoleChiave) {
  // Body keywords ignore case; the general block's progressive lines do not.
  const auto s = compila_corpo("CURVAD4, 100, 10\r\nPendenza, 1000, 3\r\n",
                               "progressiva chilometrica uno, 100, 200, 1\r\n"
                               "Progressiva chilometrica due, 300, 400, 0\r\n");
  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_GT(s.tracciato.valore(110, 0), 0.0);
  EXPECT_EQ(s.celle[19].pendenza, 100);
  EXPECT_EQ(s.celle[20].pendenza, 103);
  EXPECT_EQ(s.celle[1077].pendenza, 103);
  EXPECT_EQ(s.tabella_linea[81].valore1, 100);  // "uno", alone, goes first
  EXPECT_EQ(s.tabella_linea[81].valore2, 300);  // third value 1 adds 100
  EXPECT_EQ(s.tabella_linea[82].valore1, 0);
}

TEST(DescrizioneLinea, CifraDellaCurvaELato) {
  const auto piano = [](std::string_view curva) {
    const auto s = compila_corpo(std::string(curva) + ", 100, 50\r\n");
    EXPECT_EQ(s.codice_errore(), 0) << curva;
    return std::pair{s.tracciato.valore(150, 0), s.tracciato.valore(150, 1)};
  };
  const auto destra4 = piano("curvad4");
  EXPECT_GT(destra4.first, 0.0);
  EXPECT_EQ(piano("curvad64"), destra4);  // the smallest digit decides
  EXPECT_EQ(piano("curvas4").first, -destra4.first);
  EXPECT_EQ(piano("curvaS4"), piano("curvas4"));
  EXPECT_LT(piano("curvad1").first, piano("curvad2").first);
}

TEST(DescrizioneLinea, CurvaDietroAlCursore) {
  // A curve that starts behind the metre cursor gets no straight steps.
  const auto s = compila_corpo("curvad4, 100, 100\r\ncurvad4, 150, 100\r\n");
  const auto t = compila_corpo("curvad4, 100, 150\r\n");
  for (int m = 0; m <= 54000; m += 250) {
    ASSERT_EQ(s.tracciato.valore(m, 0), t.tracciato.valore(m, 0)) << m;
    ASSERT_EQ(s.tracciato.valore(m, 1), t.tracciato.valore(m, 1)) << m;
  }
}

TEST(DescrizioneLinea, DuePendenzeNellaStessaCella) {
  const auto s = compila_corpo("pendenza, 1000, 2\r\npendenza, 1000, 5\r\npendenza, 2000, 0\r\n");
  EXPECT_EQ(s.celle[19].pendenza, 100);
  EXPECT_EQ(s.celle[20].pendenza, 102);  // the second entry's gradient starts one cell later
  EXPECT_EQ(s.celle[21].pendenza, 105);
  EXPECT_EQ(s.celle[39].pendenza, 105);
  EXPECT_EQ(s.celle[40].pendenza, 100);
}

TEST(DescrizioneLinea, Montagne) {
  auto s = compila_corpo(
      "montagna, 1000, 3000, 12\r\nmontagna, 3100, 3500, 1\r\nmontagna, 3700, 4000, 5\r\n"
      "montagna, 5000, 5040, 4\r\nmontagna, 6000, 5000, 6\r\n");
  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_EQ(s.numero_montagne, 5);
  EXPECT_EQ(s.fine_montagne[5], 5000);
  EXPECT_EQ(s.celle[19].montagna, 0);
  for (int i = 20; i <= 59; ++i) {
    EXPECT_EQ(s.celle[i].montagna, 2) << i;
    EXPECT_EQ(s.celle[i].tipo, (i - 19) % 4 == 0 ? tipo_cella::marcatore_montagna : 0) << i;
  }
  EXPECT_EQ(s.celle[62].montagna, 3);  // starts 100 m after the previous end
  EXPECT_EQ(s.celle[74].montagna, 5);  // 200 m after: keeps its own kind
  EXPECT_EQ(s.celle[100].montagna, 4);  // 5040 / 50 - 1 = 99.8: the single cell 100
  EXPECT_EQ(s.celle[101].montagna, 0);
  EXPECT_EQ(s.celle[120].montagna, 0);  // end before start: no cell
}

TEST(DescrizioneLinea, UnCartelloCopreIlMarcatoreDiMontagna) {
  const auto s = compila_corpo("montagna, 1000, 3000, 12\r\ncartello_indicatore, 1100, (A)\r\n"
                               "indicatori_vmax, 1300, 1,1,1,0, 1,1,1,0\r\n");
  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_EQ(s.celle[23].tipo, tipo_cella::cartello);
  EXPECT_EQ(s.celle[27].tipo, tipo_cella::indicatore_vmax);
  const auto t = compila_corpo("indicatori_vmax, 1100, 1,1,1,0, 1,1,1,0\r\ncartello_indicatore, 1100, (A)\r\n");
  EXPECT_EQ(t.codice_errore(), codice::cartello_occupato);
}

std::string cartelli(int quanti) {
  std::string r;
  for (int i = 0; i < quanti; ++i)
    r += "cartello_indicatore, " + std::to_string(1000 + 100 * i) + ", (C" + std::to_string(i) + ")\r\n";
  return r;
}

TEST(DescrizioneLinea, OttantaCartelliRiempionoLeVociDa80A1IlSuccessivoEUnGuasto) {
  const auto ottanta = compila_corpo(cartelli(80));
  EXPECT_EQ(ottanta.codice_errore(), 0);
  EXPECT_EQ(ottanta.tabella_linea[80].testo, "(C0)");
  EXPECT_EQ(ottanta.tabella_linea[1].testo, "(C79)");
  EXPECT_EQ(ottanta.celle[indice_cella(1000 + 100 * 79)].dato1, 1);
  // Record 0 is never a board's: the 81st board fails like any other
  // index outside its table, with record 0 and the board's cell untouched.
  const auto ottantuno = compila_corpo(cartelli(81));
  EXPECT_EQ(ottantuno.codice_errore(), codice::guasto_lettura);
  EXPECT_EQ(ottantuno.tabella_linea[0], voce_linea{});
  EXPECT_EQ(ottantuno.celle[indice_cella(1000 + 100 * 80)].tipo, 0);
}

TEST(DescrizioneLinea, TrattiniSaltatiNelBloccoGeneraleENelCorpo) {
  // Ten dash fields are passed over in the general block and the eleventh is
  // read as an entry; in the body the limit is two.
  const auto dieci = compila_corpo("", "-,-,-,-,-,-,-,-,-,-,-sfondo uno-, 5\r\n");
  EXPECT_EQ(dieci.tabella_linea[85].valore1, 5);
  const auto undici = compila_corpo("", "-,-,-,-,-,-,-,-,-,-,-,-sfondo uno-, 5\r\n");
  EXPECT_EQ(undici.tabella_linea[85].valore1, 0);
  const auto due = compila_corpo("-,-,-pendenza-, 21000, 2\r\n");
  EXPECT_EQ(due.celle[500].pendenza, 102);
  const auto tre = compila_corpo("-,-,-,-pendenza-, 21000, 2\r\n");
  EXPECT_EQ(tre.celle[500].pendenza, 100);
}

TEST(DescrizioneLinea, RipetizioneSegnali) {
  const std::tuple<const char*, int32_t> casi[] = {
      {"ripetizione segnali 9 codici, 100, 0", 0},
      {"ripetizione segnali 9 codici, 100, 200", 9},
      {"ripetizione segnali 4 o 9 codici, 100, 200", 4}};
  for (const auto& [riga, codici] : casi) {
    const auto s = compila_corpo("", std::string(riga) + "\r\n");
    EXPECT_EQ(s.codice_errore(), 0) << riga;
    EXPECT_EQ(s.tabella_linea[86].valore1, 100) << riga;
    EXPECT_EQ(s.tabella_linea[86].valore3, codici) << riga;
  }
}

TEST(DescrizioneLinea, SenzaTracciatoLeCurveNonContano) {
  compilazione_di_prova c;
  c.leggi(linea("", "curvaX, 100, 100\r\n"), treno_vuoto, 0);
  EXPECT_EQ(c.s.codice_errore(), 0);  // no class digit, but no plan either
  EXPECT_FALSE(c.s.tracciato.esiste());
}

}  // namespace
}  // namespace gara
