#include "protocollo/posizioni.h"

#include <algorithm>

#include "protocollo/jsonrpc.h"

namespace gara::protocollo {

namespace {

// The units of one character starting at riga[i] that is `n` bytes long.
std::size_t unita_carattere(std::size_t n, codifica c) {
  if (c == codifica::utf8) return n;
  return n == 4 ? 2 : 1;  // a character outside the BMP is a surrogate pair
}

std::size_t numero(const nlohmann::json& j, const char* chiave) {
  if (!j.is_object() || !j.contains(chiave) || !j[chiave].is_number_unsigned())
    throw parametri_errati{std::string("posizione senza \"") + chiave + "\" intero non negativo"};
  return j[chiave].get<std::size_t>();
}

}  // namespace

std::size_t lunghezza_utf8(unsigned char primo) {
  if (primo >= 0xF0 && primo <= 0xF4) return 4;
  if (primo >= 0xE0) return primo <= 0xEF ? 3 : 1;
  if (primo >= 0xC2) return 2;
  return 1;
}

nlohmann::json in_json(const posizione& p) { return {{"line", p.linea}, {"character", p.carattere}}; }
nlohmann::json in_json(const intervallo& i) { return {{"start", in_json(i.inizio)}, {"end", in_json(i.fine)}}; }

posizione posizione_da_json(const nlohmann::json& j) { return {numero(j, "line"), numero(j, "character")}; }

intervallo intervallo_da_json(const nlohmann::json& j) {
  if (!j.is_object() || !j.contains("start") || !j.contains("end"))
    throw parametri_errati{"intervallo senza \"start\" e \"end\""};
  return {posizione_da_json(j["start"]), posizione_da_json(j["end"])};
}

std::size_t unita_di(std::string_view riga, std::size_t byte, codifica c) {
  if (c == codifica::utf8) return std::min(byte, riga.size());
  std::size_t unita = 0;
  for (std::size_t i = 0; i < riga.size() && i < byte;) {
    const std::size_t n = lunghezza_utf8(static_cast<unsigned char>(riga[i]));
    unita += unita_carattere(n, c);
    i += n;
  }
  return unita;
}

std::optional<std::size_t> byte_di(std::string_view riga, std::size_t unita, codifica c) {
  std::size_t contate = 0;
  std::size_t i = 0;
  while (contate < unita) {
    if (i >= riga.size()) return std::nullopt;
    const std::size_t n = std::min(lunghezza_utf8(static_cast<unsigned char>(riga[i])), riga.size() - i);
    const std::size_t u = unita_carattere(n, c);
    if (contate + u > unita) break;  // inside the character
    contate += u;
    i += n;
  }
  return i;
}

}  // namespace gara::protocollo
