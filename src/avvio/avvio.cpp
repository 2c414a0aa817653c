#include "avvio/avvio.h"

#include <vector>

#include "compilazione/compila.h"
#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "uscita/scrittura_binari.h"

namespace gara {

std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

void errore(piattaforma& p, const std::string& a) {
  p.messaggio(messaggio_errore(a));
  p.termina(uscita_programma::errore_scenario);
}

void sequenza_avvio(piattaforma& p) {
  const std::string nome_percorso = percorso_del_pacchetto;
  const std::string nome_treno = treno_del_pacchetto;

  p.mostra_finestra();
  p.ridisegna_finestra();
  arresto fermata = arresto::nessuno;
  try {
    const auto cartella = p.cartella_programma();
    // The five texts, each replaced whole, in their order.
    for (const auto& t : testi_scenario(nome_percorso, nome_treno))
      sostituisci_file(percorso_file(cartella, t.nome), t.byte);

    // The compile reads the two descriptions back from the folder; the
    // package then deletes those it has read, and writes the binaries.
    const risultato_compilazione r =
        compila(leggi_sorgenti(cartella, nome_percorso, nome_treno), {nome_percorso, nome_treno, 1});
    cancella_descrizioni(cartella, r.stato);
    fermata = r.stato.fermata;
    if (r.binari_da_scrivere()) {
      std::vector<std::string> scritti;
      scrivi_binari(r.stato, scrittura_in_cartella(cartella), scritti);
    }
  } catch (const errore_file& e) {
    p.segnala_guasto(e.what());
    p.termina(uscita_programma::guasto_file);
  }
  if (fermata != arresto::nessuno) errore(p, numero_arresto(fermata));
  p.termina(uscita_programma::riuscita);
}

}  // namespace gara
