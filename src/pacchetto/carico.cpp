#include "pacchetto/carico.h"

#include <stdexcept>

#include "modello/nomi_file.h"
#include "modello/ordine_byte.h"
#include "scenario/dati.h"

namespace gara {

namespace {

void aggiungi_32(std::string& b, std::uint32_t v) { aggiungi_le(b, v); }

std::uint32_t leggi_32(std::string_view b, std::size_t i) { return leggi_le<std::uint32_t>(b, i); }

esito_carico difetto(difetto_carico d, std::string motivo) {
  return {std::nullopt, d, std::move(motivo), std::nullopt};
}

}  // namespace

scenario_carico scenario_spedito() {
  scenario_carico s{percorso_del_pacchetto, treno_del_pacchetto, {}};
  const auto testi = testi_scenario(s.nome_percorso, s.nome_treno);
  for (std::size_t i = 0; i < testi.size(); ++i) s.testi[i] = testi[i].byte;
  return s;
}

std::array<testo_scenario, 5> testi_scenario(const scenario_carico& s) {
  const auto nomi = nomi_testi(s.nome_percorso, s.nome_treno);
  std::array<testo_scenario, 5> r;
  for (std::size_t i = 0; i < r.size(); ++i) r[i] = {nomi[i], s.testi[i]};
  return r;
}

std::uint32_t crc32(std::string_view byte) {
  static const std::array<std::uint32_t, 256> tavola = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (const char x : byte) c = tavola[(c ^ static_cast<unsigned char>(x)) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string scrivi_carico(const scenario_carico& s, std::uint32_t crc_programma) {
  for (const std::string* nome : {&s.nome_percorso, &s.nome_treno})
    if (const auto problema = problema_nome_windows(*nome))
      throw std::invalid_argument("identità non valida: " + *problema);
  std::string b(marca_carico);
  aggiungi_32(b, versione_carico);
  std::size_t totale = s.nome_percorso.size() + s.nome_treno.size();
  aggiungi_32(b, static_cast<std::uint32_t>(s.nome_percorso.size()));
  aggiungi_32(b, static_cast<std::uint32_t>(s.nome_treno.size()));
  for (const auto& t : s.testi) {
    if (t.size() > 0xFFFFFFFFu) throw std::invalid_argument("testo di 4 GiB o più");
    aggiungi_32(b, static_cast<std::uint32_t>(t.size()));
    totale += t.size();
  }
  b.reserve(b.size() + totale + crc_programma_carico + coda_carico);
  b += s.nome_percorso;
  b += s.nome_treno;
  for (const auto& t : s.testi) b += t;
  aggiungi_32(b, crc_programma);
  aggiungi_32(b, crc32(b));
  return b;
}

esito_carico leggi_carico(std::string_view b) {
  if (b.size() < marca_carico.size() || b.substr(0, marca_carico.size()) != marca_carico) {
    if (marca_carico.starts_with(b))
      return difetto(difetto_carico::troncato, "i dati dello scenario sono troncati");
    return difetto(difetto_carico::alterato, "i dati dello scenario non cominciano con il loro segno");
  }
  if (b.size() < marca_carico.size() + 4 + coda_carico)
    return difetto(difetto_carico::troncato, "i dati dello scenario sono troncati");
  // The checksum first: a changed byte is a damage, whatever it hit.
  const std::size_t corpo = b.size() - coda_carico;
  if (crc32(b.substr(0, corpo)) != leggi_32(b, corpo))
    return difetto(difetto_carico::alterato,
                   "i dati dello scenario sono alterati (la somma di controllo non corrisponde)");
  const std::uint32_t versione = leggi_32(b, marca_carico.size());
  if (versione > versione_carico)
    return difetto(difetto_carico::versione_nuova,
                   "lo scenario è nel formato " + std::to_string(versione) +
                       ", più recente di quello che questo programma sa leggere (" +
                       std::to_string(versione_carico) + ")");
  const std::size_t coda = coda_carico + (versione >= 2 ? crc_programma_carico : 0);
  if (versione == 0 || b.size() < intestazione_carico + coda)
    return difetto(difetto_carico::alterato, "i dati dello scenario non sono nel loro formato");

  std::array<std::uint64_t, 7> lunghezze{};
  std::uint64_t somma = 0;
  for (std::size_t i = 0; i < lunghezze.size(); ++i) {
    lunghezze[i] = leggi_32(b, marca_carico.size() + 4 + 4 * i);
    somma += lunghezze[i];
  }
  if (intestazione_carico + somma + coda != b.size())
    return difetto(difetto_carico::alterato,
                   "le lunghezze dei dati dello scenario non corrispondono alla loro dimensione");

  scenario_carico s;
  std::size_t i = intestazione_carico;
  const auto prendi = [&](std::uint64_t n) {
    std::string r(b.substr(i, static_cast<std::size_t>(n)));
    i += static_cast<std::size_t>(n);
    return r;
  };
  s.nome_percorso = prendi(lunghezze[0]);
  s.nome_treno = prendi(lunghezze[1]);
  for (std::size_t k = 0; k < s.testi.size(); ++k) s.testi[k] = prendi(lunghezze[k + 2]);
  for (const auto& [nome, quale] : {std::pair{&s.nome_percorso, "percorso"}, std::pair{&s.nome_treno, "treno"}})
    if (const auto problema = problema_nome_windows(*nome))
      return difetto(difetto_carico::identita_non_valida,
                     std::string("il nome del ") + quale + " non può dare nomi di file: " + *problema);
  std::optional<std::uint32_t> crc_programma;
  if (versione >= 2) crc_programma = leggi_32(b, b.size() - coda);
  return {std::move(s), difetto_carico::nessuno, {}, crc_programma};
}

esito_carico carico_nel_file(std::string_view file, std::uint64_t inizio, std::uint64_t lunghezza) {
  if (inizio > file.size() || lunghezza > file.size() - inizio)
    return difetto(difetto_carico::troncato,
                   "il file è troncato: gli mancano i dati dello scenario, in tutto o in parte");
  if (file.size() - inizio > lunghezza)
    return difetto(difetto_carico::alterato,
                   "il file ha " + std::to_string(file.size() - inizio - lunghezza) +
                       " byte in più dopo i dati dello scenario");
  esito_carico e = leggi_carico(file.substr(static_cast<std::size_t>(inizio)));
  if (e.scenario && e.crc_programma &&
      crc32(file.substr(0, static_cast<std::size_t>(inizio))) != *e.crc_programma)
    return difetto(difetto_carico::programma_alterato,
                   "il programma è alterato (la sua somma di controllo non corrisponde): il file "
                   "è stato danneggiato dopo essere stato fatto, per esempio scaricandolo");
  return e;
}

}  // namespace gara
