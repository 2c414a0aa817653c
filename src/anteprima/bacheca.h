#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "anteprima/anteprima.h"

namespace gara::anteprima {

// The preview's published state, shared between the one thread that
// watches the descriptions and the many that answer the pages: the
// preview, its content as JSON, and whether the service ends. Every
// member may be called from any thread.
class bacheca {
 public:
  explicit bacheca(opzioni_verifica o) : anteprima_(std::move(o)) {}

  // Takes in the descriptions as they are now and wakes every waiter.
  void aggiorna(const sorgenti& d);

  // Ends every wait, for good.
  void chiudi();

  // The content once its version passes `vista` (which it then takes);
  // an empty string when `pazienza` ran out first; nothing once closed.
  std::optional<std::string> attendi(uint64_t& vista, std::chrono::milliseconds pazienza);

  // The inspector's answer as JSON (anteprima::ispeziona); nothing
  // without a picture.
  std::optional<std::string> ispeziona(int64_t metro, int64_t tolleranza);

 private:
  std::mutex m_;
  std::condition_variable cambio_;
  anteprima anteprima_;
  std::string json_;
  uint64_t versione_ = 0;
  bool chiusa_ = false;
};

}  // namespace gara::anteprima
