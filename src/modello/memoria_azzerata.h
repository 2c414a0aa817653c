#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>
#include <span>
#include <type_traits>

namespace gara {

namespace dettaglio {
// Zeroed bytes straight from the system: a table of tens of megabytes is
// neither cleared by the program nor faulted in a small page at a time.
// `da_riempire`: the caller will write all of it, so its pages are taken
// at once, not one fault at a time as the writes reach them.
void* prendi_azzerata(std::size_t byte, bool da_riempire);
void rendi(void* p, std::size_t byte);
struct rendi_memoria {
  std::size_t byte = 0;
  void operator()(void* p) const { rendi(p, byte); }
};
}  // namespace dettaglio

// A fixed-size table of a trivial type whose elements all start as zero
// bytes (0 and 0.0), for the track plan. Copies are deep.
template <class T>
class memoria_azzerata {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  memoria_azzerata() = default;
  // n elements; `da_riempire` when the caller will write every one of them.
  explicit memoria_azzerata(std::size_t n, bool da_riempire = false)
      : dati_(static_cast<T*>(dettaglio::prendi_azzerata(n * sizeof(T), da_riempire)),
              dettaglio::rendi_memoria{n * sizeof(T)}),
        n_(n) {}
  memoria_azzerata(const memoria_azzerata& altra) : memoria_azzerata(altra.n_) {
    if (n_ != 0) std::memcpy(dati_.get(), altra.dati_.get(), n_ * sizeof(T));
  }
  memoria_azzerata& operator=(const memoria_azzerata& altra) {
    if (this != &altra) *this = memoria_azzerata(altra);
    return *this;
  }
  memoria_azzerata(memoria_azzerata&& altra) noexcept
      : dati_(std::move(altra.dati_)), n_(std::exchange(altra.n_, 0)) {}
  memoria_azzerata& operator=(memoria_azzerata&& altra) noexcept {
    dati_ = std::move(altra.dati_);
    n_ = std::exchange(altra.n_, 0);
    return *this;
  }

  bool empty() const { return n_ == 0; }
  std::span<T> tutta() { return {dati_.get(), n_}; }
  std::span<const T> tutta() const { return {dati_.get(), n_}; }

 private:
  std::unique_ptr<T, dettaglio::rendi_memoria> dati_;
  std::size_t n_ = 0;
};

}  // namespace gara
