#include "anteprima/bacheca.h"

namespace gara::anteprima {

void bacheca::aggiorna(const sorgenti& d) {
  std::lock_guard l(m_);
  anteprima_.aggiorna(d);
  json_ = anteprima_.contenuto().dump();
  versione_ = anteprima_.versione();
  cambio_.notify_all();
}

void bacheca::chiudi() {
  std::lock_guard l(m_);
  chiusa_ = true;
  cambio_.notify_all();
}

std::optional<std::string> bacheca::attendi(uint64_t& vista, std::chrono::milliseconds pazienza) {
  std::unique_lock l(m_);
  cambio_.wait_for(l, pazienza, [&] { return chiusa_ || versione_ > vista; });
  if (chiusa_) return std::nullopt;
  if (versione_ <= vista) return std::string();
  vista = versione_;
  return json_;
}

std::optional<std::string> bacheca::ispeziona(int64_t metro, int64_t tolleranza) {
  std::lock_guard l(m_);
  auto r = anteprima_.ispeziona(metro, tolleranza);
  if (!r) return std::nullopt;
  return r->dump();
}

}  // namespace gara::anteprima
