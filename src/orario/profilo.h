#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "modello/modello_compilato.h"
#include "modello/registro_voci.h"

namespace gara::orario {

// The speed limit of every metre of the line in km/h, metre 0 first; 0
// where no train may run. Held as runs of one limit each, from its first
// metre to the next run's: a million metres are a few thousand runs, and
// whatever walks the profile walks runs, not metres. Two runs side by side
// never hold the same limit, so a change of limit is always a run's start.
class limiti_metro {
 public:
  struct tratto {
    int64_t inizio = 0;
    int32_t km_h = 0;

    bool operator==(const tratto&) const = default;
  };

  limiti_metro() = default;
  // `metri` metres (none when not above 0), each at km_h.
  limiti_metro(int64_t metri, int32_t km_h);
  // One limit per metre, as given.
  static limiti_metro dei_metri(std::span<const int32_t> km_h);

  std::size_t size() const { return static_cast<std::size_t>(metri_); }
  int64_t metri() const { return metri_; }
  // The limit of a metre; 0 outside the profile.
  int32_t operator[](int64_t metro) const;

  std::span<const tratto> tratti() const { return tratti_; }
  // The run that holds a metre of the profile (0 <= metro < metri()), and
  // the metre after a run's last.
  std::size_t tratto_di(int64_t metro) const;
  int64_t fine(std::size_t i) const { return i + 1 < tratti_.size() ? tratti_[i + 1].inizio : metri_; }
  // The highest limit over metres da..a - 1 that lie in the profile; 0 for none.
  int32_t massimo(int64_t da, int64_t a) const;

  // Metres added at the end, at one limit.
  void aggiungi(int64_t metri, int32_t km_h);
  // Each metre at most the limit of the step that covers it: steps in order
  // of their start, each up to the next one's (the last to the end); the
  // metres before the first are left as they are.
  void stringi(std::span<const tratto> gradini);
  // Metres da..a - 1 (those in the profile) at most km_h.
  void limita(int64_t da, int64_t a, int32_t km_h);

  bool operator==(const limiti_metro&) const = default;

 private:
  std::vector<tratto> tratti_;
  int64_t metri_ = 0;
};

// The limits the simulator applies to any train: the cells' speed (in
// steps of 5 km/h, cell c for metres 50 c to 50 c + 49) and, over their
// length, the slowdowns' speed. Metres 0 to the route's length (less, when
// the grid is shorter; none without a grid).
limiti_metro limiti_della_linea(const modello_compilato& m);

// The ranks of the maximum-speed boards: each board gives one speed per rank
// on each side of the track.
inline constexpr std::string_view ranghi = "ABC";

// The limit a maximum-speed board sets for one rank, from its metre on,
// until the next board.
struct tavola_rango {
  int64_t metro = 0;
  int32_t km_h = 0;
};

// The boards of the line description, as the checking reading recorded
// them, for a rank ('A', 'B' or 'C'; none for another letter). Of the two
// sides the lower speed is taken, since nothing says which one the driver
// reads; a side that gives 0 has no board.
std::vector<tavola_rango> tavole_del_rango(const registro_voci& voci, char rango);

// The limits tightened by the boards of a rank, or by a train's own maximum.
void stringi(limiti_metro& l, std::span<const tavola_rango> tavole);
void stringi(limiti_metro& l, int32_t massima);

}  // namespace gara::orario
