#pragma once

#include <cstdint>
#include <string>

#include "modello/stato_compilazione.h"

namespace gara {

// The two scenario codes, from the identifier copies in records 86 and 85.
int16_t codice_gara_og(const stato_compilazione& s);
int32_t codice_gara_st(const stato_compilazione& s);

// The format values the simulator checks before it loads a scenario, and
// where they go: record 85 (sfondi), field intero_a, and cell 1, dato1.
inline constexpr int16_t timbro_tabella = 610;
inline constexpr int16_t timbro_celle = 5121;
inline constexpr int64_t cella_timbro = 1;

// Stamps the format values and the codes into record 85 and cell 1. When a
// place is already used it sets the stop (1250 or 1251) and stops.
void timbra(stato_compilazione& s);

}  // namespace gara
