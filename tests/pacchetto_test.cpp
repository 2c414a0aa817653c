// End-to-end runs of the built package, as its users run it: the program
// copied into a folder of its own and started there with no arguments.
#ifndef _WIN32

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>

#include "aiuti_prove.h"
#include "impronta.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;

const std::string nome_programma = "Corvana_Selvadoro_R 47315";

struct esito {
  int stato = -1;
  std::string errori;
};

// Runs the package from the folder given; as_nobody drops root's rights so
// that a read-only folder is read-only for the program too.
// `ambiente` goes before the program on its command line (VAR=valore ...).
esito esegui(const std::filesystem::path& cartella, bool come_nessuno = false, const std::string& ambiente = "") {
  std::filesystem::copy_file(GARA_PACCHETTO, cartella / nome_programma,
                             std::filesystem::copy_options::overwrite_existing);
  cartella_temporanea altrove;
  const auto errori = altrove.percorso() / "errori.txt";
  std::string comando = "cd '" + cartella.string() + "' && ";
  if (come_nessuno) comando += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  comando += "env " + ambiente + " './" + nome_programma + "' 2>'" + errori.string() + "' </dev/null";
  const int grezzo = std::system(comando.c_str());
  esito e;
  e.stato = WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : -1;
  if (std::filesystem::exists(errori)) e.errori = leggi_tutto(errori);
  return e;
}

// Name and content of every file the run left, the program excepted.
std::map<std::string, std::string> contenuto(const std::filesystem::path& cartella) {
  std::map<std::string, std::string> file;
  for (const auto& voce : std::filesystem::directory_iterator(cartella))
    if (voce.path().filename() != nome_programma)
      file[voce.path().filename().string()] = leggi_tutto(voce.path());
  return file;
}

TEST(Pacchetto, InUnaCartellaVuotaLasciaISeiFileDelloScenario) {
  cartella_temporanea c;
  const esito e = esegui(c.percorso());
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.errori, "");
  std::map<std::string, std::size_t> dimensioni;
  for (const auto& [nome, byte] : contenuto(c.percorso())) dimensioni[nome] = byte.size();
  // The line table: 2958 bytes and the texts (board texts, station names,
  // the two identifiers).
  const std::size_t sim = 2958 + 60 + 78 + 17 + 7;
  EXPECT_EQ(dimensioni, (std::map<std::string, std::size_t>{
                            {"Corvana_Selvadoro_R 47315_note.txt", 2555},
                            {"Corvana_Selvadoro_R 47315_rallentamenti.txt", 3285},
                            {"Corvana_Selvadoro_R 47315_scheda_treno.txt", 3733},
                            {"Corvana_Selvadoro_linea.dat", 1079964},
                            {"Corvana_Selvadoro_R 47315.sim", sim},
                            {"Corvana_Selvadoro_R 47315.dat", 16215},
                        }));
  // And every byte of them.
  EXPECT_EQ(prova::diversi_dagli_spediti(c.percorso()), std::vector<std::string>{});
}

TEST(Pacchetto, UnaSecondaEsecuzioneSostituisceTuttoConGliStessiByte) {
  cartella_temporanea c;
  ASSERT_EQ(esegui(c.percorso()).stato, 0);
  const auto prima = contenuto(c.percorso());
  // Older, longer files of the same names leave nothing behind.
  for (const auto& [nome, byte] : prima)
    prova::scrivi_file(c.percorso() / nome, std::string(byte.size() * 2 + 100, '\x55'));
  ASSERT_EQ(esegui(c.percorso()).stato, 0);
  EXPECT_EQ(contenuto(c.percorso()), prima);
}

TEST(Pacchetto, UnaCartellaNonScrivibileDaUnErroreChiaroELasciaIFileIntatti) {
  if (geteuid() == 0 && std::system("command -v setpriv >/dev/null") != 0)
    GTEST_SKIP() << "setpriv non disponibile";
  cartella_temporanea c;
  prova::scrivi_file(c.percorso() / "Corvana_Selvadoro_linea.txt", "vecchio");
  prova::scrivi_file(c.percorso() / "Corvana_Selvadoro_R 47315.dat", "vecchio dat");
  std::filesystem::copy_file(GARA_PACCHETTO, c.percorso() / nome_programma);
  std::filesystem::permissions(c.percorso(),
                               std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  const auto prima = contenuto(c.percorso());
  const esito e = esegui(c.percorso(), geteuid() == 0);
  EXPECT_EQ(e.stato, 3);
  EXPECT_NE(e.errori.find("Corvana_Selvadoro_linea.txt"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find("permesso negato (errno 13)"), std::string::npos) << e.errori;
  EXPECT_EQ(contenuto(c.percorso()), prima);
}

// Without a display the program maps no GUI library: the loader, asked
// for the libraries it would map at the start, names none of them.
TEST(Pacchetto, SenzaSchermoNessunaLibreriaGraficaSiCarica) {
  cartella_temporanea c;
  cartella_temporanea altrove;
  const auto elenco = altrove.percorso() / "librerie.txt";
  std::filesystem::copy_file(GARA_PACCHETTO, c.percorso() / nome_programma);
  const std::string comando = "env -u DISPLAY LD_TRACE_LOADED_OBJECTS=1 '" + (c.percorso() / nome_programma).string() +
                              "' >'" + elenco.string() + "' 2>&1 </dev/null";
  ASSERT_EQ(std::system(comando.c_str()), 0);
  const std::string librerie = leggi_tutto(elenco);
  EXPECT_NE(librerie.find("libc.so"), std::string::npos) << librerie;
  for (const char* grafica : {"libX11", "libfltk", "libxcb", "libfontconfig", "libXft"})
    EXPECT_EQ(librerie.find(grafica), std::string::npos) << grafica << " in\n" << librerie;
  // And the run wrote nothing: the loader only listed.
  EXPECT_EQ(contenuto(c.percorso()).size(), 0u);
}

// With DISPLAY set the window module is loaded from the program's own bytes;
// a display that is not there is no display: the run ends as without one,
// nothing said, every byte the same.
TEST(Pacchetto, UnoSchermoIrraggiungibileEComeNessunoSchermo) {
  cartella_temporanea c;
  const esito e = esegui(c.percorso(), false, "DISPLAY=unix:/nessuno/schermo:0");
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(prova::diversi_dagli_spediti(c.percorso()), std::vector<std::string>{});
}

}  // namespace
}  // namespace gara

#endif
