#include "strumento/disegna.h"

#include "file/file.h"
#include "disegno/disegno.h"
#include "modello/nomi_file.h"
#include "strumento/cartelle.h"
#include "strumento/identita.h"
#include "strumento/uscite.h"
#include "uscita/formato.h"
#include "vista/vista.h"

namespace gara::strumento {

namespace {

// The SVG is named as the train's binary files are, with its own ending.
std::string nome_svg(const std::string& percorso, const std::string& treno) {
  std::string nome = nome_sim(percorso, treno);
  nome.resize(nome.size() - std::string(".sim").size());
  return nome + ".svg";
}

// Reads one binary file; false with a message when it is missing or unreadable.
bool leggi(const std::filesystem::path& file, std::string& byte, std::ostream& err) {
  if (!esiste_file(file)) {
    err << "scenario: manca il file " << tra_virgolette(file)
        << ": compila prima lo scenario (scenario compila)\n";
    return false;
  }
  try {
    byte = leggi_file(file);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int comando_disegna(const opzioni_disegna& o, std::ostream& out, std::ostream& err) {
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err, file_dello_scenario::binari);
  if (!id) return uscita::uso;

  const auto file_celle = percorso_file(o.cartella, nome_dat(id->nome_percorso, id->nome_treno));
  const auto file_tabella = percorso_file(o.cartella, nome_sim(id->nome_percorso, id->nome_treno));
  const auto file_tracciato = percorso_file(o.cartella, nome_linea_dat(id->nome_percorso));

  std::string byte_celle, byte_tabella;
  if (!leggi(file_celle, byte_celle, err) || !leggi(file_tabella, byte_tabella, err))
    return uscita::uso;
  const auto non_valido = [&err](const std::filesystem::path& file, const std::string& motivo) {
    err << "scenario: " << tra_virgolette(file) << " non rispetta il suo formato: " << motivo << "\n";
    return uscita::codice_errore;
  };
  auto celle = decodifica_celle(byte_celle);
  if (!celle) return non_valido(file_celle, celle.errore);
  const auto tabella_linea = decodifica_tabella(byte_tabella);
  if (!tabella_linea) return non_valido(file_tabella, tabella_linea.errore);

  // The plan is optional: a scenario compiled without it has none, and a
  // plan of another length is left over from an earlier compile.
  std::optional<tracciato_metri> tracciato;
  if (esiste_file(file_tracciato)) {
    std::string byte;
    if (!leggi(file_tracciato, byte, err)) return uscita::uso;
    auto t = decodifica_tracciato(byte);
    if (!t) return non_valido(file_tracciato, t.errore);
    const int64_t atteso = vista::ultimo_metro_atteso(*tabella_linea.valore);
    if (t.valore->ultimo_metro() == atteso)
      tracciato = std::move(*t.valore);
    else
      err << "scenario: il tracciato " << tra_virgolette(file_tracciato) << " arriva al metro "
          << t.valore->ultimo_metro() << " ma la linea ne vuole " << atteso
          << " (è di una compilazione precedente?): disegno il solo profilo\n";
  }

  const std::string documento =
      disegno::svg_scenario(vista::prepara_vista(std::move(*celle.valore), *tabella_linea.valore,
                                                 std::move(tracciato)));
  const std::filesystem::path destinazione =
      o.svg.value_or(percorso_file(o.cartella, nome_svg(id->nome_percorso, id->nome_treno)));
  try {
    sostituisci_file(destinazione, documento);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    return uscita::uso;
  }
  out << "Scritto " << tra_virgolette(destinazione) << "\n";
  return uscita::riuscita;
}

}  // namespace gara::strumento
