#include "disegno/profilo.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "disegno/etichette.h"
#include "disegno/impaginazione.h"
#include "modello/misure.h"

namespace gara::disegno {

namespace {

using misura::km_h_per_unita_velocita;
using misura::zero_pendenza;

std::string colore_di(const char* c) { return std::string(c); }
std::string riempi(const char* c) { return "fill=\"" + colore_di(c) + "\""; }
std::string traccia(const char* c, double larghezza) {
  return "fill=\"none\" stroke=\"" + colore_di(c) + "\" stroke-width=\"" + numero_svg(larghezza) + "\"";
}
std::string carattere(double dimensione, const char* c, bool grassetto = false) {
  return "font-size=\"" + numero_svg(dimensione) + "\" fill=\"" + colore_di(c) + "\"" +
         (grassetto ? " font-weight=\"bold\"" : "");
}

// One row of the profile: its name in the margin, its band of the page.
struct riga {
  std::vector<std::string> nome;
  double altezza;
  std::function<void(svg&, double, double)> disegna;  // (svg, top, height)
};

// The runs of equal values of one profile byte: [first cell, last cell].
struct tratto {
  std::size_t prima;
  std::size_t ultima;
  uint8_t valore;
};

std::vector<tratto> tratti(const std::vector<cella>& celle, uint8_t cella::*campo) {
  std::vector<tratto> v;
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const uint8_t b = celle[i].*campo;
    if (!v.empty() && v.back().valore == b && v.back().ultima + 1 == i)
      v.back().ultima = i;
    else
      v.push_back({i, i, b});
  }
  return v;
}

// The kilometre step of the grid: 1, 2, 5, 10, 20, 50 ... km, the first
// that leaves `pixel_minimi` between two lines.
double passo_km(double metri_per_pixel, double pixel_minimi) {
  for (double decina = 1000;; decina *= 10)
    for (double p : {decina, 2 * decina, 5 * decina})
      if (p / metri_per_pixel >= pixel_minimi || p >= 1e12) return p;
}

double arrotonda_su(double v, double passo) {
  const double n = static_cast<double>(static_cast<int64_t>(v / passo));
  return n * passo < v ? (n + 1) * passo : n * passo;
}

std::string descrizione_cella(const char* cosa, const vista::oggetto& o) {
  return std::string(cosa) + " al " + in_km(static_cast<double>(o.metro)) + " (cella " +
         std::to_string(o.cella) + "): dato1 " + std::to_string(o.dati.dato1) + ", dato2 " +
         std::to_string(o.dati.dato2) + ", dato3 " + std::to_string(o.dati.dato3) + ", dato4 " +
         std::to_string(o.dati.dato4);
}

// Names placed above their marks in up to `righe` rows, with a thin leader
// from each name down to `fino_a`.
void nomi_sfalsati(svg& s, const std::vector<std::pair<double, std::string>>& nomi, double cima,
                   int righe, double passo_righe, double dimensione, const char* c, bool grassetto,
                   double fino_a) {
  std::vector<estensione> e;
  std::vector<double> sinistre;
  for (const auto& [x, nome] : nomi) {
    const double l = larghezza_testo(nome, dimensione);
    const double sinistra = std::clamp(x - l / 2, 4.0, pagina::larghezza - 4 - l);
    sinistre.push_back(sinistra);
    e.push_back({sinistra, sinistra + l});
  }
  const auto r = righe_etichette(e, righe, 8);
  for (std::size_t i = 0; i < nomi.size(); ++i) {
    const double base = cima + passo_righe * (r[i] + 1);
    s.linea({nomi[i].first, base + 3}, {nomi[i].first, fino_a}, "stroke=\"#b7bfc7\" stroke-width=\"1\"");
    s.testo({sinistre[i], base}, nomi[i].second, carattere(dimensione, c, grassetto));
  }
}

void rombo(svg& s, punto c, double r, const std::string& stile, const std::string& suggerimento) {
  s.poligono({{c.x, c.y - r}, {c.x + r, c.y}, {c.x, c.y + r}, {c.x - r, c.y}}, stile, suggerimento);
}

void triangolo(svg& s, punto c, double r, const std::string& stile, const std::string& suggerimento) {
  s.poligono({{c.x, c.y - r}, {c.x + r, c.y + r * 0.8}, {c.x - r, c.y + r * 0.8}}, stile, suggerimento);
}

void segnale(svg& s, punto piede, const std::string& suggerimento) {
  s.linea(piede, {piede.x, piede.y - 14}, traccia(colore::testo, 1.5));
  s.cerchio({piede.x, piede.y - 18}, 5, riempi(colore::segnale) + " stroke=\"#7a1010\" stroke-width=\"1\"",
            suggerimento);
}

void indicatore(svg& s, punto c, const std::string& suggerimento) {
  s.rettangolo(c.x - 6, c.y - 6, 12, 12, "fill=\"white\" stroke=\"" + colore_di(colore::indicatore) + "\" stroke-width=\"1.5\"",
               suggerimento);
  s.testo({c.x, c.y + 3.5}, "V", carattere(9, colore::indicatore, true), "middle");
}

void cartello(svg& s, punto c, const std::string& suggerimento) {
  s.rettangolo(c.x - 7, c.y - 5, 14, 10, riempi(colore::cartello) + " stroke=\"#1d5c39\"", suggerimento);
}

}  // namespace

double disegna_profilo(svg& s, const vista::scenario& d, double y) {
  const scala_metri sc(d.metro_minimo(), d.metro_massimo());
  const auto x = [&sc](double metro) { return sc.x(metro); };
  const double destra = pagina::margine_sinistro + pagina::area;

  s.testo({14, y + 20}, "Profilo lungo la linea", carattere(17, colore::testo, true));
  s.testo({14, y + 38},
          "posizioni in chilometri dall'inizio della linea; passando con il puntatore su un "
          "oggetto se ne leggono i valori",
          carattere(12, colore::testo_tenue));

  const auto vel = tratti(d.celle, &cella::velocita);
  const auto pend = tratti(d.celle, &cella::pendenza);

  std::vector<riga> righe;

  // Stations: platform bars, the station's own position, names above.
  righe.push_back({{"Stazioni"}, 100, [&](svg& g, double cima, double) {
    const double barra = cima + 80;
    std::vector<std::pair<double, std::string>> nomi;
    for (const auto& st : d.stazioni) {
      const double a = x(static_cast<double>(st.inizio_marciapiede));
      const double b = x(static_cast<double>(st.fine_marciapiede));
      const std::string sugg = st.nome + ": marciapiede dal " + in_km(static_cast<double>(st.inizio_marciapiede)) +
                               " al " + in_km(static_cast<double>(st.fine_marciapiede)) + ", stazione al " +
                               in_km(static_cast<double>(st.posizione)) + ", tipo " + std::to_string(st.tipo) +
                               " (voce " + std::to_string(st.voce) + ")";
      g.rettangolo(std::min(a, b), barra, std::max(std::abs(b - a), 3.0), 9,
                   riempi(colore::marciapiede) + " stroke=\"#5f7386\" stroke-width=\"0.8\"", sugg);
      const double p = x(static_cast<double>(st.posizione));
      g.linea({p, barra - 8}, {p, barra + 15}, "stroke=\"" + colore_di(colore::stazione) + "\" stroke-width=\"3\"",
              sugg);
      nomi.emplace_back(p, st.nome);
    }
    nomi_sfalsati(g, nomi, cima, 3, 18, 12, colore::stazione, true, cima + 72);
  }});

  // Speed limit: a step line, each step labelled when there is room.
  int v_massima = 0;
  for (const auto& t : vel) v_massima = std::max(v_massima, t.valore * km_h_per_unita_velocita);
  const double passo_v = v_massima > 200 ? 50 : 20;
  const double cima_v = std::max(arrotonda_su(v_massima + 10, passo_v), 2 * passo_v);
  righe.push_back({{"Velocità massima", "(km/h)"}, 160, [&](svg& g, double cima, double h) {
    const double alto = cima + 14, basso = cima + h - 12;
    const auto yv = [&](double v) { return basso - v / cima_v * (basso - alto); };
    for (double v = 0; v <= cima_v; v += passo_v) {
      g.linea({pagina::margine_sinistro, yv(v)}, {destra, yv(v)}, "stroke=\"" + colore_di(colore::griglia) + "\"");
      g.testo({pagina::margine_sinistro - 8, yv(v) + 4}, numero_svg(v), carattere(10, colore::testo_tenue), "end");
    }
    // The last cells past the speed tail were never written: no line there.
    auto fine_vel = vel.end();
    if (!vel.empty() && vel.back().valore == 0 && vel.size() > 1) --fine_vel;
    std::vector<punto> linea;
    for (auto it = vel.begin(); it != fine_vel; ++it) {
      const tratto& t = *it;
      const double v = t.valore * km_h_per_unita_velocita;
      const double a = x(static_cast<double>(metro_profilo(static_cast<int64_t>(t.prima))));
      const double b = x(static_cast<double>(metro_profilo(static_cast<int64_t>(t.ultima) + 1)));
      linea.push_back({a, yv(v)});
      linea.push_back({b, yv(v)});
      const std::string etichetta = std::to_string(t.valore * km_h_per_unita_velocita);
      if (b - a >= larghezza_testo(etichetta, 11) + 6)
        g.testo({(a + b) / 2, yv(v) - 5}, etichetta,
                carattere(11, colore::velocita, true), "middle");
    }
    g.polilinea(linea, traccia(colore::velocita, 2.2) + " stroke-linejoin=\"round\"");
  }});

  // Gradient: bars from the level line, up for a rise; cells never
  // written (byte 0) are left out.
  int g_massima = 1;
  for (const auto& t : pend)
    if (t.valore != 0) g_massima = std::max(g_massima, std::abs(t.valore - zero_pendenza));
  righe.push_back({{"Pendenza"}, 90, [&](svg& g, double cima, double h) {
    const double mezzo = cima + h / 2;
    const double mezza_altezza = h / 2 - 14;
    const auto yg = [&](double p) { return mezzo - p / g_massima * mezza_altezza; };
    for (int p : {-g_massima, 0, g_massima}) {
      g.linea({pagina::margine_sinistro, yg(p)}, {destra, yg(p)},
              "stroke=\"" + colore_di(p == 0 ? "#9a9a9a" : colore::griglia) + "\"");
      g.testo({pagina::margine_sinistro - 8, yg(p) + 4}, (p > 0 ? "+" : "") + std::to_string(p),
              carattere(10, colore::testo_tenue), "end");
    }
    for (const auto& t : pend) {
      if (t.valore == 0) continue;
      const int p = t.valore - zero_pendenza;
      const double a = x(static_cast<double>(metro_profilo(static_cast<int64_t>(t.prima))));
      const double b = x(static_cast<double>(metro_profilo(static_cast<int64_t>(t.ultima) + 1)));
      if (p == 0) {
        g.linea({a, mezzo}, {b, mezzo}, traccia(colore::pendenza, 2));
        continue;
      }
      g.rettangolo(a, std::min(yg(p), mezzo), b - a, std::abs(yg(p) - mezzo),
                   riempi(colore::pendenza) + " fill-opacity=\"0.55\" stroke=\"" + colore_di(colore::pendenza) + "\"",
                   "pendenza " + std::string(p > 0 ? "+" : "") + std::to_string(p) + " dal " +
                       in_km(static_cast<double>(metro_profilo(static_cast<int64_t>(t.prima)))) + " al " +
                       in_km(static_cast<double>(metro_profilo(static_cast<int64_t>(t.ultima) + 1))));
      if (b - a >= 24)
        g.testo({(a + b) / 2, p > 0 ? yg(p) - 4 : yg(p) + 12}, (p > 0 ? "+" : "") + std::to_string(p),
                carattere(11, colore::pendenza, true), "middle");
    }
  }});

  righe.push_back({{"Segnali"}, 40, [&](svg& g, double cima, double) {
    for (const auto& o : d.segnali)
      segnale(g, {x(static_cast<double>(o.metro)), cima + 34},
              descrizione_cella("segnale", o) + ", tempo " + std::to_string(o.dati.tempo));
  }});

  // Slowdowns: the slowed stretch with its speed, the warning point with a
  // dashed line to the start it announces, the numbered cells before it.
  righe.push_back({{"Rallentamenti"}, 56, [&](svg& g, double cima, double) {
    const double fascia = cima + 28;
    for (const auto& o : d.numerate)
      g.linea({x(static_cast<double>(o.metro)), fascia + 10}, {x(static_cast<double>(o.metro)), fascia + 18},
              traccia(colore::rallentamento, 1.5), descrizione_cella("cella numerata prima dell'avviso", o));
    for (const auto& o : d.avvisi) {
      const double a = x(static_cast<double>(o.metro));
      const auto inizio = std::find_if(d.rallentamenti.begin(), d.rallentamenti.end(),
                                       [&o](const vista::rallentamento& r) { return r.inizio >= o.metro; });
      if (inizio != d.rallentamenti.end())
        g.linea({a, fascia + 6}, {x(static_cast<double>(inizio->inizio)), fascia + 6},
                "stroke=\"" + colore_di(colore::rallentamento) + "\" stroke-width=\"1.2\" stroke-dasharray=\"4 3\"");
      triangolo(g, {a, fascia + 5}, 7, "fill=\"white\" stroke=\"" + colore_di(colore::rallentamento) + "\" stroke-width=\"2\"",
                descrizione_cella("punto di avviso del rallentamento", o));
    }
    for (const auto& r : d.rallentamenti) {
      const double a = x(static_cast<double>(r.inizio)), b = x(static_cast<double>(r.fine));
      g.rettangolo(a, fascia, std::max(b - a, 3.0), 12, riempi(colore::rallentamento),
                   "rallentamento a " + std::to_string(r.velocita) + " km/h dal " +
                       in_km(static_cast<double>(r.inizio)) + " al " + in_km(static_cast<double>(r.fine)));
      g.testo({(a + b) / 2, fascia - 6}, std::to_string(r.velocita) + " km/h",
              carattere(11, "#b35f00", true), "middle");
    }
  }});

  righe.push_back({{"Indicatori di", "velocità massima"}, 40, [&](svg& g, double cima, double) {
    for (const auto& o : d.indicatori)
      indicatore(g, {x(static_cast<double>(o.metro)), cima + 22},
                 descrizione_cella("indicatore di velocità massima", o));
  }});

  righe.push_back({{"Cartelli indicatori"}, 76, [&](svg& g, double cima, double) {
    std::vector<std::pair<double, std::string>> nomi;
    for (const auto& o : d.cartelli) {
      const double c = x(static_cast<double>(o.metro));
      cartello(g, {c, cima + 64}, "cartello indicatore al " + in_km(static_cast<double>(o.metro)) +
                                      " (cella " + std::to_string(o.cella) + "): " + o.testo);
      nomi.emplace_back(c, o.testo);
    }
    nomi_sfalsati(g, nomi, cima, 3, 15, 11, "#1d5c39", false, cima + 58);
  }});

  righe.push_back({{"Tavole di orientamento"}, 40, [&](svg& g, double cima, double) {
    for (const auto& o : d.tavole)
      rombo(g, {x(static_cast<double>(o.metro)), cima + 20}, 7,
            riempi(colore::tavola) + " stroke=\"#8a6d00\" stroke-width=\"1\"",
            "tavola di orientamento al " + in_km(static_cast<double>(o.metro)) + " (cella " +
                std::to_string(o.cella) + "), valore " + std::to_string(o.dati.dato1));
    for (const auto& o : d.abbattimenti)
      rombo(g, {x(static_cast<double>(o.metro)), cima + 20}, 7,
            riempi(colore::abbattimento) + " stroke=\"#4f1f66\" stroke-width=\"1\"",
            "abbattimento senza valore al " + in_km(static_cast<double>(o.metro)) + " (cella " +
                std::to_string(o.cella) + ")");
  }});

  // The bands, then what runs across all of them (kilometre grid, the end
  // of the line, the stations), then each row's own marks on top.
  const double cima_righe = y + 50;
  double fondo = cima_righe;
  for (std::size_t i = 0; i < righe.size(); ++i) {
    if (i % 2 == 0)
      s.rettangolo(0, fondo, pagina::larghezza, righe[i].altezza, riempi(colore::fondo_riga));
    fondo += righe[i].altezza;
  }
  const double km = passo_km(sc.metri_per_pixel(), 60);
  const double primo_km = arrotonda_su(sc.minimo(), km);
  for (double m = primo_km; m <= sc.massimo(); m += km)
    s.linea({x(m), cima_righe}, {x(m), fondo}, "stroke=\"" + colore_di(colore::griglia) + "\"");
  if (d.lunghezza > 0 && static_cast<double>(d.lunghezza) < sc.massimo()) {
    const double f = x(static_cast<double>(d.lunghezza));
    s.rettangolo(f, cima_righe, destra - f, fondo - cima_righe, "fill=\"#8a8a8a\" fill-opacity=\"0.12\"");
    s.linea({f, cima_righe}, {f, fondo}, "stroke=\"#555\" stroke-width=\"1.5\" stroke-dasharray=\"7 4\"");
    s.testo({f + 5, fondo - 6}, "fine della linea", carattere(11, "#555"));
  }
  for (const auto& st : d.stazioni) {
    const double p = x(static_cast<double>(st.posizione));
    s.linea({p, cima_righe + 96}, {p, fondo}, "stroke=\"#9db3cc\" stroke-width=\"1\" stroke-dasharray=\"3 4\"");
  }

  double cima = cima_righe;
  for (const auto& r : righe) {
    double riga_y = cima + r.altezza / 2 - 8 * (static_cast<double>(r.nome.size()) - 1) + 4;
    for (const auto& parola : r.nome) {
      s.testo({14, riga_y}, parola, carattere(13, colore::testo, true));
      riga_y += 16;
    }
    r.disegna(s, cima, r.altezza);
    cima += r.altezza;
  }

  // Axis in kilometres.
  s.linea({pagina::margine_sinistro, fondo}, {destra, fondo}, traccia(colore::testo, 1.2));
  const double minore = km / 5;
  for (double m = arrotonda_su(sc.minimo(), minore); m <= sc.massimo(); m += minore)
    s.linea({x(m), fondo}, {x(m), fondo + 4}, traccia(colore::testo, 1));
  for (double m = primo_km; m <= sc.massimo(); m += km) {
    s.linea({x(m), fondo}, {x(m), fondo + 8}, traccia(colore::testo, 1.2));
    s.testo({x(m), fondo + 22}, numero_svg(m / 1000), carattere(12, colore::testo), "middle");
  }
  s.testo({14, fondo + 22}, "km", carattere(13, colore::testo, true));
  return fondo + 40;
}

double disegna_legenda(svg& s, double y) {
  s.testo({14, y + 18}, "Legenda", carattere(15, colore::testo, true));
  using simbolo = std::function<void(svg&, punto)>;
  const std::vector<std::pair<simbolo, std::string>> voci{
      {[](svg& g, punto c) { g.linea({c.x - 14, c.y}, {c.x + 14, c.y}, traccia(colore::binario, 3)); },
       "tracciato in pianta (tratteggiato oltre la fine)"},
      {[](svg& g, punto c) {
         g.rettangolo(c.x - 14, c.y - 4, 28, 8, riempi(colore::marciapiede));
         g.linea({c.x, c.y - 9}, {c.x, c.y + 9}, "stroke=\"" + colore_di(colore::stazione) + "\" stroke-width=\"3\"");
       },
       "stazione: marciapiede e posizione"},
      {[](svg& g, punto c) {
         g.polilinea({{c.x - 14, c.y + 5}, {c.x, c.y + 5}, {c.x, c.y - 5}, {c.x + 14, c.y - 5}},
                     traccia(colore::velocita, 2.2));
       },
       "velocità massima (km/h)"},
      {[](svg& g, punto c) {
         g.rettangolo(c.x - 14, c.y - 6, 28, 6, riempi(colore::pendenza) + " fill-opacity=\"0.55\" stroke=\"" +
                                                    colore_di(colore::pendenza) + "\"");
       },
       "pendenza (in su la salita)"},
      {[](svg& g, punto c) { segnale(g, {c.x, c.y + 10}, {}); }, "segnale"},
      {[](svg& g, punto c) { g.rettangolo(c.x - 14, c.y - 5, 28, 10, riempi(colore::rallentamento)); },
       "rallentamento con la sua velocità"},
      {[](svg& g, punto c) {
         triangolo(g, c, 7, "fill=\"white\" stroke=\"" + colore_di(colore::rallentamento) + "\" stroke-width=\"2\"", {});
       },
       "punto di avviso del rallentamento"},
      {[](svg& g, punto c) {
         for (double dx : {-9.0, -3.0, 3.0, 9.0})
           g.linea({c.x + dx, c.y - 4}, {c.x + dx, c.y + 4}, traccia(colore::rallentamento, 1.5));
       },
       "celle numerate prima dell'avviso"},
      {[](svg& g, punto c) { indicatore(g, c, {}); }, "indicatore di velocità massima"},
      {[](svg& g, punto c) { cartello(g, c, {}); }, "cartello indicatore con il suo testo"},
      {[](svg& g, punto c) {
         rombo(g, c, 7, riempi(colore::tavola) + " stroke=\"#8a6d00\" stroke-width=\"1\"", {});
       },
       "tavola di orientamento (tavola con valore)"},
      {[](svg& g, punto c) {
         rombo(g, c, 7, riempi(colore::abbattimento) + " stroke=\"#4f1f66\" stroke-width=\"1\"", {});
       },
       "abbattimento senza valore"},
      {[](svg& g, punto c) {
         g.linea({c.x, c.y - 9}, {c.x, c.y + 9}, "stroke=\"#555\" stroke-width=\"1.5\" stroke-dasharray=\"4 3\"");
       },
       "fine della linea"},
  };
  constexpr int colonne = 4;
  const double larghezza_colonna = (pagina::larghezza - 28) / colonne;
  constexpr double altezza_voce = 28;
  for (std::size_t i = 0; i < voci.size(); ++i) {
    const double cx = 14 + larghezza_colonna * static_cast<double>(i % colonne);
    const double cy = y + 44 + altezza_voce * static_cast<double>(i / colonne);
    voci[i].first(s, {cx + 16, cy});
    s.testo({cx + 40, cy + 4}, voci[i].second, carattere(12, colore::testo));
  }
  const auto file = static_cast<double>((voci.size() + colonne - 1) / colonne);
  return y + 44 + altezza_voce * file;
}

}  // namespace gara::disegno
