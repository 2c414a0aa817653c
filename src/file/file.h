#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "uscita/scrittura.h"

namespace gara {

// The path of a file of the scenario in a folder: the name (Windows-1252)
// is passed whole, spaces included, and converted to the platform's own
// file-name encoding.
std::filesystem::path percorso_file(const std::filesystem::path& cartella, const std::string& nome);

// Reads a whole file as bytes; errore_file when it cannot.
std::string leggi_file(const std::filesystem::path& file);

// True when a regular file (or anything that is not a folder) of that name exists.
bool esiste_file(const std::filesystem::path& file);

// Replaces a file whole, so that the folder always holds either the complete
// old file or the complete new one: the bytes go to a temporary file beside
// the target, which is renamed over it only once everything has been
// written and closed. Until conferma() succeeds the target is untouched; a
// failure, or destruction without conferma(), removes the temporary file.
class sostituzione_file : public scrittura {
 public:
  explicit sostituzione_file(std::filesystem::path destinazione);
  ~sostituzione_file() override;
  sostituzione_file(const sostituzione_file&) = delete;
  sostituzione_file& operator=(const sostituzione_file&) = delete;

  // Room for the bytes to come, asked of the file system before they are
  // written: a disk without it says so at once, and a large file is laid
  // out in one go. Only a hint for the file's size, which still grows
  // with what scrivi() writes.
  void prenota(std::uint64_t byte) override;
  void scrivi(std::string_view byte) override;
  void conferma() override;

 private:
  void svuota();
  [[noreturn]] void fallisci(const char* azione, int numero_errore);

  std::filesystem::path destinazione_;
  std::filesystem::path temporaneo_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> memoria_;  // dimensione_memoria bytes, filled before read
  std::size_t usati_ = 0;
};

// Deletes a file when it is there; a folder of that name is left alone, and
// a file that cannot be deleted stays as it is.
void cancella_file(const std::filesystem::path& file);

// Writes a whole file at once through sostituzione_file.
void sostituisci_file(const std::filesystem::path& file, std::string_view byte);

// A path given as UTF-8 (a command line, a file name of the scenario). Built
// from UTF-8 on every platform: on Windows a path made from a plain string
// would read its bytes in the ANSI code page instead.
std::filesystem::path percorso_da_utf8(const std::string& utf8);

// The file name as the user should read it in a message (UTF-8).
std::string nome_leggibile(const std::filesystem::path& file);
// The same between double quotes, as messages quote a path.
std::string tra_virgolette(const std::filesystem::path& file);

// Where the system limits the size of a process's files (RLIMIT_FSIZE), a
// write past the limit kills the process with SIGXFSZ before any message
// can be given. With the signal ignored the write fails with EFBIG instead
// and is reported like a full disk. Called first thing by every program;
// nothing to do where the signal does not exist.
void ignora_segnale_limite_file();

}  // namespace gara
