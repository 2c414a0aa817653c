#pragma once

#include <cstdint>
#include <span>

#include "modello/memoria_azzerata.h"

namespace gara {

// The per-metre plan of the track: for every metre 0..M and each of the two
// axes a tagged value that is empty, a 16-bit integer or a 64-bit real.
// Held as one tag byte and one double per element (a 16-bit integer is
// exact in a double), the metre index varying fastest as on disk.
class tracciato_metri {
 public:
  enum class tipo : uint16_t { vuoto = 0, intero = 2, reale = 5 };

  // Makes the table anew for metres 0..ultimo, every element empty.
  // A negative last metre leaves no table and is a failure (guasto).
  void crea(int64_t ultimo);
  void elimina();

  bool esiste() const { return !tipi_.empty(); }
  int32_t ultimo_metro() const { return ultimo_; }  // M; meaningful when esiste()

  // Checked access: a metre outside 0..M or an axis other than 0/1 is a guasto.
  tipo tipo_di(int64_t metro, int asse) const;
  double valore(int64_t metro, int asse) const;
  void imposta_intero(int64_t metro, int asse, int16_t v);
  void imposta_reale(int64_t metro, int asse, double v);

  // One whole axis, metres 0..M, for the encoder that walks it from end to
  // end; the axis is checked, the spans bound every later access.
  struct asse_intero {
    std::span<const uint8_t> tipi;
    std::span<const double> valori;
  };
  asse_intero asse(int asse) const;

  // The same, writable, for the line reader, which lays the plan a run of
  // metres at a time.
  struct asse_scrivibile {
    std::span<uint8_t> tipi;
    std::span<double> valori;
  };
  asse_scrivibile asse_da_posare(int asse);

 private:
  std::size_t posto(int64_t metro, int asse) const;

  int32_t ultimo_ = -1;
  memoria_azzerata<uint8_t> tipi_;  // every tag starts as vuoto (0)
  memoria_azzerata<double> valori_;
};

}  // namespace gara
