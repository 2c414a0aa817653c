#include <cstdio>
#include <functional>
#include <string>

#include "elenchi/elenchi.h"
#include "modello/cella.h"
#include "modello/misure.h"
#include "uscita/timbro.h"
#include "vista/testi.h"

namespace gara::elenchi {

namespace {

using misura::km_h_per_unita_velocita;
using misura::zero_pendenza;
using vista::nome_tipo_cella;

bool ha_valore_proprio(const cella& c) {
  return c.tipo != 0 || c.dato1 != 0 || c.dato2 != 0 || c.dato3 != 0 || c.dato4 != 0 ||
         c.tempo != 0 || c.avviso != 0 || c.montagna != 0;
}

// What the parameters of a cell mean, where the listing can say it.
std::string nota(int64_t i, const cella& c) {
  std::string n;
  const auto aggiungi = [&n](const std::string& t) { n += (n.empty() ? "" : "; ") + t; };
  if (i == cella_timbro)
    aggiungi("timbro: dato1 " + std::to_string(timbro_celle) + " del formato, dato2 codice_gara_og");
  switch (c.tipo) {
    case tipo_cella::fine_marciapiede:
      aggiungi("stazione della voce " + std::to_string(c.dato1));
      break;
    case tipo_cella::cartello:
      aggiungi("testo nella voce " + std::to_string(c.dato1));
      break;
    case tipo_cella::inizio_rallentamento:
    case tipo_cella::fine_rallentamento:
    case tipo_cella::avviso_rallentamento:
      aggiungi("velocità " + std::to_string(c.dato1) + " km/h");
      break;
    case tipo_cella::numerata_rallentamento:
      aggiungi(std::to_string(c.dato1) + "ª cella prima dell'avviso");
      break;
    default:
      break;
  }
  return n;
}

// One profile byte as runs of equal cells, with what the value means.
void tratti(const std::vector<cella>& celle, const char* nome,
            const std::function<uint8_t(const cella&)>& byte,
            const std::function<std::string(uint8_t)>& significato, std::ostream& out) {
  out << nome << ":\n";
  std::size_t inizio = 0;
  for (std::size_t i = 1; i <= celle.size(); ++i) {
    if (i < celle.size() && byte(celle[i]) == byte(celle[inizio])) continue;
    const uint8_t v = byte(celle[inizio]);
    char testo[160];
    std::snprintf(testo, sizeof testo, "  celle %5zu-%5zu  metri %7lld-%7lld: %3u", inizio, i - 1,
                  static_cast<long long>(metro_profilo(static_cast<int64_t>(inizio))),
                  static_cast<long long>(metro_profilo(static_cast<int64_t>(i)) - 1),
                  static_cast<unsigned>(v));
    out << testo;
    const std::string s = significato(v);
    if (!s.empty()) out << "  (" << s << ")";
    out << "\n";
    inizio = i;
  }
}

}  // namespace

void elenca_cella(int64_t i, const cella& c, std::ostream& out) {
  char testo[320];
  std::snprintf(testo, sizeof testo,
                "cella %5lld  metro %7lld  tipo %3u %-34s dato1=%d dato2=%d dato3=%d dato4=%d "
                "tempo=%u avviso=%u montagna=%u velocita=%u pendenza=%u aderenza=%u",
                static_cast<long long>(i), static_cast<long long>(metro_oggetto(i)),
                static_cast<unsigned>(c.tipo), ("(" + nome_tipo_cella(c.tipo) + ")").c_str(),
                c.dato1, c.dato2, c.dato3, c.dato4, static_cast<unsigned>(c.tempo),
                static_cast<unsigned>(c.avviso), static_cast<unsigned>(c.montagna),
                static_cast<unsigned>(c.velocita), static_cast<unsigned>(c.pendenza),
                static_cast<unsigned>(c.aderenza));
  out << testo;
  const std::string n = nota(i, c);
  if (!n.empty()) out << "  [" << n << "]";
  out << "\n";
}

void elenca_celle(const std::vector<cella>& celle, std::ostream& out) {
  if (celle.empty()) {
    out << "nessuna cella\n";
    return;
  }
  out << celle.size() << " celle (0-" << celle.size() - 1 << ")\n\n";
  out << "Celle con un oggetto o un valore proprio (metro dell'oggetto: 50 x (cella - 1)):\n";
  std::size_t elencate = 0;
  for (std::size_t i = 0; i < celle.size(); ++i) {
    if (!ha_valore_proprio(celle[i])) continue;
    elenca_cella(static_cast<int64_t>(i), celle[i], out);
    ++elencate;
  }
  if (elencate == 0) out << "  nessuna\n";

  out << "\nProfili per tratti (la cella c vale dal metro 50 x c):\n";
  tratti(
      celle, "velocita (unità di 5 km/h)", [](const cella& c) { return c.velocita; },
      [](uint8_t v) { return v == 0 ? std::string("nessuna") : std::to_string(v * km_h_per_unita_velocita) + " km/h"; },
      out);
  tratti(
      celle, "pendenza (pendenza + 100)", [](const cella& c) { return c.pendenza; },
      [](uint8_t v) {
        if (v == 0) return std::string("non scritta");
        const int p = v - zero_pendenza;
        return p == 0 ? std::string("in piano") : "pendenza " + std::string(p > 0 ? "+" : "") + std::to_string(p);
      },
      out);
  tratti(
      celle, "aderenza", [](const cella& c) { return c.aderenza; },
      [](uint8_t) { return std::string(); }, out);
}

nlohmann::ordered_json celle_json(const std::vector<cella>& celle) {
  nlohmann::ordered_json elenco = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    elenco.push_back({{"cella", i},
                      {"tipo", c.tipo},
                      {"dato1", c.dato1},
                      {"dato2", c.dato2},
                      {"dato3", c.dato3},
                      {"dato4", c.dato4},
                      {"tempo", c.tempo},
                      {"avviso", c.avviso},
                      {"montagna", c.montagna},
                      {"velocita", c.velocita},
                      {"pendenza", c.pendenza},
                      {"aderenza", c.aderenza}});
  }
  return elenco;
}

}  // namespace gara::elenchi
