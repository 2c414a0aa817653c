#include "strumento/disegna.h"

#include "cartella/binari_in_cartella.h"
#include "disegno/disegno.h"
#include "file/file.h"
#include "modello/nomi_file.h"
#include "strumento/cartelle.h"
#include "strumento/uscite.h"
#include "vista/vista.h"

namespace gara::strumento {

namespace {

// The SVG is named as the train's binary files are, with its own ending.
std::string nome_svg(const std::string& percorso, const std::string& treno) {
  std::string nome = nome_sim(percorso, treno);
  nome.resize(nome.size() - std::string(".sim").size());
  return nome + ".svg";
}

}  // namespace

int comando_disegna(const opzioni_disegna& o, std::ostream& out, std::ostream& err) {
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err, file_dello_scenario::binari);
  if (!id) return uscita::uso;

  binari_letti b = leggi_binari(o.cartella, *id);
  if (!b.binari) {
    err << "scenario: " << b.messaggio
        << (b.problema == problema_binari::mancante ? ": compila prima lo scenario (scenario compila)" : "")
        << "\n";
    return b.problema == problema_binari::non_valido ? uscita::codice_errore : uscita::uso;
  }
  if (b.avviso) err << "scenario: " << *b.avviso << ": disegno il solo profilo\n";

  const std::string documento = disegno::svg_scenario(
      vista::prepara_vista(std::move(b.binari->celle), b.binari->tabella_linea, std::move(b.binari->tracciato)));
  const std::filesystem::path destinazione =
      o.svg.value_or(percorso_file(o.cartella, nome_svg(id->nome_percorso, id->nome_treno)));
  sostituisci_file(destinazione, documento);
  out << "Scritto " << tra_virgolette(destinazione) << "\n";
  return uscita::riuscita;
}

}  // namespace gara::strumento
