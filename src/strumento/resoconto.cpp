#include "strumento/resoconto.h"

#include <array>
#include <sstream>

#include "avvio/avvio.h"
#include "avvio/file.h"
#include "modello/codici.h"
#include "modello/windows1252.h"
#include "strumento/cartelle.h"

namespace gara::strumento {

namespace {

bool codice_del_passo_tavole(int32_t c) {
  return c == codice::tavola_segnale_impossibile || c == codice::tavola_fascia_impossibile ||
         c == codice::tavola_rallentamento_impossibile;
}

// A description line is shown as it stands, cut when it is very long.
constexpr std::size_t lunghezza_riga_mostrata = 200;

std::string tra_virgolette_testo(const std::string& testo) { return "\"" + testo + "\""; }

}  // namespace

std::string messaggio_codice(int32_t codice_errore) {
  const std::string_view testo = significato(codice_errore);
  if (testo.empty()) return "codice sconosciuto al compilatore";
  return std::string(testo);
}

std::string messaggio_fatale(const std::string& errore_fatale) {
  // messaggio_errore gives the package's own text, which opens with a space.
  std::string testo = messaggio_errore(errore_fatale);
  if (!testo.empty() && testo.front() == ' ') testo.erase(0, 1);
  testo += ": lo scenario non può essere timbrato, ";
  if (errore_fatale == "1250")
    testo += "perché il campo intero_a della voce 85 o il dato1 della cella 1 è già usato";
  else if (errore_fatale == "1251")
    testo += "perché il campo orario della voce 85 o il dato2 della cella 1 è già usato";
  else
    testo += "perché i posti del timbro sono già usati";
  testo += " (un oggetto all'inizio della linea); nessun file binario è stato scritto";
  return testo;
}

std::optional<std::string> riga_del_file(const std::filesystem::path& file, int numero) {
  if (numero < 1) return std::nullopt;
  std::string byte;
  try {
    byte = leggi_file(file);
  } catch (const errore_file&) {
    return std::nullopt;
  }
  std::size_t inizio = 0;
  for (int n = 1; n < numero; ++n) {
    const std::size_t a_capo = byte.find('\n', inizio);
    if (a_capo == std::string::npos) return std::nullopt;
    inizio = a_capo + 1;
  }
  if (inizio >= byte.size()) return std::nullopt;
  std::size_t fine = byte.find('\n', inizio);
  if (fine == std::string::npos) fine = byte.size();
  std::string riga = byte.substr(inizio, fine - inizio);
  if (!riga.empty() && riga.back() == '\r') riga.pop_back();
  const bool tagliata = riga.size() > lunghezza_riga_mostrata;
  if (tagliata) riga.resize(lunghezza_riga_mostrata);
  // Control bytes would upset a terminal: they are shown as "?".
  for (char& c : riga)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = '?';
  return da_windows1252(riga) + (tagliata ? "…" : "");
}

void scrivi_resoconto(const stato_compilazione& s, std::ostream& out) {
  out << "Compilazione di " << tra_virgolette_testo(da_windows1252(s.nome_percorso))
      << " con il treno " << tra_virgolette_testo(da_windows1252(s.nome_treno))
      << " dalla cartella " << tra_virgolette(s.cartella) << "\n";

  if (s.codice_errore == codice::nessuno) {
    out << "Esito: nessun problema (codice 0)\n";
  } else {
    out << "Esito: codice " << s.codice_errore << ", " << messaggio_codice(s.codice_errore) << "\n";
    if (registra_metro(s.codice_errore))
      out << "  al metro " << s.posizione_errore << "\n";
    if (s.origine_errore && s.codice_errore != codice::nessuno) {
      const origine& o = *s.origine_errore;
      out << "  nel file " << tra_virgolette_testo(o.file);
      if (o.linea) {
        out << ", riga " << *o.linea << "\n";
        const std::u8string nome(o.file.begin(), o.file.end());
        if (auto riga = riga_del_file(s.cartella / std::filesystem::path(nome), *o.linea))
          out << "    " << *o.linea << " | " << *riga << "\n";
      } else {
        out << "\n";
      }
    } else if (codice_del_passo_tavole(s.codice_errore)) {
      out << "  registrato dal passo delle tavole di orientamento, dopo la lettura\n";
    }
  }

  if (!s.errore_fatale.empty()) {
    out << "Lo scenario non può essere timbrato (errore " << s.errore_fatale
        << "): nessun file scritto\n";
  } else if (s.scritti.empty()) {
    out << "Nessun file scritto: la lettura si è fermata prima di avere la griglia delle celle\n";
  } else {
    out << "File scritti in " << tra_virgolette(s.cartella_uscita);
    if (s.codice_errore != codice::nessuno) out << " (come li scriverebbe il pacchetto, nonostante il codice)";
    out << ":\n";
    for (const auto& nome : s.scritti) out << "  " << nome << "\n";
  }
}

nlohmann::ordered_json resoconto_json(const stato_compilazione& s) {
  nlohmann::ordered_json j = nlohmann::ordered_json::object();
  j["codice_errore"] = s.codice_errore;
  j["posizione_errore"] = s.posizione_errore;
  if (s.errore_fatale.empty()) {
    j["errore"] = nullptr;
    j["messaggio"] = messaggio_codice(s.codice_errore);
  } else {
    j["errore"] = s.errore_fatale;
    j["messaggio"] = messaggio_fatale(s.errore_fatale);
  }
  if (s.origine_errore && s.codice_errore != codice::nessuno) {
    j["file"] = s.origine_errore->file;
    if (s.origine_errore->linea)
      j["riga"] = *s.origine_errore->linea;
    else
      j["riga"] = nullptr;
  } else {
    j["file"] = nullptr;
    j["riga"] = nullptr;
  }
  j["scritti"] = s.scritti;
  return j;
}

}  // namespace gara::strumento
