#include "cartella/segui_descrizioni.h"

namespace gara {

void segui_descrizioni(sorveglianza_descrizioni& sorveglianza, notifiche_cartella& notifiche,
                       std::chrono::milliseconds controllo_fermata, const std::function<bool()>& fermati,
                       const std::function<void(const sorgenti&)>& aggiorna) {
  while (!fermati()) {
    const cambiamenti c = notifiche.attendi(controllo_fermata);
    if (c.fermato) return;
    if (!sorveglianza.toccata_da(c)) continue;
    if (auto d = sorveglianza.cambiate()) aggiorna(*d);
  }
}

}  // namespace gara
