// Faults of the file system: a disk that fills up in the middle of a file,
// a folder that cannot be written, a description path that is a folder.
// Each must end with a clear message and a failure status, and leave every
// file that was there before whole: its old bytes or the complete new ones,
// never a piece.
#ifndef _WIN32

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <functional>
#include <map>

#include "aiuti_prove.h"
#include "file/file.h"
#include "file/motivo_sistema.h"
#include "modello/codici.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "compilazione/compila.h"
#include "file/scenario_su_disco.h"
#include "uscita/scrittura_binari.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_file;
using contenuti = std::map<std::string, std::string>;

const std::string programma = "Corvana_Selvadoro_R 47315";
const std::string percorso = "Corvana_Selvadoro";
const std::string treno = "R 47315";
constexpr int stato_guasto_file = 3;

// Name and bytes of every regular file in the folder, the program excepted.
contenuti file_in(const std::filesystem::path& cartella) {
  contenuti f;
  for (const auto& voce : std::filesystem::directory_iterator(cartella))
    if (voce.is_regular_file() && voce.path().filename() != programma)
      f[voce.path().filename().string()] = leggi_tutto(voce.path());
  return f;
}

// Every file is either what was there before or the complete new version;
// a file that went away must be one the run deletes by design.
void vecchio_o_nuovo(const contenuti& dopo, const contenuti& prima, const contenuti& nuovi,
                     const std::vector<std::string>& cancellabili = {}) {
  for (const auto& [nome, byte] : dopo) {
    const auto p = prima.find(nome);
    const auto n = nuovi.find(nome);
    const bool vecchio = p != prima.end() && p->second == byte;
    const bool nuovo = n != nuovi.end() && n->second == byte;
    EXPECT_TRUE(vecchio || nuovo) << nome << ": " << byte.size() << " byte, né il vecchio né il nuovo";
  }
  for (const auto& [nome, byte] : prima) {
    if (!dopo.contains(nome)) {
      EXPECT_NE(std::find(cancellabili.begin(), cancellabili.end(), nome), cancellabili.end())
          << nome << " è sparito";
    }
  }
}

// Older versions of every file the package writes, each unlike the new one.
contenuti vecchie_versioni(const contenuti& nuovi) {
  contenuti v;
  for (const auto& [nome, byte] : nuovi) v[nome] = "versione precedente di " + nome;
  return v;
}

struct esito {
  int stato = -1;
  std::string errori;
};

// The package copied into the folder and run there, its command line
// preceded by `prima` (a limit, another identity).
esito esegui_pacchetto(const std::filesystem::path& cartella, const std::string& prima = "") {
  std::filesystem::copy_file(GARA_PACCHETTO, cartella / programma,
                             std::filesystem::copy_options::overwrite_existing);
  cartella_temporanea altrove;
  const auto errori = altrove.percorso() / "errori.txt";
  const std::string comando = "cd '" + cartella.string() + "' && " + prima + " './" + programma +
                              "' 2>'" + errori.string() + "' </dev/null";
  const int grezzo = std::system(comando.c_str());
  esito e;
  e.stato = WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : 128 + WTERMSIG(grezzo);
  if (std::filesystem::exists(errori)) e.errori = leggi_tutto(errori);
  return e;
}

// The six files of a complete run of the package, and the two
// descriptions it writes and deletes on the way.
const contenuti& scenario_completo() {
  static const contenuti nuovi = [] {
    cartella_temporanea c;
    if (esegui_pacchetto(c.percorso()).stato != 0) throw std::runtime_error("esecuzione di riferimento");
    contenuti file = file_in(c.percorso());
    file[nome_descrizione_linea(percorso)] = dati_linea();
    file[nome_descrizione_treno(percorso, treno)] = dati_treno();
    return file;
  }();
  return nuovi;
}

std::vector<std::string> descrizioni() {
  return {nome_descrizione_linea(percorso), nome_descrizione_treno(percorso, treno)};
}

// ---------------------------------------------------------------- package

struct caso_limite {
  const char* nome;
  long byte_massimi;        // largest file the process may write
  const char* file_guasto;  // the file the run stops on
};

void PrintTo(const caso_limite& k, std::ostream* o) { *o << k.nome; }

class DiscoPienoPacchetto : public ::testing::TestWithParam<caso_limite> {};

TEST_P(DiscoPienoPacchetto, MessaggioChiaroEFileInteri) {
  const caso_limite& k = GetParam();
  const contenuti& nuovi = scenario_completo();
  cartella_temporanea c;
  const contenuti prima = vecchie_versioni(nuovi);
  for (const auto& [nome, byte] : prima) scrivi_file(c.percorso() / nome, byte);

  const esito e =
      esegui_pacchetto(c.percorso(), "prlimit --fsize=" + std::to_string(k.byte_massimi) + " --");
  EXPECT_EQ(e.stato, stato_guasto_file) << e.errori;
  EXPECT_NE(e.errori.find(k.file_guasto), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(motivo_errno(EFBIG)), std::string::npos) << e.errori;
  vecchio_o_nuovo(file_in(c.percorso()), prima, nuovi, descrizioni());
  EXPECT_EQ(file_in(c.percorso()).at(k.file_guasto), prima.at(k.file_guasto));
}

INSTANTIATE_TEST_SUITE_P(
    Limiti, DiscoPienoPacchetto,
    ::testing::Values(caso_limite{"nel_primo_testo", 1000, "Corvana_Selvadoro_linea.txt"},
                      caso_limite{"nel_tracciato", 100000, "Corvana_Selvadoro_linea.dat"}),
    [](const auto& caso) { return std::string(caso.param.nome); });

class CartellaAlPostoDelFile : public ::testing::TestWithParam<std::string> {};

TEST_P(CartellaAlPostoDelFile, MessaggioChiaroELaCartellaResta) {
  const std::string& nome = GetParam();
  const contenuti& nuovi = scenario_completo();
  cartella_temporanea c;
  contenuti prima = vecchie_versioni(nuovi);
  prima.erase(nome);
  for (const auto& [n, byte] : prima) scrivi_file(c.percorso() / n, byte);
  std::filesystem::create_directory(c.percorso() / nome);
  scrivi_file(c.percorso() / nome / "dentro.txt", "contenuto");

  const esito e = esegui_pacchetto(c.percorso());
  EXPECT_EQ(e.stato, stato_guasto_file) << e.errori;
  EXPECT_NE(e.errori.find(nome), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(motivo_errno(EISDIR)), std::string::npos) << e.errori;
  EXPECT_EQ(leggi_tutto(c.percorso() / nome / "dentro.txt"), "contenuto");
  vecchio_o_nuovo(file_in(c.percorso()), prima, nuovi, descrizioni());
}

INSTANTIATE_TEST_SUITE_P(Percorsi, CartellaAlPostoDelFile,
                         ::testing::Values("Corvana_Selvadoro_linea.txt", "Corvana_Selvadoro_R 47315-.txt",
                                           "Corvana_Selvadoro_R 47315.dat"),
                         [](const auto& caso) {
                           std::string n;
                           for (char ch : caso.param) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return n;
                         });

// ---------------------------------------------------------------- compiler

// The compile of the package's own descriptions, its binaries to be
// written into a folder as the authoring tool writes them.
struct compilazione_su_disco {
  risultato_compilazione r;
  std::filesystem::path uscita;
};

compilazione_su_disco compilazione(const std::filesystem::path& uscita, int32_t j) {
  const std::string linea = dati_linea(), descrizione_treno = dati_treno();
  return {compila(prova::sorgenti_di(percorso, treno, &linea, &descrizione_treno), {percorso, treno, j != 0}),
          uscita};
}

// Runs the compile in a child process, after `prepara` has set the child's
// limits or identity. Status 0: done; 3: errore_file, with its message.
esito scrivi_nel_figlio(const compilazione_su_disco& c, const std::function<void()>& prepara) {
  int tubo[2];
  if (pipe(tubo) != 0) throw std::runtime_error("pipe");
  const pid_t figlio = fork();
  if (figlio == 0) {
    close(tubo[0]);
    int stato = 0;
    std::string messaggio;
    try {
      prepara();
      std::vector<std::string> scritti;
      scrivi_binari(c.r.modello, scrittura_in_cartella(c.uscita), scritti);
    } catch (const errore_file& e) {
      stato = stato_guasto_file;
      messaggio = e.what();
    } catch (const std::exception& e) {
      stato = 4;
      messaggio = e.what();
    }
    if (!messaggio.empty() && write(tubo[1], messaggio.data(), messaggio.size()) < 0) stato = 5;
    _exit(stato);
  }
  close(tubo[1]);
  esito e;
  char blocco[512];
  ssize_t letti;
  while ((letti = read(tubo[0], blocco, sizeof blocco)) > 0) e.errori.append(blocco, static_cast<std::size_t>(letti));
  close(tubo[0]);
  int grezzo = 0;
  waitpid(figlio, &grezzo, 0);
  e.stato = WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : 128 + WTERMSIG(grezzo);
  return e;
}

TEST(DiscoPienoCompilatore, IlFileInterrottoRestaQuelloVecchio) {
  // Without the plan the ".sim" (about 3 KB) is written first and then the
  // ".dat" (16215 bytes): a limit between the two stops the second midway.
  cartella_temporanea riferimento, uscita;
  std::vector<std::string> scritti;
  scrivi_binari(compilazione(riferimento.percorso(), 0).r.modello, scrittura_in_cartella(riferimento.percorso()),
                scritti);
  const contenuti nuovi = file_in(riferimento.percorso());
  const std::string sim = nome_sim(percorso, treno), dat = nome_dat(percorso, treno);
  ASSERT_LT(nuovi.at(sim).size(), 10000u);
  ASSERT_GT(nuovi.at(dat).size(), 10000u);

  const contenuti prima = vecchie_versioni(nuovi);
  for (const auto& [nome, byte] : prima) scrivi_file(uscita.percorso() / nome, byte);
  const esito e = scrivi_nel_figlio(compilazione(uscita.percorso(), 0), [] {
    ignora_segnale_limite_file();
    const rlimit limite{10000, 10000};
    setrlimit(RLIMIT_FSIZE, &limite);
  });
  EXPECT_EQ(e.stato, stato_guasto_file) << e.errori;
  EXPECT_NE(e.errori.find(dat), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(motivo_errno(EFBIG)), std::string::npos) << e.errori;
  const contenuti dopo = file_in(uscita.percorso());
  EXPECT_EQ(dopo, (contenuti{{sim, nuovi.at(sim)}, {dat, prima.at(dat)}}));
}

TEST(CartellaNonScrivibile, IlCompilatoreLoDiceENonToccaNulla) {
  cartella_temporanea uscita;
  const contenuti prima = {{nome_dat(percorso, treno), "vecchio"}, {nome_linea_dat(percorso), "vecchio"}};
  for (const auto& [nome, byte] : prima) scrivi_file(uscita.percorso() / nome, byte);
  std::filesystem::permissions(uscita.percorso(),
                               std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  // Root writes anywhere: the child gives up root's rights first.
  const esito e = scrivi_nel_figlio(compilazione(uscita.percorso(), 1), [] {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
      throw std::runtime_error("impossibile lasciare i diritti di root");
  });
  EXPECT_EQ(e.stato, stato_guasto_file) << e.errori;
  EXPECT_NE(e.errori.find(nome_linea_dat(percorso)), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(motivo_errno(EACCES)), std::string::npos) << e.errori;
  EXPECT_EQ(file_in(uscita.percorso()), prima);
}

TEST(CartellaAlPostoDellaDescrizione, CodiceEDNessunaCartellaCancellata) {
  // The line description a folder: it is not there (101); the train
  // description a folder: it cannot be read (25). Either way the folder,
  // even an empty one, stays.
  const auto compila_e_cancella = [](const std::filesystem::path& cartella) {
    const auto r = compila(leggi_sorgenti(cartella, "P", "T"), {"P", "T", 1});
    cancella_descrizioni(cartella, r);
    return r.codice_errore();
  };
  {
    cartella_temporanea c;
    const auto linea = c.percorso() / "P_linea.txt";
    std::filesystem::create_directory(linea);
    scrivi_file(c.percorso() / "P_T-.txt", prova::treno_vuoto);
    EXPECT_EQ(compila_e_cancella(c.percorso()), codice::linea_mancante);
    EXPECT_TRUE(std::filesystem::is_directory(linea));
  }
  {
    cartella_temporanea c;
    const auto treno_cartella = c.percorso() / "P_T-.txt";
    std::filesystem::create_directory(treno_cartella);
    scrivi_file(c.percorso() / "P_linea.txt", "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n[fine]\r\n");
    EXPECT_EQ(compila_e_cancella(c.percorso()), codice::guasto_lettura);
    EXPECT_FALSE(std::filesystem::exists(c.percorso() / "P_linea.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(treno_cartella));
  }
}

}  // namespace
}  // namespace gara

#endif
