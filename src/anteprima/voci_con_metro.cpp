#include "anteprima/voci_con_metro.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "lettura/righe.h"
#include "modello/misure.h"
#include "modello/windows1252.h"

namespace gara::anteprima {

namespace {

std::string_view senza_spazi(std::string_view s) {
  const auto spazio = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && spazio(s.front())) s.remove_prefix(1);
  while (!s.empty() && spazio(s.back())) s.remove_suffix(1);
  return s;
}

// The whole number that a field holds, nothing when it holds anything else.
std::optional<int64_t> numero_intero(std::string_view campo) {
  campo = senza_spazi(campo);
  if (campo.empty()) return std::nullopt;
  int64_t n = 0;
  const auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), n);
  if (errore != std::errc() || fine != campo.data() + campo.size()) return std::nullopt;
  return n;
}

bool sezione_generale(std::string_view riga) {
  return minuscolo_windows1252(riga).find("[generale]") != std::string::npos;
}

void aggiungi_voci(const descrizione& d, std::vector<voce_con_metro>& voci) {
  if (!d.byte) return;
  const std::string_view testo = *d.byte;
  bool in_sezione = false;  // the lines before the first section are free text
  bool generale = false;
  std::size_t inizio = 0;
  for (int linea = 1; inizio < testo.size(); ++linea) {
    std::size_t fine = inizio;
    while (fine < testo.size() && fine_riga_in(testo, fine) == 0) ++fine;
    const std::string_view riga = testo.substr(inizio, fine - inizio);
    inizio = fine + fine_riga_in(testo, fine);

    const std::string_view pulita = senza_spazi(riga);
    if (!pulita.empty() && pulita.front() == '[') {
      in_sezione = true;
      generale = sezione_generale(pulita);
      continue;
    }
    if (!in_sezione || generale) continue;
    const std::size_t virgola = pulita.find(',');
    if (virgola == std::string_view::npos) continue;
    std::string_view resto = pulita.substr(virgola + 1);
    const auto metro = numero_intero(resto.substr(0, resto.find(',')));
    if (!metro) continue;
    voci.push_back({d.nome, linea, *metro, da_windows1252(senza_spazi(pulita.substr(0, virgola))),
                    da_windows1252(pulita)});
  }
}

}  // namespace

std::vector<voce_con_metro> voci_con_metro(const sorgenti& d) {
  std::vector<voce_con_metro> voci;
  aggiungi_voci(d.linea, voci);
  aggiungi_voci(d.treno, voci);
  return voci;
}

std::vector<voce_con_metro> voci_vicine(const std::vector<voce_con_metro>& voci, int64_t metro) {
  constexpr int64_t mezza_cella = misura::metri_cella / 2;
  // Entries stand within a description's numbers; bringing the metre into
  // half the range first keeps the sums below from overflowing.
  metro = std::clamp<int64_t>(metro, INT64_MIN / 2, INT64_MAX / 2);
  std::vector<voce_con_metro> vicine;
  for (const auto& v : voci)
    if (v.metro > metro - mezza_cella && v.metro <= metro + mezza_cella) vicine.push_back(v);
  if (!vicine.empty()) return vicine;
  const voce_con_metro* precedente = nullptr;
  for (const auto& v : voci)
    if (v.metro <= metro && (precedente == nullptr || v.metro > precedente->metro)) precedente = &v;
  if (precedente != nullptr) vicine.push_back(*precedente);
  return vicine;
}

}  // namespace gara::anteprima
