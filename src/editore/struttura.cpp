#include "editore/struttura.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "editore/forme_voci.h"
#include "editore/hover.h"
#include "editore/testo.h"
#include "editore/uri.h"
#include "modello/windows1252.h"

namespace gara::editore {

using nlohmann::json;

namespace {

// LSP's SymbolKind and the token kinds' places in the legend.
constexpr int simbolo_spazio_nomi = 3;
constexpr int simbolo_classe = 5;
constexpr int simbolo_campo = 8;
constexpr int simbolo_evento = 24;
enum gettone : int { parola_chiave, numero, testo, ignorato };

constexpr std::string_view generale = "[generale]";
constexpr std::string_view prima_dell_orario = "orario ";

bool intestazione(std::string_view riga) {
  const std::string_view t = senza_vuoti(riga);
  return t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos;
}

// The header lines of a text, by number.
std::vector<std::size_t> sezioni(const righe& r) {
  std::vector<std::size_t> s;
  for (std::size_t n = 0; n < r.numero(); ++n)
    if (intestazione(r.riga(n))) s.push_back(n);
  return s;
}

// The entries of the file whose keyword some entry of its description has.
struct voce_del_file {
  const voce_letta* voce;
  std::vector<campo_di_forma> campi;
};
std::vector<voce_del_file> voci_del_file(const scenario_verificato& s, const file_verificato& f) {
  const std::string nome = nome_di(f.percorso);
  const bool della_linea = &f == &s.linea;
  std::vector<voce_del_file> r;
  for (const voce_letta& v : s.esito.voci_lette) {
    if (v.chiave.file != nome) continue;
    auto campi = campi_di(v.parola, della_linea);
    if (!campi.empty()) r.push_back({&v, std::move(campi)});
  }
  return r;
}

protocollo::intervallo luogo_in(const righe& r, const luogo& l, protocollo::codifica c) { return r.intervallo_di(l, c); }

json simbolo(const std::string& nome, const std::string& dettaglio, int tipo, const protocollo::intervallo& tutto,
             const protocollo::intervallo& scelto) {
  return {{"name", nome.empty() ? std::string("?") : nome}, {"detail", dettaglio}, {"kind", tipo},
          {"range", protocollo::in_json(tutto)}, {"selectionRange", protocollo::in_json(scelto)}};
}

}  // namespace

json simboli(const scenario_verificato& s, const file_verificato& f, protocollo::codifica c) {
  const righe r(f.testo);
  const std::vector<std::size_t> intestazioni = sezioni(r);
  json radice = json::array();
  std::vector<json> sezione(intestazioni.size());
  for (std::size_t i = 0; i < intestazioni.size(); ++i) {
    const std::size_t da = intestazioni[i];
    const std::size_t a = i + 1 < intestazioni.size() ? intestazioni[i + 1] - 1 : r.numero() - 1;
    const std::string_view riga = r.riga(da);
    const protocollo::intervallo testata{{da, 0}, {da, protocollo::unita_di(riga, riga.size(), c)}};
    const std::string_view ultima = r.riga(a);
    sezione[i] = simbolo(std::string(senza_vuoti(riga)), "sezione", simbolo_spazio_nomi,
                         {{da, 0}, {a, protocollo::unita_di(ultima, ultima.size(), c)}}, testata);
    sezione[i]["children"] = json::array();
  }
  for (const voce_del_file& v : voci_del_file(s, f)) {
    const voce_letta& x = *v.voce;
    const protocollo::intervallo chiave = luogo_in(r, x.chiave, c);
    protocollo::intervallo tutto = chiave;
    if (!x.campi.empty()) tutto.fine = luogo_in(r, x.campi.back().dove, c).fine;
    const std::string parola = std::string(v.campi.front().first->parola);
    json figlio;
    if (parola == "stazione") {
      const std::string nome = x.campi.size() >= v.campi.size() ? da_windows1252(x.campi[v.campi.size() - 1].testo) : "";
      figlio = simbolo(nome, x.metro ? "stazione al " + chilometrica(*x.metro) : "stazione", simbolo_classe, tutto, chiave);
    } else {
      const std::string dettaglio = x.metro ? chilometrica(*x.metro) : std::string();
      figlio = simbolo(da_windows1252(std::string(senza_vuoti(x.parola))) + (x.metro ? " " + std::to_string(*x.metro) : ""),
                       dettaglio, parola == "segnale" ? simbolo_evento : simbolo_campo, tutto, chiave);
    }
    // Into the section that holds its line, or at the top before any.
    const auto dopo = std::upper_bound(intestazioni.begin(), intestazioni.end(), chiave.inizio.linea);
    if (dopo == intestazioni.begin())
      radice.push_back(std::move(figlio));
    else
      sezione[static_cast<std::size_t>(dopo - intestazioni.begin()) - 1]["children"].push_back(std::move(figlio));
  }
  for (json& x : sezione) radice.push_back(std::move(x));
  return radice;
}

json pieghe(const file_verificato& f) {
  const righe r(f.testo);
  const std::vector<std::size_t> intestazioni = sezioni(r);
  json p = json::array();
  for (std::size_t i = 0; i < intestazioni.size(); ++i) {
    std::size_t a = i + 1 < intestazioni.size() ? intestazioni[i + 1] - 1 : r.numero() - 1;
    while (a > intestazioni[i] && senza_vuoti(r.riga(a)).empty()) --a;  // not the blank lines before the next
    if (a > intestazioni[i]) p.push_back({{"startLine", intestazioni[i]}, {"endLine", a}, {"kind", "region"}});
  }
  return p;
}

json legenda_gettoni() { return {{"tokenTypes", {"keyword", "number", "string", "comment"}}, {"tokenModifiers", json::array()}}; }

json gettoni(const scenario_verificato& s, const file_verificato& f, protocollo::codifica c, std::size_t prima,
            std::size_t ultima) {
  const righe r(f.testo);
  // line, start, length in the client's units, kind
  std::vector<std::tuple<std::size_t, std::size_t, std::size_t, int>> tutti;
  std::vector<bool> con_gettoni(r.numero(), false);
  const auto aggiungi = [&](const luogo& l, int tipo) {
    if (l.linea < 1 || l.colonna < 1 || static_cast<std::size_t>(l.linea) > r.numero()) return;
    const protocollo::intervallo i = r.intervallo_di(l, c);
    if (i.fine.carattere <= i.inizio.carattere) return;
    tutti.emplace_back(i.inizio.linea, i.inizio.carattere, i.fine.carattere - i.inizio.carattere, tipo);
    con_gettoni[i.inizio.linea] = true;
  };
  for (const voce_del_file& v : voci_del_file(s, f)) {
    aggiungi(v.voce->chiave, parola_chiave);
    for (std::size_t i = 0; i < v.voce->campi.size(); ++i)
      aggiungi(v.voce->campi[i].dove, v.voce->campi[i].valore ? numero : testo);
  }
  // What the reader passes over: everything up to "[generale]", which is
  // a keyword of its own, and every other line without an entry's field.
  bool prima_del_generale = true;
  for (std::size_t n = 0; n < r.numero(); ++n) {
    const std::string_view riga = r.riga(n);
    const std::string_view t = senza_vuoti(riga);
    if (t.empty() || con_gettoni[n]) continue;
    const std::size_t da = protocollo::unita_di(riga, static_cast<std::size_t>(t.data() - riga.data()), c);
    const std::size_t a = protocollo::unita_di(riga, static_cast<std::size_t>(t.data() - riga.data()) + t.size(), c);
    const bool e_generale = prima_del_generale && minuscolo_ascii(t).find(generale) != std::string::npos;
    tutti.emplace_back(n, da, a - da, e_generale ? parola_chiave : ignorato);
    if (e_generale) prima_del_generale = false;
  }
  std::erase_if(tutti, [&](const auto& g) { return std::get<0>(g) < prima || std::get<0>(g) > ultima; });
  std::sort(tutti.begin(), tutti.end());
  json dati = json::array();
  std::size_t linea = 0;
  std::size_t inizio = 0;
  std::size_t fine_precedente = 0;
  for (const auto& [l, da, lunghezza, tipo] : tutti) {
    if (l == linea && da < fine_precedente && !dati.empty()) continue;  // overlapping: the first stays
    const std::size_t delta_linea = l - linea;
    const std::size_t delta_inizio = delta_linea == 0 ? da - inizio : da;
    for (const std::size_t x : {delta_linea, delta_inizio, lunghezza, static_cast<std::size_t>(tipo), std::size_t{0}})
      dati.push_back(x);
    linea = l;
    inizio = da;
    fine_precedente = da + lunghezza;
  }
  return {{"data", dati}};
}

json suggerimenti(const scenario_verificato& s, const file_verificato& f, protocollo::codifica c, std::size_t prima,
                  std::size_t ultima) {
  const righe r(f.testo);
  json h = json::array();
  // Each timed station's section margin, after its time: the time it leaves
  // against the nominal train's fastest run.
  std::map<int, std::string> margini;
  for (const orario::tratta& t : s.orario.tratte) {
    const auto m = t.margine();
    if (!m || t.a >= s.orario.stazioni.size()) continue;
    const luogo& dove = s.orario.stazioni[t.a].dove_orario;
    if (dove.file != f.nome) continue;
    std::string testo = "margine " + orario::decimi(*m) + " s";
    if (t.tempo_stimato && *t.tempo_stimato > 0) testo += " (" + orario::decimi(*m / *t.tempo_stimato * 100) + " %)";
    margini[dove.linea] = testo;
  }
  for (const voce_del_file& v : voci_del_file(s, f)) {
    for (std::size_t i = 0; i < v.voce->campi.size() && i < v.campi.size(); ++i) {
      const unita u = v.campi[i].second->misura;
      // A time once, after its seconds.
      if (u != unita::metri && u != unita::secondi) continue;
      const luogo& l = v.voce->campi[i].dove;
      if (l.linea < 1 || static_cast<std::size_t>(l.linea - 1) < prima || static_cast<std::size_t>(l.linea - 1) > ultima)
        continue;
      std::string testo = derivato(*v.voce, v.campi, i);
      if (testo.empty()) continue;
      if (u == unita::secondi && testo.starts_with(prima_dell_orario)) testo.erase(0, prima_dell_orario.size());
      if (u == unita::secondi)
        if (const auto m = margini.find(l.linea); m != margini.end()) testo += " \u00B7 " + m->second;
      h.push_back({{"position", protocollo::in_json(r.intervallo_di(l, c).fine)}, {"label", testo}, {"paddingLeft", true}});
    }
  }
  return h;
}

}  // namespace gara::editore
