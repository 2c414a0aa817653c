#include "strumento/compila.h"

#include "avvio/file.h"
#include "modello/codici.h"
#include "modello/stato_compilazione.h"
#include "strumento/cartelle.h"
#include "strumento/identita.h"
#include "strumento/resoconto.h"
#include "strumento/uscite.h"
#include "uscita/memorizza_percorso.h"

namespace gara::strumento {

int comando_compila(const opzioni_compila& o, std::ostream& out, std::ostream& err) {
  const auto id = identita_da_utf8(o.percorso, o.treno, err);
  if (!id) return uscita::uso;
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const std::filesystem::path cartella_uscita = o.uscita.value_or(o.cartella);
  if (!cartella_da_scrivere(cartella_uscita, err)) return uscita::uso;

  stato_compilazione s;
  s.nome_percorso = id->nome_percorso;
  s.nome_treno = id->nome_treno;
  s.cartella = o.cartella;
  s.cartella_uscita = cartella_uscita;
  s.cancella_descrizioni = false;

  int32_t j = o.senza_tracciato ? 0 : 1;
  try {
    memorizza_percorso(s, j);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    if (!s.scritti.empty()) {
      err << "File già scritti prima del guasto:\n";
      for (const auto& nome : s.scritti) err << "  " << nome << "\n";
    }
    return uscita::uso;
  }

  if (o.json)
    out << resoconto_json(s).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << "\n";
  else
    scrivi_resoconto(s, out);

  if (!s.errore_fatale.empty()) {
    err << "scenario: " << messaggio_fatale(s.errore_fatale) << "\n";
    return uscita::errore_scenario;
  }
  return s.codice_errore == codice::nessuno ? uscita::riuscita : uscita::codice_errore;
}

}  // namespace gara::strumento
