// Signals and slowdowns in the cell grid: what each placement writes, what
// a taken cell refuses, and the cells outside the grid.
#include <gtest/gtest.h>

#include <vector>

#include "modello/codici.h"
#include "modello/guasto.h"
#include "posa/rallentamento.h"
#include "posa/segnale.h"

namespace gara {
namespace {

// A grid of cells 0..n with nothing on it, as the line half leaves it.
stato_compilazione griglia(int n = 1080) {
  stato_compilazione s;
  s.celle.assign(static_cast<std::size_t>(n) + 1, cella{});
  return s;
}

// The cells that differ between two grids, for readable failures.
std::vector<int> celle_diverse(const std::vector<cella>& a, const std::vector<cella>& b) {
  std::vector<int> diverse;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (!(a[i] == b[i])) diverse.push_back(static_cast<int>(i));
  return diverse;
}

// The values of one "segnale" entry, in file order.
struct valori_segnale {
  int32_t posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};

void posa(stato_compilazione& s, valori_segnale v) {
  memo_segnale(s, v.posizione, v.sx, v.s1, v.s2, v.s3, v.rapp, v.dx, v.d1, v.d2, v.d3, v.tempo);
}

TEST(MemoSegnale, SegnaliDellaDescrizione) {
  const struct {
    valori_segnale v;
    int cella;
    int16_t dato1, dato2, dato3, dato4;
    uint8_t tempo, primo_avviso;
  } casi[] = {
      {{24800, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0}, 497, 30, 40, 0, 3, 0, 31},
      {{16500, 2, 3, 1, 0, 0, 0, 0, 0, 0, 199}, 331, 30, 10, 0, 6, 199, 61},
      {{26650, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0}, 534, 42, 11, 11, 8, 0, 81},
      {{46600, 2, 2, 3, 0, 1, 0, 0, 0, 0, 0}, 933, 20, 30, 0, 16, 0, 61},
  };
  for (const auto& k : casi) {
    auto s = griglia();
    auto atteso = s.celle;
    cella& c = atteso[k.cella];
    c.tipo = tipo_cella::segnale;
    c.dato1 = k.dato1;
    c.dato2 = k.dato2;
    c.dato3 = k.dato3;
    c.dato4 = k.dato4;
    c.tempo = k.tempo;
    // Marks 100, 200, 300 and 400 m before the signal, 1 nearest to it.
    for (int i = 0; i < 4; ++i) atteso[k.cella - 2 * (i + 1)].avviso = static_cast<uint8_t>(k.primo_avviso + i);

    posa(s, k.v);
    EXPECT_EQ(s.codice_errore(), 0) << k.v.posizione;
    EXPECT_EQ(celle_diverse(s.celle, atteso), std::vector<int>{}) << k.v.posizione;
  }
}

TEST(MemoSegnale, TempoPortatoSoloConSx2) {
  const struct {
    int32_t sx, tempo;
    uint8_t tempo_cella;
  } casi[] = {
      {2, 50, 101}, {2, 1, 101},   {2, 100, 101}, {2, 0, 0},  {2, 101, 101},
      {2, 199, 199}, {2, 300, 44}, {2, -5, 251},  {1, 50, 0}, {3, 199, 0},
  };
  for (const auto& k : casi) {
    auto s = griglia();
    valori_segnale v{5000, k.sx, 0, 0, 0, 0, 0, 0, 0, 0, k.tempo};
    memo_segnale(s, v.posizione, v.sx, v.s1, v.s2, v.s3, v.rapp, v.dx, v.d1, v.d2, v.d3, v.tempo);
    EXPECT_EQ(s.celle[101].tempo, k.tempo_cella) << k.sx << " " << k.tempo;
  }
}

TEST(MemoSegnale, CellaOccupataCodice16SenzaScrivere) {
  for (uint8_t tipo : {tipo_cella::segnale, tipo_cella::inizio_rallentamento, tipo_cella::indicatore_vmax,
                       tipo_cella::fine_marciapiede, tipo_cella::tavola, tipo_cella::cartello}) {
    auto s = griglia();
    s.celle[497].tipo = tipo;
    s.celle[497].dato1 = 7;
    const auto prima = s.celle;
    posa(s, {24800, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(s.codice_errore(), codice::segnale_occupato) << int{tipo};
    EXPECT_EQ(celle_diverse(s.celle, prima), std::vector<int>{}) << int{tipo};
  }

  // A mountain marker is covered by the signal.
  auto s = griglia();
  s.celle[497].tipo = tipo_cella::marcatore_montagna;
  s.celle[497].montagna = 2;
  posa(s, {24800, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_EQ(s.celle[497].tipo, tipo_cella::segnale);
  EXPECT_EQ(s.celle[497].montagna, 2);
}

TEST(MemoSegnale, DueSegnaliACentoMetri) {
  auto s = griglia();
  posa(s, {24800, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0});
  posa(s, {24900, 2, 1, 1, 1, 0, 1, 0, 0, 0, 0});
  EXPECT_EQ(s.codice_errore(), 0);
  // The second signal marks the first one's cell and leaves it a signal.
  EXPECT_EQ(s.celle[497].tipo, tipo_cella::segnale);
  EXPECT_EQ(s.celle[497].dato1, 30);
  EXPECT_EQ(s.celle[497].avviso, 71);
  EXPECT_EQ(s.celle[495].avviso, 72);
  EXPECT_EQ(s.celle[489].avviso, 34);  // the first signal's farthest mark stays
}

TEST(MemoSegnale, AvvisiPrimaDellaCella0) {
  // At 350 m the farthest mark is cell 0.
  auto s = griglia();
  posa(s, {350, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(s.celle[8].tipo, tipo_cella::segnale);
  EXPECT_EQ(s.celle[0].avviso, 34);

  // At 300 m the farthest mark would be cell -1: a failure at that mark,
  // with the signal and its first three marks already written.
  auto t = griglia();
  EXPECT_THROW(posa(t, {300, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), guasto);
  EXPECT_EQ(t.celle[7].tipo, tipo_cella::segnale);
  EXPECT_EQ(t.celle[5].avviso, 31);
  EXPECT_EQ(t.celle[1].avviso, 33);
  EXPECT_EQ(t.celle[0].avviso, 0);

  // At metre 0 the signal stands in cell 1 and its first mark already fails.
  auto u = griglia();
  EXPECT_THROW(posa(u, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), guasto);
  EXPECT_EQ(u.celle[1].tipo, tipo_cella::segnale);

  // Beyond the grid nothing can be written at all.
  auto w = griglia(20);
  EXPECT_THROW(posa(w, {1000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), guasto);
  EXPECT_EQ(celle_diverse(w.celle, griglia(20).celle), std::vector<int>{});
}

TEST(MemoSegnale, BitBassiDeiCampi) {
  auto s = griglia();
  // 10 * 2147483647 does not fit 32 bits; the cell keeps the low 16 bits
  // of the whole sum (21474836470 -> 0xFFF6).
  posa(s, {24800, 10, 2147483647, 4000, -1, 10000, 0, 0, 5, 0, 0});
  const cella& c = s.celle[497];
  EXPECT_EQ(c.dato1, -10);
  EXPECT_EQ(c.dato2, -25531);  // 40005 - 65536
  EXPECT_EQ(c.dato3, -10);
  EXPECT_EQ(c.dato4, -31042);  // 100030 - 131072
  EXPECT_EQ(s.celle[495].avviso, 45);  // 10 * 30 + 1 = 301, low byte
  EXPECT_EQ(s.celle[489].avviso, 48);
}

// The values of one "rallentamento" entry, in file order.
struct valori_rallentamento {
  int32_t x, v, l, f_tt, f_ta, d_v;
};

void rallenta(stato_compilazione& s, valori_rallentamento r) {
  memo_rallentamento(s, r.x, r.v, r.l, r.f_tt, r.f_ta, r.d_v);
}

struct scritta {
  int cella;
  uint8_t tipo;
  int16_t dato1, dato2, dato3;
};

std::vector<cella> con_scritte(std::vector<cella> celle, const std::vector<scritta>& scritte) {
  for (const auto& w : scritte) {
    cella& c = celle[w.cella];
    c.tipo = w.tipo;
    c.dato1 = w.dato1;
    c.dato2 = w.dato2;
    c.dato3 = w.dato3;
  }
  return celle;
}

TEST(MemoRallentamento, CelleScritte) {
  using namespace tipo_cella;
  const struct {
    const char* nome;
    valori_rallentamento r;
    std::vector<scritta> scritte;
  } casi[] = {
      {"della descrizione",
       {38000, 80, 1000, 1, 1, 0},
       {{737, avviso_rallentamento, 80, 0, 0}, {761, inizio_rallentamento, 80, 0, 1},
        {781, fine_rallentamento, 80, 0, 1}, {736, numerata_rallentamento, 1, 0, 0},
        {735, numerata_rallentamento, 2, 0, 0}, {734, numerata_rallentamento, 3, 0, 0},
        {733, numerata_rallentamento, 4, 0, 0}}},
      {"con d_v",
       {38000, 80, 1000, 1, 1, 5},
       {{737, avviso_rallentamento, 80, 5, 0}, {761, inizio_rallentamento, 80, 5, 1},
        {781, fine_rallentamento, 80, 5, 1}, {736, numerata_rallentamento, 1, 1, 0},
        {735, numerata_rallentamento, 2, 2, 0}, {734, numerata_rallentamento, 3, 3, 0},
        {733, numerata_rallentamento, 4, 4, 0}}},
      {"senza celle numerate",
       {38000, 80, 1000, 1, 0, 0},
       {{737, avviso_rallentamento, 80, 0, 0}, {761, inizio_rallentamento, 80, 0, 1},
        {781, fine_rallentamento, 80, 0, 1}}},
      {"a 1500 m nessun avviso",
       {1500, 60, 1000, 2, 1, 3},
       {{31, inizio_rallentamento, 60, 3, 2}, {51, fine_rallentamento, 60, 3, 2}}},
      {"a 1550 m avviso nella cella 8",
       {1550, 60, 100, 2, 1, 0},
       {{8, avviso_rallentamento, 60, 0, 0}, {32, inizio_rallentamento, 60, 0, 2},
        {34, fine_rallentamento, 60, 0, 2}, {7, numerata_rallentamento, 1, 0, 0},
        {6, numerata_rallentamento, 2, 0, 0}, {5, numerata_rallentamento, 3, 0, 0},
        {4, numerata_rallentamento, 4, 0, 0}}},
      {"lunghezza 0: una cella sola, l'inizio",
       {5000, 30, 0, 1, 0, 0},
       {{77, avviso_rallentamento, 30, 0, 0}, {101, inizio_rallentamento, 30, 0, 1}}},
      {"bit bassi",
       {38000, 70000, 1000, -1, 0, 65537},
       {{737, avviso_rallentamento, 4464, 1, 0}, {761, inizio_rallentamento, 4464, 1, -1},
        {781, fine_rallentamento, 4464, 1, -1}}},
  };
  for (const auto& k : casi) {
    auto s = griglia();
    const auto atteso = con_scritte(s.celle, k.scritte);
    rallenta(s, k.r);
    EXPECT_EQ(s.codice_errore(), 0) << k.nome;
    EXPECT_EQ(celle_diverse(s.celle, atteso), std::vector<int>{}) << k.nome;
  }
}

TEST(MemoRallentamento, CelleOccupate) {
  // The slowdown of the description, with one of its cells taken by a signal.
  const struct {
    int occupata;
    int32_t codice;
  } casi[] = {{737, codice::avviso_rallentamento_occupato},
              {761, codice::inizio_rallentamento_occupato},
              {781, codice::fine_rallentamento_occupato},
              {736, codice::numerate_rallentamento_occupate},
              {733, codice::numerate_rallentamento_occupate}};
  for (const auto& k : casi) {
    auto s = griglia();
    s.celle[k.occupata].tipo = tipo_cella::segnale;
    const auto prima = s.celle;
    rallenta(s, {38000, 80, 1000, 1, 1, 0});
    EXPECT_EQ(s.codice_errore(), k.codice) << k.occupata;
    if (k.codice != codice::numerate_rallentamento_occupate) {
      EXPECT_EQ(celle_diverse(s.celle, prima), std::vector<int>{}) << k.occupata;
    } else {
      // Start, end and warning stay placed; no numbered cell is written.
      EXPECT_EQ(celle_diverse(s.celle, prima), (std::vector<int>{737, 761, 781})) << k.occupata;
    }
  }

  // A mountain marker is no obstacle, and a taken warning cell does not
  // matter to a slowdown that has no warning.
  auto s = griglia();
  for (int c : {737, 761, 781, 733}) s.celle[c].tipo = tipo_cella::marcatore_montagna;
  rallenta(s, {38000, 80, 1000, 1, 1, 0});
  EXPECT_EQ(s.codice_errore(), 0);
  EXPECT_EQ(s.celle[733].tipo, tipo_cella::numerata_rallentamento);
  auto t = griglia();
  t.celle[7].tipo = tipo_cella::segnale;
  rallenta(t, {1500, 60, 100, 0, 1, 0});
  EXPECT_EQ(t.codice_errore(), 0);
}

TEST(MemoRallentamento, FineOltreLaGrigliaPrimaDiScrivere) {
  auto s = griglia();
  const auto prima = s.celle;
  EXPECT_THROW(rallenta(s, {53000, 80, 5000, 1, 1, 0}), guasto);
  EXPECT_EQ(celle_diverse(s.celle, prima), std::vector<int>{});
}

}  // namespace
}  // namespace gara
