// The folder's notifications on Windows: ReadDirectoryChangesW, overlapped,
// with an event to stop a wait.
#ifdef _WIN32

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "file/notifiche_cartella.h"

namespace gara {

namespace {

using std::chrono::milliseconds;
using orologio = std::chrono::steady_clock;

constexpr DWORD cambi_seguiti =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
// Windows tells of each write as it happens: a save is over once the
// folder has been quiet this long and no program holds a file it named
// open for writing (and at the latest after the longest wait below, for a
// file written without pause or held open for long).
constexpr milliseconds quiete{10};
constexpr milliseconds raccolta_massima{250};
constexpr std::size_t parole_buffer = 16 * 1024;  // 64 KiB, the most a network folder takes

DWORD in_millisecondi(milliseconds m) {
  return static_cast<DWORD>(std::clamp<milliseconds::rep>(m.count(), 0, INFINITE - 1));
}

// Folders whose changes made elsewhere Windows may not report.
bool cartella_di_rete(const std::filesystem::path& cartella) {
  std::error_code e;
  const std::wstring radice = std::filesystem::absolute(cartella, e).root_path().wstring();
  if (e) return false;
  if (radice.size() >= 2 && radice[0] == L'\\' && radice[1] == L'\\') return true;  // \\server\share
  return GetDriveTypeW(radice.c_str()) == DRIVE_REMOTE;
}

}  // namespace

struct notifiche_cartella::stato {
  modo_notifiche modo = modo_notifiche::sondaggio;
  HANDLE fermata = nullptr;  // manual reset: stays set once ferma() was called
  HANDLE cartella = INVALID_HANDLE_VALUE;
  OVERLAPPED letto{};
  bool armata = false;
  std::vector<DWORD> buffer = std::vector<DWORD>(parole_buffer);
  std::filesystem::path radice;

  ~stato() {
    disarma();
    if (cartella != INVALID_HANDLE_VALUE) CloseHandle(cartella);
    if (letto.hEvent != nullptr) CloseHandle(letto.hEvent);
    if (fermata != nullptr) CloseHandle(fermata);
  }

  void disarma() {
    if (!armata) return;
    CancelIoEx(cartella, &letto);
    DWORD n = 0;
    GetOverlappedResult(cartella, &letto, &n, TRUE);
    armata = false;
  }

  void in_sondaggio() {
    disarma();
    modo = modo_notifiche::sondaggio;
  }

  bool arma() {
    ResetEvent(letto.hEvent);
    armata = ReadDirectoryChangesW(cartella, buffer.data(), static_cast<DWORD>(buffer.size() * sizeof(DWORD)),
                                   FALSE, cambi_seguiti, nullptr, &letto, nullptr) != 0;
    return armata;
  }

  // Waits for the stop or the read; true when the read completed.
  bool attendi_evento(milliseconds limite, cambiamenti& c) const {
    const HANDLE h[2] = {fermata, letto.hEvent};
    const DWORD r = WaitForMultipleObjects(armata ? 2 : 1, h, FALSE, in_millisecondi(limite));
    if (r == WAIT_OBJECT_0) c.fermato = true;
    return armata && r == WAIT_OBJECT_0 + 1;
  }

  // Whether a program still holds one of these files open for writing: a
  // save that paused for longer than the quiet time is not over yet.
  // Opening a file without sharing the right to write fails while any
  // writer holds it.
  bool in_scrittura(const std::vector<std::filesystem::path>& nomi) const {
    for (const auto& nome : nomi) {
      const HANDLE h = CreateFileW((radice / nome).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
      else if (GetLastError() == ERROR_SHARING_VIOLATION)
        return true;
    }
    return false;
  }

  // Takes the completed read into `c` and starts the next.
  void leggi(cambiamenti& c) {
    DWORD n = 0;
    const bool riuscita = GetOverlappedResult(cartella, &letto, &n, FALSE) != 0;
    armata = false;
    if (!riuscita) {
      // The folder went away, or the system stopped telling.
      c.tutto = true;
      in_sondaggio();
      return;
    }
    if (n == 0) c.tutto = true;  // more changes than the buffer holds
    const auto* base = reinterpret_cast<const unsigned char*>(buffer.data());
    const std::size_t letti = std::min<std::size_t>(n, buffer.size() * sizeof(DWORD));
    constexpr std::size_t testa = offsetof(FILE_NOTIFY_INFORMATION, FileName);
    for (std::size_t i = 0; i + testa <= letti;) {
      FILE_NOTIFY_INFORMATION f{};
      std::memcpy(&f, base + i, testa);
      if (i + testa + f.FileNameLength > letti) break;
      std::wstring nome(f.FileNameLength / sizeof(wchar_t), L'\0');
      std::memcpy(nome.data(), base + i + testa, nome.size() * sizeof(wchar_t));
      std::filesystem::path p(nome);
      if (std::find(c.nomi.begin(), c.nomi.end(), p) == c.nomi.end()) c.nomi.push_back(std::move(p));
      if (f.NextEntryOffset == 0) break;
      i += f.NextEntryOffset;
    }
    if (!arma()) {
      c.tutto = true;
      in_sondaggio();
    }
  }
};

notifiche_cartella::notifiche_cartella(const std::filesystem::path& cartella, modo_notifiche modo)
    : s_(std::make_unique<stato>()) {
  s_->radice = cartella;
  s_->fermata = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (modo == modo_notifiche::sondaggio || s_->fermata == nullptr || cartella_di_rete(cartella)) return;
  s_->letto.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (s_->letto.hEvent == nullptr) return;
  s_->cartella = CreateFileW(cartella.c_str(), FILE_LIST_DIRECTORY,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (s_->cartella == INVALID_HANDLE_VALUE || !s_->arma()) return;
  s_->modo = modo_notifiche::sistema;
}

notifiche_cartella::~notifiche_cartella() = default;

modo_notifiche notifiche_cartella::modo() const { return s_->modo; }

void notifiche_cartella::ferma() {
  if (s_->fermata != nullptr) SetEvent(s_->fermata);
}

cambiamenti notifiche_cartella::attendi(milliseconds limite) {
  cambiamenti c;
  if (s_->modo == modo_notifiche::sondaggio) {
    if (s_->fermata == nullptr)
      Sleep(in_millisecondi(std::min(limite, intervallo_sondaggio)));
    else
      s_->attendi_evento(std::min(limite, intervallo_sondaggio), c);
    c.tutto = !c.fermato;
    return c;
  }
  if (!s_->attendi_evento(limite, c)) return c;
  s_->leggi(c);
  const auto inizio = orologio::now();
  while (s_->modo == modo_notifiche::sistema && !c.fermato && orologio::now() - inizio < raccolta_massima) {
    if (s_->attendi_evento(quiete, c))
      s_->leggi(c);
    else if (c.fermato || !s_->in_scrittura(c.nomi))
      break;
  }
  return c;
}

}  // namespace gara

#endif
