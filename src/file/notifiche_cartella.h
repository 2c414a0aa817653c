#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace gara {

// How a folder's changes are learnt: from the system (inotify on Linux,
// ReadDirectoryChangesW on Windows), or by looking again at an interval,
// where the system cannot tell (a network folder, no notifications left,
// a folder removed while watched).
enum class modo_notifiche { sistema, sondaggio };

// What one wait saw.
struct cambiamenti {
  bool fermato = false;  // ferma() was called
  bool tutto = false;    // anything in the folder may have changed
  std::vector<std::filesystem::path> nomi;  // names in the folder that changed, each once

  bool vuoto() const { return !tutto && nomi.empty(); }
  // Whether `nome` may have changed (names compared without regard to
  // ASCII case, as Windows compares them: a needless look costs little).
  bool riguarda(const std::filesystem::path& nome) const;
};

// The changes to the files of one folder (not of its subfolders). A save
// raises several events (a truncation, writes, a rename over the old
// file): they come out of one wait together, and only once the file is
// written (closed, or renamed into place).
class notifiche_cartella {
 public:
  // The system's notifications unless `modo` asks for polling or they
  // cannot be had for this folder (modo() then says sondaggio).
  explicit notifiche_cartella(const std::filesystem::path& cartella,
                              modo_notifiche modo = modo_notifiche::sistema);
  ~notifiche_cartella();
  notifiche_cartella(const notifiche_cartella&) = delete;
  notifiche_cartella& operator=(const notifiche_cartella&) = delete;

  // Waits at most `limite` for a change or for ferma(); empty at the
  // limit. Polling waits the shorter of `limite` and its interval, then
  // answers `tutto`.
  cambiamenti attendi(std::chrono::milliseconds limite);
  // From any thread: this wait and every later one return at once.
  void ferma();

  modo_notifiche modo() const;

  struct stato;  // per platform

 private:
  std::unique_ptr<stato> s_;
};

// How often polling looks again: as the preview did before notifications.
inline constexpr std::chrono::milliseconds intervallo_sondaggio{50};

}  // namespace gara
