#include "strumento/sistema_anteprima.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <csignal>
#include <spawn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace gara::strumento {

namespace {

// The one flag that a signal handler may set: it lives as long as the
// process, as the handler does.
std::atomic<bool> interruzione{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#ifdef _WIN32
BOOL WINAPI gestore_console(DWORD evento) {
  if (evento == CTRL_C_EVENT || evento == CTRL_BREAK_EVENT || evento == CTRL_CLOSE_EVENT) {
    interruzione = true;
    return TRUE;
  }
  return FALSE;
}
#else
extern "C" void gestore_segnale(int) { interruzione = true; }
#endif

}  // namespace

void intercetta_interruzione() {
#ifdef _WIN32
  SetConsoleCtrlHandler(gestore_console, TRUE);
#else
  struct sigaction a {};
  a.sa_handler = gestore_segnale;
  sigemptyset(&a.sa_mask);
  sigaction(SIGINT, &a, nullptr);
  sigaction(SIGTERM, &a, nullptr);
  // A page closed while it is being written to must not end the program.
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool interruzione_chiesta() { return interruzione; }

bool apri_nel_browser(const std::string& indirizzo) {
#ifdef _WIN32
  const std::wstring w(indirizzo.begin(), indirizzo.end());  // the address is ASCII
  const auto r = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", w.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return r > 32;
#else
  // xdg-open in the background of a shell that ends at once: the preview
  // neither waits for the browser nor leaves a process to reap.
  std::string sh = "/bin/sh";
  std::string c = "-c";
  std::string comando = "command -v xdg-open >/dev/null || exit 1; xdg-open \"$1\" >/dev/null 2>&1 &";
  std::string nome = "sh";
  std::string arg = indirizzo;
  char* argv[] = {sh.data(), c.data(), comando.data(), nome.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, sh.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int stato = 0;
  waitpid(pid, &stato, 0);
  return WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
#endif
}

}  // namespace gara::strumento
