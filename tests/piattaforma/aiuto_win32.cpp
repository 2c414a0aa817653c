// A test helper for Windows (run under Wine by strumenti/prove_schermo.sh):
// it looks at the windows of another program as a user would see them.
//
//   aiuto_win32 premi_ok TITOLO TESTO SECONDI
//       waits for a message box with that title, checks that it shows
//       exactly TESTO, no icon and a single OK button, then presses OK;
//       status 0 only when everything matched and the box went away
//   aiuto_win32 finestra TITOLO SECONDI
//       waits for the visible window of class Form1 with that title and
//       prints its client size and its controls (class, place, size, text)
//   aiuto_win32 versione FILE
//       prints the version record of an executable
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD passo_ms = 50;

std::string stretta(const std::wstring& testo) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, testo.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, testo.c_str(), -1, s.data(), n, nullptr, nullptr);
  s.resize(s.size() - 1);
  return s;
}

std::wstring testo_di(HWND w) {
  wchar_t buffer[512] = {};
  GetWindowTextW(w, buffer, 512);
  return buffer;
}

std::wstring classe_di(HWND w) {
  wchar_t buffer[256] = {};
  GetClassNameW(w, buffer, 256);
  return buffer;
}

// Waits up to secondi seconds for a visible top-level window of that class
// and title.
HWND aspetta(const wchar_t* classe, const std::wstring& titolo, int secondi) {
  const DWORD fine = GetTickCount() + static_cast<DWORD>(secondi) * 1000;
  for (;;) {
    HWND w = FindWindowW(classe, titolo.c_str());
    if (w != nullptr && IsWindowVisible(w)) return w;
    if (static_cast<LONG>(GetTickCount() - fine) >= 0) return nullptr;
    Sleep(passo_ms);
  }
}

std::vector<HWND> figli(HWND genitore) {
  std::vector<HWND> elenco;
  EnumChildWindows(
      genitore,
      [](HWND w, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&elenco));
  return elenco;
}

bool classe_uguale(HWND w, const wchar_t* classe) {
  return lstrcmpiW(classe_di(w).c_str(), classe) == 0;
}

int premi_ok(const std::wstring& titolo, const std::wstring& atteso, int secondi) {
  // The standard dialog class of message boxes; it becomes visible once its
  // controls are all in place.
  HWND scatola = aspetta(L"#32770", titolo, secondi);
  if (scatola == nullptr) {
    std::printf("nessuna finestra di messaggio visibile con quel titolo\n");
    return 1;
  }
  bool testo_trovato = false;
  int bottoni = 0;
  int icone = 0;
  HWND ok = nullptr;
  for (HWND w : figli(scatola)) {
    if (!IsWindowVisible(w)) continue;
    const std::wstring t = testo_di(w);
    if (classe_uguale(w, L"Button")) {
      ++bottoni;
      std::printf("bottone [%s]\n", stretta(t).c_str());
      if (GetDlgCtrlID(w) == IDOK) ok = w;
    } else if (classe_uguale(w, L"Static")) {
      const LONG_PTR stile = GetWindowLongPtrW(w, GWL_STYLE);
      if ((stile & SS_TYPEMASK) == SS_ICON) {
        if (SendMessageW(w, STM_GETICON, 0, 0) != 0) ++icone;
      } else if (!t.empty()) {
        std::printf("testo [%s]\n", stretta(t).c_str());
        if (t == atteso) testo_trovato = true;
      }
    }
  }
  std::printf("bottoni %d, icone %d\n", bottoni, icone);
  const bool giusto = testo_trovato && bottoni == 1 && ok != nullptr && icone == 0;
  if (ok == nullptr) return 1;
  PostMessageW(scatola, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  const DWORD fine = GetTickCount() + static_cast<DWORD>(secondi) * 1000;
  while (IsWindow(scatola)) {
    if (static_cast<LONG>(GetTickCount() - fine) >= 0) {
      std::printf("la finestra di messaggio non si chiude\n");
      return 1;
    }
    Sleep(passo_ms);
  }
  return giusto ? 0 : 1;
}

int finestra(const std::wstring& titolo, int secondi) {
  HWND f = aspetta(L"Form1", titolo, secondi);
  if (f == nullptr) {
    std::printf("nessuna finestra Form1 con quel titolo\n");
    return 1;
  }
  RECT area{};
  GetClientRect(f, &area);
  std::printf("area %ld %ld\n", area.right - area.left, area.bottom - area.top);
  for (HWND w : figli(f)) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, f, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%s %ld %ld %ld %ld [%s]%s\n", stretta(classe_di(w)).c_str(), r.left, r.top,
                r.right - r.left, r.bottom - r.top, stretta(testo_di(w)).c_str(),
                IsWindowVisible(w) ? "" : " nascosto");
  }
  return 0;
}

int versione(const std::wstring& file) {
  DWORD ignorato = 0;
  const DWORD dimensione = GetFileVersionInfoSizeW(file.c_str(), &ignorato);
  if (dimensione == 0) {
    std::printf("nessun record di versione\n");
    return 1;
  }
  std::vector<unsigned char> dati(dimensione);
  if (!GetFileVersionInfoW(file.c_str(), 0, dimensione, dati.data())) return 1;
  VS_FIXEDFILEINFO* fissa = nullptr;
  UINT n = 0;
  if (VerQueryValueW(dati.data(), L"\\", reinterpret_cast<void**>(&fissa), &n) && fissa != nullptr)
    std::printf("fissa %u.%u.%u.%u\n", HIWORD(fissa->dwFileVersionMS),
                LOWORD(fissa->dwFileVersionMS), HIWORD(fissa->dwFileVersionLS),
                LOWORD(fissa->dwFileVersionLS));
  WORD* traduzione = nullptr;
  if (!VerQueryValueW(dati.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&traduzione), &n) ||
      n < 2 * sizeof(WORD)) {
    std::printf("nessuna lingua\n");
    return 1;
  }
  std::printf("lingua %u codepage %u\n", traduzione[0], traduzione[1]);
  for (const auto& [voce, etichetta] : {std::pair{L"FileVersion", "versione"},
                                        std::pair{L"ProductName", "prodotto"}}) {
    wchar_t chiave[64];
    wsprintfW(chiave, L"\\StringFileInfo\\%04x%04x\\%s", traduzione[0], traduzione[1], voce);
    wchar_t* testo = nullptr;
    if (VerQueryValueW(dati.data(), chiave, reinterpret_cast<void**>(&testo), &n) && testo != nullptr)
      std::printf("%s %s\n", etichetta, stretta(testo).c_str());
  }
  return 0;
}

int uso() {
  std::fprintf(stderr,
               "uso: aiuto_win32 premi_ok TITOLO TESTO SECONDI | finestra TITOLO SECONDI |"
               " versione FILE\n");
  return 64;
}

}  // namespace

int main() {
  // The arguments as the system keeps them, in UTF-16: a path with letters
  // beyond ASCII arrives whole.
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return uso();
  const std::wstring comando = argc > 1 ? argv[1] : L"";
  int stato = 0;
  if (comando == L"premi_ok" && argc == 5)
    stato = premi_ok(argv[2], argv[3], _wtoi(argv[4]));
  else if (comando == L"finestra" && argc == 4)
    stato = finestra(argv[2], _wtoi(argv[3]));
  else if (comando == L"versione" && argc == 3)
    stato = versione(argv[2]);
  else
    stato = uso();
  LocalFree(argv);
  std::fflush(stdout);
  return stato;
}
