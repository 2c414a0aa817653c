#include "modello/memoria_azzerata.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace gara::dettaglio {

void* prendi_azzerata(std::size_t byte) {
  if (byte == 0) return nullptr;
  // calloc hands large blocks over as fresh zero pages from the system,
  // with no clearing pass.
  void* p = std::calloc(byte, 1);
  if (p == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Large pages for the whole-megabyte stretches of the block: a 1000 km
  // plan is some 18 MB, that is 4600 faults of 4 KiB pages but nine of
  // 2 MiB. Only advice: where the kernel says no, nothing changes.
  constexpr std::uintptr_t grande = std::uintptr_t{2} << 20;
  const auto inizio = (reinterpret_cast<std::uintptr_t>(p) + grande - 1) & ~(grande - 1);
  const auto fine = (reinterpret_cast<std::uintptr_t>(p) + byte) & ~(grande - 1);
  if (fine > inizio) madvise(reinterpret_cast<void*>(inizio), fine - inizio, MADV_HUGEPAGE);
#endif
  return p;
}

void rendi(void* p) { std::free(p); }

}  // namespace gara::dettaglio
