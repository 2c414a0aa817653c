#include "modello/memoria_azzerata.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace gara::dettaglio {

namespace {

// calloc hands large blocks over as fresh zero pages from the system.
void* da_calloc(std::size_t byte) {
  void* p = std::calloc(byte, 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

#if defined(__linux__) && defined(MADV_HUGEPAGE)

// Large pages: a 1000 km plan is some 20 MB, that is 5000 faults of 4 KiB
// pages, each zeroed by the system, but ten of 2 MiB. The block is mapped
// straight from the system (zero pages, no clearing pass by the program)
// and starts on a large page; its tail, short of a whole large page, stays
// in small ones so that no memory is taken that the block does not use.
// The advice is only advice: where the kernel says no, nothing changes.
// Blocks smaller than one large page (short routes such as the shipped
// one) are mapped as they are, in small pages: calloc would hand them out
// of memory the program freed before (its threshold for mapping grows
// with every large block freed) and clear them first. Small blocks (the
// tests, the fuzzers) come from calloc.
constexpr std::size_t pagina_grande = std::size_t{2} << 20;
constexpr std::size_t pagina = std::size_t{4} << 10;
constexpr std::size_t soglia_pagine_grandi = pagina_grande;
constexpr std::size_t soglia_mappa = std::size_t{128} << 10;
// A block is taken whole at once only up to this size: the longest legal
// route's plan is some 20 MB, and a larger one is filled only as far as
// its reading gets.
constexpr std::size_t massimo_da_riempire = std::size_t{64} << 20;

std::size_t arrotonda_pagine(std::size_t byte) { return (byte + pagina - 1) / pagina * pagina; }

void* prendi_azzerata(std::size_t byte, bool da_riempire) {
  if (byte == 0) return nullptr;
  da_riempire = da_riempire && byte <= massimo_da_riempire;
  if (byte < soglia_mappa) return da_calloc(byte);
  if (byte < soglia_pagine_grandi) {
    const int popola = da_riempire ? MAP_POPULATE : 0;
    void* m = mmap(nullptr, arrotonda_pagine(byte), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | popola, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
    return m;
  }
  const std::size_t utili = arrotonda_pagine(byte);
  const std::size_t mappati = utili + pagina_grande;
  void* m = mmap(nullptr, mappati, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (m == MAP_FAILED) throw std::bad_alloc();
  // Keep the aligned stretch, give back what lies before and after it.
  const auto base = reinterpret_cast<std::uintptr_t>(m);
  const auto inizio = (base + pagina_grande - 1) & ~(std::uintptr_t{pagina_grande} - 1);
  if (inizio > base) munmap(m, inizio - base);
  const auto resto = base + mappati - (inizio + utili);
  if (resto > 0) munmap(reinterpret_cast<void*>(inizio + utili), resto);
  madvise(reinterpret_cast<void*>(inizio), utili, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
  // Where the kernel cannot (before Linux 5.14), the writes fault the pages in.
  if (da_riempire) madvise(reinterpret_cast<void*>(inizio), utili, MADV_POPULATE_WRITE);
#endif
  return reinterpret_cast<void*>(inizio);
}

void rendi(void* p, std::size_t byte) {
  if (byte < soglia_mappa)
    std::free(p);
  else if (p != nullptr)
    munmap(p, arrotonda_pagine(byte));
}

#else

void* prendi_azzerata(std::size_t byte, bool) { return byte == 0 ? nullptr : da_calloc(byte); }

void rendi(void* p, std::size_t) { std::free(p); }

#endif

}  // namespace gara::dettaglio
