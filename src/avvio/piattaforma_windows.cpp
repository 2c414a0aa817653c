#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "avvio/finestra.h"
#include "avvio/piattaforma.h"
#include "file/programma.h"

namespace gara {

namespace {

// The texts of the program are UTF-8; the system takes UTF-16.
std::wstring larga(const std::string& testo) {
  if (testo.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()),
                                    nullptr, 0);
  if (n <= 0) return std::wstring(testo.begin(), testo.end());
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), w.data(), n);
  return w;
}

constexpr wchar_t classe_finestra[] = L"Form1";
constexpr DWORD stile_finestra = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int id_etichetta = 1;

// The window and its label, drawn with the plain Win32 API. There is no
// message loop: the window is painted once on demand and stays as it is
// until the program ends.
class piattaforma_windows final : public piattaforma {
 public:
  ~piattaforma_windows() override {
    if (finestra_ != nullptr) DestroyWindow(finestra_);
    if (carattere_ != nullptr) DeleteObject(carattere_);
  }

  std::filesystem::path file_programma() override {
    // Every file name is kept in UTF-16 from here on, so spaces and
    // letters beyond ASCII in the folder's path reach the file functions
    // unchanged.
    return file_programma_in_esecuzione().value_or(std::filesystem::current_path() / L"programma.exe");
  }

  void mostra_finestra() override {
    const HINSTANCE istanza = GetModuleHandleW(nullptr);
    WNDCLASSEXW classe{};
    classe.cbSize = sizeof classe;
    classe.lpfnWndProc = DefWindowProcW;
    classe.hInstance = istanza;
    classe.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    classe.lpszClassName = classe_finestra;
    if (RegisterClassExW(&classe) == 0) return;

    int dpi_x = finestra::dpi_normale;
    int dpi_y = finestra::dpi_normale;
    if (const HDC schermo = GetDC(nullptr)) {
      dpi_x = GetDeviceCaps(schermo, LOGPIXELSX);
      dpi_y = GetDeviceCaps(schermo, LOGPIXELSY);
      ReleaseDC(nullptr, schermo);
    }

    // The client area has the size of the layout; the frame comes around it.
    RECT r{0, 0, finestra::in_pixel(finestra::larghezza_area, dpi_x),
           finestra::in_pixel(finestra::altezza_area, dpi_y)};
    AdjustWindowRectEx(&r, stile_finestra, FALSE, 0);
    finestra_ = CreateWindowExW(0, classe_finestra, larga(titolo()).c_str(), stile_finestra,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, istanza, nullptr);
    // Without a desktop the run goes on without a window.
    if (finestra_ == nullptr) return;

    etichetta_ = CreateWindowExW(
        0, L"STATIC", larga(std::string(finestra::testo_etichetta)).c_str(),
        WS_CHILD | WS_VISIBLE | SS_LEFT, finestra::in_pixel(finestra::sinistra_etichetta, dpi_x),
        finestra::in_pixel(finestra::alto_etichetta, dpi_y),
        finestra::in_pixel(finestra::larghezza_etichetta, dpi_x),
        finestra::in_pixel(finestra::altezza_etichetta, dpi_y), finestra_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_etichetta)), istanza, nullptr);
    carattere_ = CreateFontW(-finestra::altezza_carattere(finestra::punti_carattere, dpi_y), 0, 0, 0,
                             finestra::peso_grassetto, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS,
                             larga(std::string(finestra::carattere)).c_str());
    if (etichetta_ != nullptr && carattere_ != nullptr)
      SendMessageW(etichetta_, WM_SETFONT, reinterpret_cast<WPARAM>(carattere_), FALSE);
    ShowWindow(finestra_, SW_SHOWNORMAL);
  }

  void ridisegna_finestra() override {
    if (finestra_ == nullptr) return;
    // Window and label are painted now, before the long work; no message is
    // handled afterwards, so this is the picture the user sees.
    RedrawWindow(finestra_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
  }

  void messaggio(const std::string& testo) override {
    MessageBoxW(finestra_, larga(testo).c_str(), larga(titolo()).c_str(), MB_OK);
  }

  void segnala_guasto(const std::string& testo) override {
    // Also on standard error, where the program was started with one.
    std::fprintf(stderr, "Errore: %s\n", testo.c_str());
    std::fflush(stderr);
    MessageBoxW(finestra_, larga("Errore: " + testo).c_str(), larga(titolo()).c_str(),
                MB_OK | MB_ICONERROR);
  }

 protected:
  void fine_programma(int stato_uscita) override {
    std::fflush(nullptr);
    std::exit(stato_uscita);
  }

 private:
  HWND finestra_ = nullptr;
  HWND etichetta_ = nullptr;
  HFONT carattere_ = nullptr;
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma() { return std::make_unique<piattaforma_windows>(); }

}  // namespace gara
