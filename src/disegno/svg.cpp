#include "disegno/svg.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace gara::disegno {

namespace {

// Average advance of a character of the sans-serif fonts used, as a
// fraction of the font size (capitals are wider than this, so it errs on
// the generous side only for lower case).
constexpr double larghezza_media_carattere = 0.62;

// Below this many tenths a coordinate's product by 10 errs by less than
// 2^-20 of a tenth, far inside the margin kept from a half-way case.
constexpr double decimi_semplici = 1e9;
constexpr double margine_meta = 1e-4;

// A coordinate with one decimal, as printf's "%.1f" writes it, with no
// ".0" and no "-0": appended to t without a string of its own (a
// running diagram has hundreds of thousands of them).
void aggiungi_numero_svg(std::string& t, double v) {
  if (!std::isfinite(v)) {
    t += '0';
    return;
  }
  // Tenths rounded from v * 10, which is within half a unit of its last
  // place of the exact product: far from a half-way case that rounding is
  // printf's own. Near one (and for large values) the exact digits decide.
  const double decimi = v * 10;
  if (std::fabs(decimi) < decimi_semplici) {
    const double intero = std::floor(decimi);
    if (std::fabs(decimi - intero - 0.5) > margine_meta) {
      const auto n = static_cast<int64_t>(std::nearbyint(decimi));
      if (n < 0) t += '-';
      const uint64_t assoluto = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
      char cifre[24];
      const auto fine = std::to_chars(cifre, cifre + sizeof cifre, assoluto / 10).ptr;
      t.append(cifre, fine);
      if (assoluto % 10 != 0) {
        t += '.';
        t += static_cast<char>('0' + assoluto % 10);
      }
      return;
    }
  }
  char testo[400];  // the largest double, every digit, and one decimal
  const auto [fine, errore] = std::to_chars(testo, testo + sizeof testo, v, std::chars_format::fixed, 1);
  std::string_view n(testo, errore == std::errc{} ? static_cast<std::size_t>(fine - testo) : 0);
  if (n.size() > 2 && n.ends_with(".0")) n.remove_suffix(2);
  if (n == "-0") n = "0";
  t += n;
}

std::string punti_svg(const std::vector<punto>& punti) {
  std::string p;
  p.reserve(punti.size() * 16);
  for (const punto& q : punti) {
    if (!p.empty()) p += ' ';
    aggiungi_numero_svg(p, q.x);
    p += ',';
    aggiungi_numero_svg(p, q.y);
  }
  return p;
}

}  // namespace

std::string numero_svg(double v) {
  std::string t;
  aggiungi_numero_svg(t, v);
  return t;
}

std::string testo_xml(std::string_view testo) {
  std::string t;
  t.reserve(testo.size());
  for (char c : testo) {
    switch (c) {
      case '&': t += "&amp;"; break;
      case '<': t += "&lt;"; break;
      case '>': t += "&gt;"; break;
      case '"': t += "&quot;"; break;
      case '\'': t += "&apos;"; break;
      default: t += c;
    }
  }
  return t;
}

double larghezza_testo(std::string_view utf8, double dimensione) {
  std::size_t caratteri = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caratteri;
  return static_cast<double>(caratteri) * dimensione * larghezza_media_carattere;
}

svg::svg(double larghezza, std::string_view sfondo) : larghezza_(larghezza), sfondo_(sfondo) {}

void svg::elemento(std::string_view nome, const std::string& attributi, std::string_view stile,
                   std::string_view suggerimento) {
  corpo_ += '<';
  corpo_ += nome;
  corpo_ += ' ';
  corpo_ += attributi;
  if (!stile.empty()) {
    corpo_ += ' ';
    corpo_ += stile;
  }
  if (suggerimento.empty()) {
    corpo_ += "/>\n";
    return;
  }
  corpo_ += "><title>";
  corpo_ += testo_xml(suggerimento);
  corpo_ += "</title></";
  corpo_ += nome;
  corpo_ += ">\n";
}

void svg::linea(punto a, punto b, std::string_view stile, std::string_view suggerimento) {
  elemento("line",
           "x1=\"" + numero_svg(a.x) + "\" y1=\"" + numero_svg(a.y) + "\" x2=\"" + numero_svg(b.x) +
               "\" y2=\"" + numero_svg(b.y) + "\"",
           stile, suggerimento);
}

void svg::rettangolo(double x, double y, double larghezza, double altezza, std::string_view stile,
                     std::string_view suggerimento) {
  elemento("rect",
           "x=\"" + numero_svg(x) + "\" y=\"" + numero_svg(y) + "\" width=\"" +
               numero_svg(larghezza < 0 ? 0 : larghezza) + "\" height=\"" +
               numero_svg(altezza < 0 ? 0 : altezza) + "\"",
           stile, suggerimento);
}

void svg::cerchio(punto centro, double raggio, std::string_view stile,
                  std::string_view suggerimento) {
  elemento("circle",
           "cx=\"" + numero_svg(centro.x) + "\" cy=\"" + numero_svg(centro.y) + "\" r=\"" +
               numero_svg(raggio) + "\"",
           stile, suggerimento);
}

void svg::polilinea(const std::vector<punto>& punti, std::string_view stile) {
  if (punti.size() < 2) return;
  // A line has no inside: unfilled unless the style says otherwise.
  const bool riempita = stile.find("fill=") != std::string_view::npos;
  elemento("polyline", "points=\"" + punti_svg(punti) + "\"" + (riempita ? "" : " fill=\"none\""),
           stile, {});
}

void svg::poligono(const std::vector<punto>& punti, std::string_view stile,
                   std::string_view suggerimento) {
  if (punti.size() < 3) return;
  elemento("polygon", "points=\"" + punti_svg(punti) + "\"", stile, suggerimento);
}

void svg::testo(punto p, std::string_view testo, std::string_view stile,
                std::string_view ancoraggio) {
  corpo_ += "<text x=\"" + numero_svg(p.x) + "\" y=\"" + numero_svg(p.y) + "\" text-anchor=\"" +
            std::string(ancoraggio) + "\"";
  if (!stile.empty()) {
    corpo_ += ' ';
    corpo_ += stile;
  }
  corpo_ += '>';
  corpo_ += testo_xml(testo);
  corpo_ += "</text>\n";
}

void svg::commento(std::string_view testo) {
  std::string t(testo);
  // "--" may not appear inside an XML comment.
  for (std::size_t i = t.find("--"); i != std::string::npos; i = t.find("--", i)) t[i + 1] = '=';
  corpo_ += "<!-- " + t + " -->\n";
}

std::string svg::documento() const {
  const std::string l = numero_svg(larghezza_);
  const std::string a = numero_svg(altezza_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         l + "\" height=\"" + a + "\" viewBox=\"0 0 " + l + " " + a +
         "\" font-family=\"DejaVu Sans, Liberation Sans, Arial, sans-serif\">\n"
         "<rect x=\"0\" y=\"0\" width=\"" + l + "\" height=\"" + a + "\" fill=\"" +
         testo_xml(sfondo_) + "\"/>\n" + corpo_ +
         "</svg>\n";
}

}  // namespace gara::disegno
