#include "resoconto/resoconto.h"

#include "lettura/righe.h"
#include "resoconto/diagnostiche.h"
#include "modello/windows1252.h"

namespace gara {

namespace {

bool codice_del_passo_tavole(int32_t c) {
  return c == codice::tavola_segnale_impossibile || c == codice::tavola_fascia_impossibile ||
         c == codice::tavola_rallentamento_impossibile;
}

// Code 0, and yet the check found errors: scenarios the simulator loads
// damaged (a station or a file lost).
std::string tra_virgolette_testo(const std::string& testo) { return "\"" + testo + "\""; }

bool errori_taciuti(const compilazione_mostrata& c) {
  return c.risultato.codice_errore() == codice::nessuno && c.risultato.fermata == arresto::nessuno &&
         c.verifica && c.verifica->errori > 0;
}

// "  nel file "X", riga R, colonna C", then the line with a caret under the
// field, indented under the place.
void scrivi_luogo(const sorgenti& descrizioni, const luogo& o, std::ostream& out) {
  out << "  nel file " << tra_virgolette_testo(o.file);
  if (o.linea <= 0) {
    out << "\n";
    return;
  }
  out << ", riga " << o.linea;
  if (o.colonna > 0) out << ", colonna " << o.colonna;
  out << "\n";
  if (auto riga = riga_con_segno(descrizioni, o)) {
    for (std::size_t i = 0; i < riga->size();) {
      const std::size_t fine = riga->find('\n', i);
      out << "  " << riga->substr(i, fine - i) << "\n";
      i = fine == std::string::npos ? riga->size() : fine + 1;
    }
  }
}
constexpr const char* codice_0_con_errori =
    "codice 0, ma la verifica trova errori che il compilatore non segnala";


}  // namespace

std::string messaggio_codice(int32_t codice_errore) {
  const std::string_view testo = significato(codice_errore);
  if (testo.empty()) return "codice sconosciuto al compilatore";
  return std::string(testo);
}

std::string messaggio_arresto(arresto a) {
  return std::string(errore_n.substr(1)) + numero_arresto(a) + ": lo scenario non può essere timbrato, perché " +
         std::string(significato(a)) + "; nessun file binario è stato scritto";
}

void scrivi_resoconto(const compilazione_mostrata& c, std::ostream& out) {
  const risultato_compilazione& s = c.risultato;
  out << "Compilazione di " << tra_virgolette_testo(da_windows1252(s.modello.nome_percorso))
      << " con il treno " << tra_virgolette_testo(da_windows1252(s.modello.nome_treno))
      << " dalla cartella " << c.cartella << "\n";

  const bool fermata = s.fermata != arresto::nessuno;
  if (s.codice_errore() == codice::nessuno && fermata) {
    out << "Esito: errore " << numero_arresto(s.fermata) << ", lo scenario non può essere timbrato\n";
  } else if (s.codice_errore() == codice::nessuno && !errori_taciuti(c)) {
    out << "Esito: nessun problema (codice 0)\n";
  } else if (s.codice_errore() == codice::nessuno) {
    out << "Esito: " << codice_0_con_errori << "\n";
  } else {
    out << "Esito: codice " << s.codice_errore() << ", " << messaggio_codice(s.codice_errore()) << "\n";
    if (registra_metro(s.codice_errore())) out << "  al metro " << s.posizione_errore << "\n";
    const diagnostica* e = s.errore_in_vigore();
    if (e && e->dove) {
      scrivi_luogo(c.descrizioni, *e->dove, out);
    } else if (codice_del_passo_tavole(s.codice_errore())) {
      out << "  registrato dal passo delle tavole di orientamento, dopo la lettura\n";
    }
  }
  // Which entry took the stamp's field, as the check found it.
  if (fermata && c.verifica && c.verifica->fermata && c.verifica->fermata->dove) {
    if (s.codice_errore() != codice::nessuno)
      out << "Errore " << numero_arresto(s.fermata) << ", lo scenario non può essere timbrato\n";
    scrivi_luogo(c.descrizioni, *c.verifica->fermata->dove, out);
    out << "  " << c.verifica->fermata->motivo << "\n";
  }

  if (c.verifica && (c.verifica->errori > 0 || c.verifica->avvisi > 0))
    out << "Verifica: " << conteggio_problemi(c.verifica->errori, c.verifica->avvisi)
        << ": scenario verifica per i dettagli\n";

  if (s.fermata != arresto::nessuno) {
    out << "Lo scenario non può essere timbrato (errore " << numero_arresto(s.fermata)
        << "): nessun file scritto\n";
  } else if (c.scritti.empty()) {
    out << "Nessun file scritto: la lettura si è fermata prima di avere la griglia delle celle\n";
  } else {
    out << "File scritti in " << c.cartella_uscita;
    if (s.codice_errore() != codice::nessuno)
      out << " (come li scriverebbe il pacchetto, nonostante il codice)";
    out << ":\n";
    for (const auto& nome : c.scritti) out << "  " << nome << "\n";
  }
}

nlohmann::ordered_json resoconto_json(const compilazione_mostrata& c) {
  const risultato_compilazione& s = c.risultato;
  nlohmann::ordered_json j = nlohmann::ordered_json::object();
  j["codice_errore"] = s.codice_errore();
  j["posizione_errore"] = s.posizione_errore;
  if (s.fermata == arresto::nessuno) {
    j["errore"] = nullptr;
    j["messaggio"] = errori_taciuti(c) ? codice_0_con_errori : messaggio_codice(s.codice_errore());
  } else {
    j["errore"] = numero_arresto(s.fermata);
    j["messaggio"] = messaggio_arresto(s.fermata);
  }
  // The place of the code that stands; of the stop, when only the stop
  // stands and the check found its entry.
  const diagnostica* e = s.errore_in_vigore();
  if (!e && s.fermata != arresto::nessuno && c.verifica && c.verifica->fermata) e = &*c.verifica->fermata;
  if (e && e->dove) {
    j["file"] = e->dove->file;
    if (e->dove->linea > 0)
      j["riga"] = e->dove->linea;
    else
      j["riga"] = nullptr;
    if (e->dove->linea > 0 && e->dove->colonna > 0)
      j["colonna"] = e->dove->colonna;
    else
      j["colonna"] = nullptr;
  } else {
    j["file"] = nullptr;
    j["riga"] = nullptr;
    j["colonna"] = nullptr;
  }
  if (c.verifica)
    j["verifica"] = {{"errori", c.verifica->errori}, {"avvisi", c.verifica->avvisi}};
  else
    j["verifica"] = nullptr;
  j["scritti"] = c.scritti;
  return j;
}

}  // namespace gara
