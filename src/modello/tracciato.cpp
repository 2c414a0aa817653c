#include "modello/tracciato.h"

#include "modello/guasto.h"

namespace gara {

void tracciato_metri::crea(int64_t ultimo) {
  elimina();
  if (ultimo < 0 || ultimo > INT32_MAX / 2) throw guasto("tracciato senza metri");
  ultimo_ = static_cast<int32_t>(ultimo);
  const auto n = static_cast<std::size_t>(2 * (ultimo + 1));
  static_assert(static_cast<uint8_t>(tipo::vuoto) == 0);
  tipi_ = memoria_azzerata<uint8_t>(n);
  valori_ = memoria_azzerata<double>(n);
}

void tracciato_metri::elimina() {
  ultimo_ = -1;
  tipi_ = {};
  valori_ = {};
}

std::size_t tracciato_metri::posto(int64_t metro, int asse) const {
  if (!esiste() || metro < 0 || metro > ultimo_ || (asse != 0 && asse != 1))
    throw guasto("metro fuori dal tracciato");
  return static_cast<std::size_t>(asse) * (static_cast<std::size_t>(ultimo_) + 1) +
         static_cast<std::size_t>(metro);
}

tracciato_metri::asse_intero tracciato_metri::asse(int asse) const {
  const std::size_t inizio = posto(0, asse);
  const std::size_t n = static_cast<std::size_t>(ultimo_) + 1;
  return {tipi_.tutta().subspan(inizio, n),
          valori_.tutta().subspan(inizio, n)};
}

tracciato_metri::asse_scrivibile tracciato_metri::asse_da_posare(int asse) {
  const std::size_t inizio = posto(0, asse);
  const std::size_t n = static_cast<std::size_t>(ultimo_) + 1;
  return {tipi_.tutta().subspan(inizio, n), valori_.tutta().subspan(inizio, n)};
}

tracciato_metri::tipo tracciato_metri::tipo_di(int64_t metro, int asse) const {
  return static_cast<tipo>(tipi_.tutta()[posto(metro, asse)]);
}

double tracciato_metri::valore(int64_t metro, int asse) const {
  return valori_.tutta()[posto(metro, asse)];
}

void tracciato_metri::imposta_intero(int64_t metro, int asse, int16_t v) {
  const auto i = posto(metro, asse);
  tipi_.tutta()[i] = static_cast<uint8_t>(tipo::intero);
  valori_.tutta()[i] = v;
}

void tracciato_metri::imposta_reale(int64_t metro, int asse, double v) {
  const auto i = posto(metro, asse);
  tipi_.tutta()[i] = static_cast<uint8_t>(tipo::reale);
  valori_.tutta()[i] = v;
}

}  // namespace gara
