// The platform layer of the build, as far as it can be seen without a
// screen: the program folder, and the run without a display. The window and
// the message box on a screen are checked by strumenti/prove_schermo.sh and
// strumenti/prove_windows.sh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "file/file.h"
#include "avvio/piattaforma.h"

namespace gara {
namespace {

TEST(Piattaforma, LaCartellaDelProgrammaEQuellaDellEseguibile) {
  const auto cartella = crea_piattaforma()->cartella_programma();
  EXPECT_TRUE(cartella.is_absolute()) << nome_leggibile(cartella);
  EXPECT_TRUE(esiste_file(cartella / GARA_NOME_PROVE)) << nome_leggibile(cartella);
}

#ifndef _WIN32
// DISPLAY set for the scope of one case, and put back afterwards.
class schermo_impostato {
 public:
  explicit schermo_impostato(const char* valore) {
    if (const char* v = std::getenv("DISPLAY")) prima_ = v;
    if (valore == nullptr)
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", valore, 1);
  }
  ~schermo_impostato() {
    if (prima_)
      setenv("DISPLAY", prima_->c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

 private:
  std::optional<std::string> prima_;
};
#endif

// No display named, an empty name, or one that cannot be opened: the run
// goes on without a window and the messages go to standard error.
TEST(Piattaforma, SenzaSchermoNessunaFinestraEIMessaggiSuStandardError) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows always has a desktop: its box is answered under Wine by "
                  "strumenti/prove_windows.sh";
#else
  for (const char* schermo : {static_cast<const char*>(nullptr), "", ":9999"}) {
    SCOPED_TRACE(schermo == nullptr ? "(nessuno)" : schermo);
    schermo_impostato s(schermo);
    const auto p = crea_piattaforma();
    testing::internal::CaptureStderr();
    p->mostra_finestra();
    p->ridisegna_finestra();
    p->messaggio(" Errore n. 1250");
    p->segnala_guasto("impossibile scrivere \"x\"");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              " Errore n. 1250\nErrore: impossibile scrivere \"x\"\n");
  }
#endif
}

}  // namespace
}  // namespace gara
