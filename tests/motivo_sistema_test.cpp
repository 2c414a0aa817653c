// The system's reason inside the messages: Italian for the common errors,
// the system's own words for the rest, and the system's code always.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "aiuti_prove.h"
#include "file/file.h"
#include "file/motivo_sistema.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace gara {
namespace {

struct caso_motivo {
  int numero;
  const char* atteso;
};

TEST(MotivoSistema, IComuniInItalianoConIlCodice) {
  for (const caso_motivo& k : {caso_motivo{ENOSPC, "spazio esaurito sul disco"},
                               caso_motivo{EACCES, "permesso negato"},
                               caso_motivo{EROFS, "file system in sola lettura"},
                               caso_motivo{ENOENT, "file o cartella inesistente"},
                               caso_motivo{EBUSY, "file in uso da un altro programma"},
                               caso_motivo{ENAMETOOLONG, "percorso troppo lungo"}}) {
    EXPECT_EQ(motivo_errno(k.numero), std::string(k.atteso) + " (errno " + std::to_string(k.numero) + ")");
  }
}

TEST(MotivoSistema, GliAltriConLeParoleDelSistemaEIlCodice) {
  EXPECT_EQ(motivo_errno(EXDEV), std::string(std::strerror(EXDEV)) + " (errno " + std::to_string(EXDEV) + ")");
}

#ifdef _WIN32
TEST(MotivoSistema, ICodiciDiWindows) {
  EXPECT_EQ(motivo_windows(ERROR_DISK_FULL), "spazio esaurito sul disco (errore Windows 112)");
  EXPECT_EQ(motivo_windows(ERROR_ACCESS_DENIED), "permesso negato (errore Windows 5)");
  EXPECT_EQ(motivo_windows(ERROR_WRITE_PROTECT), "file system in sola lettura (errore Windows 19)");
  EXPECT_EQ(motivo_windows(ERROR_PATH_NOT_FOUND), "file o cartella inesistente (errore Windows 3)");
  EXPECT_EQ(motivo_windows(ERROR_SHARING_VIOLATION), "file in uso da un altro programma (errore Windows 32)");
  EXPECT_EQ(motivo_windows(ERROR_FILENAME_EXCED_RANGE), "percorso troppo lungo (errore Windows 206)");
}
#endif

// What a user reads: the file, then the reason in Italian.
TEST(MotivoSistema, UnFileMancanteLoDiceInItaliano) {
  prova::cartella_temporanea c;
  try {
    leggi_file(c.percorso() / "assente.txt");
    FAIL() << "nessun errore";
  } catch (const errore_file& e) {
    EXPECT_NE(std::string(e.what()).find("assente.txt\": file o cartella inesistente (errno " +
                                         std::to_string(ENOENT) + ")"),
              std::string::npos)
        << e.what();
  }
}

}  // namespace
}  // namespace gara
