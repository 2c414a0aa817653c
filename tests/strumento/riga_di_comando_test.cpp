// The command line of the tool: help, and the mistakes a user can make.
#include <gtest/gtest.h>

#include "aiuti_prove.h"
#include "aiuti_strumento.h"

namespace gara {
namespace {

using prova::strumento;

TEST(RigaDiComando, OgniOpzioneHaUnEsempio) {
  const auto generale = strumento({"--help"});
  EXPECT_EQ(generale.stato, 0);
  for (const char* sotto : {"estrai", "compila", "mostra", "disegna", "orario"}) {
    EXPECT_NE(generale.uscita.find(sotto), std::string::npos) << sotto;
    const auto e = strumento({sotto, "--help"});
    EXPECT_EQ(e.stato, 0) << sotto;
    EXPECT_NE(e.uscita.find("Esempi:"), std::string::npos) << sotto;
    // Each option and argument line (but the help flag) is followed, within
    // its description, by an example. Entries start two spaces in; their
    // continuation lines further in.
    std::size_t voci = 0;
    for (std::size_t inizio = e.uscita.find("\n  "); inizio != std::string::npos;
         inizio = e.uscita.find("\n  ", inizio + 1)) {
      if (inizio + 3 >= e.uscita.size() || e.uscita[inizio + 3] == ' ') continue;
      const std::string parola = e.uscita.substr(inizio + 3, e.uscita.find(' ', inizio + 3) - inizio - 3);
      const bool opzione = parola.rfind("--", 0) == 0 || parola == "-o,--output" || parola == "CARTELLA" ||
                           parola == "FILE";
      if (!opzione || parola == "-h,--help") continue;
      std::size_t fine = inizio + 1;
      do {
        fine = e.uscita.find("\n  ", fine + 1);
      } while (fine != std::string::npos && fine + 3 < e.uscita.size() && e.uscita[fine + 3] == ' ');
      const std::string descrizione = e.uscita.substr(inizio, fine - inizio);
      EXPECT_NE(descrizione.find("Es.:"), std::string::npos) << sotto << ":" << descrizione;
      ++voci;
    }
    EXPECT_GE(voci, 2u) << sotto;
  }
}

TEST(RigaDiComando, GliErroriDUsoSonoInItalianoEdEsconoConTre) {
  prova::cartella_temporanea d;
  const std::string c = d.percorso().string();
  struct caso {
    std::vector<std::string> argomenti;
    const char* messaggio;
  };
  for (const caso& k : {
           caso{{}, "Uso:"},
           caso{{"frulla"}, "sottocomando sconosciuto: frulla;"},
           // Slips get the nearest name; what follows an unknown option is
           // not blamed as well.
           caso{{"compil", c}, "sottocomando sconosciuto: compil (forse compila?)"},
           caso{{"--versione"}, "l'opzione --versione non esiste (forse --version?)\n"},
           caso{{"--formato", "json"}, "l'opzione --formato non esiste (è un'opzione di verifica)\n"},
           caso{{"verifica", "--format", "json", c}, "l'opzione --format non esiste per verifica (forse --formato?)\n"},
           caso{{"estrai", "--piattaforma", "linux", c}, "(è un'opzione di impacchetta)\n"},
           caso{{"verifica", "-x", c}, "l'opzione -x non esiste per verifica\n"},
           // Values out of their set or range, in Italian.
           caso{{"verifica", "--formato", "xml", c},
                "valore non ammesso per --formato: \"xml\"; i valori ammessi sono testo, json o sarif\n"},
           caso{{"impacchetta", "--piattaforma", "linus", c}, "\"linus\" (forse linux?)"},
           caso{{"verifica", "--massimo", "0", c}, "--massimo: 0 è fuori dai limiti: ci vuole un numero intero da 1"},
           caso{{"verifica", "--massimo", "tanti", c}, "--massimo: \"tanti\" non è un numero intero"},
           caso{{"anteprima", "--porta", "99999", c}, "--porta: 99999 è fuori dai limiti: ci vuole un numero intero da 0 a 65535\n"},
           caso{{"compila", "--treno", "T", c}, "non c'è una coppia di descrizioni"},
           caso{{"compila", "--percorso", "P", "--treno", "T"}, "manca l'argomento obbligatorio CARTELLA"},
           caso{{"compila", "--percorso", "P", "--treno", "T", c, "altro"}, "argomenti non previsti: altro"},
           caso{{"compila", "--percorso", "P", "--treno", "T", "--colore", c}, "l'opzione --colore non esiste per compila\n"},
           caso{{"disegna", "--percorso", "P", "--treno", "T", c, "-o"}, "l'opzione --output vuole un valore"},
           // Names that cannot be file names of the scenario.
           caso{{"compila", "--percorso", "P", "--treno", "T ☃", c}, "Windows-1252"},
           caso{{"compila", "--percorso", "../P", "--treno", "T", c}, "non può contenere"},
           caso{{"estrai", "--treno", "", c}, "non può essere vuoto"},
       }) {
    const auto e = strumento(k.argomenti);
    EXPECT_EQ(e.stato, 3) << k.messaggio;
    EXPECT_NE(e.errori.find(k.messaggio), std::string::npos) << e.errori;
    EXPECT_EQ(e.uscita, "") << k.messaggio;
  }
  EXPECT_TRUE(prova::nomi_in(d.percorso()).empty());
}

// A mistyped subcommand names all those the help lists.
TEST(RigaDiComando, IlSottocomandoSconosciutoLiNominaTutti) {
  const std::string aiuto = strumento({"--help"}).uscita;
  const std::string sconosciuto = strumento({"frulla"}).errori;
  const auto elenco = aiuto.find("Sottocomandi:");
  ASSERT_NE(elenco, std::string::npos) << aiuto;
  const auto fine_elenco = aiuto.find("\n\n", elenco);
  std::size_t nominati = 0;
  for (std::size_t riga = aiuto.find("\n  ", elenco); riga < fine_elenco; riga = aiuto.find("\n  ", riga + 1)) {
    const std::string nome = aiuto.substr(riga + 3, aiuto.find(' ', riga + 3) - riga - 3);
    EXPECT_NE(sconosciuto.find(" " + nome), std::string::npos) << nome << "\n" << sconosciuto;
    ++nominati;
  }
  EXPECT_EQ(nominati, 9u) << aiuto;
}

// Without --percorso and --treno a subcommand takes the one scenario of the
// folder; with several it lists them.
TEST(RigaDiComando, LIdentitaSiRicavaDallaCartella) {
  prova::cartella_temporanea d;
  const std::string c = d.percorso().string();
  ASSERT_EQ(strumento({"estrai", "--percorso", "Linea_Uno", "--treno", "R 1", c}).stato, 0);
  const auto una = strumento({"compila", "--json", c});
  EXPECT_EQ(una.stato, 0) << una.errori;
  EXPECT_NE(una.uscita.find("Linea_Uno_R 1.sim"), std::string::npos) << una.uscita;
  EXPECT_EQ(strumento({"disegna", "-o", (d.percorso() / "x.svg").string(), c}).stato, 0);

  ASSERT_EQ(strumento({"estrai", "--sovrascrivi", "--percorso", "Linea_Uno", "--treno", "R 2", c}).stato, 0);
  const auto due = strumento({"compila", c});
  EXPECT_EQ(due.stato, 3);
  EXPECT_NE(due.errori.find("--percorso \"Linea_Uno\" --treno \"R 1\""), std::string::npos) << due.errori;
  EXPECT_NE(due.errori.find("--percorso \"Linea_Uno\" --treno \"R 2\""), std::string::npos) << due.errori;
  EXPECT_EQ(strumento({"compila", "--treno", "R 2", c}).stato, 0);
}

// The version the help offers, on standard output, status 0.
TEST(RigaDiComando, LaVersione) {
  for (const char* opzione : {"--version", "-V"}) {
    const auto e = strumento({opzione});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita, "scenario " GARA_VERSIONE "\n");
  }
  EXPECT_NE(strumento({"--help"}).uscita.find("-V,--version"), std::string::npos);
}

}  // namespace
}  // namespace gara
