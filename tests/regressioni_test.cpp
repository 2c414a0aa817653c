// Every input on which a fuzz target ever stopped (a crash, a hang, a
// broken property) is kept under regressioni/<target>/ and replayed here
// through the same function the fuzzer calls, so the fault stays fixed in
// every build, the sanitizer one included. GARA_REGRESSIONI names another
// folder of the same layout, e.g. fuzz/corpus to replay the kept corpora.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "aiuti_prove.h"
#include "bersagli_fuzz.h"

namespace gara {
namespace {

std::vector<std::filesystem::path> ingressi(const char* bersaglio) {
  const char* altra = std::getenv("GARA_REGRESSIONI");
  const auto cartella = std::filesystem::path(altra ? altra : GARA_CARTELLA_PROVE "/regressioni") / bersaglio;
  std::vector<std::filesystem::path> file;
  if (std::filesystem::is_directory(cartella))
    for (const auto& voce : std::filesystem::directory_iterator(cartella))
      if (voce.is_regular_file()) file.push_back(voce.path());
  std::sort(file.begin(), file.end());
  return file;
}

void ripeti(const char* bersaglio, const std::function<void(std::string_view)>& prova) {
  for (const auto& file : ingressi(bersaglio)) {
    const std::string byte = prova::leggi_tutto(file);
    try {
      prova(byte);
    } catch (const std::exception& e) {
      ADD_FAILURE() << file.filename() << ": " << e.what();
    }
  }
}

TEST(Regressioni, LettoreCampi) { ripeti("lettore_campi", fuzz::prova_lettore_campi); }

TEST(Regressioni, Decodificatori) { ripeti("decodificatori", fuzz::prova_decodificatori); }

TEST(Regressioni, PacchettoDati) { ripeti("pacchetto_dati", fuzz::prova_pacchetto_dati); }

TEST(Regressioni, Anteprima) { ripeti("anteprima", fuzz::prova_anteprima); }

TEST(Regressioni, MemorizzaDati) { ripeti("memorizza_dati", fuzz::prova_memorizza_dati); }

TEST(Regressioni, Lsp) { ripeti("lsp", fuzz::prova_lsp); }

TEST(Regressioni, Verifica) {
  // The check's target shares its inputs with the compile's.
  ripeti("memorizza_dati", fuzz::prova_verifica);
  ripeti("verifica", fuzz::prova_verifica);
}

}  // namespace
}  // namespace gara
