// Every subcommand's exit statuses are those its help documents: each one
// the help lists is reached by a case here, and each case's status is in
// the list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"

namespace gara {
namespace {

using prova::strumento;

// The statuses the help of a subcommand lists after "Uscita:".
std::set<int> stati_documentati(const std::string& sottocomando) {
  const std::string aiuto = strumento({sottocomando, "--help"}).uscita;
  const auto inizio = aiuto.find("\nUscita: ");
  std::set<int> stati;
  if (inizio == std::string::npos) return stati;
  // "Uscita: 0 ...; 1 ...; 3 ...": a status opens the section or follows "; ".
  const std::string sezione = aiuto.substr(inizio + 1);
  for (const std::string prima : {"Uscita: ", "; "})
    for (auto i = sezione.find(prima); i != std::string::npos; i = sezione.find(prima, i + 1)) {
      const std::size_t j = i + prima.size();
      if (j + 1 < sezione.size() && sezione[j] >= '0' && sezione[j] <= '9' && sezione[j + 1] == ' ')
        stati.insert(sezione[j] - '0');
    }
  return stati;
}

struct caso {
  std::string sottocomando;
  std::vector<std::string> argomenti;  // after the subcommand
  int stato;
};

TEST(Uscite, OgniSottocomandoEsceComeDiceIlSuoAiuto) {
  prova::cartella_temporanea d;
  const auto in = [&d](const std::string& nome) { return (d.percorso() / nome).string(); };

  // A sound scenario, compiled; one without "[generale]" (the check's
  // error, code 0); one that cannot be stamped; a file that is nothing.
  ASSERT_EQ(strumento({"estrai", in("buono")}).stato, 0);
  ASSERT_EQ(strumento({"compila", in("buono")}).stato, 0);
  ASSERT_EQ(strumento({"estrai", "--percorso", "P", "--treno", "T", in("rotto")}).stato, 0);
  for (const char* c : {"fermo", "corto"}) std::filesystem::create_directories(in(c));
  auto treno = prova::righe_treno_spedita();
  treno.front() = "generale";
  prova::scrivi_descrizioni(in("rotto"), "P", "T", prova::righe_linea_spedita(), treno);
  treno = prova::righe_treno_spedita();
  treno.insert(treno.begin() + 32, "abbattimento,   50,   7");
  prova::scrivi_descrizioni(in("fermo"), "P", "T", prova::righe_linea_spedita(), treno);
  prova::scrivi_file(in("niente.sim"), "niente");
  const std::string sim = in("buono") + "/Corvana_Selvadoro_R 47315.sim";
  for (const auto& f : std::filesystem::directory_iterator(in("buono")))
    std::filesystem::copy_file(f.path(), std::filesystem::path(in("corto")) / f.path().filename());
  prova::scrivi_file(in("corto") + "/Corvana_Selvadoro_R 47315.sim", "corto");

  std::vector<caso> casi = {
      {"estrai", {in("nuova")}, 0},
      {"estrai", {"--da", in("niente.sim"), in("altra")}, 1},
      {"estrai", {in("buono")}, 3},  // its files are there already
      {"compila", {in("buono")}, 0},
      {"compila", {in("rotto")}, 1},
      {"compila", {in("fermo")}, 2},
      {"compila", {in("non c'è")}, 3},
      {"verifica", {in("buono")}, 0},
      {"verifica", {in("rotto")}, 1},
      {"verifica", {"--percorso", "P", "--treno", "Altro", in("rotto")}, 3},  // no such train
      {"mostra", {sim}, 0},
      {"mostra", {in("niente.sim")}, 1},
      {"mostra", {in("non c'è.sim")}, 3},
      {"disegna", {"-o", in("buono.svg"), in("buono")}, 0},
      {"disegna", {"-o", in("corto.svg"), in("corto")}, 1},
      {"disegna", {in("non c'è")}, 3},
      {"orario", {in("buono")}, 0},
      {"orario", {"--severo", in("buono")}, 1},  // the shipped timetable has its warnings
      {"orario", {in("non c'è")}, 3},
      {"impacchetta", {"-o", in("rotto.exe"), in("rotto")}, 1},
      {"impacchetta", {in("non c'è")}, 3},
      {"anteprima", {in("non c'è")}, 3},
  };
#ifndef _WIN32
  // The package programs beside the tool's build.
  setenv("SCENARIO_PACCHETTI", std::filesystem::path(GARA_PACCHETTO).parent_path().c_str(), 1);
  casi.push_back({"impacchetta", {"--piattaforma", "linux", "-o", in("buono_linux"), in("buono")}, 0});
#endif
  // The preview's 0, after Ctrl+C, is the preview's own tests' to reach.
  std::map<std::string, std::set<int>> raggiunti = {{"anteprima", {0}}};
  for (const caso& k : casi) {
    std::vector<std::string> argomenti{k.sottocomando};
    argomenti.insert(argomenti.end(), k.argomenti.begin(), k.argomenti.end());
    const auto e = strumento(argomenti);
    EXPECT_EQ(e.stato, k.stato) << k.sottocomando << " " << k.argomenti.back() << "\n" << e.errori;
    EXPECT_TRUE(stati_documentati(k.sottocomando).count(k.stato))
        << k.sottocomando << " esce con " << k.stato << " e il suo aiuto non lo dice";
    raggiunti[k.sottocomando].insert(k.stato);
  }
#ifndef _WIN32
  unsetenv("SCENARIO_PACCHETTI");
#else
  raggiunti["impacchetta"].insert(0);
#endif
  for (const auto& [sottocomando, stati] : raggiunti)
    EXPECT_EQ(stati_documentati(sottocomando), stati) << sottocomando;
  EXPECT_EQ(raggiunti.size(), 8u);
}

}  // namespace
}  // namespace gara
