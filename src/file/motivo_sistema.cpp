#include "file/motivo_sistema.h"

#include <cerrno>
#include <cstring>

// Last: its names (byte, ...) would clash with the project's.
#ifdef _WIN32
#include <windows.h>
#endif

namespace gara {

namespace {

// The reasons an author meets, once each.
constexpr const char* spazio_esaurito = "spazio esaurito sul disco";
constexpr const char* permesso_negato = "permesso negato";
constexpr const char* sola_lettura = "file system in sola lettura";
constexpr const char* inesistente = "file o cartella inesistente";
constexpr const char* in_uso = "file in uso da un altro programma";
constexpr const char* troppo_lungo = "percorso troppo lungo";

const char* italiano_errno(int numero) {
  switch (numero) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return spazio_esaurito;
    case EFBIG:
      return "file troppo grande";
    case EACCES:
    case EPERM:
      return permesso_negato;
    case EROFS:
      return sola_lettura;
    case ENOENT:
      return inesistente;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return in_uso;
    case ENAMETOOLONG:
      return troppo_lungo;
    case EISDIR:
      return "al suo posto c'è una cartella";
    default:
      return nullptr;
  }
}

}  // namespace

std::string motivo_errno(int numero) {
  const char* italiano = italiano_errno(numero);
  return std::string(italiano != nullptr ? italiano : std::strerror(numero)) + " (errno " +
         std::to_string(numero) + ")";
}

#ifdef _WIN32
std::string motivo_windows(std::uint32_t codice) {
  const char* italiano = nullptr;
  switch (codice) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      italiano = spazio_esaurito;
      break;
    case ERROR_ACCESS_DENIED:
      italiano = permesso_negato;
      break;
    case ERROR_WRITE_PROTECT:
      italiano = sola_lettura;
      break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      italiano = inesistente;
      break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      italiano = in_uso;
      break;
    case ERROR_FILENAME_EXCED_RANGE:
      italiano = troppo_lungo;
      break;
    default:
      break;
  }
  const std::string testo =
      italiano != nullptr ? italiano : std::system_category().message(static_cast<int>(codice));
  return testo + " (errore Windows " + std::to_string(codice) + ")";
}
#endif

std::string motivo_errore(const std::error_code& e) {
#ifdef _WIN32
  // The file functions of the standard library report Windows' own codes.
  if (e.category() == std::system_category()) return motivo_windows(static_cast<std::uint32_t>(e.value()));
#endif
  return motivo_errno(e.value());
}

}  // namespace gara
