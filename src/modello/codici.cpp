#include "modello/codici.h"

#include <array>
#include <utility>

namespace gara {

namespace {

// The one table of meanings: add a code above and its text here.
constexpr std::array<std::pair<int32_t, std::string_view>, 27> significati{{
    {codice::nessuno, "nessun problema"},
    {codice::lunghezza_eccessiva, "lunghezza del percorso oltre 1000000 m"},
    {codice::progressiva_fuori_passo,
     "progressiva chilometrica con primo o secondo valore non multiplo di 50"},
    {codice::ripetizione_inizio_fuori_passo,
     "inizio della ripetizione segnali non multiplo di 50"},
    {codice::ripetizione_fine_fuori_passo, "fine della ripetizione segnali non multipla di 50"},
    {codice::ripetizione_senza_codici, "ripetizione segnali senza \"4\" né \"9\" codici"},
    {codice::cartello_occupato, "cartello indicatore su una cella già occupata"},
    {codice::abbattimento_occupato, "abbattimento su una cella già occupata"},
    {codice::stazione_fuori_passo, "posizione della stazione non multipla di 50"},
    {codice::marciapiede_fuori_passo, "lunghezza del marciapiede non multipla di 100"},
    {codice::troppe_stazioni, "nessun posto libero nella tabella della linea per altre stazioni"},
    {codice::tavola_segnale_impossibile,
     "nessuna cella libera per la tavola di orientamento prima di un segnale"},
    {codice::tavola_fascia_impossibile,
     "nessuna cella libera per la tavola di orientamento prima di un rallentamento"},
    {codice::tavola_rallentamento_impossibile,
     "nessuna cella libera per la tavola di orientamento lungo o dopo un rallentamento"},
    {codice::oltre_griglia, "posizione troppo vicina alla fine della griglia o oltre"},
    {codice::segnale_occupato, "segnale su una cella già occupata"},
    {codice::avviso_rallentamento_occupato, "punto di avviso del rallentamento già occupato"},
    {codice::inizio_rallentamento_occupato, "inizio del rallentamento su una cella già occupata"},
    {codice::fine_rallentamento_occupato, "fine del rallentamento su una cella già occupata"},
    {codice::numerate_rallentamento_occupate,
     "celle prima dell'avviso del rallentamento già occupate"},
    {codice::indicatore_occupato, "indicatore di velocità massima su una cella già occupata"},
    {codice::stazioni_troppo_vicine, "marciapiede troppo vicino alla stazione precedente"},
    {codice::marciapiede_troppo_vicino_inizio,
     "fine del marciapiede troppo vicina all'inizio della linea"},
    {codice::guasto_lettura, "errore imprevisto nella lettura delle descrizioni"},
    {codice::linea_mancante, "file della descrizione della linea mancante"},
    {codice::generale_mancante, "sezione \"[generale]\" mancante nella descrizione della linea"},
    {codice::curva_errata,
     "curva senza cifra di curvatura, o tracciato oltre 1000000 m"},
}};

}  // namespace

std::string_view significato(int32_t codice_errore) {
  for (const auto& [numero, testo] : significati)
    if (numero == codice_errore) return testo;
  return {};
}

}  // namespace gara
