// Whole-file replacement and reading in a folder whose path holds spaces and
// letters beyond ASCII, as users' folders do (on Windows the names go to
// the system's wide-character file functions).
#include <gtest/gtest.h>

#include <string>

#include "aiuti_prove.h"
#include "file/file.h"

namespace gara {
namespace {

using prova::cartella_temporanea;

const std::filesystem::path cartella_utente = u8"Scenari di prova àèìòù €";
const std::filesystem::path nome_file = u8"Corvana_Selvadoro_R 47315_note.txt";

std::vector<std::string> nomi_in(const std::filesystem::path& cartella) {
  std::vector<std::string> nomi;
  for (const auto& voce : std::filesystem::directory_iterator(cartella))
    nomi.push_back(nome_leggibile(voce.path().filename()));
  return nomi;
}

TEST(File, SostituisceTuttoIlFileInUnaCartellaConSpaziELettereAccentate) {
  cartella_temporanea c;
  const auto cartella = c.percorso() / cartella_utente;
  std::filesystem::create_directory(cartella);
  const auto file = cartella / nome_file;

  EXPECT_FALSE(esiste_file(file));
  sostituisci_file(file, std::string(5000, 'x') + "\r\n");
  EXPECT_TRUE(esiste_file(file));
  // A shorter new content leaves nothing of the old one behind.
  sostituisci_file(file, "nuovo\r\n\xE8\r\n");
  EXPECT_EQ(leggi_file(file), "nuovo\r\n\xE8\r\n");
  EXPECT_EQ(nomi_in(cartella), std::vector<std::string>{nome_leggibile(nome_file)});
}

TEST(File, UnErroreNominaIlFileConLeSueLettere) {
  cartella_temporanea c;
  const auto file = c.percorso() / cartella_utente / nome_file;  // folder missing
  try {
    sostituisci_file(file, "x");
    FAIL() << "nessun errore";
  } catch (const errore_file& e) {
    EXPECT_NE(std::string(e.what()).find(nome_leggibile(cartella_utente)), std::string::npos)
        << e.what();
  }
  EXPECT_THROW(leggi_file(file), errore_file);
  EXPECT_TRUE(nomi_in(c.percorso()).empty());
}

}  // namespace
}  // namespace gara
