#include "modello/rallentamenti.h"

#include <algorithm>

namespace gara {

std::optional<int64_t> fine_del_rallentamento(std::span<const cella> celle, int64_t inizio) {
  const auto n = static_cast<int64_t>(celle.size());
  for (int64_t k = std::max<int64_t>(inizio + 1, 0); k < n; ++k)
    if (celle[static_cast<std::size_t>(k)].tipo == tipo_cella::fine_rallentamento) return k;
  return std::nullopt;
}

}  // namespace gara
