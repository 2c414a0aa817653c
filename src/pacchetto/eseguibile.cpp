#include "pacchetto/eseguibile.h"

#include <stdexcept>

#include "modello/ordine_byte.h"

namespace gara {

namespace {

std::string_view marca() {
  return {reinterpret_cast<const char*>(marca_localizzatore.data()), marca_localizzatore.size()};
}

std::uint64_t leggi_64(std::string_view b, std::size_t i) { return leggi_le<std::uint64_t>(b, i); }

void scrivi_64(std::string& b, std::size_t i, std::uint64_t v) { scrivi_le(b.data() + i, v); }

}  // namespace

std::vector<std::size_t> posizioni_localizzatore(std::string_view programma) {
  std::vector<std::size_t> r;
  for (std::size_t i = programma.find(marca()); i != std::string_view::npos;
       i = programma.find(marca(), i + 1))
    r.push_back(i);
  return r;
}

std::string impacchetta(std::string_view programma, const scenario_carico& s) {
  // Its length, whatever the checksum it carries.
  const std::size_t lunghezza_carico = scrivi_carico(s, 0).size();
  auto posizioni = posizioni_localizzatore(programma);
  // A payload that happens to hold the mark comes after the locator.
  if (!posizioni.empty()) {
    const std::size_t l = posizioni.front() + marca().size();
    if (l + 16 <= programma.size()) {
      const std::uint64_t inizio = leggi_64(programma, l);
      if (inizio != 0 && inizio <= programma.size()) {
        programma = programma.substr(0, static_cast<std::size_t>(inizio));
        posizioni = posizioni_localizzatore(programma);
      }
    }
  }
  if (posizioni.size() != 1)
    throw std::invalid_argument(posizioni.empty()
                                    ? "non è il programma di un pacchetto (manca il suo localizzatore)"
                                    : "il programma ha più di un localizzatore");
  const std::size_t l = posizioni.front() + marca().size();
  if (l + 16 > programma.size()) throw std::invalid_argument("il programma è troncato");
  std::string r(programma);
  scrivi_64(r, l, programma.size());
  scrivi_64(r, l + 8, lunghezza_carico);
  r += scrivi_carico(s, crc32(r));
  return r;
}

esito_carico scenario_del_pacchetto(std::string_view file) {
  const std::size_t p = file.find(marca());
  if (p == std::string_view::npos || p + lunghezza_localizzatore > file.size())
    return {std::nullopt, difetto_carico::alterato,
            "non è il programma di un pacchetto (manca il suo localizzatore)", std::nullopt};
  const std::uint64_t inizio = leggi_64(file, p + marca().size());
  const std::uint64_t lunghezza = leggi_64(file, p + marca().size() + 8);
  if (inizio == 0 && lunghezza == 0)
    return {scenario_spedito(), difetto_carico::nessuno, {}, std::nullopt};
  return carico_nel_file(file, inizio, lunghezza);
}

}  // namespace gara
