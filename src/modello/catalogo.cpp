#include "modello/catalogo.h"

#include <array>

#include "modello/codici.h"
#include "modello/guasto.h"

namespace gara {

namespace {

constexpr gravita E = gravita::errore;
constexpr gravita A = gravita::avviso;
constexpr gravita N = gravita::nota;

// The one table of the system's problems, in the order of the enum: add a
// kind there and here, with a fixture in the tests that shows it.
constexpr std::array<voce_catalogo, 61> voci{{
    {problema::lunghezza_eccessiva, "V001", E, codice::lunghezza_eccessiva, false,
     "lunghezza del percorso oltre 1000000 m",
     "lunghezza del percorso oltre 1000000 m", ""},
    {problema::progressiva_fuori_passo, "V002", E, codice::progressiva_fuori_passo, false,
     "progressiva chilometrica con primo o secondo valore non multiplo di 50",
     "progressiva chilometrica con primo o secondo valore non multiplo di 50", ""},
    {problema::ripetizione_inizio_fuori_passo, "V003", E, codice::ripetizione_inizio_fuori_passo, false,
     "inizio della ripetizione segnali non multiplo di 50",
     "inizio della ripetizione segnali non multiplo di 50", ""},
    {problema::ripetizione_fine_fuori_passo, "V004", E, codice::ripetizione_fine_fuori_passo, false,
     "fine della ripetizione segnali non multipla di 50",
     "fine della ripetizione segnali non multipla di 50", ""},
    {problema::ripetizione_senza_codici, "V005", E, codice::ripetizione_senza_codici, false,
     "ripetizione segnali senza \"4\" né \"9\" codici",
     "ripetizione segnali senza \"4\" né \"9\" codici", ""},
    {problema::cartello_occupato, "V006", E, codice::cartello_occupato, true,
     "cartello indicatore su una cella già occupata",
     "cartello indicatore su una cella già occupata", ""},
    {problema::abbattimento_occupato, "V007", E, codice::abbattimento_occupato, true,
     "abbattimento su una cella già occupata",
     "abbattimento su una cella già occupata", ""},
    {problema::stazione_fuori_passo, "V008", E, codice::stazione_fuori_passo, true,
     "posizione della stazione non multipla di 50",
     "posizione della stazione non multipla di 50", ""},
    {problema::marciapiede_fuori_passo, "V009", E, codice::marciapiede_fuori_passo, true,
     "lunghezza del marciapiede non multipla di 100",
     "lunghezza del marciapiede non multipla di 100", ""},
    {problema::troppe_stazioni, "V010", E, codice::troppe_stazioni, false,
     "nessun posto libero nella tabella della linea per altre stazioni",
     "nessun posto libero nella tabella della linea per altre stazioni", ""},
    {problema::tavola_segnale_impossibile, "V011", E, codice::tavola_segnale_impossibile, true,
     "nessuna cella libera per la tavola di orientamento prima di un segnale",
     "nessuna cella libera per la tavola di orientamento prima di un segnale", ""},
    {problema::tavola_fascia_impossibile, "V012", E, codice::tavola_fascia_impossibile, true,
     "nessuna cella libera per la tavola di orientamento prima di un rallentamento",
     "nessuna cella libera per la tavola di orientamento prima di un rallentamento", ""},
    {problema::tavola_rallentamento_impossibile, "V013", E, codice::tavola_rallentamento_impossibile, true,
     "nessuna cella libera per la tavola di orientamento lungo o dopo un rallentamento",
     "nessuna cella libera per la tavola di orientamento lungo o dopo un rallentamento", ""},
    {problema::oltre_griglia, "V015", E, codice::oltre_griglia, true,
     "posizione troppo vicina alla fine della griglia o oltre",
     "posizione troppo vicina alla fine della griglia o oltre", ""},
    {problema::segnale_occupato, "V016", E, codice::segnale_occupato, true,
     "segnale su una cella già occupata",
     "segnale su una cella già occupata", ""},
    {problema::avviso_rallentamento_occupato, "V017", E, codice::avviso_rallentamento_occupato, true,
     "punto di avviso del rallentamento già occupato",
     "punto di avviso del rallentamento già occupato", ""},
    {problema::inizio_rallentamento_occupato, "V018", E, codice::inizio_rallentamento_occupato, true,
     "inizio del rallentamento su una cella già occupata",
     "inizio del rallentamento su una cella già occupata", ""},
    {problema::fine_rallentamento_occupato, "V019", E, codice::fine_rallentamento_occupato, true,
     "fine del rallentamento su una cella già occupata",
     "fine del rallentamento su una cella già occupata", ""},
    {problema::numerate_rallentamento_occupate, "V020", E, codice::numerate_rallentamento_occupate, true,
     "celle prima dell'avviso del rallentamento già occupate",
     "celle prima dell'avviso del rallentamento già occupate", ""},
    {problema::indicatore_occupato, "V021", E, codice::indicatore_occupato, true,
     "indicatore di velocità massima su una cella già occupata",
     "indicatore di velocità massima su una cella già occupata", ""},
    {problema::stazioni_troppo_vicine, "V022", E, codice::stazioni_troppo_vicine, true,
     "marciapiede troppo vicino alla stazione precedente",
     "marciapiede troppo vicino alla stazione precedente", ""},
    {problema::marciapiede_troppo_vicino_inizio, "V024", E, codice::marciapiede_troppo_vicino_inizio, false,
     "fine del marciapiede troppo vicina all'inizio della linea",
     "fine del marciapiede troppo vicina all'inizio della linea", ""},
    {problema::guasto_lettura, "V025", E, codice::guasto_lettura, false,
     "lettura interrotta",
     "valore che non entra nel suo campo, indice fuori dalla sua tabella, voce troncata o file illeggibile", ""},
    {problema::linea_mancante, "V101", E, codice::linea_mancante, false,
     "file della descrizione della linea mancante",
     "file della descrizione della linea mancante", ""},
    {problema::generale_mancante, "V102", E, codice::generale_mancante, false,
     "sezione \"[generale]\" mancante nella descrizione della linea",
     "sezione \"[generale]\" mancante nella descrizione della linea", ""},
    {problema::curva_errata, "V103", E, codice::curva_errata, false,
     "curva senza cifra di curvatura, o tracciato oltre 1000000 m",
     "curva senza cifra di curvatura, o tracciato oltre 1000000 m", ""},
    {problema::timbro_occupato, "V1250", E, static_cast<int32_t>(arresto::timbro_occupato), false,
     "il posto del timbro all'inizio della linea è già preso",
     "lo scenario non può essere timbrato: un oggetto nella cella 1, all'inizio della linea, ha già "
     "il dato in cui va il timbro (dato1 della cella 1, o intero_a della voce 85 della tabella)",
     "spostare più avanti lungo la linea la voce che mette il suo oggetto nella cella 1, o toglierla"},
    {problema::codici_occupati, "V1251", E, static_cast<int32_t>(arresto::codici_occupati), false,
     "il posto dei codici dello scenario all'inizio della linea è già preso",
     "lo scenario non può essere timbrato: un oggetto nella cella 1, all'inizio della linea, ha già "
     "il dato in cui vanno i codici dello scenario (dato2 della cella 1, o orario della voce 85 della "
     "tabella)",
     "spostare più avanti lungo la linea la voce che mette il suo oggetto nella cella 1, o toglierla"},
    {problema::numero_non_intero, "V201", A, 0, false,
     "campo numerico che non è un intero semplice: il compilatore ne legge solo l'inizio",
     "campo numerico che non è un intero semplice: il compilatore ne legge solo l'inizio",
     ""},
    {problema::curva_letta_sinistra, "V202", A, 0, false,
     "curva letta come sinistra per una \"s\" della parola chiave che non dice sinistra",
     "curva letta come sinistra per una \"s\" della parola chiave che non dice sinistra",
     ""},
    {problema::riga_sconosciuta, "V203", A, 0, false,
     "riga che nessuna parola chiave riconosce: il compilatore la salta",
     "riga che nessuna parola chiave riconosce: il compilatore la salta",
     ""},
    {problema::valore_in_piu, "V204", A, 0, false,
     "voce con più valori di quelli che la sua parola chiave prende",
     "voce con più valori di quelli che la sua parola chiave prende",
     ""},
    {problema::valori_mancanti, "V205", E, 0, false,
     "voce con meno valori sulla sua riga: i mancanti sono presi dalla riga dopo, la cui voce va persa",
     "voce con meno valori sulla sua riga: i mancanti sono presi dalla riga dopo, la cui voce va persa",
     "scrivi sulla riga della voce tutti i suoi valori"},
    {problema::posizione_fuori_linea, "V206", A, 0, false,
     "posizione negativa o oltre la fine della linea",
     "posizione negativa o oltre la fine della linea",
     ""},
    {problema::posizione_indietro, "V207", A, 0, false,
     "posizione che torna indietro dove la lettura le vuole crescenti",
     "posizione che torna indietro dove la lettura le vuole crescenti",
     ""},
    {problema::rallentamento_senza_tavole, "V208", A, 0, false,
     "rallentamento a 110 km/h o più: le sue tavole di avviso non vengono poste",
     "rallentamento a 110 km/h o più: le sue tavole di avviso non vengono poste",
     ""},
    {problema::valore_inverosimile, "V209", A, 0, false,
     "valore che il formato accetta ma che nessuna linea reale ha",
     "valore che il formato accetta ma che nessuna linea reale ha",
     ""},
    {problema::file_in_utf8, "V210", A, 0, false,
     "file salvato in UTF-8: ogni lettera accentata diventa due caratteri",
     "file salvato in UTF-8: ogni lettera accentata diventa due caratteri",
     "salva il file in Windows-1252"},
    {problema::fine_riga_diversa, "V211", A, 0, false,
     "fine riga diversa da CR LF",
     "fine riga diversa da CR LF",
     "salva il file con le fini riga di Windows (CR LF)"},
    {problema::stazioni_omonime, "V212", A, 0, false,
     "due stazioni con lo stesso nome",
     "due stazioni con lo stesso nome",
     ""},
    {problema::parola_chiave_storpiata, "V213", E, 0, false,
     "parola chiave simile a una nota ma diversa: la voce viene saltata e va persa",
     "parola chiave simile a una nota ma diversa: la voce viene saltata e va persa",
     "correggi la parola chiave"},
    {problema::treno_non_letto, "V214", E, 0, false,
     "descrizione del treno vuota o senza \"[generale]\": il compilatore non ne legge nulla",
     "descrizione del treno vuota o senza \"[generale]\": il compilatore non ne legge nulla",
     "metti \"[generale]\" come prima riga della descrizione del treno"},
    {problema::treno_senza_stazioni, "V215", E, 0, false,
     "descrizione del treno senza stazioni",
     "descrizione del treno senza stazioni",
     ""},
    {problema::treno_senza_velocita, "V216", E, 0, false,
     "descrizione del treno senza velocità: tutta la linea resta a 0 km/h",
     "descrizione del treno senza velocità: tutta la linea resta a 0 km/h",
     ""},
    {problema::nome_stazione_sbagliato, "V217", E, 0, false,
     "stazione con per nome una parola chiave o un numero: un valore manca o è di troppo",
     "stazione con per nome una parola chiave o un numero: un valore manca o è di troppo",
     ""},
    {problema::stazioni_fuori_ordine, "V218", E, 0, false,
     "stazioni non in ordine di posizione crescente",
     "stazioni non in ordine di posizione crescente",
     "scrivi le stazioni in ordine di posizione"},
    {problema::orario_fuori_limiti, "V219", E, 0, false,
     "orario fuori dai limiti: ore oltre 23, minuti o secondi oltre 59",
     "orario fuori dai limiti: ore oltre 23, minuti o secondi oltre 59",
     ""},
    {problema::velocita_zero, "V220", E, 0, false,
     "tratto della linea con velocità 0: il treno non può percorrerlo",
     "tratto della linea con velocità 0: il treno non può percorrerlo",
     ""},
    {problema::migliaia_con_spazio, "V221", A, 0, false,
     "migliaia separate da uno spazio: due valori invece di uno, e i seguenti slittano",
     "migliaia separate da uno spazio: due valori invece di uno, e i seguenti slittano",
     "scrivi il numero senza spazi"},
    {problema::orario_impossibile, "V222", A, 0, false,
     "orario che nessun treno può rispettare: meno del tempo per percorrere la tratta alla velocità massima",
     "tempo a orario sotto il minimo della tratta, ogni metro percorso al suo limite senza accelerare né frenare",
     "sposta l'orario della stazione d'arrivo, o alza i limiti di velocità della tratta"},
    {problema::orario_stretto, "V223", A, 0, false,
     "orario che il treno nominale non rispetta, o rispetta con meno del margine di regolarità",
     "tempo a orario sotto la marcia più veloce del treno nominale più il margine di regolarità",
     "lascia più tempo alla tratta (scenario orario mostra la marcia e il margine)"},
    {problema::orario_all_indietro, "V224", A, 0, false,
     "orario all'indietro: una stazione ha un'ora precedente a quella prima di lei",
     "orario all'indietro: una stazione ha un'ora precedente a quella prima di lei",
     "correggi l'ora di una delle due stazioni"},
    {problema::scheda_riga_illeggibile, "V225", A, 0, false,
     "riga della scheda treno non compresa",
     "riga della tabella della scheda treno non compresa: resta fuori dal confronto con la descrizione",
     "scrivi la riga come le altre: velocità, chilometro, località e orario fra \"|\""},
    {problema::scheda_stazione_diversa, "V226", A, 0, false,
     "scheda treno e descrizione del treno con stazioni diverse o in altro ordine",
     "una stazione manca da una delle due, ha un altro nome, o viene in un altro ordine",
     "dai alle stazioni della scheda gli stessi nomi e lo stesso ordine della descrizione"},
    {problema::scheda_orario_diverso, "V227", A, 0, false,
     "scheda treno e descrizione del treno con orari diversi",
     "orario di una stazione diverso di un minuto o più fra scheda e descrizione, o dato da una sola",
     "scrivi lo stesso orario nei due file"},
    {problema::scheda_chilometro_diverso, "V228", A, 0, false,
     "chilometro della scheda treno lontano più di 1 km dalla posizione della stazione",
     "chilometro della scheda treno lontano più di 1 km dalla posizione della stazione",
     "correggi il chilometro della scheda o la posizione della stazione"},
    {problema::scheda_velocita_oltre_linea, "V229", A, 0, false,
     "velocità della scheda treno oltre quella della linea",
     "velocità della scheda treno oltre il limite più alto della linea fino alla stazione seguente",
     "abbassa la velocità della scheda o alza quella della descrizione"},
    {problema::tratta_non_percorribile, "V230", A, 0, false,
     "tratta che il treno non può percorrere: tempi non calcolati",
     "tratta con un limite di velocità 0, o su cui il treno nominale si ferma: tempi non calcolati",
     ""},
    {problema::orario_senza_tratte, "V231", N, 0, false,
     "meno di due stazioni con orario: nessuna tratta da controllare",
     "meno di due stazioni con orario: nessuna tratta da controllare",
     ""},
    {problema::carattere_non_windows1252, "V232", E, 0, false,
     "carattere che Windows-1252 non contiene: il file salvato non sarebbe quello che si vede",
     "carattere che Windows-1252 non contiene: il file salvato non sarebbe quello che si vede",
     "scrivi una lettera di Windows-1252 (le accentate italiane ci sono) o togli il carattere"},
    {problema::aperto_come_utf8, "V233", E, 0, false,
     "file aperto nell'editor in una codifica che non è Windows-1252: alcune lettere sono illeggibili",
     "file aperto nell'editor in una codifica che non è Windows-1252 (UTF-8, ISO-8859-1): le lettere "
     "accentate o i segni come € e ’ sono diventati caratteri illeggibili",
     "riapri il file con la codifica Windows-1252, senza salvarlo prima"},
}};

constexpr bool in_ordine() {
  for (std::size_t i = 0; i < voci.size(); ++i)
    if (static_cast<std::size_t>(voci[i].tipo) != i) return false;
  return true;
}
static_assert(in_ordine(), "the catalogue's entries follow the order of the enum");

}  // namespace

std::span<const voce_catalogo> catalogo() { return voci; }

const voce_catalogo& voce_di(problema p) {
  const auto i = static_cast<std::size_t>(p);
  if (i >= voci.size()) throw guasto("problema fuori dal catalogo");
  return voci[i];
}

const voce_catalogo* voce_del_codice(int32_t codice) {
  if (codice == codice::nessuno) return nullptr;
  for (const auto& v : voci)
    if (v.codice == codice) return &v;
  return nullptr;
}

const voce_catalogo* voce_dell_avviso(std::string_view identificativo) {
  for (const auto& v : voci)
    if (v.identificativo == identificativo) return &v;
  return nullptr;
}

diagnostica diagnostica_di(problema p, std::optional<luogo> dove, std::string motivo) {
  const voce_catalogo& v = voce_di(p);
  diagnostica d;
  d.livello = v.livello;
  d.codice = v.codice;
  // Kinds with a code are known by it; the others by their identifier.
  if (v.codice == 0) d.avviso = std::string(v.identificativo);
  d.dove = std::move(dove);
  d.motivo = std::move(motivo);
  return d;
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
