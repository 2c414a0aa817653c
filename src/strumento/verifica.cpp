#include "strumento/verifica.h"

#include "file/file.h"
#include "resoconto/diagnostiche.h"
#include "strumento/cartelle.h"
#include "orario/orario.h"
#include "strumento/uscite.h"
#include "verifica/verifica.h"

namespace gara::strumento {

int comando_verifica(const opzioni_verifica_comando& o, std::ostream& out, std::ostream& err) {
  if (o.elenco) {
    scrivi_catalogo(out);
    return uscita::riuscita;
  }
  const auto s = scenario_della_cartella(o.cartella, o.percorso, o.treno, err);
  if (!s) return uscita::uso;
  const identita& id = s->id;
  const sorgenti& d = s->descrizioni;
  // The report reads no plan: the faithful compile measures it, lays none.
  const opzioni_verifica ov{id.nome_percorso, id.nome_treno, !o.senza_tracciato};
  opzioni_compilazione senza_piano = ov;
  senza_piano.posa_tracciato = false;
  const esito_verifica e = orario::verifica_completa(d, ov, compila(d, senza_piano), s->scheda);

  const auto json = [&](const nlohmann::ordered_json& j) {
    out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
  };
  if (o.formato == "json")
    json(verifica_json(e));
  else if (o.formato == "sarif")
    json(verifica_sarif(e, nome_leggibile(std::filesystem::absolute(o.cartella))));
  else
    scrivi_verifica(e, d, out, o.massimo);

  const bool fallita = e.errori > 0 || (o.severo && e.avvisi > 0);
  return fallita ? uscita::codice_errore : uscita::riuscita;
}

}  // namespace gara::strumento
