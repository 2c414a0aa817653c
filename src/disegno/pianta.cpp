#include "disegno/pianta.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "disegno/etichette.h"
#include "disegno/impaginazione.h"

namespace gara::disegno {

namespace {

constexpr int64_t punti_massimi = 5000;  // points of the drawn polyline
constexpr double altezza_massima_binario = 300;
constexpr double altezza_minima_binario = 40;
constexpr int righe_nomi = 3;
constexpr double altezza_riga_nomi = 17;
constexpr double dimensione_nomi = 12;
constexpr double altezza_titolo = 48;
constexpr double spazio_sotto = 34;  // kilometre labels and scale bar
// Coordinates beyond this many metres are no track anyone laid: such points
// are left out rather than crush the picture.
constexpr double coordinata_massima = 1e8;

struct punto_linea {
  int64_t metro;
  double a0;  // to the right of the start heading
  double a1;  // along the start heading
};

bool pieno(const tracciato_metri& t, int64_t m) {
  if (m < 0 || m > t.ultimo_metro()) return false;
  if (t.tipo_di(m, 0) == tracciato_metri::tipo::vuoto ||
      t.tipo_di(m, 1) == tracciato_metri::tipo::vuoto)
    return false;
  const double a0 = t.valore(m, 0), a1 = t.valore(m, 1);
  return std::isfinite(a0) && std::isfinite(a1) && std::abs(a0) <= coordinata_massima &&
         std::abs(a1) <= coordinata_massima;
}

// The turn of the picture: forward along the start-to-end chord, and its
// right-hand side downward, so left and right stay as the driver sees them.
class rotazione {
 public:
  rotazione(const punto_linea& inizio, const punto_linea& fine) : o0_(inizio.a0), o1_(inizio.a1) {
    const double e0 = fine.a0 - inizio.a0;
    const double e1 = fine.a1 - inizio.a1;
    const double l = std::sqrt(e0 * e0 + e1 * e1);
    if (l >= 1.0) {
      u0_ = e0 / l;
      u1_ = e1 / l;
    }
  }
  double avanti(const punto_linea& p) const { return (p.a0 - o0_) * u0_ + (p.a1 - o1_) * u1_; }
  double destra(const punto_linea& p) const { return (p.a0 - o0_) * u1_ - (p.a1 - o1_) * u0_; }

 private:
  double o0_, o1_;
  double u0_ = 0, u1_ = 1;
};

// 100, 200, 500, 1000 ... m: the first step that leaves `pixel_minimi`.
double passo_scala(double metri_per_pixel, double pixel_minimi) {
  for (double decina = 100;; decina *= 10)
    for (double p : {decina, 2 * decina, 5 * decina})
      if (p / metri_per_pixel >= pixel_minimi || p >= 1e12) return p;
}

}  // namespace

double disegna_pianta(svg& s, const vista::scenario& d, double y) {
  if (!d.tracciato || !d.tracciato->esiste()) return y;
  const tracciato_metri& t = *d.tracciato;
  const int64_t ultimo = t.ultimo_metro();
  const int64_t fine_linea = std::clamp<int64_t>(d.lunghezza, 0, ultimo);
  const int64_t passo = std::max<int64_t>(1, (ultimo + 1) / punti_massimi);

  const auto punto_a = [&t](int64_t m) { return punto_linea{m, t.valore(m, 0), t.valore(m, 1)}; };
  std::vector<punto_linea> punti;
  for (int64_t m = 0; m <= ultimo; m += passo)
    if (pieno(t, m)) punti.push_back(punto_a(m));
  if (pieno(t, fine_linea)) punti.push_back(punto_a(fine_linea));
  std::sort(punti.begin(), punti.end(),
            [](const punto_linea& a, const punto_linea& b) { return a.metro < b.metro; });

  s.testo({14, y + 20}, "Pianta del tracciato", "font-size=\"17\" font-weight=\"bold\" fill=\"" +
                                                    std::string(colore::testo) + "\"");
  s.testo({14, y + 38},
          "ruotata perché la linea corra da sinistra (partenza) a destra (arrivo), stessa scala "
          "sui due assi; tratteggiato il tracciato oltre la fine della linea",
          "font-size=\"12\" fill=\"" + std::string(colore::testo_tenue) + "\"");
  const double alto = y + altezza_titolo;
  if (punti.size() < 2) {
    s.testo({pagina::margine_sinistro, alto + 20}, "il tracciato non ha punti da disegnare",
            "font-size=\"13\" fill=\"" + std::string(colore::testo_tenue) + "\"");
    return alto + 40;
  }

  // The chord from the start to the end of the line sets the turn.
  const punto_linea* arrivo = &punti.front();
  for (const auto& p : punti)
    if (p.metro <= fine_linea) arrivo = &p;
  const rotazione r(punti.front(), *arrivo);
  double fmin = std::numeric_limits<double>::infinity(), fmax = -fmin, lmin = fmin, lmax = -fmin;
  for (const auto& p : punti) {
    fmin = std::min(fmin, r.avanti(p));
    fmax = std::max(fmax, r.avanti(p));
    lmin = std::min(lmin, r.destra(p));
    lmax = std::max(lmax, r.destra(p));
  }
  double scala = pagina::area / std::max(fmax - fmin, 1.0);  // pixels per metre
  if ((lmax - lmin) * scala > altezza_massima_binario)
    scala = altezza_massima_binario / (lmax - lmin);
  const double alto_binario = std::max((lmax - lmin) * scala, altezza_minima_binario);
  const double fascia_nomi = righe_nomi * altezza_riga_nomi + 14;
  const double cima = alto + fascia_nomi;
  const double basso = cima + alto_binario + spazio_sotto;
  const double x0 = pagina::margine_sinistro + (pagina::area - (fmax - fmin) * scala) / 2;
  const double y0 = cima + (alto_binario - (lmax - lmin) * scala) / 2;
  const auto schermo = [&](const punto_linea& p) {
    return punto{x0 + (r.avanti(p) - fmin) * scala, y0 + (r.destra(p) - lmin) * scala};
  };

  s.rettangolo(pagina::margine_sinistro - 10, alto, pagina::area + 20, basso - alto,
               "fill=\"#fbfbfc\" stroke=\"#d5d9de\"");

  // Platforms under the track, then the track, solid up to the end of the line.
  const auto tratto = [&](int64_t da, int64_t a) {
    std::vector<punto> v;
    for (const auto& p : punti)
      if (p.metro >= da && p.metro <= a) v.push_back(schermo(p));
    return v;
  };
  for (const auto& st : d.stazioni)
    s.polilinea(tratto(st.inizio_marciapiede, st.fine_marciapiede),
                "stroke=\"" + std::string(colore::marciapiede) +
                    "\" stroke-width=\"9\" stroke-linecap=\"round\"");
  s.polilinea(tratto(fine_linea, ultimo), "stroke=\"" + std::string(colore::oltre_la_fine) +
                                              "\" stroke-width=\"2\" stroke-dasharray=\"6 4\"");
  s.polilinea(tratto(0, fine_linea), "stroke=\"" + std::string(colore::binario) +
                                         "\" stroke-width=\"3\" stroke-linejoin=\"round\"");

  // Kilometre marks along the track.
  const double km_passo = passo_scala(1.0 / scala, 70);
  for (double m = 0; m <= static_cast<double>(fine_linea); m += km_passo) {
    const auto metro = static_cast<int64_t>(m);
    if (!pieno(t, metro)) continue;
    const punto p = schermo(punto_a(metro));
    s.cerchio(p, 2.5, "fill=\"" + std::string(colore::testo_tenue) + "\"");
    s.testo({p.x, p.y + 16}, in_km(m), "font-size=\"10\" fill=\"" + std::string(colore::testo_tenue) + "\"",
            "middle");
  }

  // Stations: a ring on the track and the name above, in up to three rows.
  struct nome_posto {
    punto su_binario;
    std::string nome;
    double sinistra;
    double larghezza;
  };
  std::vector<nome_posto> nomi;
  std::vector<estensione> estensioni;
  for (const auto& st : d.stazioni) {
    if (!pieno(t, st.posizione)) continue;
    const punto p = schermo(punto_a(st.posizione));
    const double l = larghezza_testo(st.nome, dimensione_nomi);
    const double sinistra = std::clamp(p.x - l / 2, 4.0, pagina::larghezza - 4 - l);
    nomi.push_back({p, st.nome, sinistra, l});
    estensioni.push_back({sinistra, sinistra + l});
  }
  const auto righe = righe_etichette(estensioni, righe_nomi, 10);
  for (std::size_t i = 0; i < nomi.size(); ++i) {
    const auto& n = nomi[i];
    const double base = alto + 4 + altezza_riga_nomi * (righe[i] + 1);
    s.linea({n.su_binario.x, base + 4}, {n.su_binario.x, n.su_binario.y - 7},
            "stroke=\"#9aa4ae\" stroke-width=\"1\"");
    s.testo({n.sinistra, base}, n.nome,
            "font-size=\"12\" font-weight=\"bold\" fill=\"" + std::string(colore::stazione) + "\"");
  }
  for (const auto& n : nomi)
    s.cerchio(n.su_binario, 5, "fill=\"white\" stroke=\"" + std::string(colore::stazione) +
                                   "\" stroke-width=\"2.5\"");

  // Scale bar, bottom left.
  const double barra = passo_scala(1.0 / scala, 80);
  const double xb = pagina::margine_sinistro;
  const double yb = basso - 10;
  const std::string tratto_barra = "stroke=\"" + std::string(colore::testo) + "\" stroke-width=\"2\"";
  s.linea({xb, yb}, {xb + barra * scala, yb}, tratto_barra);
  s.linea({xb, yb - 4}, {xb, yb + 4}, tratto_barra);
  s.linea({xb + barra * scala, yb - 4}, {xb + barra * scala, yb + 4}, tratto_barra);
  s.testo({xb + barra * scala + 8, yb + 4}, in_km(barra),
          "font-size=\"11\" fill=\"" + std::string(colore::testo) + "\"");
  return basso + 26;
}

}  // namespace gara::disegno
