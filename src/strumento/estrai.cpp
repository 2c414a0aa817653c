#include "strumento/estrai.h"

#include <vector>

#include "cartella/identita.h"
#include "cartella/testi_in_cartella.h"
#include "file/file.h"
#include "modello/windows1252.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"
#include "strumento/cartelle.h"
#include "strumento/uscite.h"

namespace gara::strumento {

int comando_estrai(const opzioni_estrai& o, std::ostream& out, std::ostream& err) {
  scenario_carico s;
  if (o.da) {
    const std::string byte = leggi_file(*o.da);
    esito_carico e = scenario_del_pacchetto(byte);
    if (!e.scenario) {
      err << "scenario: " << tra_virgolette(*o.da) << ": " << e.motivo << "; nessun file è stato scritto\n";
      return uscita::codice_errore;
    }
    s = std::move(*e.scenario);
  } else {
    const auto id = identita_da_utf8(o.percorso, o.treno, err);
    if (!id) return uscita::uso;
    s = scenario_spedito();
    s.nome_percorso = id->nome_percorso;
    s.nome_treno = id->nome_treno;
  }
  if (!cartella_da_scrivere(o.cartella, err)) return uscita::uso;

  if (!o.sovrascrivi) {
    const std::vector<std::string> presenti = testi_presenti(o.cartella, s);
    if (!presenti.empty()) {
      err << "scenario: nella cartella " << tra_virgolette(o.cartella)
          << " ci sono già file dello scenario; nessun file è stato scritto:\n";
      for (const auto& nome : presenti) err << "  " << nome << "\n";
      err << "Usa --sovrascrivi per sostituirli.\n";
      return uscita::uso;
    }
  }

  scrivi_testi(o.cartella, s);

  // In the order the package writes them.
  out << "Scritti in " << tra_virgolette(o.cartella) << ":\n";
  for (const auto& t : testi_scenario(s)) out << "  " << da_windows1252(t.nome) << "\n";
  return uscita::riuscita;
}

}  // namespace gara::strumento
