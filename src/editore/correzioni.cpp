#include "editore/correzioni.h"

#include <algorithm>

namespace gara::editore {

namespace {

constexpr std::string_view numero_non_intero = "V201";
constexpr std::string_view migliaia_con_spazio = "V221";
constexpr std::size_t cifre_migliaia = 3;

bool cifre(std::string_view t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An integer, with its sign.
bool intero(std::string_view t) {
  if (!t.empty() && t.front() == '-') t.remove_prefix(1);
  return cifre(t);
}

}  // namespace

std::optional<std::string> correzione(std::string_view identificativo, std::string_view campo) {
  if (identificativo == numero_non_intero) {
    // "1.000": the thousands written with a dot.
    const auto punto = campo.find('.');
    if (punto != std::string_view::npos && campo.size() - punto == cifre_migliaia + 1 &&
        intero(campo.substr(0, punto)) && cifre(campo.substr(punto + 1)))
      return std::string(campo.substr(0, punto)) + std::string(campo.substr(punto + 1));
    // "1O0": a letter O among the digits.
    std::string con_zeri(campo);
    std::replace(con_zeri.begin(), con_zeri.end(), 'O', '0');
    std::replace(con_zeri.begin(), con_zeri.end(), 'o', '0');
    const bool ha_cifre = std::any_of(campo.begin(), campo.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (con_zeri != campo && ha_cifre && intero(con_zeri)) return con_zeri;
    return std::nullopt;
  }
  if (identificativo == migliaia_con_spazio) {
    std::string senza(campo);
    std::erase_if(senza, [](char c) { return c == ' ' || c == '\t'; });
    if (senza != campo && cifre(senza)) return senza;
  }
  return std::nullopt;
}

}  // namespace gara::editore
