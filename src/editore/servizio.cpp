#include "editore/servizio.h"

#include "editore/server.h"
#include "protocollo/cornice.h"
#include "protocollo/jsonrpc.h"

namespace gara::editore {

int servi(std::istream& in, std::ostream& out) {
  using protocollo::messaggio_letto;
  server s;
  const auto invia = [&out](const std::vector<nlohmann::json>& messaggi) {
    for (const auto& m : messaggi) protocollo::scrivi_messaggio(out, m);
  };
  while (true) {
    messaggio_letto m = protocollo::leggi_messaggio(in);
    switch (m.tipo) {
      case messaggio_letto::esito::corpo:
        invia(s.ricevi(m.corpo));
        break;
      case messaggio_letto::esito::malformata:
        invia({protocollo::risposta_errore(nullptr, protocollo::errore_rpc::analisi, m.motivo)});
        break;
      case messaggio_letto::esito::troppo_grande:
        invia({protocollo::risposta_errore(nullptr, protocollo::errore_rpc::richiesta_non_valida, m.motivo)});
        break;
      case messaggio_letto::esito::fine:
      case messaggio_letto::esito::troncata:
        return s.stato_uscita() == 0 ? 0 : 1;
    }
    if (s.finito()) return s.stato_uscita();
    // A check runs once no further message waits: a burst of changes is
    // checked once, on its newest text.
    if (in.rdbuf() == nullptr || in.rdbuf()->in_avail() <= 0) invia(s.verifica_in_attesa());
  }
}

}  // namespace gara::editore
