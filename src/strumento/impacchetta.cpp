#include "strumento/impacchetta.h"

#include <stdexcept>

#include "cartella/compila_in_cartella.h"
#include "cartella/identita.h"
#include "cartella/pacchetto_sostituibile.h"
#include "cartella/programmi_pacchetto.h"
#include "cartella/testi_in_cartella.h"
#include "file/file.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"
#include "resoconto/diagnostiche.h"
#include "scenario/dati.h"
#include "strumento/cartelle.h"
#include "strumento/uscite.h"
#include "verifica/verifica.h"

namespace gara::strumento {

namespace {

// The check's problems shown before packing, as `verifica` shows them.
constexpr std::size_t diagnostiche_mostrate = 200;

const char* nome_piattaforma(bool windows) { return windows ? "Windows" : "Linux"; }

}  // namespace

int comando_impacchetta(const opzioni_impacchetta& o, std::ostream& out, std::ostream& err) {
  if (o.piattaforma == piattaforma_pacchetto::entrambe && o.uscita) {
    err << "scenario: -o nomina un solo file: con --piattaforma entrambe i due pacchetti prendono "
           "il loro nome nella cartella corrente\n";
    return uscita::uso;
  }
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err);
  if (!id) return uscita::uso;

  // The five texts, as `estrai` writes them.
  const testi_letti t = leggi_testi(o.cartella, *id);
  if (!t.mancanti.empty()) {
    err << "scenario: nella cartella " << tra_virgolette(o.cartella)
        << " mancano testi dello scenario; nessun pacchetto è stato scritto:\n";
    for (const auto& nome : t.mancanti) err << "  " << nome << "\n";
    err << "Un pacchetto porta le due descrizioni e i tre documenti per il macchinista "
           "(scenario estrai li scrive tutti e cinque).\n";
    return uscita::uso;
  }
  const scenario_carico& s = t.scenario;

  // The check first: errors stop it, unless forced; warnings are shown.
  const sorgenti d = leggi_descrizioni(o.cartella, *id);
  const esito_verifica v = verifica(d, {id->nome_percorso, id->nome_treno, true});
  if (!v.diagnostiche.empty()) scrivi_verifica(v, d, err, diagnostiche_mostrate);
  if (v.errori > 0) {
    if (!o.forza) {
      err << "scenario: " << v.errori << (v.errori == 1 ? " errore" : " errori") << " e " << v.avvisi
          << (v.avvisi == 1 ? " avviso" : " avvisi")
          << " nello scenario: nessun pacchetto è stato scritto (con --forza lo si scrive "
             "comunque)\n";
      return uscita::codice_errore;
    }
    err << "scenario: " << v.errori << (v.errori == 1 ? " errore" : " errori")
        << " nello scenario: il pacchetto è scritto comunque (--forza)\n";
  }

  std::vector<bool> piattaforme;
  if (o.piattaforma != piattaforma_pacchetto::per_linux) piattaforme.push_back(true);
  if (o.piattaforma != piattaforma_pacchetto::per_windows) piattaforme.push_back(false);
  // Every program is found and read before anything is written.
  std::vector<std::string> programmi;
  for (const bool windows : piattaforme) {
    const std::string nome = nome_programma(windows);
    const auto cartelle = cartelle_programmi();
    const auto trovato = trova_programma(windows, cartelle);
    if (!trovato) {
      err << "scenario: manca il programma del pacchetto per " << nome_piattaforma(windows) << ", \""
          << nome << "\"; cercato in:\n";
      for (const auto& c : cartelle) err << "  " << tra_virgolette(c) << "\n";
      err << "Indica la sua cartella con la variabile " << variabile_programmi
          << (windows ? " (lo produce la compilazione con il preset windows: build/windows/src/)"
                      : " (lo produce la compilazione per Linux, accanto allo strumento)")
          << "; nessun pacchetto è stato scritto.\n";
      return uscita::uso;
    }
    try {
      programmi.push_back(impacchetta(leggi_file(*trovato), s));
    } catch (const std::invalid_argument& e) {
      err << "scenario: " << tra_virgolette(*trovato) << ": " << e.what() << "\n";
      return uscita::uso;
    }
  }

  for (std::size_t i = 0; i < piattaforme.size(); ++i) {
    const bool windows = piattaforme[i];
    const std::filesystem::path file =
        o.uscita.value_or(percorso_file(".", nome_pacchetto(id->nome_percorso, id->nome_treno, windows)));
    if (!pacchetto_sostituibile(file)) {
      err << "scenario: " << tra_virgolette(file) << " esiste e non è un pacchetto: non viene sostituito\n";
      return uscita::uso;
    }
    sostituisci_file(file, programmi[i]);
    if (!windows) {
      std::error_code e;
      using std::filesystem::perms;
      std::filesystem::permissions(file, perms::owner_exec | perms::group_exec | perms::others_exec,
                                   std::filesystem::perm_options::add, e);
    }
    out << "Pacchetto per " << nome_piattaforma(windows) << ": " << tra_virgolette(file) << " ("
        << programmi[i].size() << " byte)\n";
  }
  return uscita::riuscita;
}

}  // namespace gara::strumento
