#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "elenchi/elenchi.h"
#include "modello/misure.h"

namespace gara::elenchi {

namespace {

using tipo = tracciato_metri::tipo;

constexpr int64_t passo_campione = 1000;  // metres between two sampled points
using misura::metri_oltre_la_fine;

const char* nome_tipo(tipo k) {
  switch (k) {
    case tipo::vuoto: return "vuoti";
    case tipo::intero: return "interi";
    case tipo::reale: return "reali";
  }
  return "?";
}

std::string valore(const tracciato_metri& t, int64_t metro, int asse) {
  char testo[64];
  switch (t.tipo_di(metro, asse)) {
    case tipo::vuoto: return "vuoto";
    case tipo::intero:
      std::snprintf(testo, sizeof testo, "%.0f", t.valore(metro, asse));
      return testo;
    case tipo::reale:
      std::snprintf(testo, sizeof testo, "%.3f", t.valore(metro, asse));
      return testo;
  }
  return "?";
}

// The kinds of value along one axis, as runs of metres.
void tipi_per_tratti(const tracciato_metri& t, int asse, std::ostream& out) {
  out << "Asse " << asse << ":";
  const int64_t m = t.ultimo_metro();
  int64_t inizio = 0;
  const char* separatore = " ";
  for (int64_t i = 1; i <= m + 1; ++i) {
    if (i <= m && t.tipo_di(i, asse) == t.tipo_di(inizio, asse)) continue;
    out << separatore << "metri " << inizio << "-" << i - 1 << " " << nome_tipo(t.tipo_di(inizio, asse));
    separatore = ", ";
    inizio = i;
  }
  out << "\n";
}

bool pieno(const tracciato_metri& t, int64_t metro) {
  return t.tipo_di(metro, 0) != tipo::vuoto && t.tipo_di(metro, 1) != tipo::vuoto;
}

}  // namespace

void elenca_tracciato(const tracciato_metri& t, std::ostream& out) {
  if (!t.esiste()) {
    out << "nessun metro\n";
    return;
  }
  const int64_t m = t.ultimo_metro();
  out << m + 1 << " metri per asse (0-" << m << ")";
  if (m >= metri_oltre_la_fine)
    out << ": una linea di " << m - metri_oltre_la_fine << " m, con il tracciato che prosegue "
        << metri_oltre_la_fine << " m oltre la fine";
  out << "\n\nValori per tratti:\n";
  tipi_per_tratti(t, 0, out);
  tipi_per_tratti(t, 1, out);

  // Extent of the plan and length of the track drawn through the points.
  double minimo[2] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  double massimo[2] = {-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  double sviluppo = 0;
  int64_t precedente = -1;  // last full point, -1 after a gap
  int64_t punti = 0;
  for (int64_t i = 0; i <= m; ++i) {
    if (!pieno(t, i)) {
      precedente = -1;
      continue;
    }
    ++punti;
    for (int a = 0; a < 2; ++a) {
      const double v = t.valore(i, a);
      if (v < minimo[a]) minimo[a] = v;
      if (v > massimo[a]) massimo[a] = v;
    }
    if (precedente >= 0) {
      const double d0 = t.valore(i, 0) - t.valore(precedente, 0);
      const double d1 = t.valore(i, 1) - t.valore(precedente, 1);
      sviluppo += std::sqrt(d0 * d0 + d1 * d1);
    }
    precedente = i;
  }
  out << "\n";
  if (punti == 0) {
    out << "Estensione: nessun punto con entrambi gli assi\n";
  } else {
    char testo[256];
    std::snprintf(testo, sizeof testo,
                  "Estensione: asse 0 (a destra della partenza) da %.1f a %.1f m, asse 1 (nella "
                  "direzione della partenza) da %.1f a %.1f m\n"
                  "Sviluppo della linea per i %lld punti pieni: %.1f m\n",
                  minimo[0], massimo[0], minimo[1], massimo[1], static_cast<long long>(punti),
                  sviluppo);
    out << testo;
  }

  out << "\nCampione ogni " << passo_campione << " m:\n";
  char testo[128];
  std::snprintf(testo, sizeof testo, "%10s %16s %16s\n", "metro", "asse 0", "asse 1");
  out << testo;
  for (int64_t i = 0; i <= m; i += passo_campione) {
    std::snprintf(testo, sizeof testo, "%10lld %16s %16s\n", static_cast<long long>(i),
                  valore(t, i, 0).c_str(), valore(t, i, 1).c_str());
    out << testo;
  }
}

nlohmann::ordered_json tracciato_json(const tracciato_metri& t) {
  nlohmann::ordered_json assi = nlohmann::ordered_json::array();
  if (!t.esiste()) return assi;
  for (int asse = 0; asse < 2; ++asse) {
    nlohmann::ordered_json elementi = nlohmann::ordered_json::array();
    for (int64_t i = 0; i <= t.ultimo_metro(); ++i) {
      switch (t.tipo_di(i, asse)) {
        case tipo::vuoto: elementi.push_back(nullptr); break;
        case tipo::intero: elementi.push_back(static_cast<int64_t>(t.valore(i, asse))); break;
        case tipo::reale: elementi.push_back(t.valore(i, asse)); break;
      }
    }
    assi.push_back(std::move(elementi));
  }
  return assi;
}

}  // namespace gara::elenchi
