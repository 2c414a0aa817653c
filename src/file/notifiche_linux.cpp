// The folder's notifications on Linux: inotify, with an eventfd to stop a
// wait.
#ifndef _WIN32

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "file/notifiche_cartella.h"

namespace gara {

namespace {

using std::chrono::milliseconds;
using orologio = std::chrono::steady_clock;

// A file is taken once written: closed after writing, renamed into the
// folder, removed or renamed away, its time or rights changed. Writes
// still going on are not events, so a save is read once, whole.
constexpr uint32_t eventi_seguiti = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_ATTRIB |
                                    IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr uint32_t rimozioni = IN_MOVED_FROM | IN_DELETE;
constexpr uint32_t fine_sorveglianza = IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;
// Some editors save by moving the old file away and writing a new one:
// after a removal alone, the file that replaces it is waited for this long.
constexpr milliseconds attesa_dopo_rimozione{20};
constexpr std::size_t lettura_massima = 16 * 1024;

// File systems on which inotify sees only the changes made on this
// machine, by their magic numbers (statfs(2)).
bool cartella_di_rete(const std::filesystem::path& cartella) {
  struct statfs s {};
  if (statfs(cartella.c_str(), &s) != 0) return false;
  constexpr std::array<uint32_t, 13> di_rete{
      0x6969,      // NFS
      0x517B,      // SMB
      0xFF534D42,  // CIFS
      0xFE534D42,  // SMB2
      0x65735546,  // FUSE (network mounts in user space)
      0x564C,      // NCP
      0x01021997,  // 9P
      0x5346414F,  // AFS
      0x6B414653,  // kAFS
      0x47504653,  // GPFS
      0x0BD00BD0,  // Lustre
      0x19830326,  // BeeGFS
      0x00C36400,  // Ceph
  };
  const auto tipo = static_cast<uint32_t>(s.f_type);
  return std::find(di_rete.begin(), di_rete.end(), tipo) != di_rete.end();
}

int in_millisecondi(milliseconds m) {
  return static_cast<int>(std::clamp<milliseconds::rep>(m.count(), 0, INT_MAX));
}

void aggiungi_nome(cambiamenti& c, std::filesystem::path nome) {
  if (std::find(c.nomi.begin(), c.nomi.end(), nome) == c.nomi.end()) c.nomi.push_back(std::move(nome));
}

}  // namespace

struct notifiche_cartella::stato {
  modo_notifiche modo = modo_notifiche::sondaggio;
  int fermata = -1;  // eventfd, readable once ferma() was called
  int eventi = -1;   // inotify, -1 when polling

  ~stato() {
    if (eventi >= 0) close(eventi);
    if (fermata >= 0) close(fermata);
  }

  void in_sondaggio() {
    if (eventi >= 0) close(eventi);
    eventi = -1;
    modo = modo_notifiche::sondaggio;
  }

  // Reads every event waiting into `c`; `visti` gathers their kinds.
  void leggi(cambiamenti& c, uint32_t& visti) {
    alignas(inotify_event) std::array<char, lettura_massima> buffer{};
    while (eventi >= 0) {
      const ssize_t n = read(eventi, buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;  // EAGAIN: nothing more waits
      const auto letti = static_cast<std::size_t>(n);
      for (std::size_t i = 0; i + sizeof(inotify_event) <= letti;) {
        inotify_event e{};
        std::memcpy(&e, buffer.data() + i, sizeof e);
        const std::size_t nome_da = i + sizeof e;
        if (nome_da + e.len > letti) break;
        visti |= e.mask;
        if ((e.mask & IN_Q_OVERFLOW) != 0) c.tutto = true;
        if (e.len > 0) {
          const char* nome = buffer.data() + nome_da;
          aggiungi_nome(c, std::string(nome, strnlen(nome, e.len)));
        }
        i = nome_da + e.len;
      }
      if ((visti & fine_sorveglianza) != 0) {
        // The folder itself went away or moved: only looking again can
        // tell what becomes of it.
        c.tutto = true;
        in_sondaggio();
      }
    }
  }

  // Waits for the stop or an event; true when events wait.
  bool attendi_evento(int limite, cambiamenti& c) const {
    std::array<pollfd, 2> p{pollfd{fermata, POLLIN, 0}, pollfd{eventi, POLLIN, 0}};
    const nfds_t quanti = eventi >= 0 ? 2 : 1;
    if (poll(p.data(), quanti, limite) <= 0) return false;  // the limit, or a signal
    if ((p[0].revents & POLLIN) != 0) {
      c.fermato = true;
      return false;
    }
    return quanti == 2 && p[1].revents != 0;
  }
};

notifiche_cartella::notifiche_cartella(const std::filesystem::path& cartella, modo_notifiche modo)
    : s_(std::make_unique<stato>()) {
  s_->fermata = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (modo == modo_notifiche::sondaggio || s_->fermata < 0 || cartella_di_rete(cartella)) return;
  s_->eventi = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (s_->eventi < 0) return;
  if (inotify_add_watch(s_->eventi, cartella.c_str(), eventi_seguiti) < 0) {
    s_->in_sondaggio();
    return;
  }
  s_->modo = modo_notifiche::sistema;
}

notifiche_cartella::~notifiche_cartella() = default;

modo_notifiche notifiche_cartella::modo() const { return s_->modo; }

void notifiche_cartella::ferma() {
  if (s_->fermata < 0) return;
  const uint64_t uno = 1;
  [[maybe_unused]] const ssize_t scritti = write(s_->fermata, &uno, sizeof uno);
}

cambiamenti notifiche_cartella::attendi(milliseconds limite) {
  cambiamenti c;
  if (s_->modo == modo_notifiche::sondaggio) {
    s_->attendi_evento(in_millisecondi(std::min(limite, intervallo_sondaggio)), c);
    c.tutto = !c.fermato;
    return c;
  }
  if (!s_->attendi_evento(in_millisecondi(limite), c)) return c;
  uint32_t visti = 0;
  s_->leggi(c, visti);
  // The rest of the same save: what already waits, and after a removal
  // alone the file that takes its place.
  const auto inizio = orologio::now();
  while (s_->eventi >= 0 && !c.fermato) {
    const bool solo_rimozioni = (visti & ~rimozioni & ~IN_ISDIR) == 0;
    const auto resta = solo_rimozioni ? attesa_dopo_rimozione - std::chrono::duration_cast<milliseconds>(
                                                                     orologio::now() - inizio)
                                      : milliseconds{0};
    if (!s_->attendi_evento(in_millisecondi(resta), c)) break;
    s_->leggi(c, visti);
  }
  return c;
}

}  // namespace gara

#endif
