#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace gara {

// The descriptions end their lines with CR LF, CR alone or LF alone; each
// of the three is one line end. Everything that counts lines (the field
// reader, the reports that quote a line, the tests) uses these two.

// How many bytes the line end at `pos` takes: 2 for CR LF, 1 for CR or LF
// alone, 0 when no line ends there.
inline std::size_t fine_riga_in(std::string_view testo, std::size_t pos) {
  if (pos >= testo.size()) return 0;
  if (testo[pos] == '\n') return 1;
  if (testo[pos] != '\r') return 0;
  return pos + 1 < testo.size() && testo[pos + 1] == '\n' ? 2 : 1;
}

// Line `numero` (from 1) of a text, without its line end; nothing when the
// text has no such line.
std::optional<std::string_view> riga_di(std::string_view testo, int numero);

// The same for many lines of one text: its lines are found once, so
// asking for each entry's line does not read the text again from its
// start. The text must outlive it.
class righe_del_testo {
 public:
  explicit righe_del_testo(std::string_view testo);
  std::optional<std::string_view> riga(int numero) const;

 private:
  struct riga_nel_testo {
    std::size_t inizio = 0;
    std::size_t fine = 0;  // where its line end starts
  };
  std::string_view testo_;
  std::vector<riga_nel_testo> righe_;
};

}  // namespace gara
