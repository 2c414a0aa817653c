#include "cartella/binari_in_cartella.h"

#include "file/file.h"
#include "modello/nomi_file.h"
#include "uscita/formato.h"

namespace gara {

namespace {

binari_letti problema(problema_binari p, std::string messaggio) {
  return {std::nullopt, p, std::move(messaggio), std::nullopt};
}

// Reads one binary file; the problem when it is missing or unreadable.
std::optional<binari_letti> leggi(const std::filesystem::path& file, std::string& byte) {
  if (!esiste_file(file)) return problema(problema_binari::mancante, "manca il file " + tra_virgolette(file));
  try {
    byte = leggi_file(file);
  } catch (const errore_file& e) {
    return problema(problema_binari::illeggibile, e.what());
  }
  return std::nullopt;
}

binari_letti non_valido(const std::filesystem::path& file, const std::string& motivo) {
  return problema(problema_binari::non_valido,
                  tra_virgolette(file) + " non rispetta il suo formato: " + motivo);
}

}  // namespace

binari_letti leggi_binari(const std::filesystem::path& cartella, const identita& id) {
  const auto file_celle = percorso_file(cartella, nome_dat(id.nome_percorso, id.nome_treno));
  const auto file_tabella = percorso_file(cartella, nome_sim(id.nome_percorso, id.nome_treno));
  const auto file_tracciato = percorso_file(cartella, nome_linea_dat(id.nome_percorso));

  std::string byte_celle, byte_tabella;
  if (auto p = leggi(file_celle, byte_celle)) return std::move(*p);
  if (auto p = leggi(file_tabella, byte_tabella)) return std::move(*p);
  auto celle = decodifica_celle(byte_celle);
  if (!celle) return non_valido(file_celle, celle.errore);
  const auto tabella_linea = decodifica_tabella(byte_tabella);
  if (!tabella_linea) return non_valido(file_tabella, tabella_linea.errore);

  binari_letti r;
  r.binari = binari_decodificati{std::move(*celle.valore), *tabella_linea.valore, std::nullopt};
  // The plan is optional: a scenario compiled without it has none, and a
  // plan of another length is left over from an earlier compile.
  if (esiste_file(file_tracciato)) {
    std::string byte;
    if (auto p = leggi(file_tracciato, byte)) return std::move(*p);
    auto t = decodifica_tracciato(byte);
    if (!t) return non_valido(file_tracciato, t.errore);
    const int64_t atteso = ultimo_metro_atteso(*tabella_linea.valore);
    if (t.valore->ultimo_metro() == atteso)
      r.binari->tracciato = std::move(*t.valore);
    else
      r.avviso = "il tracciato " + tra_virgolette(file_tracciato) + " arriva al metro " +
                 std::to_string(t.valore->ultimo_metro()) + " ma la linea ne vuole " +
                 std::to_string(atteso) + " (è di una compilazione precedente?)";
  }
  return r;
}

}  // namespace gara
