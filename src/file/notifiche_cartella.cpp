#include "file/notifiche_cartella.h"

#include <algorithm>
#include <cctype>

namespace gara {

namespace {

bool uguali_senza_maiuscole(const std::filesystem::path::string_type& a,
                            const std::filesystem::path::string_type& b) {
  const auto minuscola = [](auto c) {
    return c >= 'A' && c <= 'Z' ? static_cast<decltype(c)>(c - 'A' + 'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](auto x, auto y) { return minuscola(x) == minuscola(y); });
}

}  // namespace

bool cambiamenti::riguarda(const std::filesystem::path& nome) const {
  if (tutto) return true;
  return std::any_of(nomi.begin(), nomi.end(),
                     [&](const std::filesystem::path& n) { return uguali_senza_maiuscole(n.native(), nome.native()); });
}

}  // namespace gara
