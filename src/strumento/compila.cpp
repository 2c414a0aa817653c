#include "strumento/compila.h"

#include "cartella/compila_in_cartella.h"
#include "file/file.h"
#include "resoconto/resoconto.h"
#include "strumento/cartelle.h"
#include "strumento/uscite.h"
#include "orario/orario.h"
#include "verifica/verifica.h"

namespace gara::strumento {

int comando_compila(const opzioni_compila& o, std::ostream& out, std::ostream& err) {
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err);
  if (!id) return uscita::uso;
  const std::filesystem::path cartella_uscita = o.uscita.value_or(o.cartella);
  if (!cartella_da_scrivere(cartella_uscita, err)) return uscita::uso;

  // The same compile as the package's, without the plan when it is not
  // wanted; the author's descriptions are never deleted.
  compilazione_in_cartella c;
  try {
    compila_in_cartella({o.cartella, cartella_uscita, *id, !o.senza_tracciato, false}, c);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    if (!c.scritti.empty()) {
      err << "File già scritti prima del guasto:\n";
      for (const auto& nome : c.scritti) err << "  " << nome << "\n";
    }
    return uscita::uso;
  }
  compilazione_mostrata m{c.risultato, c.descrizioni, tra_virgolette(o.cartella),
                          tra_virgolette(cartella_uscita), c.scritti, std::nullopt};
  if (!o.fedele) {
    // The same check as `verifica`'s, the card's too when it can be read.
    const descrizione scheda = scheda_in_cartella(o.cartella, *id);
    std::optional<orario::testo_scheda> testo_scheda;
    if (scheda.byte) testo_scheda = orario::testo_scheda{scheda.nome, *scheda.byte};
    // On the compile just made: the plan is written and neither the check
    // nor the report reads it, so it goes before the checking reading runs.
    c.risultato.modello.tracciato.elimina();
    const esito_verifica e = orario::verifica_completa(
        c.descrizioni, {id->nome_percorso, id->nome_treno, !o.senza_tracciato}, c.risultato, testo_scheda);
    m.verifica = sommario_verifica{e.errori, e.avvisi, std::nullopt};
    for (const diagnostica& d : e.diagnostiche)
      if (c.fermata() != arresto::nessuno && d.codice == static_cast<int32_t>(c.fermata()) && d.dove)
        m.verifica->fermata = d;
  }

  if (o.json)
    out << resoconto_json(m).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << "\n";
  else
    scrivi_resoconto(m, out);

  if (c.fermata() != arresto::nessuno) {
    err << "scenario: " << messaggio_arresto(c.fermata()) << "\n";
    return uscita::errore_scenario;
  }
  const bool errori_verifica = m.verifica && m.verifica->errori > 0;
  return c.riuscita() && !errori_verifica ? uscita::riuscita : uscita::codice_errore;
}

}  // namespace gara::strumento
