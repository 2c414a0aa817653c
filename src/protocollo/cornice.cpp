#include "protocollo/cornice.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace gara::protocollo {

namespace {

constexpr std::string_view nome_lunghezza = "content-length";

// One header line without its line end; false at the end of the stream.
// A line longer than intestazione_massima is read to its end but kept cut,
// and `lunga` says so.
bool leggi_riga(std::istream& in, std::string& riga, bool& lunga) {
  riga.clear();
  lunga = false;
  bool letto = false;
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    letto = true;
    if (c == '\n') {
      if (!riga.empty() && riga.back() == '\r') riga.pop_back();
      return true;
    }
    if (riga.size() < intestazione_massima)
      riga += static_cast<char>(c);
    else
      lunga = true;
  }
  return letto;
}

std::string minuscolo(std::string_view t) {
  std::string r(t);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return r;
}

std::string_view senza_spazi(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// Skips `n` bytes of the stream, or what is left of it.
void salta(std::istream& in, std::size_t n) {
  char blocco[4096];
  while (n > 0) {
    const auto quanti = static_cast<std::streamsize>(std::min(n, sizeof blocco));
    in.read(blocco, quanti);
    if (in.gcount() != quanti) return;
    n -= static_cast<std::size_t>(quanti);
  }
}

}  // namespace

messaggio_letto leggi_messaggio(std::istream& in) {
  using esito = messaggio_letto::esito;
  std::string riga;
  bool lunga = false;
  bool iniziato = false;
  bool valida = true;
  std::string motivo;
  std::optional<std::size_t> lunghezza;
  while (true) {
    if (!leggi_riga(in, riga, lunga))
      return iniziato ? messaggio_letto{esito::troncata, {}, "il flusso finisce dentro le intestazioni"}
                      : messaggio_letto{esito::fine, {}, {}};
    if (riga.empty() && !lunga) {
      if (!iniziato) continue;  // blank lines between messages are harmless
      break;
    }
    iniziato = true;
    const auto due_punti = riga.find(':');
    if (lunga || due_punti == std::string::npos) {
      valida = false;
      motivo = "riga di intestazione non valida";
      continue;
    }
    if (minuscolo(senza_spazi(std::string_view(riga).substr(0, due_punti))) != nome_lunghezza) continue;
    const std::string_view numero = senza_spazi(std::string_view(riga).substr(due_punti + 1));
    std::size_t n = 0;
    const auto [fine, errore] = std::from_chars(numero.data(), numero.data() + numero.size(), n);
    if (numero.empty() || errore != std::errc{} || fine != numero.data() + numero.size()) {
      valida = false;
      motivo = "Content-Length non è un numero: " + std::string(numero);
      continue;
    }
    lunghezza = n;
  }
  if (valida && !lunghezza) {
    valida = false;
    motivo = "manca l'intestazione Content-Length";
  }
  if (!valida) {
    // Its body, when its length is known, goes with it.
    if (lunghezza && *lunghezza <= corpo_massimo) salta(in, *lunghezza);
    return {esito::malformata, {}, motivo};
  }
  if (*lunghezza > corpo_massimo) {
    std::string m = "messaggio di " + std::to_string(*lunghezza) + " byte, oltre il massimo di " +
                    std::to_string(corpo_massimo);
    // Skipped, not kept: the stream may go on with the next message (or end).
    salta(in, *lunghezza);
    return {esito::troppo_grande, {}, m};
  }
  messaggio_letto r{esito::corpo, std::string(*lunghezza, '\0'), {}};
  in.read(r.corpo.data(), static_cast<std::streamsize>(*lunghezza));
  if (static_cast<std::size_t>(in.gcount()) != *lunghezza)
    return {esito::troncata, {}, "il flusso finisce dentro il corpo del messaggio"};
  return r;
}

void scrivi_messaggio(std::ostream& out, const nlohmann::json& messaggio) {
  const std::string corpo = messaggio.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  out << "Content-Length: " << corpo.size() << "\r\n\r\n" << corpo;
  out.flush();
}

}  // namespace gara::protocollo
