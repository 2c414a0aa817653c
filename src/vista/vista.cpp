#include "vista/vista.h"

#include <algorithm>
#include <set>

#include "modello/misure.h"
#include "modello/rallentamenti.h"
#include "vista/testi.h"

namespace gara::vista {

namespace {

// A record with a text and no number is a direction board's text, even
// when no cell names it any more.
bool senza_stazione(const voce_linea& v) {
  voce_linea solo_testo;
  solo_testo.testo = v.testo;
  return v == solo_testo;
}

// Runs of blanks are shown as one: the board texts pad their lines.
std::string senza_spazi_doppi(const std::string& t) {
  std::string r;
  for (char c : t) {
    if (c == ' ' && !r.empty() && r.back() == ' ') continue;
    r += c;
  }
  return r;
}

}  // namespace

int64_t scenario::metro_minimo() const {
  int64_t m = 0;
  for (const auto& s : stazioni) m = std::min({m, s.inizio_marciapiede, s.posizione});
  return m;
}

int64_t scenario::metro_massimo() const {
  int64_t m = std::max<int64_t>(metro_profilo(static_cast<int64_t>(celle.size())), lunghezza);
  for (const auto& s : stazioni) m = std::max({m, s.fine_marciapiede, s.posizione});
  return m;
}

scenario prepara_vista(std::vector<cella> celle, const tabella& t,
                       std::optional<tracciato_metri> tracciato) {
  scenario d;
  d.percorso = testo_stampabile(t[voce::sfondi].testo);
  d.treno = testo_stampabile(t[voce::treno].testo);
  d.lunghezza = lunghezza_percorso(t);
  d.celle = std::move(celle);
  d.tracciato = std::move(tracciato);

  std::set<int64_t> voci_dei_cartelli;
  for (std::size_t i = 0; i < d.celle.size(); ++i) {
    const cella& c = d.celle[i];
    oggetto o{static_cast<int64_t>(i), metro_oggetto(static_cast<int64_t>(i)), c, {}};
    switch (c.tipo) {
      case tipo_cella::segnale: d.segnali.push_back(o); break;
      case tipo_cella::avviso_rallentamento: d.avvisi.push_back(o); break;
      case tipo_cella::numerata_rallentamento: d.numerate.push_back(o); break;
      case tipo_cella::indicatore_vmax: d.indicatori.push_back(o); break;
      case tipo_cella::tavola: d.tavole.push_back(o); break;
      case tipo_cella::abbattimento: d.abbattimenti.push_back(o); break;
      case tipo_cella::cartello:
        if (c.dato1 >= 0 && c.dato1 < numero_voci) {
          o.testo = senza_spazi_doppi(testo_stampabile(t[static_cast<std::size_t>(c.dato1)].testo));
          voci_dei_cartelli.insert(c.dato1);
        }
        d.cartelli.push_back(o);
        break;
      case tipo_cella::inizio_rallentamento: {
        const auto inizio = static_cast<int64_t>(i);
        const int64_t fine = fine_del_rallentamento(d.celle, inizio).value_or(inizio);
        d.rallentamenti.push_back({metro_oggetto(inizio), metro_oggetto(fine), c.dato1});
        break;
      }
      default: break;
    }
  }

  for (int i = voce::prima_stazione; i <= voce::primo_cartello; ++i) {
    const voce_linea& v = t[static_cast<std::size_t>(i)];
    if (senza_stazione(v) || voci_dei_cartelli.count(i) != 0) continue;
    d.stazioni.push_back({i, testo_stampabile(v.testo), v.tipo_stazione, v.valore1, v.valore2,
                          v.valore3});
  }
  return d;
}

}  // namespace gara::vista
