#include "disegno/disegno.h"

#include "disegno/impaginazione.h"
#include "disegno/pianta.h"
#include "disegno/profilo.h"
#include "disegno/svg.h"

namespace gara::disegno {

disegno_scenario disegna_scenario(const vista::scenario& d) {
  disegno_scenario r;
  svg s(pagina::larghezza, "white");
  double y = pagina::margine_alto;
  s.testo({14, y + 24}, d.percorso + " – treno " + d.treno,
          "font-size=\"24\" font-weight=\"bold\" fill=\"" + std::string(colore::testo) + "\"");
  const auto quanti = [](std::size_t n, const char* uno, const char* molti) {
    return std::to_string(n) + " " + (n == 1 ? uno : molti);
  };
  std::string sotto = "linea di " + in_km(static_cast<double>(d.lunghezza)) + ", " +
                      quanti(d.stazioni.size(), "stazione", "stazioni") + ", " +
                      quanti(d.segnali.size(), "segnale", "segnali") + ", " +
                      quanti(d.rallentamenti.size(), "rallentamento", "rallentamenti");
  if (!d.tracciato) sotto += "; scenario compilato senza tracciato: solo il profilo";
  s.testo({14, y + 46}, sotto, "font-size=\"13\" fill=\"" + std::string(colore::testo_tenue) + "\"");
  y += 64;
  y = disegna_pianta(s, d, y);
  r.profilo_alto = y;
  y = disegna_profilo(s, d, y);
  r.profilo_basso = y;
  y = disegna_legenda(s, y + 6);
  s.altezza(y + 20);
  const scala_metri scala(d.metro_minimo(), d.metro_massimo());
  r.metro_minimo = d.metro_minimo();
  r.metro_massimo = d.metro_massimo();
  r.x_minimo = scala.x(scala.minimo());
  r.x_massimo = scala.x(scala.massimo());
  r.svg = s.documento();
  return r;
}

std::string svg_scenario(const vista::scenario& d) { return disegna_scenario(d).svg; }

}  // namespace gara::disegno
