#include "file/file.h"

#include "file/motivo_sistema.h"
#include "modello/windows1252.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif
#ifdef __linux__
#include <fcntl.h>
#endif

namespace gara {

namespace {

// Large writes: the files reach tens of megabytes and are written in one pass.
constexpr std::size_t dimensione_memoria = std::size_t{1} << 20;
constexpr std::size_t pezzo_diretto = std::size_t{1} << 16;

std::FILE* apri(const std::filesystem::path& file, bool scrittura) {
#ifdef _WIN32
  return _wfopen(file.c_str(), scrittura ? L"wb" : L"rb");
#else
  return std::fopen(file.c_str(), scrittura ? "wb" : "rb");
#endif
}

}  // namespace

std::filesystem::path percorso_file(const std::filesystem::path& cartella, const std::string& nome) {
  return cartella / percorso_da_utf8(da_windows1252(nome));
}

std::filesystem::path percorso_da_utf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string nome_leggibile(const std::filesystem::path& file) {
  const std::u8string u = file.u8string();
  return std::string(u.begin(), u.end());
}

std::string tra_virgolette(const std::filesystem::path& file) { return "\"" + nome_leggibile(file) + "\""; }

std::string leggi_file(const std::filesystem::path& file) {
  errno = 0;
  std::FILE* f = apri(file, false);
  if (f == nullptr)
    throw errore_file("impossibile aprire \"" + nome_leggibile(file) + "\": " + motivo_errno(errno));
  std::string contenuto;
  char blocco[1 << 16];
  std::size_t letti;
  while ((letti = std::fread(blocco, 1, sizeof blocco, f)) > 0) contenuto.append(blocco, letti);
  const bool errore = std::ferror(f) != 0;
  const int numero = errno;
  std::fclose(f);
  if (errore)
    throw errore_file("impossibile leggere \"" + nome_leggibile(file) + "\": " + motivo_errno(numero));
  return contenuto;
}

void cancella_file(const std::filesystem::path& file) {
  std::error_code ignorato;
  if (std::filesystem::is_directory(std::filesystem::symlink_status(file, ignorato))) return;
  std::filesystem::remove(file, ignorato);
}

bool esiste_file(const std::filesystem::path& file) {
  std::error_code e;
  const auto stato = std::filesystem::status(file, e);
  return !e && std::filesystem::exists(stato) && !std::filesystem::is_directory(stato);
}

sostituzione_file::sostituzione_file(std::filesystem::path destinazione)
    : destinazione_(std::move(destinazione)), memoria_(std::make_unique_for_overwrite<char[]>(dimensione_memoria)) {
  temporaneo_ = destinazione_;
  temporaneo_ += ".nuovo";
  errno = 0;
  file_ = apri(temporaneo_, true);
  if (file_ == nullptr) {
    const int numero = errno;
    throw errore_file("impossibile scrivere \"" + nome_leggibile(destinazione_) + "\": " +
                      motivo_errno(numero));
  }
  // The buffering is ours (memoria_): the C library's own would cut every
  // large write in two and copy the tail.
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

sostituzione_file::~sostituzione_file() {
  if (file_ != nullptr) {
    std::fclose(file_);
    std::error_code ignorato;
    std::filesystem::remove(temporaneo_, ignorato);
  }
}

void sostituzione_file::fallisci(const char* azione, int numero_errore) {
  std::fclose(file_);
  file_ = nullptr;
  std::error_code ignorato;
  std::filesystem::remove(temporaneo_, ignorato);
  throw errore_file(std::string("impossibile ") + azione + " \"" + nome_leggibile(destinazione_) +
                    "\": " + motivo_errno(numero_errore));
}

void sostituzione_file::svuota() {
  if (usati_ == 0) return;
  errno = 0;
  if (std::fwrite(memoria_.get(), 1, usati_, file_) != usati_) fallisci("scrivere", errno);
  usati_ = 0;
}

void sostituzione_file::prenota(std::uint64_t byte) {
#ifdef __linux__
  if (byte == 0 || byte > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return;
  // The size is kept as it is: a wrong estimate could never leave bytes
  // in the file that were not written.
  if (fallocate(fileno(file_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(byte)) != 0) {
    const int numero = errno;
    // A file system that cannot reserve room is no fault; a full one is.
    if (numero == ENOSPC || numero == EDQUOT || numero == EFBIG || numero == EIO)
      fallisci("scrivere", numero);
  }
#else
  (void)byte;
#endif
}

void sostituzione_file::scrivi(std::string_view byte) {
  // A large piece goes to the file as it is, uncopied, after what the
  // buffer holds.
  if (byte.size() >= pezzo_diretto) {
    svuota();
    errno = 0;
    if (std::fwrite(byte.data(), 1, byte.size(), file_) != byte.size()) fallisci("scrivere", errno);
    return;
  }
  while (!byte.empty()) {
    const std::size_t n = std::min(byte.size(), dimensione_memoria - usati_);
    std::memcpy(memoria_.get() + usati_, byte.data(), n);
    usati_ += n;
    byte.remove_prefix(n);
    if (usati_ == dimensione_memoria) svuota();
  }
}

void sostituzione_file::conferma() {
  svuota();
  errno = 0;
  if (std::fflush(file_) != 0) fallisci("scrivere", errno);
  std::FILE* f = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(f) != 0) {
    const int numero = errno;
    std::error_code ignorato;
    std::filesystem::remove(temporaneo_, ignorato);
    throw errore_file("impossibile scrivere \"" + nome_leggibile(destinazione_) + "\": " +
                      motivo_errno(numero));
  }
#ifdef _WIN32
  if (!MoveFileExW(temporaneo_.c_str(), destinazione_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const std::string ragione = motivo_windows(static_cast<std::uint32_t>(GetLastError()));
    std::error_code ignorato;
    std::filesystem::remove(temporaneo_, ignorato);
    throw errore_file("impossibile sostituire \"" + nome_leggibile(destinazione_) + "\": " + ragione);
  }
#else
  std::error_code e;
  std::filesystem::rename(temporaneo_, destinazione_, e);
  if (e) {
    std::error_code ignorato;
    std::filesystem::remove(temporaneo_, ignorato);
    throw errore_file("impossibile sostituire \"" + nome_leggibile(destinazione_) + "\": " +
                      motivo_errore(e));
  }
#endif
}

void ignora_segnale_limite_file() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void sostituisci_file(const std::filesystem::path& file, std::string_view byte) {
  sostituzione_file f(file);
  f.scrivi(byte);
  f.conferma();
}

}  // namespace gara
