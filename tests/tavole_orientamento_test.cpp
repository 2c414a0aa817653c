#include "uscita/tavole_orientamento.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "modello/codici.h"

namespace gara {
namespace {

namespace tc = tipo_cella;

struct oggetto {
  int64_t cella;
  uint8_t tipo;
  int16_t dato1 = 0;
};

// A board after the pass: its cell and its value.
using tavola = std::pair<int64_t, int>;

struct caso {
  std::string nome;
  std::vector<oggetto> oggetti;
  std::vector<tavola> tavole;  // every board after the pass, in cell order
  int32_t codice = codice::nessuno;
  int32_t posizione = 0;
  int32_t ultima = 200;  // N
};

// A slowdown start, and its end, at the speed given.
oggetto inizio(int64_t c, int16_t v) { return {c, tc::inizio_rallentamento, v}; }
oggetto fine(int64_t c, int16_t v = 80) { return {c, tc::fine_rallentamento, v}; }
oggetto avviso(int64_t c) { return {c, tc::avviso_rallentamento, 80}; }
oggetto segnale(int64_t c) { return {c, tc::segnale, 30}; }
oggetto occupata(int64_t c) { return {c, tc::indicatore_vmax, 23}; }
oggetto montagna(int64_t c) { return {c, tc::marcatore_montagna}; }
oggetto vecchia_tavola(int64_t c, int16_t v) { return {c, tc::tavola, v}; }

std::vector<tavola> tavole_di(const stato_compilazione& s) {
  std::vector<tavola> t;
  for (std::size_t i = 0; i < s.celle.size(); ++i)
    if (s.celle[i].tipo == tc::tavola) t.emplace_back(static_cast<int64_t>(i), s.celle[i].dato1);
  return t;
}

std::vector<tavola> nuove(std::initializer_list<int64_t> celle) {
  std::vector<tavola> t;
  for (int64_t c : celle) t.emplace_back(c, 180);
  return t;
}

const std::vector<caso> casi = {
    // Bands ahead of a fast slowdown start (no boards along it).
    {"inizio in cella 7: nessuna fascia", {inizio(7, 120)}, {}},
    {"inizio in cella 8: solo la prima fascia", {inizio(8, 120)}, nuove({3})},
    {"inizio in cella 14: le prime due fasce", {inizio(14, 120)}, nuove({3, 9})},
    {"inizio in cella 21: tre fasce", {inizio(21, 120)}, nuove({3, 10, 16})},
    {"fascia: prima cella libera contando dall'inizio, il marcatore montagna è libero",
     {inizio(100, 120), occupata(95), montagna(94)},
     nuove({82, 89, 94})},
    {"fascia tutta occupata: codice 12, le altre fasce posate",
     {inizio(100, 120), occupata(95), occupata(94), occupata(93)},
     nuove({82, 89}),
     codice::tavola_fascia_impossibile,
     5000},
    {"le tavole posate per una cella occupano le celle delle seguenti",
     {inizio(100, 120), inizio(101, 120), occupata(96)},
     nuove({82, 83, 89, 90, 94, 95})},

    // Signals before a warning point.
    {"avviso in cella 4: esamina solo la cella 3",
     {avviso(4), segnale(3), segnale(2)},
     nuove({1})},
    {"avviso in cella 3: non esamina nulla", {avviso(3), segnale(2)}, {}},
    {"segnale a 20 celle dall'avviso sì, a 21 no",
     {avviso(100), segnale(80), avviso(150), segnale(129)},
     nuove({79})},
    {"ogni segnale della finestra, non solo il più vicino",
     {avviso(100), segnale(99), segnale(90)},
     nuove({89, 98})},
    {"seconda cella prima del segnale", {avviso(100), segnale(90), occupata(89)}, nuove({88})},
    {"tavola 120 già davanti al segnale resta 120",
     {avviso(100), segnale(90), vecchia_tavola(89, 120), occupata(88)},
     {{89, 120}}},
    {"tavola 200 già davanti al segnale scende a 180",
     {avviso(100), segnale(90), vecchia_tavola(89, 200), occupata(88)},
     {{89, 180}}},
    {"tavola 200 nella seconda cella scende a 180",
     {avviso(100), segnale(90), occupata(89), vecchia_tavola(88, 200)},
     {{88, 180}}},
    {"segnale con le due celle prima occupate: codice 11",
     {avviso(100), segnale(90), occupata(89), occupata(88)},
     {},
     codice::tavola_segnale_impossibile,
     4500},

    // Boards along a slow slowdown.
    {"velocità 80, fine 20 celle dopo: tavole a +8 e +16, nessuna presso la fine",
     {inizio(100, 80), fine(120)},
     nuove({82, 89, 95, 108, 116})},
    {"fine esattamente 8 celle dopo: tavola nella cella prima della fine",
     {inizio(100, 80), fine(108)},
     nuove({82, 89, 95, 107})},
    {"fine 8 celle dopo, cella prima occupata: tavola nella cella dopo",
     {inizio(100, 80), fine(108), occupata(107)},
     nuove({82, 89, 95, 109})},
    {"fine 8 celle dopo, celle prima e dopo occupate: codice 13",
     {inizio(100, 80), fine(108), occupata(107), occupata(109)},
     nuove({82, 89, 95}),
     codice::tavola_rallentamento_impossibile,
     5400},
    {"tavola anticipata di una cella: il passo riparte da lì",
     {inizio(100, 80), fine(130), occupata(108)},
     nuove({82, 89, 95, 107, 115, 123})},
    {"tavola ritardata di una cella: il passo riparte da lì",
     {inizio(100, 80), fine(130), occupata(108), occupata(107)},
     nuove({82, 89, 95, 109, 117, 125})},
    {"nessuna cella per la tavola: codice 13 e nessuna tavola più avanti",
     {inizio(100, 80), fine(130), occupata(107), occupata(108), occupata(109)},
     nuove({82, 89, 95}),
     codice::tavola_rallentamento_impossibile,
     5400},
    {"velocità 109: tavole lungo il rallentamento",
     {inizio(100, 109), fine(120)},
     nuove({82, 89, 95, 108, 116})},
    {"velocità esattamente 110: solo le fasce, né lungo né dopo la fine",
     {inizio(100, 110), fine(120), segnale(125)},
     nuove({82, 89, 95})},

    // The first signal after the end.
    {"segnale 12 celle dopo la fine", {inizio(100, 80), fine(108), segnale(120)},
     nuove({82, 89, 95, 107, 119})},
    {"segnale 13 celle dopo la fine: ignorato", {inizio(100, 80), fine(108), segnale(121)},
     nuove({82, 89, 95, 107})},
    {"solo il primo segnale dopo la fine",
     {inizio(100, 80), fine(108), segnale(112), segnale(115)},
     nuove({82, 89, 95, 107, 111})},
    {"segnale dopo la fine, cella prima occupata",
     {inizio(100, 80), fine(108), segnale(115), occupata(114)},
     nuove({82, 89, 95, 107, 113})},
    {"segnale dopo la fine con le due celle prima occupate: codice 13 alla fine",
     {inizio(100, 80), fine(108), segnale(115), occupata(114), occupata(113)},
     nuove({82, 89, 95, 107}),
     codice::tavola_rallentamento_impossibile,
     5400},

    // The edges of the grid.
    {"fine mancante: il cammino si ferma all'ultima cella",
     {inizio(30, 80)},
     nuove({12, 19, 25, 38}),
     codice::nessuno,
     0,
     40},
    {"nessuna tavola oltre l'ultima cella",
     {inizio(32, 80), fine(40), occupata(39)},
     nuove({14, 21, 27}),
     codice::tavola_rallentamento_impossibile,
     2000,
     40},
    {"le ultime due celle non sono mai esaminate",
     {inizio(39, 120), avviso(40), segnale(35)},
     {},
     codice::nessuno,
     0,
     40},

    {"un codice successivo sovrascrive il precedente",
     {avviso(50), segnale(45), occupata(44), occupata(43), inizio(100, 120), occupata(95),
      occupata(94), occupata(93)},
     nuove({82, 89}),
     codice::tavola_fascia_impossibile,
     5000},

    // The scenario's one slowdown: warning 737, numbered cells 733..736,
    // start 761, end 781, speed 80.
    {"il rallentamento dello scenario",
     {{733, tc::numerata_rallentamento, 4},
      {734, tc::numerata_rallentamento, 3},
      {735, tc::numerata_rallentamento, 2},
      {736, tc::numerata_rallentamento, 1},
      avviso(737),
      inizio(761, 80),
      fine(781)},
     nuove({743, 750, 756, 769, 777}),
     codice::nessuno,
     0,
     1080},
};

// The indices of the cells that differ, for a readable failure.
std::string differenze(const std::vector<cella>& a, const std::vector<cella>& b) {
  std::string d;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (!(a[i] == b[i])) d += " " + std::to_string(i);
  return d;
}

TEST(TavoleOrientamento, Casi) {
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    stato_compilazione s;
    s.celle.assign(static_cast<std::size_t>(k.ultima) + 1, cella{});
    for (const oggetto& o : k.oggetti) {
      s.cella_in(o.cella).tipo = o.tipo;
      s.cella_in(o.cella).dato1 = o.dato1;
    }

    // Only the boards may change: each becomes tipo 12 with its value.
    std::vector<cella> attese = s.celle;
    for (const auto& [c, v] : k.tavole) {
      attese[static_cast<std::size_t>(c)].tipo = tc::tavola;
      attese[static_cast<std::size_t>(c)].dato1 = static_cast<int16_t>(v);
    }

    tavole_orientamento(s);

    EXPECT_EQ(tavole_di(s), k.tavole);
    EXPECT_EQ(differenze(s.celle, attese), "");
    EXPECT_EQ(s.codice_errore(), k.codice);
    EXPECT_EQ(s.posizione_errore, k.posizione);
  }
}

TEST(TavoleOrientamento, IlCodiceDelLettoreRestaSeIlPassaggioNonNeSegna) {
  stato_compilazione s;
  s.celle.assign(201, cella{});
  s.cella_in(100) = cella{.tipo = tc::inizio_rallentamento, .dato1 = 80};
  s.cella_in(120) = cella{.tipo = tc::fine_rallentamento, .dato1 = 80};
  s.segna_errore(codice::guasto_lettura);
  s.posizione_errore = 1234;

  tavole_orientamento(s);

  EXPECT_EQ(tavole_di(s), nuove({82, 89, 95, 108, 116}));
  EXPECT_EQ(s.codice_errore(), codice::guasto_lettura);
  EXPECT_EQ(s.posizione_errore, 1234);
}

TEST(TavoleOrientamento, SenzaGrigliaNonFaNulla) {
  stato_compilazione s;
  tavole_orientamento(s);
  EXPECT_TRUE(s.celle.empty());
  EXPECT_EQ(s.codice_errore(), codice::nessuno);
}

}  // namespace
}  // namespace gara
