#include "editore/servizio.h"

#include <memory>
#include <mutex>

#include "editore/osservatore.h"
#include "editore/server.h"
#include "protocollo/cornice.h"
#include "protocollo/jsonrpc.h"

namespace gara::editore {

int servi(std::istream& in, std::ostream& out, std::optional<modo_notifiche> disco) {
  using protocollo::messaggio_letto;
  // The server and the output are shared with the threads that follow the
  // folders: each message, and each change on disk, is handled whole
  // under this lock. Reading the input is not.
  std::mutex condiviso;
  server s;
  const auto invia = [&out](const std::vector<nlohmann::json>& messaggi) {
    for (const auto& m : messaggi) protocollo::scrivi_messaggio(out, m);
  };
  // Declared last: its threads stop before what they use goes.
  std::unique_ptr<osservatore_cartelle> osservatore;
  if (disco)
    osservatore = std::make_unique<osservatore_cartelle>(*disco, [&](const std::string& cartella, const cambiamenti& c) {
      std::lock_guard blocco(condiviso);
      invia(s.cambiati_su_disco(cartella, c));
    });
  while (true) {
    messaggio_letto m = protocollo::leggi_messaggio(in);
    std::lock_guard blocco(condiviso);
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
    // The folder of a description just opened is followed before its
    // scenario is read from disk: no save falls between the two.
    if (osservatore)
      for (const std::string& cartella : s.cartelle_aperte()) osservatore->segui(cartella);
    // A check runs once no further message waits: a burst of changes is
    // checked once, on its newest text.
    if (in.rdbuf() == nullptr || in.rdbuf()->in_avail() <= 0) invia(s.verifica_in_attesa());
  }
}

}  // namespace gara::editore
