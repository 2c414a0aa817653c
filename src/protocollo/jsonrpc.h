#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace gara::protocollo {

// The error codes of JSON-RPC 2.0 and those the language protocol adds.
namespace errore_rpc {
inline constexpr int analisi = -32700;             // the body is not JSON
inline constexpr int richiesta_non_valida = -32600;
inline constexpr int metodo_sconosciuto = -32601;
inline constexpr int parametri_non_validi = -32602;
inline constexpr int interno = -32603;
inline constexpr int non_inizializzato = -32002;
inline constexpr int richiesta_fallita = -32803;
}  // namespace errore_rpc

// A request's answer, an error answer (id null when the request's own id
// could not be read), a notification.
nlohmann::json risposta(const nlohmann::json& id, nlohmann::json risultato);
nlohmann::json risposta_errore(const nlohmann::json& id, int codice, const std::string& messaggio);
nlohmann::json notifica(const std::string& metodo, nlohmann::json parametri);

// Parameters that do not have the shape a method needs; the dispatcher
// answers them with parametri_non_validi and the message.
struct parametri_errati {
  std::string messaggio;
};

}  // namespace gara::protocollo
