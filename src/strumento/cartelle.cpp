#include "strumento/cartelle.h"

#include <system_error>

#include "cartella/compila_in_cartella.h"
#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "verifica/verifica.h"
#include "file/motivo_sistema.h"

namespace gara::strumento {

bool cartella_esistente(const std::filesystem::path& cartella, std::ostream& errori) {
  std::error_code e;
  const auto stato = std::filesystem::status(cartella, e);
  if (!std::filesystem::exists(stato)) {
    errori << "scenario: la cartella " << tra_virgolette(cartella) << " non esiste\n";
    return false;
  }
  if (!std::filesystem::is_directory(stato)) {
    errori << "scenario: " << tra_virgolette(cartella) << " non è una cartella\n";
    return false;
  }
  return true;
}

bool cartella_da_scrivere(const std::filesystem::path& cartella, std::ostream& errori) {
  std::error_code e;
  const auto stato = std::filesystem::status(cartella, e);
  if (std::filesystem::exists(stato)) {
    if (std::filesystem::is_directory(stato)) return true;
    errori << "scenario: " << tra_virgolette(cartella) << " non è una cartella\n";
    return false;
  }
  std::filesystem::create_directories(cartella, e);
  if (e) {
    errori << "scenario: impossibile creare la cartella " << tra_virgolette(cartella) << ": "
           << motivo_errore(e) << "\n";
    return false;
  }
  return true;
}

descrizione scheda_in_cartella(const std::filesystem::path& cartella, const identita& id) {
  const std::string nome = nome_scheda(id.nome_percorso, id.nome_treno);
  return leggi_descrizione(percorso_file(cartella, nome), da_windows1252(nome));
}

std::optional<scenario_in_cartella> scenario_della_cartella(const std::filesystem::path& cartella,
                                                           const std::string& percorso, const std::string& treno,
                                                           std::ostream& errori) {
  if (!cartella_esistente(cartella, errori)) return std::nullopt;
  const auto id = identita_per_cartella(cartella, percorso, treno, errori);
  if (!id) return std::nullopt;
  scenario_in_cartella s{*id, leggi_descrizioni(cartella, *id), std::nullopt};
  descrizione scheda = scheda_in_cartella(cartella, *id);
  // A file the names given do not find, or cannot read, is the user's
  // mistake or the disk's, not the scenario's; the card may be missing.
  for (const descrizione* x : {&s.descrizioni.linea, &s.descrizioni.treno, &scheda}) {
    if (x->illeggibile) {
      errori << "scenario: " << *x->illeggibile << "\n";
      return std::nullopt;
    }
    if (x != &scheda && !x->presente()) {
      errori << "scenario: nella cartella " << tra_virgolette(cartella) << " manca la descrizione "
             << (x == &s.descrizioni.linea ? "della linea" : "del treno") << " \"" << x->nome << "\"\n";
      return std::nullopt;
    }
  }
  if (scheda.byte) s.scheda = orario::testo_scheda{scheda.nome, *scheda.byte};
  return s;
}

}  // namespace gara::strumento
