#include "orario/diagramma.h"

#include <algorithm>
#include <cmath>

#include "disegno/svg.h"
#include "modello/windows1252.h"

namespace gara::orario {

namespace {

using disegno::punto;

constexpr double larghezza = 1200;
constexpr double margine_sinistro = 70, margine_destro = 20;
constexpr double alto_velocita = 40, altezza_velocita = 220;
constexpr double alto_tempo = alto_velocita + altezza_velocita + 60, altezza_tempo = 220;
constexpr double km_h_per_m_s = 3.6;
constexpr double passo_griglia_km_h = 20;
constexpr double secondi_minuto = 60;

const std::string stile_linea = "fill=\"none\" stroke=\"#9a9a9a\" stroke-width=\"1.5\"";
const std::string stile_treno = "fill=\"none\" stroke=\"#e08a00\" stroke-width=\"1.2\" stroke-dasharray=\"5 3\"";
const std::string stile_marcia = "fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"1.8\"";
const std::string stile_orario = "fill=\"none\" stroke=\"#222\" stroke-width=\"1.5\"";
const std::string stile_griglia = "stroke=\"#e3e6ea\" stroke-width=\"1\"";
const std::string stile_testo = "font-size=\"11\" fill=\"#333\"";

class disegnatore {
 public:
  explicit disegnatore(const risultato_orario& r) : r_(r), s_(larghezza, "#ffffff") {
    da_ = r.stazioni[r.tratte.front().da].metro;
    a_ = r.stazioni[r.tratte.back().a].metro;
    if (a_ <= da_) a_ = da_ + 1;
    v_massima_ = std::max<double>(v_massima_, r.limiti_linea.massimo(da_, a_));
    v_massima_ = std::ceil(v_massima_ / passo_griglia_km_h) * passo_griglia_km_h;
    t0_ = *r.stazioni[r.tratte.front().da].orario;
    for (const tratta& t : r.tratte) {
      if (t.tempo_orario) t_massimo_ = std::max<double>(t_massimo_, *r.stazioni[t.da].orario - t0_ + *t.tempo_orario);
      if (t.tempo_stimato)
        t_massimo_ = std::max<double>(t_massimo_, *r.stazioni[t.da].orario - t0_ + *t.tempo_stimato);
    }
    t_massimo_ = std::ceil(std::max(t_massimo_, secondi_minuto) / secondi_minuto) * secondi_minuto;
  }

  std::string disegna() {
    assi();
    limiti(r_.limiti_linea, stile_linea);
    limiti(r_.limiti_treno, stile_treno);
    marce();
    orario();
    legenda();
    s_.altezza(alto_tempo + altezza_tempo + 50);
    return s_.documento();
  }

 private:
  double x_di(double metro) const {
    return margine_sinistro +
           (metro - static_cast<double>(da_)) / static_cast<double>(a_ - da_) * (larghezza - margine_sinistro - margine_destro);
  }
  double y_velocita(double km_h) const {
    return alto_velocita + altezza_velocita - std::clamp(km_h / v_massima_, 0.0, 1.0) * altezza_velocita;
  }
  double y_tempo(double secondi) const {
    return alto_tempo + std::clamp(secondi / t_massimo_, 0.0, 1.0) * altezza_tempo;
  }

  void assi() {
    s_.testo({margine_sinistro, alto_velocita - 16}, "Velocità (km/h) lungo la linea", "font-size=\"13\" font-weight=\"bold\" fill=\"#222\"");
    s_.testo({margine_sinistro, alto_tempo - 16}, "Tempo dalla partenza (min) lungo la linea", "font-size=\"13\" font-weight=\"bold\" fill=\"#222\"");
    for (double v = 0; v <= v_massima_; v += passo_griglia_km_h) {
      s_.linea({margine_sinistro, y_velocita(v)}, {larghezza - margine_destro, y_velocita(v)}, stile_griglia);
      s_.testo({margine_sinistro - 6, y_velocita(v) + 4}, disegno::numero_svg(v), stile_testo, "end");
    }
    const double passo_t = std::max(1.0, std::round(t_massimo_ / secondi_minuto / 8)) * secondi_minuto;
    for (double t = 0; t <= t_massimo_; t += passo_t) {
      s_.linea({margine_sinistro, y_tempo(t)}, {larghezza - margine_destro, y_tempo(t)}, stile_griglia);
      s_.testo({margine_sinistro - 6, y_tempo(t) + 4}, disegno::numero_svg(t / secondi_minuto), stile_testo, "end");
    }
    // The stations with a time, on both panels.
    for (std::size_t i = 0; i < r_.stazioni.size(); ++i) {
      const stazione_treno& st = r_.stazioni[i];
      if (st.metro < da_ || st.metro > a_) continue;
      const double x = x_di(static_cast<double>(st.metro));
      s_.linea({x, alto_velocita}, {x, alto_tempo + altezza_tempo}, "stroke=\"#b7bfc7\" stroke-width=\"1\"");
      // Names near the right edge end at their line.
      const std::string nome = da_windows1252(st.nome);
      const bool a_destra = x + disegno::larghezza_testo(nome, 11) > larghezza - margine_destro;
      s_.testo({a_destra ? x - 3 : x + 3, alto_tempo + altezza_tempo + 14 + 12.0 * static_cast<double>(i % 2)}, nome,
               stile_testo, a_destra ? "end" : "start");
    }
  }

  // A step line of limits over the metres shown: a point at each change.
  void limiti(const limiti_metro& l, const std::string& stile) {
    std::vector<punto> p;
    const int64_t dal = std::max<int64_t>(da_, 0), fino = std::min<int64_t>(a_, l.metri());
    const auto tratti = l.tratti();
    for (std::size_t i = dal < fino ? l.tratto_di(dal) : tratti.size(); i < tratti.size() && tratti[i].inizio < fino;
         ++i) {
      const double x = static_cast<double>(std::max(tratti[i].inizio, dal));
      if (!p.empty()) p.push_back({x_di(x), p.back().y});
      p.push_back({x_di(x), y_velocita(tratti[i].km_h)});
    }
    if (!p.empty()) p.push_back({x_di(static_cast<double>(fino)), p.back().y});
    s_.polilinea(p, stile);
  }

  void marce() {
    for (const tratta& t : r_.tratte) {
      if (t.marcia.empty()) continue;
      const double partenza = *r_.stazioni[t.da].orario - t0_;
      std::vector<punto> velocita, tempo;
      for (const punto_corsa& p : t.marcia) {
        const double x = x_di(static_cast<double>(p.metro));
        velocita.push_back({x, y_velocita(p.velocita * km_h_per_m_s)});
        tempo.push_back({x, y_tempo(partenza + p.secondi)});
      }
      s_.polilinea(velocita, stile_marcia);
      s_.polilinea(tempo, stile_marcia);
    }
  }

  void orario() {
    for (const tratta& t : r_.tratte) {
      const double partenza = *r_.stazioni[t.da].orario - t0_;
      const punto da{x_di(static_cast<double>(t.da_metro)), y_tempo(partenza)};
      s_.cerchio(da, 3, "fill=\"#222\"");
      if (!t.tempo_orario) continue;
      const punto a{x_di(static_cast<double>(t.a_metro)), y_tempo(partenza + static_cast<double>(*t.tempo_orario))};
      s_.polilinea({da, a}, stile_orario);
      s_.cerchio(a, 3, "fill=\"#222\"");
    }
  }

  void legenda() {
    const double y = alto_velocita + altezza_velocita + 22;
    const std::pair<const std::string*, const char*> voci[] = {
        {&stile_linea, "limite della linea"},
        {&stile_treno, "limite del treno nominale"},
        {&stile_marcia, "marcia più veloce del treno nominale"},
        {&stile_orario, "orario"}};
    double x = margine_sinistro;
    for (const auto& [stile, nome] : voci) {
      s_.polilinea({{x, y}, {x + 24, y}}, *stile);
      s_.testo({x + 30, y + 4}, nome, stile_testo);
      x += 40 + disegno::larghezza_testo(nome, 11);
    }
  }

  const risultato_orario& r_;
  disegno::svg s_;
  int64_t da_ = 0;
  int64_t a_ = 1;
  double v_massima_ = passo_griglia_km_h;
  double t0_ = 0;
  double t_massimo_ = 0;
};

}  // namespace

std::string diagramma_di_marcia(const risultato_orario& r) {
  if (r.tratte.empty()) return {};
  return disegnatore(r).disegna();
}

}  // namespace gara::orario
