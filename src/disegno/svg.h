#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gara::disegno {

struct punto {
  double x = 0;
  double y = 0;
};

// A small writer of SVG documents: each call appends one element. Numbers
// are written with one decimal (enough for screen pixels), texts are
// escaped for XML. Attributes of style are given as written in SVG, e.g.
// `stroke="#333" stroke-width="2"`. A non-empty `suggerimento` becomes the
// element's <title>, which viewers show when the pointer rests on it.
class svg {
 public:
  svg(double larghezza, std::string_view sfondo);

  // The height is known once everything has been placed.
  void altezza(double a) { altezza_ = a; }

  void linea(punto a, punto b, std::string_view stile, std::string_view suggerimento = {});
  void rettangolo(double x, double y, double larghezza, double altezza, std::string_view stile,
                  std::string_view suggerimento = {});
  void cerchio(punto centro, double raggio, std::string_view stile,
               std::string_view suggerimento = {});
  void polilinea(const std::vector<punto>& punti, std::string_view stile);
  void poligono(const std::vector<punto>& punti, std::string_view stile,
                std::string_view suggerimento = {});
  // `ancoraggio`: start, middle or end.
  void testo(punto p, std::string_view testo, std::string_view stile,
             std::string_view ancoraggio = "start");
  void commento(std::string_view testo);

  // The document, closed.
  std::string documento() const;

 private:
  void elemento(std::string_view nome, const std::string& attributi, std::string_view stile,
                std::string_view suggerimento);

  double larghezza_;
  double altezza_ = 0;
  std::string sfondo_;
  std::string corpo_;
};

// A number as SVG wants it: one decimal at most, no trailing ".0".
std::string numero_svg(double v);

// Text escaped for XML content and attribute values.
std::string testo_xml(std::string_view testo);

// Width in pixels that a text takes at a font size, roughly (for placing
// labels so that they do not overlap).
double larghezza_testo(std::string_view utf8, double dimensione);

}  // namespace gara::disegno
