#include "file/programma.h"

#include <string>
#include <system_error>

// Last: its names (byte, ...) would clash with the project's.
#ifdef _WIN32
#include <windows.h>
#endif

namespace gara {

std::optional<std::filesystem::path> file_programma_in_esecuzione() {
#ifdef _WIN32
  std::wstring nome(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (n == 0) return std::nullopt;
    if (n < nome.size()) return std::filesystem::path(nome.substr(0, n));
    nome.resize(nome.size() * 2);
  }
#else
  std::error_code e;
  auto p = std::filesystem::read_symlink("/proc/self/exe", e);
  if (e) return std::nullopt;
  return p;
#endif
}

}  // namespace gara
