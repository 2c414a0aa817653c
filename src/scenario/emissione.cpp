#include "scenario/emissione.h"

#include <array>
#include <stdexcept>

#include "modello/windows1252.h"

namespace gara {

std::string testo_windows1252(std::span<const std::string_view> righe) {
  if (righe.size() > righe_massime)
    throw std::logic_error("un testo del pacchetto supera " + std::to_string(righe_massime) +
                           " righe");
  // The line list: the lines, then the end marker right after the last one.
  std::array<std::string_view, righe_massime + 1> lista{};
  std::copy(righe.begin(), righe.end(), lista.begin());
  lista[righe.size()] = fine_del_file;

  std::string byte;
  for (std::size_t i = 0; lista[i] != fine_del_file; ++i) {
    const auto riga = in_windows1252(lista[i]);
    if (!riga)
      throw std::logic_error("riga non codificabile in Windows-1252: " + std::string(lista[i]));
    byte += *riga;
    byte += "\r\n";
  }
  return byte;
}

}  // namespace gara
