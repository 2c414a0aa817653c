#include "strumento/console_windows.h"

#include <windows.h>
#include <shellapi.h>

#include <climits>
#include <cstddef>

namespace gara::strumento {

namespace {

// Bytes gathered before a write of their own.
constexpr std::size_t soglia_scrittura = 4096;
// The most one call to WriteFile or WriteConsoleW is given.
constexpr std::size_t pezzo_massimo = 1 << 16;

std::string in_utf8(const wchar_t* testo) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, testo, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, testo, -1, s.data(), n, nullptr, nullptr);
  s.resize(static_cast<std::size_t>(n) - 1);
  return s;
}

// How many of the bytes form whole UTF-8 sequences: a sequence cut at the
// end waits for the rest, so that a console never shows half a letter.
std::size_t sequenze_intere(const std::string& s) {
  std::size_t i = s.size();
  std::size_t seguiti = 0;
  while (i > 0 && seguiti < 3 && (static_cast<unsigned char>(s[i - 1]) & 0xC0) == 0x80) {
    --i;
    ++seguiti;
  }
  if (i == 0) return s.size();
  const auto guida = static_cast<unsigned char>(s[i - 1]);
  const std::size_t lunghezza = guida >= 0xF0 ? 4 : guida >= 0xE0 ? 3 : guida >= 0xC0 ? 2 : 1;
  return lunghezza > seguiti + 1 ? i - 1 : s.size();
}

bool scrivi_byte(HANDLE h, const char* dati, std::size_t n) {
  while (n > 0) {
    const DWORD pezzo = static_cast<DWORD>(n < pezzo_massimo ? n : pezzo_massimo);
    DWORD scritti = 0;
    if (!WriteFile(h, dati, pezzo, &scritti, nullptr) || scritti == 0) return false;
    dati += scritti;
    n -= scritti;
  }
  return true;
}

bool scrivi_console(HANDLE h, const char* dati, std::size_t n) {
  if (n == 0) return true;
  if (n > INT_MAX) return false;
  const int lunghezza = static_cast<int>(n);
  const int larghi = MultiByteToWideChar(CP_UTF8, 0, dati, lunghezza, nullptr, 0);
  if (larghi <= 0) return false;
  std::wstring testo(static_cast<std::size_t>(larghi), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, dati, lunghezza, testo.data(), larghi);
  const wchar_t* p = testo.c_str();
  std::size_t resto = testo.size();
  while (resto > 0) {
    const DWORD pezzo = static_cast<DWORD>(resto < pezzo_massimo ? resto : pezzo_massimo);
    DWORD scritti = 0;
    if (!WriteConsoleW(h, p, pezzo, &scritti, nullptr) || scritti == 0) return false;
    p += scritti;
    resto -= scritti;
  }
  return true;
}

}  // namespace

std::vector<std::string> argomenti_utf8() {
  int n = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &n);
  if (argv == nullptr) return {"scenario"};
  std::vector<std::string> argomenti;
  argomenti.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) argomenti.push_back(in_utf8(argv[i]));
  LocalFree(argv);
  if (argomenti.empty()) argomenti.emplace_back("scenario");
  return argomenti;
}

uscita_windows::uscita_windows(flusso f)
    : handle_(GetStdHandle(f == flusso::uscita ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)),
      console_(false) {
  DWORD modo = 0;
  console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE &&
             GetConsoleMode(static_cast<HANDLE>(handle_), &modo);
}

uscita_windows::~uscita_windows() { svuota(true); }

uscita_windows::int_type uscita_windows::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  attesa_.push_back(traits_type::to_char_type(c));
  if (attesa_.size() >= soglia_scrittura && !svuota(false)) return traits_type::eof();
  return c;
}

std::streamsize uscita_windows::xsputn(const char* s, std::streamsize n) {
  attesa_.append(s, static_cast<std::size_t>(n));
  if (attesa_.size() >= soglia_scrittura && !svuota(false)) return 0;
  return n;
}

int uscita_windows::sync() { return svuota(false) ? 0 : -1; }

bool uscita_windows::svuota(bool tutto) {
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
    attesa_.clear();
    return false;
  }
  const HANDLE h = static_cast<HANDLE>(handle_);
  if (!console_) {
    const bool fatto = scrivi_byte(h, attesa_.data(), attesa_.size());
    attesa_.clear();
    return fatto;
  }
  const std::size_t pronti = tutto ? attesa_.size() : sequenze_intere(attesa_);
  const bool fatto = scrivi_console(h, attesa_.data(), pronti);
  attesa_.erase(0, pronti);
  return fatto;
}

}  // namespace gara::strumento
