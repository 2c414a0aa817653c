#include "editore/hover.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "editore/forme_voci.h"
#include "editore/uri.h"
#include "modello/arrotonda.h"
#include "modello/catalogo.h"
#include "modello/cella.h"
#include "modello/misure.h"
#include "modello/windows1252.h"

namespace gara::editore {

namespace {

constexpr int64_t metri_per_km = 1000;
constexpr int64_t secondi_per_minuto = 60;
constexpr int64_t secondi_per_ora = 3600;

// Whether a place of the check covers character `carattere` (from 0) of line `linea` (from 0).
bool copre(const luogo& l, std::size_t linea, std::size_t carattere) {
  if (l.linea < 1 || static_cast<std::size_t>(l.linea - 1) != linea || l.colonna < 1) return false;
  const auto da = static_cast<std::size_t>(l.colonna - 1);
  return carattere >= da && carattere < da + static_cast<std::size_t>(std::max(l.lunghezza, 1));
}

std::string numero(int64_t n) { return std::to_string(n); }

// The cell a metre of an entry lands in: the profile's entries (gradient,
// speed, adhesion) start at their own cell, the objects at the next.
std::optional<int64_t> cella_di(const forma_voce& f, int64_t metro) {
  const std::string_view p = f.parola;
  if (p == "pendenza" || p == "velocita" || p == "aderenza")
    return static_cast<int64_t>(arrotonda(in_celle(static_cast<double>(metro))));
  if (p == "stazione" || p.starts_with("progressiva") || p.starts_with("ripetizione") || p.starts_with("lunghezza"))
    return std::nullopt;
  if (metro < std::numeric_limits<int32_t>::min() || metro > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return cella_del_metro(static_cast<int32_t>(metro));
}

std::string del_campo(const voce_letta& v, const std::vector<campo_di_forma>& campi, std::size_t i) {
  const campo_voce* c = campi[i].second;
  const campo_letto& letto = v.campi[i];
  std::string t = "**" + std::string(c->nome) + "** — valore " + numero(static_cast<int64_t>(i) + 1) + " di `" +
                  da_windows1252(v.parola) + "`\n\n" + std::string(c->spiegazione) + ".\n\n";
  if (c->misura == unita::testo) return t + "- letto come \"" + da_windows1252(letto.testo) + "\"\n";
  if (!nome_unita(c->misura).empty()) t += "- unità: " + std::string(nome_unita(c->misura)) + "\n";
  // The whole 32-bit range is no bound an author needs to read.
  const bool senza_limiti = c->minimo == std::numeric_limits<int32_t>::min() &&
                            c->massimo == std::numeric_limits<int32_t>::max();
  t += senza_limiti ? std::string("- valori: numero intero")
                    : "- valori: da " + numero(c->minimo) + " a " + numero(c->massimo);
  if (!c->vincolo.empty()) t += ", " + std::string(c->vincolo);
  t += "\n";
  if (!letto.valore) return t;
  const int64_t x = *letto.valore;
  t += "- letto come **" + numero(x) + "**\n";
  if (const std::string d = derivato(v, campi, i); !d.empty()) t += "- " + d + "\n";
  return t;
}

std::string della_parola(const std::vector<const forma_voce*>& forme) {
  std::string t;
  for (const forma_voce* f : forme) {
    if (!t.empty()) t += "\n---\n\n";
    t += "**" + std::string(f->parola) + "** — " + std::string(f->significato) + "\n\n```\n" + std::string(f->parola);
    for (const campo_voce& c : f->campi) t += ", " + std::string(c.nome);
    t += "\n```\n";
  }
  return t;
}

}  // namespace

std::string derivato(const voce_letta& v, const std::vector<campo_di_forma>& campi, std::size_t i) {
  if (i >= campi.size() || i >= v.campi.size() || !v.campi[i].valore) return {};
  const auto [forma, c] = campi[i];
  const int64_t x = *v.campi[i].valore;
  switch (c->misura) {
    case unita::metri: {
      std::string t = chilometrica(x);
      if (const auto cella = cella_di(*forma, x)) t += ", cella " + numero(*cella);
      return t;
    }
    case unita::km_h:
      return "nella cella: " +
             numero(static_cast<int64_t>(arrotonda(static_cast<double>(x) / misura::km_h_per_unita_velocita))) +
             " (in unità di " + numero(misura::km_h_per_unita_velocita) + " km/h)";
    case unita::ore:
    case unita::minuti:
    case unita::secondi: {
      // The three values of a time stand together, hours first.
      const std::size_t indietro = c->misura == unita::minuti ? 1 : c->misura == unita::secondi ? 2 : 0;
      if (i < indietro) return {};
      const std::size_t ore = i - indietro;
      if (ore + 2 >= v.campi.size() || !v.campi[ore].valore || !v.campi[ore + 1].valore || !v.campi[ore + 2].valore)
        return {};
      return "orario " + orario(*v.campi[ore].valore * secondi_per_ora + *v.campi[ore + 1].valore * secondi_per_minuto +
                                *v.campi[ore + 2].valore);
    }
    default:
      return {};
  }
}

std::string chilometrica(int64_t metro) {
  const int64_t assoluto = std::llabs(metro);
  char resto[8];
  std::snprintf(resto, sizeof resto, "%03lld", static_cast<long long>(assoluto % metri_per_km));
  return std::string("km ") + (metro < 0 ? "-" : "") + numero(assoluto / metri_per_km) + "+" + resto;
}

std::string orario(int64_t secondi) {
  const bool negativo = secondi < 0;
  const int64_t s = std::llabs(secondi);
  char t[48];
  std::snprintf(t, sizeof t, "%s%02lld:%02lld:%02lld", negativo ? "-" : "", static_cast<long long>(s / secondi_per_ora),
                static_cast<long long>(s % secondi_per_ora / secondi_per_minuto),
                static_cast<long long>(s % secondi_per_minuto));
  return t;
}

std::optional<std::string> testo_al_passaggio(const scenario_verificato& s, const file_verificato& f,
                                              std::size_t linea, std::size_t carattere) {
  const std::string nome = nome_di(f.percorso);
  const bool della_linea = &f == &s.linea;
  std::string t;
  for (const voce_letta& v : s.esito.voci_lette) {
    if (v.chiave.file != nome) continue;
    const auto forme = forme_di(v.parola, della_linea);
    if (forme.empty()) continue;
    if (copre(v.chiave, linea, carattere)) {
      t = della_parola(forme);
      break;
    }
    const std::vector<campo_di_forma> campi = campi_di(v.parola, della_linea);
    bool trovato = false;
    for (std::size_t i = 0; i < v.campi.size() && i < campi.size(); ++i) {
      if (copre(v.campi[i].dove, linea, carattere)) {
        t = del_campo(v, campi, i);
        trovato = true;
        break;
      }
    }
    if (trovato) break;
  }
  for (const diagnostica& d : f.diagnostiche) {
    if (!d.dove || !copre(*d.dove, linea, carattere)) continue;
    const std::string id = identificativo(d);
    const voce_catalogo* v = voce_dell_avviso(id);
    if (v == nullptr) continue;
    if (!t.empty()) t += "\n---\n\n";
    t += "**" + id + "** (" + std::string(nome_gravita(v->livello)) + "): " + std::string(v->spiegazione) + "\n";
    if (!v->rimedio.empty()) t += "\nRimedio: " + std::string(v->rimedio) + "\n";
  }
  if (t.empty()) return std::nullopt;
  return t;
}

}  // namespace gara::editore
