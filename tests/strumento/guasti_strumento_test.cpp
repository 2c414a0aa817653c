// `scenario compila` when the disk fills up in the middle of a binary file or
// the output folder cannot be written: a message naming the file and the
// reason, exit status 3, and every binary file that was there before still
// whole (the old bytes or the complete new ones). The tool is run as a
// program so that the file-size limit and the identity apply to it alone.
#ifndef _WIN32

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"
#include "file/motivo_sistema.h"

namespace gara {
namespace {

using prova::cartella_temporanea;
using contenuti = std::map<std::string, std::string>;

contenuti file_in(const std::filesystem::path& cartella) {
  contenuti f;
  for (const auto& voce : std::filesystem::directory_iterator(cartella))
    f[voce.path().filename().string()] = prova::leggi_tutto(voce.path());
  return f;
}

// The shipped descriptions in one folder; the binaries of a complete compile
// in `nuovi`; older versions of them in `uscita`.
struct banco {
  cartella_temporanea descrizioni, riferimento, uscita;
  contenuti nuovi, vecchi;

  banco() {
    prova::scrivi_descrizioni(descrizioni.percorso(), "P", "T", prova::righe_linea_spedita(),
                              prova::righe_treno_spedita());
    const auto e = compila({}, riferimento.percorso());
    if (e.stato != 0) throw std::runtime_error("compilazione di riferimento: " + e.errori);
    nuovi = file_in(riferimento.percorso());
    for (const auto& [nome, byte] : nuovi) {
      vecchi[nome] = "versione precedente di " + nome;
      prova::scrivi_file(uscita.percorso() / nome, vecchi[nome]);
    }
  }

  // `scenario compila` into the folder given, run by the program and
  // arguments of `prima` when there are any (a limit, another identity).
  prova::esito_strumento compila(std::vector<std::string> prima, const std::filesystem::path& dove) const {
    const std::vector<std::string> argomenti{"compila", "--percorso", "P", "--treno", "T", "--uscita",
                                             dove.string(), descrizioni.percorso().string()};
    if (prima.empty()) return prova::programma(GARA_SCENARIO, argomenti, descrizioni.percorso());
    const std::string programma = prima.front();
    prima.erase(prima.begin());
    prima.push_back(GARA_SCENARIO);
    prima.insert(prima.end(), argomenti.begin(), argomenti.end());
    return prova::programma(programma, prima, descrizioni.percorso());
  }
};

TEST(GuastiStrumento, DiscoPienoNelTracciato) {
  banco b;
  // The plan is written first and is over a megabyte: a 100000-byte limit
  // stops it midway.
  const auto e = b.compila({"prlimit", "--fsize=100000", "--"}, b.uscita.percorso());
  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find("P_linea.dat"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(motivo_errno(EFBIG)), std::string::npos) << e.errori;
  EXPECT_EQ(file_in(b.uscita.percorso()), b.vecchi);
  EXPECT_EQ(prova::nomi_in(b.descrizioni.percorso()), (std::vector<std::string>{"P_T-.txt", "P_linea.txt"}));
}

TEST(GuastiStrumento, CartellaDUscitaNonScrivibile) {
  if (geteuid() == 0 && std::system("command -v setpriv >/dev/null") != 0)
    GTEST_SKIP() << "setpriv non disponibile";
  banco b;
  std::filesystem::permissions(b.uscita.percorso(),
                               std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  // Root writes anywhere: the tool runs as nobody.
  std::vector<std::string> prima;
  if (geteuid() == 0) prima = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
  const auto e = b.compila(prima, b.uscita.percorso());
  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find("P_linea.dat"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(motivo_errno(EACCES)), std::string::npos) << e.errori;
  EXPECT_EQ(file_in(b.uscita.percorso()), b.vecchi);
}

}  // namespace
}  // namespace gara

#endif
