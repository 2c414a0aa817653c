#include "bersagli_fuzz.h"

#include <fstream>
#include <string>

#include "lettura/lettore_campi.h"
#include "lettura/memorizza_dati.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/nomi_file.h"
#include "modello/stato_compilazione.h"
#include "uscita/formato.h"
#include "uscita/tavole_orientamento.h"
#include "uscita/timbro.h"

namespace gara::fuzz {

namespace {

// Line breaks as the reader counts them: CR LF, a lone CR or a lone LF.
int righe_del_testo(std::string_view t) {
  int righe = 1;
  for (std::size_t i = 0; i < t.size(); ++i)
    if (t[i] == '\n' || (t[i] == '\r' && (i + 1 >= t.size() || t[i + 1] != '\n'))) ++righe;
  return righe;
}

void scrivi(const std::filesystem::path& file, std::string_view byte) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
  f.close();
  if (!f) throw std::runtime_error("impossibile scrivere " + file.string());
}

// Codes with which the reading stops inside the line half: the train
// description is then never opened and stays where it is.
bool codice_della_sola_linea(int32_t c) {
  switch (c) {
    case codice::lunghezza_eccessiva:
    case codice::ripetizione_inizio_fuori_passo:
    case codice::ripetizione_fine_fuori_passo:
    case codice::ripetizione_senza_codici:
    case codice::cartello_occupato:
    case codice::indicatore_occupato:
    case codice::generale_mancante:
    case codice::curva_errata:
      return true;
    default:
      return false;
  }
}

template <class T>
void errore_spiegato(const decodifica<T>& d, const char* quale) {
  if (!d && d.errore.empty()) throw violazione(std::string(quale) + ": rifiutato senza motivo");
}

void confronta(const std::string& ricodificato, std::string_view byte, const char* quale) {
  if (ricodificato != byte)
    throw violazione(std::string(quale) + ": accettato, ma non si ricodifica negli stessi byte");
}

}  // namespace

void prova_lettore_campi(std::string_view byte) {
  if (byte.empty()) return;
  const auto scelta = static_cast<unsigned char>(byte[0]);
  const std::string testo(byte.substr(1));
  const int righe = righe_del_testo(testo);
  lettore_campi f(testo);

  std::size_t letture = 0;
  int linea = f.linea();
  while (!f.a_fine()) {
    // Every read uses up at least one byte, so a file of n bytes takes at
    // most n reads: anything more is a reader that stopped moving.
    if (++letture > testo.size()) throw violazione("il lettore non avanza");
    try {
      switch ((scelta >> (2 * (letture % 4))) & 3u) {
        case 0:
          if (f.leggi_testo().size() > testo.size()) throw violazione("campo più lungo del file");
          break;
        case 1:
          f.leggi_numero<int32_t>();
          break;
        case 2:
          f.leggi_numero<int16_t>();
          break;
        default:
          f.leggi_numero<uint8_t>();
          break;
      }
    } catch (const guasto&) {
      // A number too wide for its field; the reader has gone past it.
    }
    if (f.linea() < linea || f.linea() > righe) throw violazione("numero di riga fuori dal file");
    linea = f.linea();
  }

  // Reading on from the end is a guasto, whatever the kind of field.
  for (int tipo = 0; tipo < 2; ++tipo) {
    bool guasto_visto = false;
    try {
      if (tipo == 0)
        f.leggi_testo();
      else
        f.leggi_numero<int32_t>();
    } catch (const guasto&) {
      guasto_visto = true;
    }
    if (!guasto_visto) throw violazione("lettura oltre la fine senza guasto");
  }
}

coppia_descrizioni dividi_descrizioni(std::string_view byte) {
  const auto dove = byte.find(separatore_treno);
  if (dove == std::string_view::npos) return {std::string(byte), std::nullopt};
  std::string_view treno = byte.substr(dove + separatore_treno.size());
  if (treno.starts_with("\r\n"))
    treno.remove_prefix(2);
  else if (treno.starts_with("\n"))
    treno.remove_prefix(1);
  return {std::string(byte.substr(0, dove)), std::string(treno)};
}

std::string unisci_descrizioni(std::string_view linea, std::string_view treno) {
  return std::string(linea) + std::string(separatore_treno) + "\r\n" + std::string(treno);
}

void prova_memorizza_dati(std::string_view byte, const std::filesystem::path& cartella) {
  const coppia_descrizioni d = dividi_descrizioni(byte);
  stato_compilazione s;
  s.nome_percorso = "P";
  s.nome_treno = "T";
  s.cartella = cartella;
  s.cartella_uscita = cartella;
  const auto file_linea = percorso_file(cartella, nome_descrizione_linea(s.nome_percorso));
  const auto file_treno =
      percorso_file(cartella, nome_descrizione_treno(s.nome_percorso, s.nome_treno));
  std::filesystem::remove(file_treno);
  scrivi(file_linea, d.linea);
  if (d.treno) scrivi(file_treno, *d.treno);

  s.genera_tracciato = byte.size() % 2 == 0 ? 1 : 0;
  memorizza_dati(s);  // anything it throws is a fault

  if (significato(s.codice_errore).empty())
    throw violazione("codice sconosciuto " + std::to_string(s.codice_errore));
  if (std::filesystem::exists(file_linea))
    throw violazione("la descrizione della linea è rimasta");
  const bool resta_treno = std::filesystem::exists(file_treno);
  if (resta_treno != (d.treno && codice_della_sola_linea(s.codice_errore)))
    throw violazione(std::string("descrizione del treno ") + (resta_treno ? "rimasta" : "cancellata") +
                     " con il codice " + std::to_string(s.codice_errore));
  std::filesystem::remove(file_treno);

  if (!s.griglia_esiste()) return;
  tavole_orientamento(s);
  timbra(s);
  std::string byte_uscita;
  for (const voce_linea& v : s.tabella_linea) {
    if (v.testo.size() > testo_massimo) throw violazione("testo troppo lungo nella tabella");
    codifica_voce(byte_uscita, v);
  }
  for (const cella& c : s.celle) codifica_cella(byte_uscita, c);
}

void prova_decodificatori(std::string_view byte) {
  if (const auto celle = decodifica_celle(byte)) {
    std::string r;
    for (const cella& c : *celle.valore) codifica_cella(r, c);
    confronta(r, byte, "celle");
  } else {
    errore_spiegato(celle, "celle");
  }

  if (const auto tabella_letta = decodifica_tabella(byte)) {
    std::string r;
    for (const voce_linea& v : *tabella_letta.valore) codifica_voce(r, v);
    confronta(r, byte, "tabella");
  } else {
    errore_spiegato(tabella_letta, "tabella");
  }

  if (const auto piano = decodifica_tracciato(byte)) {
    const tracciato_metri& t = *piano.valore;
    std::string r;
    for (int asse = 0; asse <= 1; ++asse)
      for (int64_t m = 0; m <= t.ultimo_metro(); ++m) codifica_elemento(r, t, m, asse);
    confronta(r, byte, "tracciato");
    if (!decodifica_tracciato(byte, t.ultimo_metro()))
      throw violazione("tracciato rifiutato con la sua stessa lunghezza");
    if (decodifica_tracciato(byte, t.ultimo_metro() - 1))
      throw violazione("tracciato accettato con una lunghezza diversa");
  } else {
    errore_spiegato(piano, "tracciato");
  }
}

}  // namespace gara::fuzz
