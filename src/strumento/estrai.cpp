#include "strumento/estrai.h"

#include <array>
#include <vector>

#include "file/file.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "scenario/dati.h"
#include "strumento/cartelle.h"
#include "strumento/identita.h"
#include "strumento/uscite.h"

namespace gara::strumento {

int comando_estrai(const opzioni_estrai& o, std::ostream& out, std::ostream& err) {
  const auto id = identita_da_utf8(o.percorso, o.treno, err);
  if (!id) return uscita::uso;
  if (!cartella_da_scrivere(o.cartella, err)) return uscita::uso;

  // In the order the package writes them.
  const auto testi = testi_scenario(id->nome_percorso, id->nome_treno);
  if (!o.sovrascrivi) {
    std::vector<std::string> presenti;
    for (const auto& t : testi)
      if (esiste_file(percorso_file(o.cartella, t.nome))) presenti.push_back(da_windows1252(t.nome));
    if (!presenti.empty()) {
      err << "scenario: nella cartella " << tra_virgolette(o.cartella)
          << " ci sono già file dello scenario; nessun file è stato scritto:\n";
      for (const auto& nome : presenti) err << "  " << nome << "\n";
      err << "Usa --sovrascrivi per sostituirli.\n";
      return uscita::uso;
    }
  }

  try {
    for (const auto& t : testi) sostituisci_file(percorso_file(o.cartella, t.nome), t.byte);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    return uscita::uso;
  }

  out << "Scritti in " << tra_virgolette(o.cartella) << ":\n";
  for (const auto& t : testi) out << "  " << da_windows1252(t.nome) << "\n";
  return uscita::riuscita;
}

}  // namespace gara::strumento
