#include "disegno/svg.h"

#include <cmath>
#include <cstdio>

namespace gara::disegno {

namespace {

// Average advance of a character of the sans-serif fonts used, as a
// fraction of the font size (capitals are wider than this, so it errs on
// the generous side only for lower case).
constexpr double larghezza_media_carattere = 0.62;

std::string punti_svg(const std::vector<punto>& punti) {
  std::string p;
  p.reserve(punti.size() * 12);
  for (const punto& q : punti) {
    if (!p.empty()) p += ' ';
    p += numero_svg(q.x);
    p += ',';
    p += numero_svg(q.y);
  }
  return p;
}

}  // namespace

std::string numero_svg(double v) {
  if (!std::isfinite(v)) return "0";
  char testo[48];
  std::snprintf(testo, sizeof testo, "%.1f", v);
  std::string t = testo;
  if (t.size() > 2 && t.compare(t.size() - 2, 2, ".0") == 0) t.resize(t.size() - 2);
  if (t == "-0") t = "0";
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
