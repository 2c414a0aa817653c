#include "avvio/avvio.h"

#include "avvio/file.h"
#include "modello/stato_compilazione.h"
#include "scenario/dati.h"
#include "uscita/memorizza_percorso.h"

namespace gara {

std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

void errore(piattaforma& p, const std::string& a) {
  p.messaggio(messaggio_errore(a));
  p.termina(uscita_programma::errore_scenario);
}

void sequenza_avvio(piattaforma& p) {
  stato_compilazione stato;
  stato.nome_percorso = percorso_del_pacchetto;
  stato.nome_treno = treno_del_pacchetto;

  p.mostra_finestra();
  p.ridisegna_finestra();
  try {
    const auto cartella = p.cartella_programma();
    stato.cartella = cartella;
    stato.cartella_uscita = cartella;

    dati_linea(cartella, stato.nome_percorso);
    dati_treno(cartella, stato.nome_percorso, stato.nome_treno);
    dati_note(cartella, stato.nome_percorso, stato.nome_treno);
    dati_rallentamenti(cartella, stato.nome_percorso, stato.nome_treno);
    dati_scheda(cartella, stato.nome_percorso, stato.nome_treno);

    int32_t j = 1;
    memorizza_percorso(stato, j);
  } catch (const errore_file& e) {
    p.segnala_guasto(e.what());
    p.termina(uscita_programma::guasto_file);
  }
  if (!stato.errore_fatale.empty()) errore(p, stato.errore_fatale);
  p.termina(uscita_programma::riuscita);
}

}  // namespace gara
