#include "verifica/catalogo.h"

#include <array>

#include "modello/codici.h"

namespace gara {

namespace {

constexpr gravita E = gravita::errore;
constexpr gravita A = gravita::avviso;

// The one table of the check's diagnostics: add a kind here, with a
// fixture in the tests that shows it.
constexpr std::array<voce_catalogo, 49> voci{{
    {"V001", E, codice::lunghezza_eccessiva, "lunghezza del percorso oltre 1000000 m"},
    {"V002", E, codice::progressiva_fuori_passo, "progressiva chilometrica con valori non multipli di 50"},
    {"V003", E, codice::ripetizione_inizio_fuori_passo, "inizio della ripetizione segnali non multiplo di 50"},
    {"V004", E, codice::ripetizione_fine_fuori_passo, "fine della ripetizione segnali non multipla di 50"},
    {"V005", E, codice::ripetizione_senza_codici, "ripetizione segnali senza \"4\" né \"9\" codici"},
    {"V006", E, codice::cartello_occupato, "cartello indicatore su una cella già occupata"},
    {"V007", E, codice::abbattimento_occupato, "abbattimento su una cella già occupata"},
    {"V008", E, codice::stazione_fuori_passo, "posizione della stazione non multipla di 50"},
    {"V009", E, codice::marciapiede_fuori_passo, "lunghezza del marciapiede non multipla di 100"},
    {"V010", E, codice::troppe_stazioni, "nessun posto libero nella tabella della linea per un'altra stazione"},
    {"V011", E, codice::tavola_segnale_impossibile,
     "nessuna cella libera per la tavola di orientamento prima di un segnale"},
    {"V012", E, codice::tavola_fascia_impossibile,
     "nessuna cella libera per la tavola di orientamento prima di un rallentamento"},
    {"V013", E, codice::tavola_rallentamento_impossibile,
     "nessuna cella libera per la tavola di orientamento lungo o dopo un rallentamento"},
    {"V015", E, codice::oltre_griglia, "posizione troppo vicina alla fine della griglia o oltre"},
    {"V016", E, codice::segnale_occupato, "segnale su una cella già occupata"},
    {"V017", E, codice::avviso_rallentamento_occupato, "punto di avviso del rallentamento già occupato"},
    {"V018", E, codice::inizio_rallentamento_occupato, "inizio del rallentamento su una cella già occupata"},
    {"V019", E, codice::fine_rallentamento_occupato, "fine del rallentamento su una cella già occupata"},
    {"V020", E, codice::numerate_rallentamento_occupate,
     "celle prima dell'avviso del rallentamento già occupate"},
    {"V021", E, codice::indicatore_occupato, "indicatore di velocità massima su una cella già occupata"},
    {"V022", E, codice::stazioni_troppo_vicine, "marciapiede troppo vicino a quello della stazione precedente"},
    {"V024", E, codice::marciapiede_troppo_vicino_inizio, "fine del marciapiede troppo vicina all'inizio della linea"},
    {"V025", E, codice::guasto_lettura,
     "valore che non entra nel suo campo, indice fuori dalla sua tabella, voce troncata o file illeggibile"},
    {"V101", E, codice::linea_mancante, "file della descrizione della linea mancante"},
    {"V102", E, codice::generale_mancante, "sezione \"[generale]\" mancante nella descrizione della linea"},
    {"V103", E, codice::curva_errata, "curva senza cifra di curvatura, o tracciato oltre 1000000 m"},
    {"V1250", E, static_cast<int32_t>(arresto::timbro_occupato),
     "lo scenario non può essere timbrato: intero_a della voce 85 o dato1 della cella 1 già usati"},
    {"V1251", E, static_cast<int32_t>(arresto::codici_occupati),
     "lo scenario non può essere timbrato: orario della voce 85 o dato2 della cella 1 già usati"},
    {"V201", A, 0, "campo numerico che non è un intero semplice: il compilatore ne legge solo l'inizio"},
    {"V202", A, 0, "curva letta come sinistra per una \"s\" della parola chiave che non dice sinistra"},
    {"V203", A, 0, "riga che nessuna parola chiave riconosce: il compilatore la salta"},
    {"V204", A, 0, "voce con più valori di quelli che la sua parola chiave prende"},
    {"V205", E, 0, "voce con meno valori sulla sua riga: i mancanti sono presi dalla riga dopo, la cui voce va persa"},
    {"V206", A, 0, "posizione negativa o oltre la fine della linea"},
    {"V207", A, 0, "posizione che torna indietro dove la lettura le vuole crescenti"},
    {"V208", A, 0, "rallentamento a 110 km/h o più: le sue tavole di avviso non vengono poste"},
    {"V209", A, 0, "valore che il formato accetta ma che nessuna linea reale ha"},
    {"V210", A, 0, "file salvato in UTF-8: ogni lettera accentata diventa due caratteri"},
    {"V211", A, 0, "fine riga diversa da CR LF"},
    {"V212", A, 0, "due stazioni con lo stesso nome"},
    {"V213", E, 0, "parola chiave simile a una nota ma diversa: la voce viene saltata e va persa"},
    {"V214", E, 0, "descrizione del treno vuota o senza \"[generale]\": il compilatore non ne legge nulla"},
    {"V215", E, 0, "descrizione del treno senza stazioni"},
    {"V216", E, 0, "descrizione del treno senza velocità: tutta la linea resta a 0 km/h"},
    {"V217", E, 0, "stazione con per nome una parola chiave o un numero: un valore manca o è di troppo"},
    {"V218", E, 0, "stazioni non in ordine di posizione crescente"},
    {"V219", E, 0, "orario fuori dai limiti: ore oltre 23, minuti o secondi oltre 59"},
    {"V220", E, 0, "tratto della linea con velocità 0: il treno non può percorrerlo"},
    {"V221", A, 0, "migliaia separate da uno spazio: due valori invece di uno, e i seguenti slittano"},
}};

}  // namespace

std::span<const voce_catalogo> catalogo() { return voci; }

const voce_catalogo* voce_del_codice(int32_t codice) {
  for (const auto& v : voci)
    if (v.livello == gravita::errore && v.codice != codice::nessuno && v.codice == codice) return &v;
  return nullptr;
}

const voce_catalogo* voce_dell_avviso(std::string_view identificativo) {
  for (const auto& v : voci)
    if (v.identificativo == identificativo) return &v;
  return nullptr;
}

std::string identificativo(const diagnostica& d) {
  if (!d.avviso.empty()) return d.avviso;
  if (const voce_catalogo* v = voce_del_codice(d.codice)) return std::string(v->identificativo);
  std::string numero = std::to_string(d.codice);
  while (numero.size() < 3) numero.insert(numero.begin(), '0');
  return "V" + numero;
}

std::string_view nome_gravita(gravita g) {
  switch (g) {
    case gravita::errore: return "errore";
    case gravita::avviso: return "avviso";
    case gravita::nota: return "nota";
  }
  return "errore";
}

}  // namespace gara
