#include "modello/tracciato.h"

#include <algorithm>
#include <bit>
#include <climits>

#include "modello/guasto.h"
#include "modello/ordine_byte.h"

namespace gara {

namespace {

constexpr std::size_t bit_parola = 64;

uint16_t leggi_16(const unsigned char* p) { return leggi_le<uint16_t>(p); }
uint64_t leggi_64(const unsigned char* p) { return leggi_le<uint64_t>(p); }

}  // namespace

void tracciato_metri::crea(int64_t ultimo, bool da_posare) {
  elimina();
  if (ultimo < 0 || ultimo > INT32_MAX / 2) throw guasto("tracciato senza metri");
  const auto n = static_cast<std::size_t>(2 * (ultimo + 1));
  static_assert(static_cast<uint16_t>(tipo::vuoto) == 0);
  posti_ = memoria_azzerata<unsigned char>(n * byte_posto, da_posare);
  reali_ = memoria_azzerata<uint64_t>((n + bit_parola - 1) / bit_parola, da_posare);
  ultimo_ = static_cast<int32_t>(ultimo);
}

void tracciato_metri::elimina() {
  ultimo_ = -1;
  posti_ = {};
  reali_ = {};
}

std::size_t tracciato_metri::posto(int64_t metro, int asse) const {
  if (!esiste() || metro < 0 || metro > ultimo_ || (asse != 0 && asse != 1))
    throw guasto("metro fuori dal tracciato");
  return static_cast<std::size_t>(asse) * (static_cast<std::size_t>(ultimo_) + 1) +
         static_cast<std::size_t>(metro);
}

tracciato_metri::tipo tracciato_metri::tipo_di(int64_t metro, int asse) const {
  return static_cast<tipo>(leggi_16(posti(asse, metro, metro + 1).data()));
}

double tracciato_metri::valore(int64_t metro, int asse) const {
  const unsigned char* p = posti(asse, metro, metro + 1).data();
  switch (static_cast<tipo>(leggi_16(p))) {
    case tipo::intero:
      return static_cast<int16_t>(leggi_16(p + 2));
    case tipo::reale:
      return std::bit_cast<double>(leggi_64(p + 2));
    case tipo::vuoto:
      break;
  }
  return 0.0;
}

void tracciato_metri::imposta_intero(int64_t metro, int asse, int16_t v) {
  const std::size_t i = posto(metro, asse);
  unsigned char* p = posti_.tutta().subspan(i * byte_posto, byte_posto).data();
  std::fill_n(p, byte_posto, 0);
  const auto u = static_cast<uint16_t>(v);
  p[0] = static_cast<unsigned char>(tipo::intero);
  scrivi_le(p + 2, u);
  segna_reali(i, 1, false);
}

void tracciato_metri::imposta_reale(int64_t metro, int asse, double v) {
  const std::size_t i = posto(metro, asse);
  metti_reale(posti_.tutta().subspan(i * byte_posto, byte_posto).data(), v);
  segna_reali(i, 1, true);
}

std::span<const unsigned char> tracciato_metri::posti(int asse, int64_t da, int64_t fino) const {
  if (fino <= da) return {};
  const std::size_t primo = posto(da, asse);
  posto(fino - 1, asse);
  return posti_.tutta().subspan(primo * byte_posto, static_cast<std::size_t>(fino - da) * byte_posto);
}

void tracciato_metri::segna_reali(std::size_t da, std::size_t n, bool reali) {
  const auto parole = reali_.tutta();
  for (std::size_t i = da; i < da + n;) {
    const std::size_t bit = i % bit_parola;
    const std::size_t quanti = std::min(bit_parola - bit, da + n - i);
    const uint64_t maschera = (quanti == bit_parola ? ~uint64_t{0} : ((uint64_t{1} << quanti) - 1)) << bit;
    uint64_t& parola = parole[i / bit_parola];
    parola = reali ? (parola | maschera) : (parola & ~maschera);
    i += quanti;
  }
}

int64_t tracciato_metri::fine_tratto(int asse, int64_t da, int64_t fino, bool reali) const {
  if (fino <= da) return fino;
  const std::size_t primo = posto(da, asse);
  const std::size_t oltre = posto(fino - 1, asse) + 1;
  const auto parole = reali_.tutta();
  std::size_t i = primo;
  while (i < oltre) {
    // The bits that differ from the run, from bit i of its word on.
    uint64_t diversi = reali ? ~parole[i / bit_parola] : parole[i / bit_parola];
    diversi >>= i % bit_parola;
    if (diversi != 0) {
      i += static_cast<std::size_t>(std::countr_zero(diversi));
      break;
    }
    i = (i / bit_parola + 1) * bit_parola;
  }
  return da + static_cast<int64_t>(std::min(i, oltre) - primo);
}

}  // namespace gara
