#include "resoconto/diagnostiche.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "lettura/righe.h"
#include "modello/windows1252.h"
#include "modello/catalogo.h"

namespace gara {

namespace {

// A description line is shown as it stands, cut when it is very long.
constexpr std::size_t lunghezza_mostrata = 200;

// "FILE:RIGA:COLONNA", as much of it as the place has.
std::string posto(const std::optional<luogo>& l) {
  if (!l) return "scenario";
  std::string p = l->file;
  if (l->linea > 0) p += ":" + std::to_string(l->linea);
  if (l->linea > 0 && l->colonna > 0) p += ":" + std::to_string(l->colonna);
  return p;
}

nlohmann::ordered_json o_null(int n) { return n > 0 ? nlohmann::ordered_json(n) : nlohmann::ordered_json(); }

// What SARIF calls the severities.
const char* livello_sarif(gravita g) {
  switch (g) {
    case gravita::errore: return "error";
    case gravita::avviso: return "warning";
    case gravita::nota: return "note";
  }
  return "error";
}

// A file name as a relative URI: everything but the unreserved characters
// percent-encoded (a train's name holds a space).
std::string uri(const std::string& nome, std::string_view anche = {}) {
  std::string u;
  for (unsigned char c : nome) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~' || anche.find(static_cast<char>(c)) != std::string_view::npos) {
      u += static_cast<char>(c);
    } else {
      char x[4];
      std::snprintf(x, sizeof x, "%%%02X", c);
      u += x;
    }
  }
  return u;
}

constexpr const char* base_sarif = "CARTELLA";

nlohmann::ordered_json posizione_sarif(const luogo& l, bool con_base) {
  nlohmann::ordered_json p;
  p["artifactLocation"]["uri"] = uri(l.file);
  if (con_base) p["artifactLocation"]["uriBaseId"] = base_sarif;
  if (l.linea > 0) {
    nlohmann::ordered_json r;
    r["startLine"] = l.linea;
    if (l.colonna > 0) {
      r["startColumn"] = l.colonna;
      r["endColumn"] = l.colonna + std::max(l.lunghezza, 1);
    }
    p["region"] = r;
  }
  return p;
}

}  // namespace

std::string messaggio(const diagnostica& d) {
  std::string m = d.motivo;
  if (d.metro) m += " (al metro " + std::to_string(*d.metro) + ")";
  return m;
}

std::optional<std::string> riga_mostrata(const descrizione& d, int numero) {
  if (!d.byte) return std::nullopt;
  const auto trovata = riga_di(*d.byte, numero);
  if (!trovata) return std::nullopt;
  return riga_mostrata(*trovata);
}

std::string riga_mostrata(std::string_view trovata) {
  std::string riga(trovata.substr(0, lunghezza_mostrata));
  // Control bytes would upset a terminal: they are shown as "?".
  for (char& c : riga)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = '?';
  return da_windows1252(riga) + (trovata.size() > lunghezza_mostrata ? "…" : "");
}

std::optional<std::string> riga_con_segno(const sorgenti& d, const luogo& l) {
  const descrizione* x = descrizione_di(d, l.file);
  if (x == nullptr || !x->byte || l.linea < 1) return std::nullopt;
  const auto trovata = riga_di(*x->byte, l.linea);
  if (!trovata) return std::nullopt;
  const std::string mostrata = riga_mostrata(*trovata);
  // The caret keeps the line's own tabs, so that it stands under the field.
  const std::string_view riga = trovata->substr(0, lunghezza_mostrata);
  std::string segno;
  if (l.colonna > 0 && static_cast<std::size_t>(l.colonna) <= riga.size() + 1) {
    for (int i = 0; i + 1 < l.colonna; ++i) segno += riga[static_cast<std::size_t>(i)] == '\t' ? '\t' : ' ';
    segno += '^';
    for (int i = 1; i < l.lunghezza && static_cast<std::size_t>(l.colonna + i) <= riga.size(); ++i) segno += '~';
  }
  const std::string numero = std::to_string(l.linea);
  std::string testo = "  " + numero + " | " + mostrata + "\n";
  if (!segno.empty()) testo += "  " + std::string(numero.size(), ' ') + " | " + segno + "\n";
  return testo;
}

void scrivi_verifica(const esito_verifica& e, const sorgenti& d, std::ostream& out, std::size_t massimo) {
  std::size_t scritte = 0;
  for (const diagnostica& x : e.diagnostiche) {
    if (scritte == massimo) break;
    ++scritte;
    out << posto(x.dove) << ": " << nome_gravita(x.livello) << ": " << messaggio(x) << " [" << identificativo(x)
        << "]\n";
    if (x.dove)
      if (auto r = riga_con_segno(d, *x.dove)) out << *r;
    if (x.prima) {
      out << posto(x.prima) << ": nota: " << x.nota << "\n";
      if (auto r = riga_con_segno(d, *x.prima)) out << *r;
    }
  }
  if (e.diagnostiche.size() > scritte)
    out << "... e altri " << e.diagnostiche.size() - scritte
        << " problemi non mostrati (--massimo per vederne di più, o --formato json)\n";
  out << conteggio_problemi(e.errori, e.avvisi) << "\n";
}

std::string conteggio_problemi(int errori, int avvisi) {
  return std::to_string(errori) + (errori == 1 ? " errore, " : " errori, ") +
         std::to_string(avvisi) + (avvisi == 1 ? " avviso" : " avvisi");
}

nlohmann::ordered_json verifica_json(const esito_verifica& e) {
  nlohmann::ordered_json j = nlohmann::ordered_json::object();
  nlohmann::ordered_json lista = nlohmann::ordered_json::array();
  for (const diagnostica& x : e.diagnostiche) {
    nlohmann::ordered_json v;
    v["file"] = x.dove ? nlohmann::ordered_json(x.dove->file) : nlohmann::ordered_json();
    v["riga"] = x.dove ? o_null(x.dove->linea) : nlohmann::ordered_json();
    v["colonna"] = x.dove ? o_null(x.dove->colonna) : nlohmann::ordered_json();
    v["colonna_fine"] = x.dove && x.dove->colonna > 0 ? nlohmann::ordered_json(x.dove->colonna + std::max(x.dove->lunghezza, 1))
                                                       : nlohmann::ordered_json();
    v["gravita"] = nome_gravita(x.livello);
    v["identificativo"] = identificativo(x);
    v["codice"] = x.livello == gravita::errore ? nlohmann::ordered_json(x.codice) : nlohmann::ordered_json();
    v["metro"] = x.metro ? nlohmann::ordered_json(*x.metro) : nlohmann::ordered_json();
    v["messaggio"] = x.motivo;
    nlohmann::ordered_json correlate = nlohmann::ordered_json::array();
    if (x.prima) {
      nlohmann::ordered_json c;
      c["file"] = x.prima->file;
      c["riga"] = o_null(x.prima->linea);
      c["colonna"] = o_null(x.prima->colonna);
      c["messaggio"] = x.nota;
      correlate.push_back(c);
    }
    v["correlate"] = correlate;
    if (x.correzione) {
      const luogo& l = x.correzione->dove;
      v["correzione"] = {{"riga", l.linea},
                         {"colonna", l.colonna},
                         {"colonna_fine", l.colonna + l.lunghezza},
                         {"testo", da_windows1252(x.correzione->testo)}};
    } else {
      v["correzione"] = nullptr;
    }
    lista.push_back(v);
  }
  j["diagnostiche"] = lista;
  j["errori"] = e.errori;
  j["avvisi"] = e.avvisi;
  return j;
}

std::string uri_di_cartella(std::string percorso) {
  std::replace(percorso.begin(), percorso.end(), '\\', '/');
  if (percorso.empty() || percorso.back() != '/') percorso += '/';
  // A Windows path begins with its drive ("C:/..."): the URI puts a "/" first.
  if (percorso.front() != '/') percorso.insert(percorso.begin(), '/');
  return "file://" + uri(percorso, "/:");
}

nlohmann::ordered_json verifica_sarif(const esito_verifica& e, const std::string& cartella) {
  const bool con_base = !cartella.empty();
  nlohmann::ordered_json regole = nlohmann::ordered_json::array();
  for (const voce_catalogo& v : catalogo()) {
    nlohmann::ordered_json r;
    r["id"] = v.identificativo;
    r["shortDescription"]["text"] = v.spiegazione;
    r["defaultConfiguration"]["level"] = livello_sarif(v.livello);
    regole.push_back(r);
  }
  const auto indice_regola = [](const std::string& id) -> int {
    int i = 0;
    for (const voce_catalogo& v : catalogo()) {
      if (v.identificativo == id) return i;
      ++i;
    }
    return -1;
  };

  nlohmann::ordered_json risultati = nlohmann::ordered_json::array();
  for (const diagnostica& x : e.diagnostiche) {
    nlohmann::ordered_json r;
    const std::string id = identificativo(x);
    r["ruleId"] = id;
    if (const int i = indice_regola(id); i >= 0) r["ruleIndex"] = i;
    r["level"] = livello_sarif(x.livello);
    r["message"]["text"] = messaggio(x);
    if (x.dove)
      r["locations"] = nlohmann::ordered_json::array({{{"physicalLocation", posizione_sarif(*x.dove, con_base)}}});
    if (x.prima) {
      nlohmann::ordered_json c;
      c["id"] = 0;
      c["physicalLocation"] = posizione_sarif(*x.prima, con_base);
      c["message"]["text"] = x.nota;
      r["relatedLocations"] = nlohmann::ordered_json::array({c});
    }
    if (x.correzione) {
      const nlohmann::ordered_json p = posizione_sarif(x.correzione->dove, con_base);
      nlohmann::ordered_json sostituzione;
      sostituzione["deletedRegion"] = p["region"];
      sostituzione["insertedContent"]["text"] = da_windows1252(x.correzione->testo);
      nlohmann::ordered_json cambio;
      cambio["artifactLocation"] = p["artifactLocation"];
      cambio["replacements"] = nlohmann::ordered_json::array({sostituzione});
      nlohmann::ordered_json f;
      f["description"]["text"] = "scrivere \"" + da_windows1252(x.correzione->testo) + "\"";
      f["artifactChanges"] = nlohmann::ordered_json::array({cambio});
      r["fixes"] = nlohmann::ordered_json::array({f});
    }
    risultati.push_back(r);
  }

  nlohmann::ordered_json driver;
  driver["name"] = "scenario";
  driver["version"] = GARA_VERSIONE;
  driver["rules"] = regole;
  nlohmann::ordered_json run;
  run["tool"]["driver"] = driver;
  if (con_base) run["originalUriBaseIds"][base_sarif]["uri"] = uri_di_cartella(cartella);
  run["columnKind"] = "unicodeCodePoints";
  run["results"] = risultati;
  nlohmann::ordered_json log;
  log["$schema"] = "https://json.schemastore.org/sarif-2.1.0.json";
  log["version"] = "2.1.0";
  log["runs"] = nlohmann::ordered_json::array({run});
  return log;
}

void scrivi_catalogo(std::ostream& out) {
  for (const voce_catalogo& v : catalogo()) {
    std::string gravita(nome_gravita(v.livello));
    gravita.resize(7, ' ');
    out << v.identificativo << std::string(v.identificativo.size() < 6 ? 6 - v.identificativo.size() : 1, ' ')
        << gravita << v.spiegazione << "\n";
  }
}

}  // namespace gara
