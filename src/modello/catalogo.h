#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "modello/diagnostica.h"

namespace gara {

// Every kind of problem the system knows, by name: the codes of the format
// (which the package leaves in codice_errore), the two stops of the header
// stamp, and what the checking reading and the check of the scenario as a
// whole find besides (warnings, and errors of their own that carry no code).
// Emit sites name one of these; the words come from the catalogue.
enum class problema : uint8_t {
  lunghezza_eccessiva,
  progressiva_fuori_passo,
  ripetizione_inizio_fuori_passo,
  ripetizione_fine_fuori_passo,
  ripetizione_senza_codici,
  cartello_occupato,
  abbattimento_occupato,
  stazione_fuori_passo,
  marciapiede_fuori_passo,
  troppe_stazioni,
  tavola_segnale_impossibile,
  tavola_fascia_impossibile,
  tavola_rallentamento_impossibile,
  oltre_griglia,
  segnale_occupato,
  avviso_rallentamento_occupato,
  inizio_rallentamento_occupato,
  fine_rallentamento_occupato,
  numerate_rallentamento_occupate,
  indicatore_occupato,
  stazioni_troppo_vicine,
  marciapiede_troppo_vicino_inizio,
  guasto_lettura,
  linea_mancante,
  generale_mancante,
  curva_errata,
  timbro_occupato,
  codici_occupati,
  numero_non_intero,
  curva_letta_sinistra,
  riga_sconosciuta,
  valore_in_piu,
  valori_mancanti,
  posizione_fuori_linea,
  posizione_indietro,
  rallentamento_senza_tavole,
  valore_inverosimile,
  file_in_utf8,
  fine_riga_diversa,
  stazioni_omonime,
  parola_chiave_storpiata,
  treno_non_letto,
  treno_senza_stazioni,
  treno_senza_velocita,
  nome_stazione_sbagliato,
  stazioni_fuori_ordine,
  orario_fuori_limiti,
  velocita_zero,
  migliaia_con_spazio,
  orario_impossibile,
  orario_stretto,
  orario_all_indietro,
  scheda_riga_illeggibile,
  scheda_stazione_diversa,
  scheda_orario_diverso,
  scheda_chilometro_diverso,
  scheda_velocita_oltre_linea,
  tratta_non_percorribile,
  orario_senza_tratte,
  // Found by the language server in the editor's text.
  carattere_non_windows1252,
  aperto_come_utf8,
};

// One kind: its stable identifier ("V008", "V201"), its severity, the code
// of the format (or the stop's number; 0 for the kinds only the check
// finds), whether the compile records the metre with the code, its title
// (the reason a report gives), one line of explanation (the catalogue's
// listing), and the usual fix where there is one.
struct voce_catalogo {
  problema tipo;
  std::string_view identificativo;
  gravita livello;
  int32_t codice;
  bool con_metro;
  std::string_view titolo;
  std::string_view spiegazione;
  std::string_view rimedio;
};

// The whole catalogue: the codes in their order, the stops, then the rest.
std::span<const voce_catalogo> catalogo();
const voce_catalogo& voce_di(problema p);
// The entry of a code of the format or a stop's number, of an identifier;
// nullptr when there is none.
const voce_catalogo* voce_del_codice(int32_t codice);
const voce_catalogo* voce_dell_avviso(std::string_view identificativo);

// A diagnostic of a kind, at a place, with its reason in words: its
// identifier, severity and code from the catalogue.
diagnostica diagnostica_di(problema p, std::optional<luogo> dove, std::string motivo);

// The identifier of a diagnostic: its own, or the one of its code ("V" and
// the code on three digits at least).
std::string identificativo(const diagnostica& d);

// The Italian name of a severity: "errore", "avviso", "nota".
std::string_view nome_gravita(gravita g);

}  // namespace gara
