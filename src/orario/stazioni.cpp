#include "orario/stazioni.h"

#include <cstdio>

#include "lettura/parole.h"

namespace gara::orario {

namespace {

// The values of a station entry after its keyword: the metre first, the
// hours, minutes and seconds at 14 to 16, the name last.
constexpr std::size_t valori_stazione = 17;
constexpr std::size_t campo_metro = 0, campo_ore = 13, campo_nome = 16;
constexpr int64_t secondi_ora = 3600, secondi_minuto = 60;

std::string senza_bordi(const std::string& t) {
  const auto primo = t.find_first_not_of(" \t");
  if (primo == std::string::npos) return {};
  return t.substr(primo, t.find_last_not_of(" \t") - primo + 1);
}

}  // namespace

std::vector<stazione_treno> stazioni_del_treno(const registro_voci& voci, const std::string& file_treno) {
  std::vector<stazione_treno> s;
  for (const voce_letta& v : voci) {
    if (v.chiave.file != file_treno || !contiene_senza_maiuscole(v.parola, "stazione") ||
        v.campi.size() < valori_stazione || !v.campi[campo_metro].valore)
      continue;
    const auto metro = *v.campi[campo_metro].valore;
    const auto& h = v.campi[campo_ore].valore;
    const auto& m = v.campi[campo_ore + 1].valore;
    const auto& sec = v.campi[campo_ore + 2].valore;
    std::optional<int32_t> orario;
    // Each part was read as a 32-bit value; out-of-range parts are the
    // check's own error and give no time here.
    if (h && m && sec && *h >= 0 && *h <= 23 && *m >= 0 && *m <= 59 && *sec >= 0 && *sec <= 59) {
      const int64_t t = *h * secondi_ora + *m * secondi_minuto + *sec;
      if (t != 0) orario = static_cast<int32_t>(t);
    }
    s.push_back({senza_bordi(v.campi[campo_nome].testo), metro, orario, v.campi[campo_nome].dove,
                 v.campi[campo_metro].dove, v.campi[campo_ore].dove});
  }
  return s;
}

std::string ora_del_giorno(std::optional<int64_t> secondi) {
  if (!secondi) return "-";
  const int64_t t = *secondi;
  char b[32];
  std::snprintf(b, sizeof b, "%02lld:%02lld:%02lld", static_cast<long long>(t / secondi_ora),
                static_cast<long long>(t % secondi_ora / secondi_minuto), static_cast<long long>(t % secondi_minuto));
  return b;
}

}  // namespace gara::orario
