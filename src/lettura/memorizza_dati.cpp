#include "lettura/memorizza_dati.h"

#include "lettura/descrizione_linea.h"
#include "lettura/descrizione_treno.h"
#include "lettura/lettura_voci.h"
#include "modello/codici.h"
#include "modello/guasto.h"

namespace gara {

namespace {

// The bytes of a description; one that the file system could not give
// (missing, unreadable) is a failure.
const std::string& da_leggere(const descrizione& d) {
  if (d.illeggibile) throw guasto(*d.illeggibile);
  if (!d.byte) throw guasto("impossibile leggere \"" + d.nome + "\": file mancante");
  return *d.byte;
}

}  // namespace

void memorizza_dati(stato_compilazione& s, const sorgenti& d) {
  // The recovery routine: whatever fails while the descriptions are read
  // ends the reading with code 25, both files to be deleted, what was
  // stored kept. A failure that an entry already recorded is not recorded
  // twice.
  const auto recupero = [&](const guasto& g, bool segnalato) {
    s.cancella_linea = true;
    s.cancella_treno = true;
    if (segnalato)
      s.riafferma_errore(codice::guasto_lettura);
    else
      s.segna_errore_in(codice::guasto_lettura, s.voce_corrente,
                        std::string(significato(codice::guasto_lettura)) + ": " + g.what());
  };
  try {
    s.voce_in(voce::sfondi).testo = s.nome_percorso;
    s.voce_in(voce::treno).testo = s.nome_treno;

    s.voce_corrente = luogo{d.linea.nome};
    if (!d.linea.presente()) {
      s.segna_errore(codice::linea_mancante);
      return;
    }
    s.cancella_linea = true;
    int32_t posto_cartello = voce::primo_cartello;
    if (leggi_descrizione_linea(s, d.linea.nome, da_leggere(d.linea), posto_cartello) ==
        esito_linea::termina)
      return;

    // A checking reading that could not make the grid has nowhere to put
    // the train's entries.
    if (s.verifica() && !s.griglia_esiste()) return;
    s.cancella_treno = true;
    s.voce_corrente = luogo{d.treno.nome};
    leggi_descrizione_treno(s, d.treno.nome, da_leggere(d.treno), posto_cartello);
  } catch (const guasto_segnalato& g) {
    recupero(g, true);
  } catch (const guasto& g) {
    recupero(g, false);
  }
}

}  // namespace gara
