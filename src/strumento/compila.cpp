#include "strumento/compila.h"

#include "compilazione/compila.h"
#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "modello/codici.h"
#include "resoconto/resoconto.h"
#include "strumento/cartelle.h"
#include "strumento/identita.h"
#include "strumento/uscite.h"
#include "uscita/scrittura_binari.h"

namespace gara::strumento {

int comando_compila(const opzioni_compila& o, std::ostream& out, std::ostream& err) {
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err);
  if (!id) return uscita::uso;
  const std::filesystem::path cartella_uscita = o.uscita.value_or(o.cartella);
  if (!cartella_da_scrivere(cartella_uscita, err)) return uscita::uso;

  // The same compile as the package's, with j = 0 when the plan is not
  // wanted; the author's descriptions are never deleted.
  const sorgenti d = leggi_sorgenti(o.cartella, id->nome_percorso, id->nome_treno);
  const risultato_compilazione r =
      compila(d, {id->nome_percorso, id->nome_treno, o.senza_tracciato ? 0 : 1});

  compilazione_mostrata c{r, d, tra_virgolette(o.cartella), tra_virgolette(cartella_uscita), {}};
  if (r.binari_da_scrivere()) {
    try {
      scrivi_binari(r.stato, scrittura_in_cartella(cartella_uscita), c.scritti);
    } catch (const errore_file& e) {
      err << "scenario: " << e.what() << "\n";
      if (!c.scritti.empty()) {
        err << "File già scritti prima del guasto:\n";
        for (const auto& nome : c.scritti) err << "  " << nome << "\n";
      }
      return uscita::uso;
    }
  }

  if (o.json)
    out << resoconto_json(c).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << "\n";
  else
    scrivi_resoconto(c, out);

  if (r.stato.fermata != arresto::nessuno) {
    err << "scenario: " << messaggio_arresto(r.stato.fermata) << "\n";
    return uscita::errore_scenario;
  }
  return r.stato.codice_errore == codice::nessuno ? uscita::riuscita : uscita::codice_errore;
}

}  // namespace gara::strumento
