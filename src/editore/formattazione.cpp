#include "editore/formattazione.h"

#include <algorithm>
#include <optional>

#include "editore/forme_voci.h"
#include "editore/testo.h"
#include "lettura/righe.h"
#include "modello/windows1252.h"

namespace gara::editore {

namespace {

constexpr std::string_view inizio_generale = "[generale]";

bool vuoto(char c) { return c == ' ' || c == '\t'; }

bool intero(std::string_view t) {
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A line split at its commas, each part without its outer blanks; the
// blanks before its first field are kept.
struct voce_in_riga {
  std::string rientro;
  std::string chiave;  // the keyword in lower case: lines of one block share it
  std::vector<std::string_view> parti;
};

std::optional<voce_in_riga> voce_di(std::string_view riga, bool della_linea) {
  if (riga.find('"') != std::string_view::npos || riga.find(',') == std::string_view::npos) return std::nullopt;
  voce_in_riga v;
  std::size_t inizio = 0;
  while (inizio < riga.size() && vuoto(riga[inizio])) ++inizio;
  v.rientro = std::string(riga.substr(0, inizio));
  for (std::size_t da = inizio;;) {
    const std::size_t virgola = riga.find(',', da);
    v.parti.push_back(senza_vuoti(riga.substr(da, virgola == std::string_view::npos ? riga.npos : virgola - da)));
    if (virgola == std::string_view::npos) break;
    da = virgola + 1;
  }
  const std::string_view parola = v.parti.front();
  if (parola.empty() || parola.find('-') != std::string_view::npos) return std::nullopt;
  if (forme_di(parola, della_linea).empty()) return std::nullopt;
  v.chiave = minuscolo_ascii(parola);
  return v;
}

// The lines of a block written with its columns aligned.
void allinea(const std::vector<std::pair<std::size_t, voce_in_riga>>& blocco, std::vector<std::string>& testi) {
  const std::size_t colonne = blocco.front().second.parti.size();
  std::vector<std::size_t> larghe(colonne, 0);
  std::vector<bool> numeriche(colonne, true);
  for (const auto& [n, v] : blocco) {
    for (std::size_t i = 0; i < colonne; ++i) {
      larghe[i] = std::max(larghe[i], caratteri(v.parti[i]));
      if (!v.parti[i].empty() && !intero(v.parti[i])) numeriche[i] = false;
    }
  }
  for (const auto& [n, v] : blocco) {
    std::string t = v.rientro;
    for (std::size_t i = 0; i < colonne; ++i) {
      const std::string_view parte = v.parti[i];
      const std::size_t spazi = larghe[i] - caratteri(parte);
      const bool a_destra = i > 0 && numeriche[i];
      if (i > 0) t += ' ';
      if (a_destra) t.append(spazi, ' ');
      t += parte;
      if (i + 1 == colonne) break;
      t += ',';
      if (!a_destra) t.append(spazi, ' ');
    }
    while (!t.empty() && vuoto(t.back())) t.pop_back();
    testi[n] = std::move(t);
  }
}

}  // namespace

std::vector<riga_formattata> formatta(std::string_view testo, bool della_linea) {
  // The lines, without their ends.
  std::vector<std::string_view> righe;
  for (std::size_t i = 0, inizio = 0;; ++i) {
    const std::size_t fine = i < testo.size() ? fine_riga_in(testo, i) : 0;
    if (i >= testo.size() || fine > 0) {
      righe.push_back(testo.substr(inizio, i - inizio));
      if (i >= testo.size()) break;
      i += fine - 1;
      inizio = i + 1;
    }
  }
  std::vector<std::string> testi(righe.begin(), righe.end());
  std::vector<std::pair<std::size_t, voce_in_riga>> blocco;
  const auto chiudi = [&] {
    if (!blocco.empty()) allinea(blocco, testi);
    blocco.clear();
  };
  bool generale = false;
  // A last line without its end is left alone: the reader tells a field
  // that ends the file from one that does not, blanks included.
  const std::size_t formattabili = righe.size() - 1;
  for (std::size_t n = 0; n < formattabili; ++n) {
    if (!generale) {
      generale = minuscolo_ascii(righe[n]).find(inizio_generale) != std::string::npos;
      continue;
    }
    auto v = voce_di(righe[n], della_linea);
    if (!v) {
      chiudi();
      continue;
    }
    if (!blocco.empty() && (blocco.front().second.chiave != v->chiave ||
                            blocco.front().second.parti.size() != v->parti.size()))
      chiudi();
    blocco.emplace_back(n, std::move(*v));
  }
  chiudi();
  std::vector<riga_formattata> cambiate;
  for (std::size_t n = 0; n < righe.size(); ++n)
    if (testi[n] != righe[n]) cambiate.push_back({n, std::move(testi[n])});
  return cambiate;
}

std::string applica_formattazione(std::string_view testo, const std::vector<riga_formattata>& righe) {
  std::string r;
  std::size_t prossima = 0;
  std::size_t numero = 0;
  for (std::size_t i = 0, inizio = 0;; ++i) {
    const std::size_t fine = i < testo.size() ? fine_riga_in(testo, i) : 0;
    if (i < testo.size() && fine == 0) continue;
    if (prossima < righe.size() && righe[prossima].riga == numero) {
      r += righe[prossima].testo;
      ++prossima;
    } else {
      r += testo.substr(inizio, i - inizio);
    }
    if (i >= testo.size()) break;
    r += testo.substr(i, fine);
    i += fine - 1;
    inizio = i + 1;
    ++numero;
  }
  return r;
}

}  // namespace gara::editore
