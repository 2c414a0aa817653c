#include "orario/scheda.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "modello/catalogo.h"
#include "modello/windows1252.h"

namespace gara::orario {

namespace {

// The table's columns, between the "|" of a row: line speed, running speed,
// kilometre, number, station, times, recovery.
enum colonna : std::size_t { vel_limite, vel_marcia, km, numero, localita, orario, recupero, colonne };

struct cella_riga {
  std::string_view testo;  // without the padding
  int colonna = 0;         // of the text (of the cell, when empty), from 1
};

bool alfanumerico(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         static_cast<unsigned char>(c) >= 0xC0;
}

bool cifra(char c) { return c >= '0' && c <= '9'; }

std::string_view rifilato(std::string_view t, std::size_t& tolti) {
  const auto primo = t.find_first_not_of(" \t");
  if (primo == std::string_view::npos) {
    tolti = 0;
    return {};
  }
  tolti = primo;
  return t.substr(primo, t.find_last_not_of(" \t") - primo + 1);
}

std::string senza_spazi_doppi(std::string_view t) {
  std::string r;
  for (char c : t) {
    if ((c == ' ' || c == '\t') && (r.empty() || r.back() == ' ')) continue;
    r += c == '\t' ? ' ' : c;
  }
  while (!r.empty() && r.back() == ' ') r.pop_back();
  return r;
}

// A whole number of at most 9 digits, alone.
std::optional<int32_t> intero(std::string_view t) {
  if (t.empty() || t.size() > 9 || !std::all_of(t.begin(), t.end(), cifra)) return std::nullopt;
  int32_t v = 0;
  std::from_chars(t.data(), t.data() + t.size(), v);
  return v;
}

// A kilometre: "12", "12,5", "12.5" or a post's "12+500".
std::optional<double> chilometro(std::string_view t) {
  const auto sep = t.find_first_of(",.+");
  const auto intera = intero(t.substr(0, sep));
  if (!intera) return std::nullopt;
  if (sep == std::string_view::npos) return double(*intera);
  const std::string_view resto = t.substr(sep + 1);
  const auto frazione = intero(resto);
  if (!frazione) return std::nullopt;
  if (t[sep] == '+') return resto.size() == 3 ? *intera + *frazione / 1000.0 : std::optional<double>{};
  double f = *frazione;
  for (std::size_t i = 0; i < resto.size(); ++i) f /= 10;
  return *intera + f;
}

// A time "12.18" or "12:18": seconds of the day.
std::optional<int32_t> ora(std::string_view t) {
  const auto sep = t.find_first_of(".:");
  if (sep == std::string_view::npos) return std::nullopt;
  const auto h = intero(t.substr(0, sep));
  const std::string_view m_testo = t.substr(sep + 1);
  const auto m = m_testo.size() == 2 ? intero(m_testo) : std::nullopt;
  if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
  return *h * 3600 + *m * 60;
}

bool solo_cornice(std::string_view riga) {
  return std::none_of(riga.begin(), riga.end(), alfanumerico) &&
         riga.find('-') == std::string_view::npos;
}

// The header's "V135 C": a V at the start of a word, digits, then a rank
// letter standing alone.
void intestazione(std::string_view riga, int linea, const std::string& file, scheda& s) {
  for (std::size_t i = 0; i + 1 < riga.size() && !s.velocita_massima; ++i) {
    if (riga[i] != 'V' || (i > 0 && alfanumerico(riga[i - 1])) || !cifra(riga[i + 1])) continue;
    std::size_t fine = i + 1;
    while (fine < riga.size() && cifra(riga[fine])) ++fine;
    if (fine < riga.size() && alfanumerico(riga[fine])) continue;
    const auto v = intero(riga.substr(i + 1, fine - i - 1));
    if (!v) continue;
    s.velocita_massima = letto<int32_t>{*v, {file, linea, static_cast<int>(i) + 1, static_cast<int>(fine - i)}};
    std::size_t r = fine;
    while (r < riga.size() && riga[r] == ' ') ++r;
    if (r < riga.size() && (r + 1 == riga.size() || !alfanumerico(riga[r + 1])) &&
        std::string_view("ABC").find(riga[r]) != std::string_view::npos)
      s.rango = letto<char>{riga[r], {file, linea, static_cast<int>(r) + 1, 1}};
  }
}

class lettore {
 public:
  lettore(const std::string& file, scheda& s) : file_(file), s_(s) {}

  void riga(std::string_view r, int linea) {
    if (!in_tabella_) {
      if (minuscolo_windows1252(r).find("localit") != std::string::npos)
        in_tabella_ = true;
      else
        intestazione(r, linea, file_, s_);
      return;
    }
    if (solo_cornice(r)) return;
    std::vector<cella_riga> c;
    std::size_t inizio = r.find('|');
    if (inizio == std::string_view::npos) {
      avviso(linea, 1, "riga della tabella senza colonne \"|\"");
      return;
    }
    while (true) {
      const std::size_t fine = r.find('|', inizio + 1);
      if (fine == std::string_view::npos) break;
      std::size_t tolti = 0;
      const std::string_view t = rifilato(r.substr(inizio + 1, fine - inizio - 1), tolti);
      c.push_back({t, static_cast<int>(inizio + 2 + tolti)});
      inizio = fine;
    }
    if (c.size() < colonne) {
      avviso(linea, 1,
             "riga della tabella con " + std::to_string(c.size()) + " colonne invece di " + std::to_string(colonne) +
                 " (velocità, velocità di marcia, chilometro, numero, località, orario, recupero)");
      return;
    }
    if (c[localita].testo.empty()) {
      // A row of the headings, or one left blank: no digits in it.
      for (const auto& x : c)
        if (std::any_of(x.testo.begin(), x.testo.end(), cifra)) {
          avviso(linea, x.colonna, "riga della tabella senza il nome della località");
          return;
        }
      return;
    }
    stazione(c, linea);
  }

 private:
  void avviso(int linea, int colonna, std::string motivo) {
    s_.avvisi.push_back(diagnostica_di(problema::scheda_riga_illeggibile, luogo{file_, linea, colonna, 0},
                                       std::move(motivo) + ": la riga non entra nel confronto con la descrizione"));
  }

  void stazione(const std::vector<cella_riga>& c, int linea) {
    riga_scheda r;
    r.linea = linea;
    const auto luogo_di = [&](const cella_riga& x) {
      return luogo{file_, linea, x.colonna, static_cast<int>(x.testo.size())};
    };
    r.nome = {std::string(senza_spazi_doppi(c[localita].testo)), luogo_di(c[localita])};
    const auto nome = "\"" + da_windows1252(r.nome.valore) + "\"";
    for (const auto& [col, dove] :
         {std::pair{vel_limite, &r.velocita_limite}, std::pair{vel_marcia, &r.velocita_marcia}}) {
      if (c[col].testo.empty()) continue;
      const auto v = intero(c[col].testo);
      if (!v) return avviso(linea, c[col].colonna, "velocità illeggibile alla località " + nome);
      *dove = letto<int32_t>{*v, luogo_di(c[col])};
    }
    if (!c[km].testo.empty()) {
      const auto k = chilometro(c[km].testo);
      if (!k) return avviso(linea, c[km].colonna, "chilometro illeggibile alla località " + nome);
      r.chilometro = letto<double>{*k, luogo_di(c[km])};
    }
    // The times: "-", one time or two, apart by blanks.
    const std::string_view t = c[orario].testo;
    if (t == "-") {
      r.transito = true;
    } else {
      std::vector<letto<int32_t>> ore;
      std::size_t i = 0;
      while (i < t.size()) {
        const std::size_t fine = std::min(t.find(' ', i), t.size());
        const std::string_view parola = t.substr(i, fine - i);
        const int col = c[orario].colonna + static_cast<int>(i);
        const auto o = ora(parola);
        if (!o || ore.size() == 2)
          return avviso(linea, col, "orario illeggibile alla località " + nome + " (si scrive come 12.18, o \"-\" per un transito)");
        ore.push_back({*o, luogo{file_, linea, col, static_cast<int>(parola.size())}});
        i = t.find_first_not_of(' ', fine);
        if (i == std::string_view::npos) break;
      }
      if (ore.size() == 2) {
        r.arrivo = ore[0];
        r.partenza = ore[1];
      } else if (ore.size() == 1) {
        r.partenza = ore[0];
      }
    }
    s_.righe.push_back(std::move(r));
  }

  const std::string& file_;
  scheda& s_;
  bool in_tabella_ = false;
};

}  // namespace

scheda leggi_scheda(std::string_view byte, const std::string& nome_file) {
  // A card an editor saved as UTF-8 is read as the Windows-1252 text it
  // stands for, so that its names meet the description's (and its columns
  // count characters).
  std::optional<std::string> convertita;
  if (std::any_of(byte.begin(), byte.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    convertita = in_windows1252(byte);
  if (convertita) byte = *convertita;
  scheda s;
  s.file = nome_file;
  lettore l(s.file, s);
  int linea = 0;
  for (std::size_t i = 0; i <= byte.size();) {
    std::size_t fine = byte.find('\n', i);
    if (fine == std::string_view::npos) fine = byte.size();
    std::string_view r = byte.substr(i, fine - i);
    if (!r.empty() && r.back() == '\r') r.remove_suffix(1);
    ++linea;
    if (!(fine == byte.size() && r.empty())) l.riga(r, linea);
    i = fine + 1;
  }
  if (!byte.empty() && s.righe.empty() && s.avvisi.empty())
    s.avvisi.push_back(diagnostica_di(problema::scheda_riga_illeggibile, luogo{s.file, 0, 0, 0},
                                      "nessuna stazione nella tabella della scheda (si cerca la riga d'intestazione "
                                      "con \"Localita'\" e, sotto, una riga per stazione fra \"|\")"));
  // A single time at the last station is its arrival.
  if (!s.righe.empty() && !s.righe.back().arrivo) std::swap(s.righe.back().arrivo, s.righe.back().partenza);
  return s;
}

}  // namespace gara::orario
