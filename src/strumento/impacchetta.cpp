#include "strumento/impacchetta.h"

#include <cstdlib>
#include <stdexcept>

#include "scenario/dati.h"
#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "modello/windows1252.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"
#include "strumento/cartelle.h"
#include "strumento/identita.h"
#include "strumento/percorso_utf8.h"
#include "strumento/uscite.h"
#include "resoconto/diagnostiche.h"
#include "verifica/verifica.h"

// Last: its names (byte, ...) would clash with the project's.
#ifdef _WIN32
#include <windows.h>
#endif

namespace gara::strumento {

namespace {

// The tool's own file.
std::optional<std::filesystem::path> file_strumento() {
#ifdef _WIN32
  std::wstring nome(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (n == 0) return std::nullopt;
    if (n < nome.size()) return std::filesystem::path(nome.substr(0, n));
    nome.resize(nome.size() * 2);
  }
#else
  std::error_code e;
  auto p = std::filesystem::read_symlink("/proc/self/exe", e);
  if (e) return std::nullopt;
  return p;
#endif
}

std::optional<std::string> variabile(const char* nome) {
#ifdef _WIN32
  std::wstring w(nome, nome + std::char_traits<char>::length(nome));
  const DWORD n = GetEnvironmentVariableW(w.c_str(), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring v(n, L'\0');
  const DWORD letti = GetEnvironmentVariableW(w.c_str(), v.data(), n);
  v.resize(letti);
  const std::u8string u = std::filesystem::path(v).u8string();
  return std::string(u.begin(), u.end());
#else
  const char* v = std::getenv(nome);
  if (v == nullptr) return std::nullopt;
  return std::string(v);
#endif
}

// The check's problems shown before packing, as `verifica` shows them.
constexpr std::size_t diagnostiche_mostrate = 200;

const char* nome_piattaforma(bool windows) { return windows ? "Windows" : "Linux"; }

}  // namespace

std::vector<std::filesystem::path> cartelle_programmi() {
  std::vector<std::filesystem::path> r;
  if (const auto v = variabile(variabile_programmi); v && !v->empty()) r.push_back(percorso_da_utf8(*v));
  if (const auto f = file_strumento()) {
    r.push_back(f->parent_path());
    r.push_back(f->parent_path().parent_path() / "lib" / "scenario");
  }
  return r;
}

std::string nome_programma(bool windows) {
  return std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto + (windows ? ".exe" : "");
}

std::string nome_pacchetto(const std::string& p, const std::string& t, bool windows) {
  return p + "_" + t + (windows ? ".exe" : "");
}

int comando_impacchetta(const opzioni_impacchetta& o, std::ostream& out, std::ostream& err) {
  if (o.piattaforma == piattaforma_pacchetto::entrambe && o.uscita) {
    err << "scenario: -o nomina un solo file: con --piattaforma entrambe i due pacchetti prendono "
           "il loro nome nella cartella corrente\n";
    return uscita::uso;
  }
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err);
  if (!id) return uscita::uso;

  // The five texts, as `estrai` writes them.
  scenario_carico s{id->nome_percorso, id->nome_treno, {}};
  {
    const auto nomi = testi_scenario(s);
    std::vector<std::string> mancanti;
    try {
      for (std::size_t i = 0; i < nomi.size(); ++i) {
        const auto file = percorso_file(o.cartella, nomi[i].nome);
        if (!esiste_file(file)) {
          mancanti.push_back(da_windows1252(nomi[i].nome));
          continue;
        }
        s.testi[i] = leggi_file(file);
      }
    } catch (const errore_file& e) {
      err << "scenario: " << e.what() << "\n";
      return uscita::uso;
    }
    if (!mancanti.empty()) {
      err << "scenario: nella cartella " << tra_virgolette(o.cartella)
          << " mancano testi dello scenario; nessun pacchetto è stato scritto:\n";
      for (const auto& nome : mancanti) err << "  " << nome << "\n";
      err << "Un pacchetto porta le due descrizioni e i tre documenti per il macchinista "
             "(scenario estrai li scrive tutti e cinque).\n";
      return uscita::uso;
    }
  }

  // The check first: errors stop it, unless forced; warnings are shown.
  const sorgenti d = leggi_sorgenti(o.cartella, id->nome_percorso, id->nome_treno);
  const esito_verifica v = verifica(d, {id->nome_percorso, id->nome_treno, 1});
  if (!v.diagnostiche.empty()) scrivi_verifica(v, d, err, diagnostiche_mostrate);
  if (v.errori > 0) {
    if (!o.forza) {
      err << "scenario: " << v.errori << (v.errori == 1 ? " errore" : " errori") << " e " << v.avvisi
          << (v.avvisi == 1 ? " avviso" : " avvisi")
          << " nello scenario: nessun pacchetto è stato scritto (con --forza lo si scrive "
             "comunque)\n";
      return uscita::codice_errore;
    }
    err << "scenario: " << v.errori << (v.errori == 1 ? " errore" : " errori")
        << " nello scenario: il pacchetto è scritto comunque (--forza)\n";
  }

  std::vector<bool> piattaforme;
  if (o.piattaforma != piattaforma_pacchetto::per_linux) piattaforme.push_back(true);
  if (o.piattaforma != piattaforma_pacchetto::per_windows) piattaforme.push_back(false);
  // Every program is found and read before anything is written.
  std::vector<std::string> programmi;
  for (const bool windows : piattaforme) {
    const std::string nome = nome_programma(windows);
    std::optional<std::filesystem::path> trovato;
    const auto cartelle = cartelle_programmi();
    for (const auto& c : cartelle) {
      if (esiste_file(percorso_file(c, nome))) {
        trovato = percorso_file(c, nome);
        break;
      }
    }
    if (!trovato) {
      err << "scenario: manca il programma del pacchetto per " << nome_piattaforma(windows) << ", \""
          << nome << "\"; cercato in:\n";
      for (const auto& c : cartelle) err << "  " << tra_virgolette(c) << "\n";
      err << "Indica la sua cartella con la variabile " << variabile_programmi
          << (windows ? " (lo produce la compilazione con il preset windows: build/windows/src/)"
                      : " (lo produce la compilazione per Linux, accanto allo strumento)")
          << "; nessun pacchetto è stato scritto.\n";
      return uscita::uso;
    }
    try {
      programmi.push_back(impacchetta(leggi_file(*trovato), s));
    } catch (const errore_file& e) {
      err << "scenario: " << e.what() << "\n";
      return uscita::uso;
    } catch (const std::invalid_argument& e) {
      err << "scenario: " << tra_virgolette(*trovato) << ": " << e.what() << "\n";
      return uscita::uso;
    }
  }

  for (std::size_t i = 0; i < piattaforme.size(); ++i) {
    const bool windows = piattaforme[i];
    const std::filesystem::path file =
        o.uscita.value_or(percorso_file(".", nome_pacchetto(id->nome_percorso, id->nome_treno, windows)));
    // A file there that is no package is an author's: it stays.
    if (esiste_file(file)) {
      std::string vecchio;
      try {
        vecchio = leggi_file(file);
      } catch (const errore_file&) {
      }
      if (posizioni_localizzatore(vecchio).empty()) {
        err << "scenario: " << tra_virgolette(file)
            << " esiste e non è un pacchetto: non viene sostituito\n";
        return uscita::uso;
      }
    }
    try {
      sostituisci_file(file, programmi[i]);
    } catch (const errore_file& e) {
      err << "scenario: " << e.what() << "\n";
      return uscita::uso;
    }
    if (!windows) {
      std::error_code e;
      using std::filesystem::perms;
      std::filesystem::permissions(file, perms::owner_exec | perms::group_exec | perms::others_exec,
                                   std::filesystem::perm_options::add, e);
    }
    out << "Pacchetto per " << nome_piattaforma(windows) << ": " << tra_virgolette(file) << " ("
        << programmi[i].size() << " byte)\n";
  }
  return uscita::riuscita;
}

}  // namespace gara::strumento
