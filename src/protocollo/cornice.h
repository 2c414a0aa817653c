#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

namespace gara::protocollo {

// The largest body a message may announce. A client's whole description is
// a few hundred kilobytes at most; anything beyond this is refused without
// being read into memory.
inline constexpr std::size_t corpo_massimo = 64u << 20;
// The longest header line kept; a longer one is malformed.
inline constexpr std::size_t intestazione_massima = 1024;

// What reading one message gave.
struct messaggio_letto {
  enum class esito {
    corpo,        // `corpo` holds the body
    fine,         // the stream ended before another message began
    malformata,   // a header without Content-Length, or one that is not a header
    troppo_grande,  // Content-Length over corpo_massimo: its body is skipped
    troncata,     // the stream ended inside the message
  };
  esito tipo = esito::fine;
  std::string corpo;
  std::string motivo;  // for the refused ones, in Italian
};

// Reads one message framed by "Content-Length: N\r\n" (other headers are
// read and ignored, a bare LF is taken for CR LF), an empty line, then N
// bytes. A malformed header block is consumed up to its empty line, so that
// the next message is read as such.
messaggio_letto leggi_messaggio(std::istream& in);

// Writes one message: its header and the JSON body (UTF-8).
void scrivi_messaggio(std::ostream& out, const nlohmann::json& messaggio);

}  // namespace gara::protocollo
