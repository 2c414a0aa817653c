#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "file/notifiche_cartella.h"

namespace gara::editore {

// Follows folders for the language server, each on a thread of its own
// that waits on the folder's notifications and hands what it saw to
// `avvisa` (called on that thread: the caller serialises). Stops and
// joins every thread when destroyed.
class osservatore_cartelle {
 public:
  using avviso = std::function<void(const std::string& cartella, const cambiamenti& c)>;
  osservatore_cartelle(modo_notifiche modo, avviso avvisa);
  ~osservatore_cartelle();
  osservatore_cartelle(const osservatore_cartelle&) = delete;
  osservatore_cartelle& operator=(const osservatore_cartelle&) = delete;

  // Follows `cartella` (UTF-8, ending in "/") from now on; nothing for one
  // already followed. From the thread that owns the observer only.
  void segui(const std::string& cartella);

 private:
  struct seguita {
    std::unique_ptr<notifiche_cartella> notifiche;
    std::thread filo;
  };
  modo_notifiche modo_;
  avviso avvisa_;
  std::map<std::string, seguita> seguite_;
};

}  // namespace gara::editore
