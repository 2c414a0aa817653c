#include "editore/osservatore.h"

#include <chrono>

#include "file/file.h"

namespace gara::editore {

osservatore_cartelle::osservatore_cartelle(modo_notifiche modo, avviso avvisa)
    : modo_(modo), avvisa_(std::move(avvisa)) {}

osservatore_cartelle::~osservatore_cartelle() {
  for (auto& [cartella, s] : seguite_) s.notifiche->ferma();
  for (auto& [cartella, s] : seguite_) s.filo.join();
}

void osservatore_cartelle::segui(const std::string& cartella) {
  if (seguite_.contains(cartella)) return;
  seguita& s = seguite_[cartella];
  s.notifiche = std::make_unique<notifiche_cartella>(percorso_da_utf8(cartella.empty() ? "." : cartella), modo_);
  s.filo = std::thread([this, cartella, n = s.notifiche.get()] {
    while (true) {
      const cambiamenti c = n->attendi(std::chrono::hours(1));
      if (c.fermato) return;
      if (!c.vuoto()) avvisa_(cartella, c);
    }
  });
}

}  // namespace gara::editore
