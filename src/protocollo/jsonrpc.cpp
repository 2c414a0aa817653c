#include "protocollo/jsonrpc.h"

namespace gara::protocollo {

nlohmann::json risposta(const nlohmann::json& id, nlohmann::json risultato) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}};
}

nlohmann::json risposta_errore(const nlohmann::json& id, int codice, const std::string& messaggio) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}};
}

nlohmann::json notifica(const std::string& metodo, nlohmann::json parametri) {
  return {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
}

}  // namespace gara::protocollo
