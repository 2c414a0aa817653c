#include "cartella/compila_in_cartella.h"

#include "file/scenario_su_disco.h"
#include "modello/codici.h"
#include "uscita/scrittura_binari.h"

namespace gara {

bool compilazione_in_cartella::riuscita() const {
  return risultato.codice_errore() == codice::nessuno;
}

sorgenti leggi_descrizioni(const std::filesystem::path& cartella, const identita& id) {
  return leggi_sorgenti(cartella, id.nome_percorso, id.nome_treno);
}

void compila_in_cartella(const richiesta_compilazione& r, compilazione_in_cartella& c) {
  c.descrizioni = leggi_descrizioni(r.cartella, r.id);
  c.risultato = compila(c.descrizioni, {r.id.nome_percorso, r.id.nome_treno, r.tracciato});
  if (r.cancella_descrizioni) cancella_descrizioni(r.cartella, c.risultato);
  if (c.risultato.binari_da_scrivere()) scrivi_binari(c.risultato.modello, scrittura_in_cartella(r.uscita), c.scritti);
}

}  // namespace gara
