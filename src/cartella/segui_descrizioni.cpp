#include "cartella/segui_descrizioni.h"

#include <thread>

namespace gara {

void segui_descrizioni(sorveglianza_descrizioni& sorveglianza, std::chrono::milliseconds intervallo,
                       const std::function<bool()>& fermati,
                       const std::function<void(const sorgenti&)>& aggiorna) {
  while (!fermati()) {
    std::this_thread::sleep_for(intervallo);
    if (auto d = sorveglianza.cambiate()) aggiorna(*d);
  }
}

}  // namespace gara
