#include "strumento/strumento.h"

#include <iostream>
#include <map>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "file/file.h"
#include "modello/codici.h"
#include "scenario/dati.h"
#include "strumento/anteprima.h"
#include "strumento/compila.h"
#include "strumento/disegna.h"
#include "strumento/errori_uso.h"
#include "strumento/estrai.h"
#include "strumento/impacchetta.h"
#include "strumento/lsp.h"
#include "strumento/mostra.h"
#include "strumento/orario.h"
#include "strumento/uscite.h"
#include "strumento/verifica.h"

namespace gara::strumento {

namespace {

const std::string gruppo_opzioni = "Opzioni";
constexpr std::size_t colonne_aiuto = 66;

// CLI11 does not wrap long texts: they are broken at spaces here, and the
// help indents every line after the first.
std::string a_capo(std::string_view testo, std::size_t colonne = colonne_aiuto) {
  std::string r;
  std::size_t riga = 0;  // characters on the current line
  std::size_t i = 0;
  while (i < testo.size()) {
    if (testo[i] == '\n') {
      r += '\n';
      riga = 0;
      ++i;
      continue;
    }
    std::size_t fine = testo.find_first_of(" \n", i);
    if (fine == std::string_view::npos) fine = testo.size();
    const std::string_view parola = testo.substr(i, fine - i);
    std::size_t caratteri = 0;
    for (char c : parola)
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caratteri;
    if (riga > 0 && riga + 1 + caratteri > colonne) {
      r += '\n';
      riga = 0;
    } else if (riga > 0) {
      r += ' ';
      ++riga;
    }
    r += parola;
    riga += caratteri;
    i = fine;
    if (i < testo.size() && testo[i] == ' ') ++i;
  }
  return r;
}
const std::string gruppo_sottocomandi = "Sottocomandi";

// CLI11 writes its help in English; every label it uses is given here.
void etichette_italiane(CLI::FormatterBase* f) {
  f->label("Usage", "Uso");
  f->label("OPTIONS", "OPZIONI");
  f->label("SUBCOMMAND", "SOTTOCOMANDO");
  f->label("SUBCOMMANDS", "SOTTOCOMANDI");
  f->label("Positionals", "Argomenti");
  f->label("REQUIRED", "(obbligatoria)");
  f->label("TEXT", "TESTO");
  f->label("Needs", "Richiede");
  f->label("Excludes", "Esclude");
  f->column_width(30);
}

// `verifica` needs its folder, except with --elenco alone: its usage line
// says both ways instead of showing the folder as optional.
class uso_verifica : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string nome) const override {
    return get_label("Usage") + ": " + nome + " [" + get_label("OPTIONS") + "] CARTELLA\n" +
           std::string(get_label("Usage").size() + 2, ' ') + nome + " --elenco\n";
  }
};

// A subcommand: a one-line summary for the list, then what it does and
// its examples under its own help.
CLI::App* sottocomando(CLI::App& app, const std::string& nome, const std::string& sintesi,
                       const std::string& spiegazione, const std::string& esempi) {
  CLI::App* sub = app.add_subcommand(nome, sintesi);
  sub->group(gruppo_sottocomandi);
  sub->get_help_ptr()->group(gruppo_opzioni);
  sub->footer(a_capo(spiegazione, 80) + "\n\n" + esempi);
  return sub;
}

// An argument naming a file or a folder, taken as UTF-8.
CLI::Option* opzione_percorso(CLI::App* sub, const std::string& nome,
                              std::filesystem::path& destinazione, const std::string& descrizione) {
  return sub->add_option_function<std::string>(
      nome, [&destinazione](const std::string& testo) { destinazione = percorso_da_utf8(testo); },
      descrizione);
}

void opzione_identita(CLI::App* sub, std::string& percorso, std::string& treno,
                      bool obbligatorie) {
  auto* p = sub->add_option("--percorso", percorso,
                            a_capo("Nome del percorso (nome_percorso), da cui i nomi dei file "
                                   "della linea; se manca, quello dell'unico scenario della "
                                   "cartella. Es.: --percorso Corvana_Selvadoro"));
  auto* t = sub->add_option("--treno", treno,
                            a_capo("Nome del treno (nome_treno), che con il percorso dà i nomi "
                                   "dei file del treno; se manca, quello dell'unico scenario "
                                   "della cartella. Es.: --treno \"R 47315\""));
  p->type_name("NOME");
  t->type_name("NOME");
  if (obbligatorie) {
    p->required();
    t->required();
  }
}

}  // namespace

int esegui(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{a_capo("scenario: lo strumento per gli autori di scenari. Estrae le descrizioni "
                      "dello scenario del pacchetto, le compila riportando gli errori, mostra "
                      "i file binari, disegna lo scenario compilato e ne fa un pacchetto.",
                      80),
               "scenario"};
  etichette_italiane(app.get_formatter().get());
  app.option_defaults()->group(gruppo_opzioni);
  app.set_help_flag("-h,--help", "Mostra questo aiuto ed esce");
  app.set_version_flag("-V,--version", "scenario " GARA_VERSIONE, "Mostra la versione ed esce");
  app.require_subcommand(1);
  // Options are written --opzione on every platform: on Windows a path such
  // as /dati/mio_scenario stays a path instead of becoming an option.
  app.allow_windows_style_options(false);
  app.footer(
      "Esempi:\n"
      "  scenario estrai mio_scenario\n"
      "  scenario compila --percorso Corvana_Selvadoro --treno \"R 47315\" mio_scenario\n"
      "  scenario verifica mio_scenario\n"
      "  scenario mostra \"mio_scenario/Corvana_Selvadoro_R 47315.sim\"\n"
      "  scenario disegna --percorso Corvana_Selvadoro --treno \"R 47315\" mio_scenario\n"
      "  scenario impacchetta --percorso Linea_Nuova --treno \"R 100\" mio_scenario\n"
      "  scenario anteprima mio_scenario\n"
      "Per le opzioni di un sottocomando: scenario SOTTOCOMANDO --help\n\n"
      "Uscita: 0 riuscita; 1 errori nello scenario (codice di compilazione diverso da 0,\n"
      "errori della verifica), file binario non valido o pacchetto danneggiato; 2 scenario\n"
      "non timbrabile (errore " + numeri_arresto() + "); 3 errore d'uso, cartella mancante, file\n"
      "illeggibile o non scrivibile. Ogni sottocomando dice le sue nel proprio aiuto.");

  opzioni_estrai estrai{{}, percorso_del_pacchetto, treno_del_pacchetto, false, std::nullopt};
  {
    auto* sub = sottocomando(
        app, "estrai", "Scrive i cinque file di testo dello scenario del pacchetto",
        "Scrive nella CARTELLA (creata se manca) i cinque file di testo dello scenario del "
        "pacchetto: descrizione della linea, descrizione del treno, note, rallentamenti e scheda "
        "treno, con i nomi che dà loro il pacchetto. Non compila e non cancella nulla: è il "
        "punto di partenza per un autore. Se nella cartella ci sono già file con quei nomi si "
        "ferma senza scrivere, a meno di --sovrascrivi. Con --da scrive invece i cinque testi "
        "che porta un pacchetto (uno fatto da impacchetta, o quello spedito), con i nomi della "
        "sua identità.",
        "Esempi:\n"
        "  scenario estrai mio_scenario\n"
        "  scenario estrai --da \"Linea_Nuova_R 100.exe\" mio_scenario\n"
        "  scenario estrai --percorso Linea_Nuova --treno \"R 100\" mio_scenario\n"
        "  scenario estrai --sovrascrivi mio_scenario\n\n"
        "Uscita: 0 riuscita; 1 con --da, un pacchetto danneggiato o un file che non è un\n"
        "pacchetto (nessun file scritto); 3 errore d'uso, file dello scenario già presenti\n"
        "(senza --sovrascrivi), file illeggibile o cartella non scrivibile.");
    opzione_percorso(sub, "CARTELLA", estrai.cartella,
                     a_capo("Cartella in cui scrivere i file. Es.: mio_scenario"))
        ->required()
        ->type_name("");
    opzione_identita(sub, estrai.percorso, estrai.treno, false);
    sub->get_option("--percorso")
        ->description(a_capo("Nome del percorso dei file scritti; se manca, quello del "
                             "pacchetto (Corvana_Selvadoro). Es.: --percorso Linea_Nuova"));
    sub->get_option("--treno")
        ->description(a_capo("Nome del treno dei file scritti; se manca, quello del pacchetto "
                             "(\"R 47315\"). Es.: --treno \"R 100\""));
    sub->add_flag("--sovrascrivi", estrai.sovrascrivi,
                  a_capo("Sostituisce i file dello scenario già presenti nella cartella; senza, "
                         "lo strumento si ferma e non scrive nulla. Es.: --sovrascrivi"));
    auto* da = sub->add_option_function<std::string>(
        "--da", [&estrai](const std::string& t) { estrai.da = percorso_da_utf8(t); },
        a_capo("Pacchetto (per Windows o per Linux) di cui scrivere i cinque testi, con i nomi "
               "della sua identità. Es.: --da \"Linea_Nuova_R 100.exe\""));
    da->type_name("PACCHETTO");
  }

  opzioni_impacchetta impacchetta;
  std::string uscita_impacchetta;
  {
    auto* sub = sottocomando(
        app, "impacchetta", "Fa di uno scenario un pacchetto da dare ai macchinisti",
        "Prende i cinque testi dello scenario della CARTELLA (le due descrizioni e i tre "
        "documenti, come li scrive estrai) e scrive il pacchetto: un solo programma che, "
        "eseguito, scrive i testi nella propria cartella, compila le descrizioni come il "
        "pacchetto spedito e le cancella. Prima lo verifica: con un errore si ferma senza "
        "scrivere (a meno di --forza); gli avvisi sono mostrati e non lo fermano. Non serve un "
        "compilatore: i dati dello scenario si aggiungono al programma del pacchetto già "
        "pronto per quella piattaforma, che si trova accanto allo strumento (o nella cartella "
        "della variabile SCENARIO_PACCHETTI). Gli stessi testi danno gli stessi byte.",
        "Esempi:\n"
        "  scenario impacchetta mio_scenario\n"
        "  scenario impacchetta --percorso Linea_Nuova --treno \"R 100\" \\\n"
        "      --piattaforma entrambe mio_scenario\n"
        "  scenario impacchetta --piattaforma linux -o pacchetto mio_scenario\n\n"
        "Uscita: 0 riuscita; 1 errori nello scenario (nessun pacchetto scritto); 3 errore\n"
        "d'uso, testo o programma del pacchetto mancante, file non scrivibile.");
    opzione_percorso(sub, "CARTELLA", impacchetta.cartella,
                     a_capo("Cartella dei cinque testi dello scenario. Es.: mio_scenario"))
        ->required()
        ->type_name("");
    opzione_identita(sub, impacchetta.percorso, impacchetta.treno, false);
    sub->add_option_function<std::string>(
           "--piattaforma",
           [&impacchetta](const std::string& p) {
             impacchetta.piattaforma = p == "linux"      ? piattaforma_pacchetto::per_linux
                                       : p == "entrambe" ? piattaforma_pacchetto::entrambe
                                                         : piattaforma_pacchetto::per_windows;
           },
                    a_capo("Per quale sistema è il pacchetto: windows (il simulatore; "
                           "NOME_TRENO.exe), linux (NOME_TRENO) o entrambe; senza, windows. "
                           "Es.: --piattaforma entrambe"))
        ->type_name("windows|linux|entrambe")
        ->check(uno_tra({"windows", "linux", "entrambe"}));
    sub->add_option("-o,--output", uscita_impacchetta,
                    a_capo("File del pacchetto da scrivere; senza, NOME_TRENO.exe (o NOME_TRENO "
                           "per Linux) nella cartella corrente. Es.: -o \"Linea_Nuova_R 100.exe\""))
        ->type_name("FILE");
    sub->add_flag("--forza", impacchetta.forza,
                  a_capo("Scrive il pacchetto anche se la verifica trova errori (sono mostrati "
                         "lo stesso). Es.: --forza"));
  }

  opzioni_compila compila;
  std::string uscita_compila;
  {
    auto* sub = sottocomando(
        app, "compila", "Compila le descrizioni di una cartella e riporta l'esito",
        "Compila le descrizioni NOME_linea.txt e NOME_TRENO-.txt della CARTELLA esattamente come "
        "fa il pacchetto e scrive i file binari (NOME_linea.dat, NOME_TRENO.sim, NOME_TRENO.dat) "
        "con gli stessi byte che scriverebbe il pacchetto, qualunque sia il codice. Non cancella "
        "le descrizioni. Riporta il codice di errore, il suo significato, il metro, il file e la "
        "riga della voce che lo ha causato, e quanti problemi trova la verifica delle stesse "
        "descrizioni (scenario verifica li mostra).",
        "Esempi:\n"
        "  scenario compila --percorso Corvana_Selvadoro --treno \"R 47315\" mio_scenario\n"
        "  scenario compila --percorso Corvana_Selvadoro --treno \"R 47315\" \\\n"
        "      --senza-tracciato --uscita binari --json mio_scenario\n\n"
        "Uscita: 0 codice 0 e nessun errore della verifica; 1 altro codice, o un errore della\n"
        "verifica anche con il codice 0 (i binari sono scritti comunque); 2 errore\n" +
        numeri_arresto() + " (nessun binario scritto); 3 errore d'uso, cartella mancante o file\n"
        "non scrivibile.");
    opzione_percorso(sub, "CARTELLA", compila.cartella,
                     a_capo("Cartella delle descrizioni. Es.: mio_scenario"))
        ->required()
        ->type_name("");
    opzione_identita(sub, compila.percorso, compila.treno, false);
    sub->add_flag("--senza-tracciato", compila.senza_tracciato,
                  a_capo("Compila senza il tracciato metro per metro: il file "
                         "NOME_linea.dat non viene scritto. Es.: --senza-tracciato"));
    sub->add_option("--uscita", uscita_compila,
                    a_capo("Cartella dei file binari, creata se manca; senza, la CARTELLA "
                           "stessa. Es.: --uscita binari"))
        ->type_name("CARTELLA");
    sub->add_flag("--json", compila.json,
                  a_capo("Scrive l'esito come un solo oggetto JSON (codice_errore, "
                         "posizione_errore, errore, messaggio, file, riga, colonna, verifica, "
                         "scritti) invece del "
                         "resoconto; per gli errori d'uso (uscita 3) solo il messaggio sugli errori. "
                         "Es.: --json"));
    sub->add_flag("--fedele", compila.fedele,
                  a_capo("Solo il verdetto del compilatore, come lo vede il pacchetto: nessuna "
                         "verifica, e l'uscita dal solo codice (0 per il codice 0). Per gli script "
                         "scritti prima della verifica. Es.: --fedele"));
  }

  opzioni_verifica_comando verifica;
  {
    auto uso = std::make_shared<uso_verifica>();
    etichette_italiane(uso.get());
    auto* sub = sottocomando(
        app, "verifica", "Controlla le descrizioni e riporta tutti i problemi insieme",
        "Legge per intero le due descrizioni della CARTELLA e riporta ogni problema che trova: gli "
        "errori (tutto ciò che farebbe finire la compilazione con un codice diverso da 0, compreso "
        "quello che riporterebbe compila) e gli avvisi (ciò che il compilatore accetta ma che quasi "
        "certamente non è voluto). Dopo ogni errore riprende dalla voce seguente. Ogni problema ha "
        "file, riga e colonna, e un identificativo stabile; --elenco mostra il catalogo. Controlla "
        "anche l'orario come scenario orario: tempi che non si possono rispettare e la scheda treno, "
        "se c'è, in disaccordo con la descrizione (avvisi). Non scrive, non cambia e non cancella nulla.",
        "Esempi:\n"
        "  scenario verifica mio_scenario\n"
        "  scenario verifica --percorso Corvana_Selvadoro --treno \"R 47315\" mio_scenario\n"
        "  scenario verifica --formato sarif mio_scenario > verifica.sarif\n"
        "  scenario verifica --elenco\n\n"
        "Uscita: 0 nessun errore (avvisi ammessi); 1 almeno un errore, o un avviso con\n"
        "--severo; 3 errore d'uso, cartella mancante, descrizione mancante o illeggibile.");
    sub->formatter(uso);
    opzione_percorso(sub, "CARTELLA", verifica.cartella,
                    a_capo("Cartella delle descrizioni. Es.: mio_scenario"))
        ->type_name("");
    opzione_identita(sub, verifica.percorso, verifica.treno, false);
    sub->add_flag("--senza-tracciato", verifica.senza_tracciato,
                  a_capo("Controlla come una compilazione senza il tracciato metro per "
                         "metro. Es.: --senza-tracciato"));
    sub->add_option("--formato", verifica.formato,
                    a_capo("testo (il predefinito: FILE:RIGA:COLONNA: errore: messaggio [V008], la "
                           "riga e un segno sotto il campo), json (un solo oggetto) o sarif (SARIF "
                           "2.1.0, per gli editor e i servizi di analisi). Es.: --formato json"))
        ->type_name("FORMATO")
        ->check(uno_tra({"testo", "json", "sarif"}));
    sub->add_flag("--severo", verifica.severo,
                  a_capo("Anche un solo avviso fa uscire con 1. Es.: --severo"));
    sub->add_option("--massimo", verifica.massimo,
                    a_capo("Quanti problemi mostra al più il formato testo (predefinito 200); json "
                           "e sarif li riportano tutti. Es.: --massimo 50"))
        ->type_name("N")
        ->check(intero_tra(1, 1000000000));
    sub->add_flag("--elenco", verifica.elenco,
                  a_capo("Mostra il catalogo di tutti i problemi che la verifica riconosce: "
                         "identificativo, gravità e spiegazione. Es.: --elenco"));
  }

  opzioni_orario_comando orario;
  {
    auto* sub = sottocomando(
        app, "orario", "Tempi di percorrenza: l'orario si può rispettare?",
        "Calcola per ogni tratta fra due stazioni con orario della descrizione del treno il tempo a "
        "orario (l'arrivo della scheda treno, se lo dà, meno la partenza), il tempo minimo (ogni metro "
        "al limite di velocità della linea e dei rallentamenti, senza accelerare né frenare: nessun "
        "treno fa meglio) e il tempo stimato (la marcia più veloce di un treno nominale che parte e si "
        "ferma alle stazioni, accelera e frena sulle pendenze, con le tavole del suo rango e la sua "
        "velocità massima), e il margine. Poi gli avvisi: orari che nessun treno o il treno nominale "
        "non rispetta, orari all'indietro, scheda treno e descrizione in disaccordo. Le opzioni del "
        "treno nominale mostrano il loro valore predefinito dopo \"=\". Non scrive nulla.",
        "Esempi:\n"
        "  scenario orario mio_scenario\n"
        "  scenario orario --rango B --velocita-massima 120 mio_scenario\n"
        "  scenario orario --formato json mio_scenario > orario.json\n\n"
        "Uscita: 0 qualunque cosa trovi; 1 con --severo se resta un avviso; 3 errore d'uso,\n"
        "cartella mancante o file illeggibile.");
    opzione_percorso(sub, "CARTELLA", orario.cartella, a_capo("Cartella dello scenario. Es.: mio_scenario"))
        ->type_name("")
        ->required();
    opzione_identita(sub, orario.percorso, orario.treno, false);
    sub->add_option("--formato", orario.formato,
                    a_capo("testo (il predefinito: una tabella delle tratte, poi gli avvisi) o json "
                           "(un oggetto con tratte e diagnostiche). Es.: --formato json"))
        ->type_name("FORMATO")
        ->check(CLI::IsMember({"testo", "json"}));
    sub->add_option("--rango", orario.rango,
                    a_capo("Rango del treno per le tavole di velocità massima (A, B o C); se manca, "
                           "quello della scheda treno (\"V135 C\"), e senza nessuno le tavole non "
                           "contano. Es.: --rango C"))
        ->type_name("R")
        ->check(CLI::IsMember({"A", "B", "C"}));
    sub->add_option("--velocita-massima", orario.velocita_massima,
                    a_capo("Velocità massima del treno in km/h; se manca, quella della scheda "
                           "treno (\"V135\"). Es.: --velocita-massima 120"))
        ->type_name("KM/H")
        ->check(CLI::PositiveNumber);
    orario::treno_nominale& t = orario.treno_nominale;
    sub->add_option("--massa-frenata", t.percentuale_massa_frenata,
                    a_capo("Percentuale di massa frenata; se manca, quella della descrizione del "
                           "treno. Es.: --massa-frenata 140"))
        ->type_name("%")
        ->check(CLI::NonNegativeNumber);
    sub->add_option("--potenza", t.potenza_specifica,
                    a_capo("Potenza alla ruota per tonnellata di treno, kW/t. Es.: --potenza 15"))
        ->type_name("KW/T")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    sub->add_option("--massa-aderente", t.quota_massa_aderente,
                    a_capo("Quota della massa sugli assi motori, da 0 a 1, per il limite di "
                           "aderenza. Es.: --massa-aderente 1 (un elettrotreno)"))
        ->type_name("QUOTA")
        ->capture_default_str()
        ->check(CLI::Range(0.01, 1.0));
    for (auto [nome, campo, testo] :
         {std::tuple{"--resistenza-a", &t.resistenza_a, "Resistenza al moto, termine costante, N/kN. Es.: --resistenza-a 1.5"},
          std::tuple{"--resistenza-b", &t.resistenza_b, "Resistenza al moto, termine per km/h, N/kN. Es.: --resistenza-b 0.01"},
          std::tuple{"--resistenza-c", &t.resistenza_c,
                     "Resistenza al moto, termine per (km/h)², N/kN: r = a + b v + c v². Es.: --resistenza-c 0.0003"}})
      sub->add_option(nome, *campo, a_capo(testo))
          ->type_name("N/KN")
          ->capture_default_str()
          ->check(CLI::NonNegativeNumber);
    sub->add_option("--margine", t.margine_regolarita,
                    a_capo("Margine di regolarità in percento del tempo stimato: meno di tanto è "
                           "un avviso. Es.: --margine 7"))
        ->type_name("%")
        ->capture_default_str()
        ->check(CLI::NonNegativeNumber);
    sub->add_flag("--severo", orario.severo, a_capo("Anche un solo avviso fa uscire con 1. Es.: --severo"));
    sub->add_option("--massimo", orario.massimo,
                    a_capo("Quanti avvisi mostra al più il formato testo (predefinito 200). Es.: --massimo 50"))
        ->type_name("N")
        ->check(CLI::PositiveNumber);
  }

  opzioni_mostra mostra;
  {
    auto* sub = sottocomando(
        app, "mostra", "Decodifica un file binario in un elenco leggibile",
        "Decodifica un file binario di uno scenario compilato, riconosciuto dalla fine del nome: "
        "\"_linea.dat\" il tracciato, \".sim\" la tabella della linea, ogni altro \".dat\" le "
        "celle. Per le celle elenca ogni cella con un oggetto o un valore proprio, con i nomi "
        "dei campi, e i profili per tratti; per la tabella ogni voce non vuota; per il "
        "tracciato la lunghezza, l'estensione e un campione ogni 1000 m.",
        "Esempi:\n"
        "  scenario mostra \"mio_scenario/Corvana_Selvadoro_R 47315.dat\"\n"
        "  scenario mostra --json \"mio_scenario/Corvana_Selvadoro_R 47315.sim\"\n\n"
        "Uscita: 0 riuscita; 1 file che non rispetta il suo formato; 3 errore d'uso,\n"
        "nome non riconosciuto o file illeggibile.");
    opzione_percorso(sub, "FILE", mostra.file,
                     a_capo("File binario da decodificare. Es.: "
                           "mio_scenario/Corvana_Selvadoro_linea.dat"))
        ->required()
        ->type_name("");
    sub->add_flag("--json", mostra.json,
                  a_capo("Scrive l'intero contenuto decodificato come JSON (celle, voci, o i "
                         "due assi del tracciato con null per i metri vuoti). Es.: --json"));
  }

  opzioni_disegna disegna;
  std::string uscita_disegna;
  {
    auto* sub = sottocomando(
        app, "disegna", "Disegna uno scenario compilato in un file SVG",
        "Legge i file binari di uno scenario compilato dalla CARTELLA e disegna un SVG: la "
        "pianta del tracciato con le stazioni e, sotto, il profilo lungo la linea in chilometri "
        "(stazioni e marciapiedi, velocità massima, pendenza, segnali, rallentamenti con i punti "
        "di avviso, indicatori di velocità, cartelli indicatori, tavole di orientamento), con "
        "una legenda. Senza il file NOME_linea.dat (scenario compilato con --senza-tracciato) "
        "disegna il solo profilo.",
        "Esempi:\n"
        "  scenario disegna --percorso Corvana_Selvadoro --treno \"R 47315\" mio_scenario\n"
        "  scenario disegna --percorso Corvana_Selvadoro --treno \"R 47315\" -o linea.svg \\\n"
        "      mio_scenario\n\n"
        "Uscita: 0 riuscita; 1 file binario che non rispetta il suo formato; 3 errore\n"
        "d'uso, file mancante o SVG non scrivibile.");
    opzione_percorso(sub, "CARTELLA", disegna.cartella,
                     a_capo("Cartella dei file binari. Es.: mio_scenario"))
        ->required()
        ->type_name("");
    opzione_identita(sub, disegna.percorso, disegna.treno, false);
    sub->add_option("-o,--output", uscita_disegna,
                    a_capo("File SVG da scrivere; senza, NOME_TRENO.svg nella CARTELLA. "
                           "Es.: -o linea.svg"))
        ->type_name("FILE.svg");
  }

  opzioni_anteprima anteprima;
  {
    auto* sub = sottocomando(
        app, "anteprima", "Mostra lo scenario nel browser e lo aggiorna a ogni salvataggio",
        "Serve una pagina su http://127.0.0.1:PORTA/ (solo l'indirizzo locale) e ne scrive "
        "l'indirizzo come prima riga. La pagina mostra il disegno dello scenario (come "
        "disegna), la diagnostica (come verifica) con file, riga e colonna, e un ispettore: "
        "puntando il profilo si vede che cosa contiene la cella (come mostra) e da quale voce "
        "viene. Compila in memoria e non scrive nulla nella CARTELLA. A ogni salvataggio delle "
        "due descrizioni la pagina si aggiorna da sola; se una descrizione ha errori resta "
        "l'ultimo disegno buono, segnato come superato. Ctrl+C la termina.",
        "Esempi:\n"
        "  scenario anteprima mio_scenario\n"
        "  scenario anteprima --percorso Corvana_Selvadoro --treno \"R 47315\" --apri \\\n"
        "      mio_scenario\n\n"
        "Uscita: 0 terminata con Ctrl+C; 3 errore d'uso, cartella mancante o porta non\n"
        "disponibile.");
    opzione_percorso(sub, "CARTELLA", anteprima.cartella,
                     a_capo("Cartella delle descrizioni. Es.: mio_scenario"))
        ->required()
        ->type_name("");
    opzione_identita(sub, anteprima.percorso, anteprima.treno, false);
    sub->add_option("--porta", anteprima.porta,
                    a_capo("Porta di 127.0.0.1 su cui servire la pagina; 0, il valore "
                           "predefinito, ne prende una libera. Es.: --porta 8080"))
        ->type_name("N")
        ->check(intero_tra(0, 65535));
    sub->add_flag("--apri", anteprima.apri,
                  a_capo("Apre la pagina nel browser del sistema. Es.: --apri"));
    sub->add_flag("--sondaggio", anteprima.sondaggio,
                  a_capo("Guarda le descrizioni ogni 50 ms invece di attendere che il sistema "
                         "ne segnali i cambiamenti: per una cartella di rete i cui salvataggi "
                         "fatti da un altro computer non arrivano. Es.: --sondaggio"));
  }

  bool lsp_sondaggio = false;
  {
    auto* sub = sottocomando(
        app, "lsp", "Server del linguaggio per gli editor, su standard input e output",
        "Parla con un editor il protocollo dei server del linguaggio (LSP 3.17, JSON-RPC su "
        "standard input e output): mentre l'autore scrive le descrizioni, l'editor mostra i "
        "problemi che troverebbe verifica, sulla descrizione della linea e su quella del treno "
        "della stessa cartella; al passaggio del puntatore il nome, l'unità e il valore letto di "
        "ogni campo; allinea i valori in colonne, completa le parole chiave e propone le "
        "correzioni sicure. Una descrizione o una scheda treno cambiata sul disco fuori "
        "dall'editor è verificata di nuovo subito. Lo avvia l'editor, non l'autore; non scrive "
        "nulla.",
        "Esempi:\n"
        "  scenario lsp\n\n"
        "Uscita: 0 dopo le richieste shutdown ed exit; 1 con exit senza shutdown, o se\n"
        "l'ingresso finisce prima.");
    sub->add_flag("--stdio")->description(
        a_capo("Standard input e output, il solo canale: accettata per gli editor che la passano. "
               "Es.: --stdio"));
    sub->add_flag("--sondaggio", lsp_sondaggio,
                  a_capo("Guarda le cartelle delle descrizioni aperte ogni 50 ms invece di "
                         "attendere che il sistema ne segnali i cambiamenti: per una cartella di "
                         "rete i cui salvataggi fatti da un altro computer non arrivano. "
                         "Es.: --sondaggio"));
  }

  if (argc <= 1) {
    err << app.help();
    return uscita::uso;
  }
  // A first word that is no option and no subcommand is a mistyped subcommand.
  const std::string primo = argv[1];
  const auto noto = app.get_subcommands([&primo](const CLI::App* sub) { return sub->get_name() == primo; });
  if (primo.size() > 1 && primo[0] == '-' && noto.empty()) {
    bool del_programma = false;
    for (const CLI::Option* o : app.get_options())
      del_programma = del_programma || o->check_name(primo.substr(0, primo.find('=')));
    if (!del_programma) {
      err << "scenario: " << opzione_sconosciuta(primo, app) << "\n"
          << "Per l'aiuto: scenario --help\n";
      return uscita::uso;
    }
  }
  if (!primo.empty() && primo[0] != '-' && noto.empty()) {
    err << "scenario: " << sottocomando_sconosciuto(primo, app) << "\n"
        << "Per l'aiuto: scenario --help\n";
    return uscita::uso;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << "scenario: " << errore_uso_in_italiano(e, app) << "\n"
        << "Per l'aiuto: scenario --help, oppure scenario SOTTOCOMANDO --help\n";
    return uscita::uso;
  }

  // A file that cannot be read or written ends every subcommand alike.
  try {
    if (app.got_subcommand("estrai")) {
      const CLI::App* sub = app.get_subcommand("estrai");
      if (estrai.da && (sub->count("--percorso") > 0 || sub->count("--treno") > 0)) {
        err << "scenario: con --da i nomi dei file vengono dal pacchetto: --percorso e --treno non "
               "vanno dati\n";
        return uscita::uso;
      }
      return comando_estrai(estrai, out, err);
    }
    if (app.got_subcommand("compila")) {
      if (!uscita_compila.empty()) compila.uscita = percorso_da_utf8(uscita_compila);
      return comando_compila(compila, out, err);
    }
    if (app.got_subcommand("mostra")) return comando_mostra(mostra, out, err);
    if (app.got_subcommand("anteprima")) return comando_anteprima(anteprima, out, err);
    if (app.got_subcommand("lsp")) return comando_lsp(std::cin, out, lsp_sondaggio);
    if (app.got_subcommand("verifica")) {
      if (!verifica.elenco && verifica.cartella.empty()) {
        err << "scenario: manca l'argomento obbligatorio CARTELLA\n"
            << "Per l'aiuto: scenario verifica --help\n";
        return uscita::uso;
      }
      return comando_verifica(verifica, out, err);
    }
    if (app.got_subcommand("orario")) return comando_orario(orario, out, err);
    if (app.got_subcommand("impacchetta")) {
      if (!uscita_impacchetta.empty()) impacchetta.uscita = percorso_da_utf8(uscita_impacchetta);
      return comando_impacchetta(impacchetta, out, err);
    }
    if (!uscita_disegna.empty()) disegna.svg = percorso_da_utf8(uscita_disegna);
    return comando_disegna(disegna, out, err);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    return uscita::uso;
  }
}

int esegui(int argc, char** argv) {
  try {
    return esegui(argc, argv, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "scenario: errore imprevisto: " << e.what() << "\n";
    return uscita::uso;
  }
}

}  // namespace gara::strumento
