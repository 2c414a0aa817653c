#include "scenario_massimo.h"

#include <string>

namespace gara::banco {

namespace {

constexpr int lunghezza = 1000000;
constexpr int km = 1000;

void riga(std::string& testo, const std::string& r) {
  testo += r;
  testo += "\r\n";
}

std::string n(long long x) { return std::to_string(x); }

// Object positions are chosen so that their cells never meet: speed
// indicators at 1000k + 500 m (cells 20k + 11), signals at 800j + 250 m
// (cells 16j + 6, even), direction boards at 200 km + 750 m (cells
// 200k + 16), station platform ends on odd cells, slowdowns between them.
std::string linea() {
  std::string t;
  riga(t, "Linea di prova della massima lunghezza.");
  riga(t, "[generale]");
  riga(t, "lunghezza percorso,    " + n(lunghezza));
  riga(t, "progressiva chilometrica uno,    0,    0,    0");
  riga(t, "sfondo uno,    1");
  riga(t, "ripetizione segnali 4 codici,    0    ,0");
  riga(t, "[curve]");
  // Curves of every class and both sides over half of the route: 1000 m of
  // curve in every 2000 m.
  const char* classi[] = {"curvad1", "curvas2", "curvad3", "curvas4", "curvad5", "curvas6"};
  for (int i = 0; i < lunghezza / 2000; ++i)
    riga(t, std::string(classi[i % 6]) + ",  " + n(2000LL * i + 500) + ",  1000");
  riga(t, "[pendenze]");
  for (int k = 0; k < lunghezza / km; ++k)
    riga(t, "pendenza,  " + n(1LL * k * km) + ",   " + n(k % 7 - 3));
  riga(t, "[cartelli]");
  for (int k = 0; k < lunghezza / km; ++k)
    riga(t, "indicatori_vmax,  " + n(1LL * k * km + 500) + ",  115,  120,  125,  0,  115,  120,  125,  0");
  riga(t, "[indicazioni]");
  for (int k = 0; k < 5; ++k)
    riga(t, "cartello_indicatore,  " + n(200000LL * k + 750) + ",   (LOCALITA " + n(k + 1) + ")");
  riga(t, "[fine]");
  return t;
}

std::string treno() {
  std::string t;
  riga(t, "[generale]");
  riga(t, "numero vetture,    8");
  riga(t, "percentuale massa frenata,    120");
  riga(t, "sabbia,    300");
  riga(t, "orologio,    6              0             0 ");
  riga(t, "[aderenze]");
  for (int k = 0; k < 10; ++k) riga(t, "aderenza,   " + n(100000LL * k) + ",    " + n(90 + k));
  riga(t, "[vel_limite]");
  for (int k = 0; k < 100; ++k) riga(t, "velocita,   " + n(10000LL * k) + ",   " + n(100 + 5 * (k % 10)));
  riga(t, "[stazioni]");
  // 70 stations, 14 km apart, platforms of 400 m ending on odd cells.
  for (int i = 0; i < 70; ++i) {
    const long long p = 14000LL * i + 5000;
    const long long secondi = 6 * 3600 + 600LL * i;
    riga(t, "stazione,   " + n(p) + ", 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   60,  " + n(secondi / 3600) + ", " +
                n(secondi / 60 % 60) + ", 0, STAZIONE " + n(i + 1));
  }
  riga(t, "[rallentamenti]");
  // Slowdowns in the quiet stretch between two stations.
  for (int i = 0; i < 20; ++i)
    riga(t, "rallentamento,   " + n(50000LL * i + 12200) + ",    " + n(i % 2 ? 80 : 120) + ", 1000, 1,  1,  0");
  riga(t, "[segnali]");
  for (long long j = 0; 800 * j + 250 + 100 <= 50LL * ((lunghezza + 7000) / 50); ++j) {
    if (800 * j + 250 < 350) continue;  // its approach marks need 400 m behind it
    riga(t, "segnale,   " + n(800 * j + 250) + ",   1, 3, 1,  0, 0,    0,  0,0,0, 0");
  }
  riga(t, "[codici]");
  riga(t, "[fine]");
  return t;
}

}  // namespace

scenario_massimo genera_scenario_massimo() { return {linea(), treno()}; }

}  // namespace gara::banco
