#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>

#include "modello/memoria_azzerata.h"
#include "modello/ordine_byte.h"

namespace gara {

// The per-metre plan of the track: for every metre 0..M and each of the two
// axes a tagged value that is empty, a 16-bit integer or a 64-bit real.
//
// Each element is held as the plan's file stores it -- the 2-byte type code,
// then the value, little-endian -- in a slot of the longest element's size,
// axis 0 for metres 0..M and then axis 1, as on disk. A run of reals is then
// already the bytes of the file and goes to it uncopied; a bitmap of the
// elements that are reals finds those runs without reading the slots.
// Bytes of a slot past its element stay zero.
class tracciato_metri {
 public:
  enum class tipo : uint16_t { vuoto = 0, intero = 2, reale = 5 };
  static constexpr std::size_t byte_posto = 10;  // type code + the longest value
  static_assert(sizeof(double) == 8);

  // Makes the table anew for metres 0..ultimo, every element empty;
  // `da_posare` when nearly every metre of it is going to be laid.
  // A negative last metre leaves no table and is a failure (guasto).
  void crea(int64_t ultimo, bool da_posare = false);
  void elimina();

  bool esiste() const { return !posti_.empty(); }
  int32_t ultimo_metro() const { return ultimo_; }  // M; meaningful when esiste()

  // Checked access: a metre outside 0..M or an axis other than 0/1 is a guasto.
  tipo tipo_di(int64_t metro, int asse) const;
  double valore(int64_t metro, int asse) const;  // 0 for an empty element
  void imposta_intero(int64_t metro, int asse, int16_t v);
  void imposta_reale(int64_t metro, int asse, double v);

  // Makes metres da..fino - 1 of both axes reals, in order: punto(metro)
  // gives the pair (axis 0, axis 1) for each. The whole range is checked
  // before the first is laid. For the line reader's plan, a million metres.
  template <class F>
  void posa_reali(int64_t da, int64_t fino, F&& punto);

  // The stored slots of metres da..fino - 1 of one axis (checked), and the
  // first metre from da on, before fino, whose element is not a real (or is
  // one, with reali false); fino when there is none.
  std::span<const unsigned char> posti(int asse, int64_t da, int64_t fino) const;
  int64_t fine_tratto(int asse, int64_t da, int64_t fino, bool reali) const;

 private:
  std::size_t posto(int64_t metro, int asse) const;  // element index, checked
  void segna_reali(std::size_t da, std::size_t n, bool reali);
  static void metti_reale(unsigned char* p, double v);

  int32_t ultimo_ = -1;
  memoria_azzerata<unsigned char> posti_;  // byte_posto per element, all zero: empty
  memoria_azzerata<uint64_t> reali_;       // bit i: element i is a real
};

template <class F>
void tracciato_metri::posa_reali(int64_t da, int64_t fino, F&& punto) {
  if (fino <= da) return;
  const std::size_t primo0 = posto(da, 0), primo1 = posto(da, 1);
  posto(fino - 1, 0);  // the last metre is in the plan too
  const auto n = static_cast<std::size_t>(fino - da);
  unsigned char* p0 = posti_.tutta().subspan(primo0 * byte_posto, n * byte_posto).data();
  unsigned char* p1 = posti_.tutta().subspan(primo1 * byte_posto, n * byte_posto).data();
  for (int64_t metro = da; metro < fino; ++metro) {
    const std::pair<double, double> xy = punto(metro);
    metti_reale(p0, xy.first);
    metti_reale(p1, xy.second);
    p0 += byte_posto;
    p1 += byte_posto;
  }
  segna_reali(primo0, n, true);
  segna_reali(primo1, n, true);
}

inline void tracciato_metri::metti_reale(unsigned char* p, double v) {
  // Little-endian whatever the host: the slot is the file's bytes. On a
  // little-endian host that is the value's own bytes, copied in one store
  // (this runs for every metre of the plan).
  p[0] = static_cast<unsigned char>(tipo::reale);
  p[1] = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p + 2, &v, sizeof v);
  } else {
    const auto bit = std::bit_cast<uint64_t>(v);
    scrivi_le(p + 2, bit);
  }
}

}  // namespace gara
