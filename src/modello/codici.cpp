#include "modello/codici.h"

#include <array>

namespace gara {

namespace {

// Whether the entry (or pass) that leaves a code also records its metre in
// posizione_errore.
enum metro : bool { senza_metro = false, con_metro = true };

struct voce_codice {
  int32_t numero;
  metro posizione;
  std::string_view testo;
};

// The one table of meanings: add a code above and its line here.
constexpr std::array<voce_codice, 27> significati{{
    {codice::nessuno, senza_metro, "nessun problema"},
    {codice::lunghezza_eccessiva, senza_metro, "lunghezza del percorso oltre 1000000 m"},
    {codice::progressiva_fuori_passo, senza_metro,
     "progressiva chilometrica con primo o secondo valore non multiplo di 50"},
    {codice::ripetizione_inizio_fuori_passo, senza_metro,
     "inizio della ripetizione segnali non multiplo di 50"},
    {codice::ripetizione_fine_fuori_passo, senza_metro, "fine della ripetizione segnali non multipla di 50"},
    {codice::ripetizione_senza_codici, senza_metro, "ripetizione segnali senza \"4\" né \"9\" codici"},
    {codice::cartello_occupato, con_metro, "cartello indicatore su una cella già occupata"},
    {codice::abbattimento_occupato, con_metro, "abbattimento su una cella già occupata"},
    {codice::stazione_fuori_passo, con_metro, "posizione della stazione non multipla di 50"},
    {codice::marciapiede_fuori_passo, con_metro, "lunghezza del marciapiede non multipla di 100"},
    {codice::troppe_stazioni, senza_metro, "nessun posto libero nella tabella della linea per altre stazioni"},
    {codice::tavola_segnale_impossibile, con_metro,
     "nessuna cella libera per la tavola di orientamento prima di un segnale"},
    {codice::tavola_fascia_impossibile, con_metro,
     "nessuna cella libera per la tavola di orientamento prima di un rallentamento"},
    {codice::tavola_rallentamento_impossibile, con_metro,
     "nessuna cella libera per la tavola di orientamento lungo o dopo un rallentamento"},
    {codice::oltre_griglia, con_metro, "posizione troppo vicina alla fine della griglia o oltre"},
    {codice::segnale_occupato, con_metro, "segnale su una cella già occupata"},
    {codice::avviso_rallentamento_occupato, con_metro, "punto di avviso del rallentamento già occupato"},
    {codice::inizio_rallentamento_occupato, con_metro, "inizio del rallentamento su una cella già occupata"},
    {codice::fine_rallentamento_occupato, con_metro, "fine del rallentamento su una cella già occupata"},
    {codice::numerate_rallentamento_occupate, con_metro,
     "celle prima dell'avviso del rallentamento già occupate"},
    {codice::indicatore_occupato, con_metro, "indicatore di velocità massima su una cella già occupata"},
    {codice::stazioni_troppo_vicine, con_metro, "marciapiede troppo vicino alla stazione precedente"},
    {codice::marciapiede_troppo_vicino_inizio, senza_metro,
     "fine del marciapiede troppo vicina all'inizio della linea"},
    {codice::guasto_lettura, senza_metro, "errore imprevisto nella lettura delle descrizioni"},
    {codice::linea_mancante, senza_metro, "file della descrizione della linea mancante"},
    {codice::generale_mancante, senza_metro, "sezione \"[generale]\" mancante nella descrizione della linea"},
    {codice::curva_errata, senza_metro,
     "curva senza cifra di curvatura, o tracciato oltre 1000000 m"},
}};

const voce_codice* cerca(int32_t codice_errore) {
  for (const auto& v : significati)
    if (v.numero == codice_errore) return &v;
  return nullptr;
}

}  // namespace

std::string_view significato(int32_t codice_errore) {
  const voce_codice* v = cerca(codice_errore);
  return v ? v->testo : std::string_view{};
}

std::string numero_arresto(arresto a) { return std::to_string(static_cast<int32_t>(a)); }

std::string_view significato(arresto a) {
  switch (a) {
    case arresto::nessuno: return "nessun arresto";
    case arresto::timbro_occupato:
      return "il campo intero_a della voce 85 o il dato1 della cella 1 è già usato";
    case arresto::codici_occupati:
      return "il campo orario della voce 85 o il dato2 della cella 1 è già usato";
  }
  return "posti del timbro già usati";
}

bool registra_metro(int32_t codice_errore) {
  const voce_codice* v = cerca(codice_errore);
  return v && v->posizione == con_metro;
}

}  // namespace gara
