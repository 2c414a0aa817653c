#include "lettura/memorizza_dati.h"

#include "avvio/file.h"
#include "lettura/descrizione_linea.h"
#include "lettura/descrizione_treno.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"

namespace gara {

void memorizza_dati(stato_compilazione& s) {
  const auto file_linea = percorso_file(s.cartella, nome_descrizione_linea(s.nome_percorso));
  const auto file_treno =
      percorso_file(s.cartella, nome_descrizione_treno(s.nome_percorso, s.nome_treno));

  // The recovery routine: whatever fails while the descriptions are read
  // ends the reading with code 25, the files gone, what was stored kept.
  const auto recupero = [&] {
    s.cancella_descrizione(file_linea);
    s.cancella_descrizione(file_treno);
    s.segna_errore(codice::guasto_lettura);
  };
  try {
    s.voce_in(voce::sfondi).testo = s.nome_percorso;
    s.voce_in(voce::treno).testo = s.nome_treno;

    if (!esiste_file(file_linea)) {
      s.voce_corrente = origine{da_windows1252(nome_descrizione_linea(s.nome_percorso)), {}};
      s.segna_errore(codice::linea_mancante);
      return;
    }
    int32_t posto_cartello = voce::primo_cartello;
    if (leggi_descrizione_linea(s, file_linea, posto_cartello) == esito_linea::termina) return;

    s.voce_corrente =
        origine{da_windows1252(nome_descrizione_treno(s.nome_percorso, s.nome_treno)), {}};
    leggi_descrizione_treno(s, posto_cartello);
  } catch (const guasto&) {
    recupero();
  } catch (const errore_file&) {
    recupero();
  }
}

}  // namespace gara
