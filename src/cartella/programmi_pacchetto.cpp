#include "cartella/programmi_pacchetto.h"

#include <cstdlib>

#include "file/file.h"
#include "file/programma.h"
#include "scenario/dati.h"

// Last: its names (byte, ...) would clash with the project's.
#ifdef _WIN32
#include <windows.h>
#endif

namespace gara {

namespace {

constexpr const char* cartella_programma_linux = "linux";

// An environment variable's value (UTF-8); nothing when it is not set.
std::optional<std::string> variabile(const char* nome) {
#ifdef _WIN32
  std::wstring w(nome, nome + std::char_traits<char>::length(nome));
  const DWORD n = GetEnvironmentVariableW(w.c_str(), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring v(n, L'\0');
  const DWORD letti = GetEnvironmentVariableW(w.c_str(), v.data(), n);
  v.resize(letti);
  return nome_leggibile(std::filesystem::path(v));
#else
  const char* v = std::getenv(nome);
  if (v == nullptr) return std::nullopt;
  return std::string(v);
#endif
}

}  // namespace

std::vector<std::filesystem::path> cartelle_programmi() {
  std::vector<std::filesystem::path> r;
  if (const auto v = variabile(variabile_programmi); v && !v->empty()) r.push_back(percorso_da_utf8(*v));
  if (const auto f = file_programma_in_esecuzione()) {
    r.push_back(f->parent_path());
    r.push_back(f->parent_path() / cartella_programma_linux);
    r.push_back(f->parent_path().parent_path() / "lib" / "scenario");
  }
  return r;
}

std::string nome_programma(bool windows) {
  return std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto + (windows ? ".exe" : "");
}

std::string nome_pacchetto(const std::string& p, const std::string& t, bool windows) {
  return p + "_" + t + (windows ? ".exe" : "");
}

std::optional<std::filesystem::path> trova_programma(bool windows,
                                                     const std::vector<std::filesystem::path>& cartelle) {
  const std::string nome = nome_programma(windows);
  for (const auto& c : cartelle)
    if (esiste_file(percorso_file(c, nome))) return percorso_file(c, nome);
  return std::nullopt;
}

}  // namespace gara
