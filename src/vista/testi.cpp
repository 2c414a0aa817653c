#include "vista/testi.h"

#include <cstdio>

#include "modello/cella.h"
#include "modello/windows1252.h"

namespace gara::vista {

std::string nome_tipo_cella(uint8_t tipo) {
  switch (tipo) {
    case tipo_cella::vuota: return "nessun oggetto";
    case tipo_cella::segnale: return "segnale";
    case tipo_cella::fine_rallentamento: return "fine rallentamento";
    case tipo_cella::inizio_rallentamento: return "inizio rallentamento";
    case tipo_cella::avviso_rallentamento: return "avviso di rallentamento";
    case tipo_cella::numerata_rallentamento: return "cella numerata prima dell'avviso";
    case tipo_cella::indicatore_vmax: return "indicatore di velocità massima";
    case tipo_cella::fine_marciapiede: return "fine del marciapiede";
    case tipo_cella::marcatore_montagna: return "segno di montagna";
    case tipo_cella::tavola: return "tavola con valore";
    case tipo_cella::abbattimento: return "abbattimento senza valore";
    case tipo_cella::cartello: return "cartello indicatore";
    default: return "tipo " + std::to_string(tipo) + " sconosciuto";
  }
}

std::string testo_stampabile(std::string_view windows1252) {
  std::string t(windows1252);
  for (char& c : t) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
      c = '?';
  }
  return da_windows1252(t);
}

std::string ora_del_giorno(int64_t secondi) {
  const bool negativo = secondi < 0;
  const int64_t s = negativo ? -secondi : secondi;
  char testo[48];
  std::snprintf(testo, sizeof testo, "%s%02lld:%02lld:%02lld", negativo ? "-" : "",
                static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                static_cast<long long>(s % 60));
  return testo;
}

}  // namespace gara::vista
