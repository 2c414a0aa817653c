#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "editore/coppia.h"
#include "editore/verificato.h"
#include "file/notifiche_cartella.h"
#include "modello/sorgenti.h"
#include "protocollo/posizioni.h"
#include "verifica/verifica.h"

namespace gara::editore {

// The language server without its streams: each message in, the messages
// to send out. The loop that frames them (servizio.h) also asks it, when
// no more input waits, for the checks the changes have left pending, so
// that a burst of changes is checked once, on the newest text.
class server {
 public:
  // A message's body as received; the answers and notifications to send.
  std::vector<nlohmann::json> ricevi(const std::string& corpo);
  // Checks every scenario a change has touched since the last call and
  // returns the diagnostics to publish.
  std::vector<nlohmann::json> verifica_in_attesa();

  // The folders (UTF-8, ending in "/") of the descriptions open in the
  // editor: where a change on disk may concern a checked scenario.
  std::set<std::string> cartelle_aperte() const;
  // What the folder's notifications saw in `cartella` (one of those):
  // the scenarios whose descriptions or timetable card not open in the
  // editor now hold other bytes, or gained a description, are checked
  // again; returns the diagnostics to publish.
  std::vector<nlohmann::json> cambiati_su_disco(const std::string& cartella, const cambiamenti& c);

  // Whether `exit` arrived, and the process's status then: 0 after
  // `shutdown`, 1 without.
  bool finito() const { return finito_; }
  int stato_uscita() const { return spento_ ? 0 : 1; }

 private:
  using json = nlohmann::json;
  using gestore = json (server::*)(const json& parametri);

  std::vector<json> gestisci(const json& m);
  json inizializza(const json& p);
  json spegni(const json& p);
  json apri(const json& p);
  json cambia(const json& p);
  json chiudi(const json& p);
  json al_passaggio(const json& p);
  json formatta_tutto(const json& p);
  json azioni(const json& p);
  json simboli_documento(const json& p);
  json pieghe_documento(const json& p);
  json gettoni_documento(const json& p);
  json gettoni_intervallo(const json& p);
  json suggerimenti_documento(const json& p);
  json completa(const json& p);
  json firma_voce(const json& p);

  // The checked scenario and file of a request's document; nothing for a
  // file no scenario holds.
  std::optional<std::pair<const scenario_verificato*, const file_verificato*>> verificato_di(const json& p) const;
  // The line of an open document up to a request's position, and whether
  // it is a line description; nothing for another file.
  std::optional<std::pair<std::string, bool>> riga_fino_a(const json& p) const;
  json formatta_intervallo(const json& p);
  json modifiche_formattazione(const json& p, std::size_t prima, std::size_t ultima);

  // The checked file at a request's document and the place of its
  // position there (line from 0, character from 0 in characters); nothing
  // for a file no scenario holds. parametri_errati for a position out of it.
  struct punto {
    const scenario_verificato* scenario;
    const file_verificato* file;
    std::size_t linea;
    std::size_t carattere;
  };
  std::optional<punto> punto_di(const json& p) const;

  std::string percorso_del(const json& p) const;  // of params.textDocument.uri
  std::vector<std::string> nomi_in(const std::string& cartella) const;
  void segna_da_verificare(const std::string& percorso);
  file_verificato file_di(const std::string& percorso, descrizione& d, std::vector<diagnostica>& problemi);
  std::vector<json> pubblica(const scenario_verificato& s) const;
  json diagnostica_lsp(const diagnostica& d, const file_verificato& f, const scenario_verificato& s) const;

  bool inizializzato_ = false;
  bool spento_ = false;
  bool finito_ = false;
  protocollo::codifica codifica_ = protocollo::codifica::utf16;
  std::map<std::string, documento> aperti_;  // by path
  std::set<std::string> da_verificare_;      // paths of changed descriptions
  std::map<std::string, scenario_verificato> verificati_;  // by the line file's path
  std::vector<nlohmann::json> in_uscita_;     // notifications a handler leaves to send
  // Notes what a check read of `percorso`, when it came from disk and not
  // from an open buffer.
  void ricorda_se_dal_disco(const std::string& percorso, const descrizione& d);
  // The files a check read from disk (not open), by path, with the hash
  // of what it read (nothing for a file that was not there).
  std::map<std::string, std::optional<uint64_t>> letti_da_disco_;
  // Files just read from disk to see whether they changed, kept for the
  // check that follows so that it does not read them again.
  std::map<std::string, descrizione> appena_letti_;
};

}  // namespace gara::editore
