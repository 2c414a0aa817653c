#include "strumento/estrai.h"

#include <array>
#include <vector>

#include "avvio/file.h"
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

  const std::string& p = id->nome_percorso;
  const std::string& t = id->nome_treno;
  // In the order the package writes them.
  const std::array<std::string, 5> nomi{nome_descrizione_linea(p), nome_descrizione_treno(p, t),
                                        nome_note(p, t), nome_rallentamenti(p, t),
                                        nome_scheda(p, t)};
  if (!o.sovrascrivi) {
    std::vector<std::string> presenti;
    for (const auto& nome : nomi)
      if (esiste_file(percorso_file(o.cartella, nome))) presenti.push_back(da_windows1252(nome));
    if (!presenti.empty()) {
      err << "scenario: nella cartella " << tra_virgolette(o.cartella)
          << " ci sono già file dello scenario; nessun file è stato scritto:\n";
      for (const auto& nome : presenti) err << "  " << nome << "\n";
      err << "Usa --sovrascrivi per sostituirli.\n";
      return uscita::uso;
    }
  }

  try {
    dati_linea(o.cartella, p);
    dati_treno(o.cartella, p, t);
    dati_note(o.cartella, p, t);
    dati_rallentamenti(o.cartella, p, t);
    dati_scheda(o.cartella, p, t);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    return uscita::uso;
  }

  out << "Scritti in " << tra_virgolette(o.cartella) << ":\n";
  for (const auto& nome : nomi) out << "  " << da_windows1252(nome) << "\n";
  return uscita::riuscita;
}

}  // namespace gara::strumento
