#include "avvio/avvio.h"

#include "avvio/finestra.h"
#include "cartella/compila_in_cartella.h"
#include "cartella/testi_in_cartella.h"
#include "file/file.h"
#include "modello/codici.h"
#include "modello/ordine_byte.h"
#include "modello/windows1252.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"

namespace gara {

// The locator of this program: the mark, then the payload's start and
// length in the program's file, which `scenario impacchetta` sets in its
// copies. Volatile, so that the values are read from the file's bytes as
// loaded and never folded by the compiler.
struct localizzatore_programma {
  unsigned char marca[16];
  unsigned char posizione[16];
};
static_assert(sizeof(localizzatore_programma) == lunghezza_localizzatore);

namespace {
constexpr auto& m = marca_localizzatore;
}  // namespace

extern volatile localizzatore_programma localizzatore_proprio;
volatile localizzatore_programma localizzatore_proprio = {
    {m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14], m[15]},
    {}};

namespace {

std::uint64_t da_localizzatore(int primo) {
  // Read byte by byte from the volatile record, then put together.
  unsigned char b[8];
  for (int k = 0; k < 8; ++k) b[k] = localizzatore_proprio.posizione[primo + k];
  return leggi_le<std::uint64_t>(b);
}

std::string messaggio_carico(const esito_carico& e, const std::string& programma) {
  const std::string inizio = "il pacchetto \"" + programma + "\" ";
  const std::string fine = ". Nessun file è stato scritto.";
  if (e.difetto == difetto_carico::versione_nuova)
    return inizio + "è stato preparato per una versione più recente del programma: " + e.motivo + fine;
  return inizio + "è danneggiato: " + e.motivo + ". Scaricalo o preparalo di nuovo" + fine;
}

}  // namespace

piattaforma::piattaforma() : titolo_(finestra::titolo()) {}

posizione_carico carico_proprio() { return {da_localizzatore(0), da_localizzatore(8)}; }


void errore(piattaforma& p, const std::string& a) {
  p.messaggio(messaggio_errore(a));
  p.termina(uscita_programma::errore_scenario);
}

void sequenza_avvio(piattaforma& p, posizione_carico carico) {
  // The identity and the five texts: the payload's, or the shipped ones.
  scenario_carico s;
  if (carico.inizio == 0 && carico.lunghezza == 0) {
    s = scenario_spedito();
  } else {
    const auto file = p.file_programma();
    esito_carico e;
    try {
      e = carico_nel_file(leggi_file(file), carico.inizio, carico.lunghezza);
    } catch (const errore_file& x) {
      e = {std::nullopt, difetto_carico::troncato, x.what(), std::nullopt};
    }
    if (!e.scenario) {
      p.imposta_titolo(nome_leggibile(file.stem()));
      p.segnala_guasto(messaggio_carico(e, nome_leggibile(file.filename())));
      p.termina(uscita_programma::pacchetto_danneggiato);
    }
    s = std::move(*e.scenario);
  }
  const std::string& nome_percorso = s.nome_percorso;
  const std::string& nome_treno = s.nome_treno;
  p.imposta_titolo(da_windows1252(nome_percorso + "_" + nome_treno));

  p.mostra_finestra();
  p.ridisegna_finestra();
  arresto fermata = arresto::nessuno;
  try {
    const auto cartella = p.cartella_programma();
    scrivi_testi(cartella, s);
    // The compile reads the two descriptions back from the folder; the
    // package then deletes those it has read, and writes the binaries.
    compilazione_in_cartella c;
    compila_in_cartella({cartella, cartella, {nome_percorso, nome_treno}, true, true}, c);
    fermata = c.fermata();
  } catch (const errore_file& e) {
    p.segnala_guasto(e.what());
    p.termina(uscita_programma::guasto_file);
  }
  if (fermata != arresto::nessuno) errore(p, numero_arresto(fermata));
  p.termina(uscita_programma::riuscita);
}

}  // namespace gara
