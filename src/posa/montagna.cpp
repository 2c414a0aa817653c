#include "posa/montagna.h"

#include "modello/arrotonda.h"
#include "modello/misure.h"
#include "modello/guasto.h"

namespace gara {

namespace {
constexpr int32_t soglia_marcatori = 10;       // kinds above this lay markers
constexpr int32_t passo_marcatori = 4;         // every fourth covered cell
constexpr int64_t distanza_continuita = 150;   // metres between two mountains
constexpr int32_t montagna_continua = 3;
}  // namespace

void memo_montagna(stato_compilazione& s, int32_t inizio, int32_t fine, int32_t tipo) {
  bool marcatori = false;
  if (tipo > soglia_marcatori) {
    tipo -= soglia_marcatori;
    marcatori = true;
  }

  const int32_t n = ++s.numero_montagne;
  if (n < 1 || n >= numero_spazi_montagne) throw guasto("troppe montagne");
  s.inizio_montagne[static_cast<std::size_t>(n)] = inizio;
  s.fine_montagne[static_cast<std::size_t>(n)] = fine;

  if (n > 1 && int64_t{inizio} - s.fine_montagne[static_cast<std::size_t>(n - 1)] <=
                   distanza_continuita)
    tipo = montagna_continua;

  const auto prima = arrotonda_entro<int32_t>(in_celle(inizio));
  const auto ultima = arrotonda_entro<int32_t>(in_celle(fine) - 1.0);
  int64_t coperta = 0;
  for (int64_t i = prima; i <= ultima; ++i) {
    cella& c = s.cella_in(i);
    ++coperta;
    c.montagna = bassi_8(tipo);
    if (marcatori && coperta % passo_marcatori == 0 && c.tipo == tipo_cella::vuota)
      c.tipo = tipo_cella::marcatore_montagna;
  }
}

}  // namespace gara
