// The view of a compiled scenario, built from cells and records by hand:
// what a front end shows of it, with no file and no command line.
#include <gtest/gtest.h>

#include <vector>

#include "modello/misure.h"
#include "vista/testi.h"
#include "vista/vista.h"

namespace gara::vista {
namespace {

cella di_tipo(uint8_t tipo, int16_t dato1 = 0) {
  cella c;
  c.tipo = tipo;
  c.dato1 = dato1;
  return c;
}

// Ten cells: a signal, a slowdown of 60 km/h from cell 3 to cell 6, a
// direction board naming record 80, a board, and a second slowdown at
// cell 9 that the grid ends before closing.
std::vector<cella> celle_di_prova() {
  std::vector<cella> c(10);
  c[2] = di_tipo(tipo_cella::segnale);
  c[3] = di_tipo(tipo_cella::inizio_rallentamento, 60);
  c[4] = di_tipo(tipo_cella::cartello, 80);
  c[5] = di_tipo(tipo_cella::tavola, 180);
  c[6] = di_tipo(tipo_cella::fine_rallentamento, 60);
  c[9] = di_tipo(tipo_cella::inizio_rallentamento, 30);
  return c;
}

tabella tabella_di_prova() {
  tabella t{};
  t[voce::sfondi].testo = "Linea";
  t[voce::treno].testo = "R 1";
  t[voce::generale].valore2 = 400;
  t[1].testo = "CITT\xC0";  // Windows-1252
  t[1].tipo_stazione = 12;
  t[1].valore1 = -100;  // platform starting before the line
  t[1].valore2 = 150;
  t[1].valore3 = 50;
  t[2].valore3 = 900;  // a station without a name, past the cells
  t[80].testo = "(BIVIO   BARI)";  // the board's text, padded
  t[79].testo = "SOLO TESTO";       // a board text no cell names any more
  return t;
}

TEST(Vista, OggettiStazioniERallentamentiDalleCelleEDallaTabella) {
  const scenario v = prepara_vista(celle_di_prova(), tabella_di_prova(), std::nullopt);
  EXPECT_EQ(v.percorso, "Linea");
  EXPECT_EQ(v.treno, "R 1");
  EXPECT_EQ(v.lunghezza, 400);
  EXPECT_EQ(v.celle.size(), 10u);
  EXPECT_FALSE(v.tracciato.has_value());

  ASSERT_EQ(v.segnali.size(), 1u);
  EXPECT_EQ(v.segnali[0].cella, 2);
  EXPECT_EQ(v.segnali[0].metro, metro_oggetto(2));
  ASSERT_EQ(v.tavole.size(), 1u);
  EXPECT_EQ(v.tavole[0].dati.dato1, 180);
  ASSERT_EQ(v.cartelli.size(), 1u);
  EXPECT_EQ(v.cartelli[0].testo, "(BIVIO BARI)");

  // The first slowdown ends at its end cell; the second, with none after
  // it, at its own start.
  ASSERT_EQ(v.rallentamenti.size(), 2u);
  EXPECT_EQ(v.rallentamenti[0].inizio, metro_oggetto(3));
  EXPECT_EQ(v.rallentamenti[0].fine, metro_oggetto(6));
  EXPECT_EQ(v.rallentamenti[0].velocita, 60);
  EXPECT_EQ(v.rallentamenti[1].inizio, metro_oggetto(9));
  EXPECT_EQ(v.rallentamenti[1].fine, metro_oggetto(9));

  // Records 79 and 80 hold board texts, not stations.
  ASSERT_EQ(v.stazioni.size(), 2u);
  EXPECT_EQ(v.stazioni[0].voce, 1);
  EXPECT_EQ(v.stazioni[0].nome, "CITTÀ");
  EXPECT_EQ(v.stazioni[0].tipo, 12);
  EXPECT_EQ(v.stazioni[0].inizio_marciapiede, -100);
  EXPECT_EQ(v.stazioni[0].fine_marciapiede, 150);
  EXPECT_EQ(v.stazioni[0].posizione, 50);
  EXPECT_EQ(v.stazioni[1].voce, 2);

  // The span: the first platform's start, the second station's place.
  EXPECT_EQ(v.metro_minimo(), -100);
  EXPECT_EQ(v.metro_massimo(), 900);
}

TEST(Vista, SenzaStazioniLaCampataEQuellaDelleCelleODellaLinea) {
  std::vector<cella> c(30);
  tabella t{};
  t[voce::generale].valore2 = 100;
  const scenario v = prepara_vista(c, t, std::nullopt);
  EXPECT_EQ(v.metro_minimo(), 0);
  EXPECT_EQ(v.metro_massimo(), metro_profilo(30));
  t[voce::generale].valore2 = 5000;
  EXPECT_EQ(prepara_vista(c, t, std::nullopt).metro_massimo(), 5000);
}

TEST(Vista, IlTracciatoDellaLineaFiniscePiuOltreLaFine) {
  tabella t{};
  t[voce::generale].valore2 = 47000;
  EXPECT_EQ(ultimo_metro_atteso(t), 54000);
  t[voce::generale].valore2 = -2147483647 - 1;  // no overflow
  EXPECT_EQ(ultimo_metro_atteso(t), int64_t{-2147483647} - 1 + misura::metri_oltre_la_fine);
}

TEST(Testi, NomiDeiTipiDiCella) {
  EXPECT_EQ(nome_tipo_cella(tipo_cella::vuota), "nessun oggetto");
  EXPECT_EQ(nome_tipo_cella(tipo_cella::segnale), "segnale");
  EXPECT_EQ(nome_tipo_cella(tipo_cella::cartello), "cartello indicatore");
  EXPECT_EQ(nome_tipo_cella(99), "tipo 99 sconosciuto");
}

TEST(Testi, TestoStampabileEOraDelGiorno) {
  EXPECT_EQ(testo_stampabile("A\x01\x7F\x81\x8D\x8F\x90\x9D\xE0\x80"), "A???????à€");
  EXPECT_EQ(testo_stampabile(""), "");
  EXPECT_EQ(ora_del_giorno(44700), "12:25:00");
  EXPECT_EQ(ora_del_giorno(0), "00:00:00");
  EXPECT_EQ(ora_del_giorno(-5), "-00:00:05");
  EXPECT_EQ(ora_del_giorno(100 * 3600 + 61), "100:01:01");
}

}  // namespace
}  // namespace gara::vista
