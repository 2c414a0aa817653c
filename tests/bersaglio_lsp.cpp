#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "bersagli_fuzz.h"
#include "editore/servizio.h"
#include "protocollo/cornice.h"

namespace gara::fuzz {

void prova_lsp(std::string_view byte) {
  std::istringstream in{std::string(byte)};
  std::stringstream out;
  const int stato = editore::servi(in, out);
  if (stato != 0 && stato != 1) throw violazione("stato d'uscita " + std::to_string(stato));
  while (true) {
    const auto m = protocollo::leggi_messaggio(out);
    if (m.tipo == protocollo::messaggio_letto::esito::fine) break;
    if (m.tipo != protocollo::messaggio_letto::esito::corpo) throw violazione("risposta senza cornice: " + m.motivo);
    const auto j = nlohmann::json::parse(m.corpo, nullptr, false);
    if (j.is_discarded() || !j.is_object() || j.value("jsonrpc", "") != "2.0")
      throw violazione("risposta che non è JSON-RPC 2.0: " + m.corpo.substr(0, 200));
  }
}

}  // namespace gara::fuzz
