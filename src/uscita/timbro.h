#pragma once

#include <cstdint>
#include <string>

#include "modello/stato_compilazione.h"

namespace gara {

// The format values the simulator checks before it loads a scenario.
inline constexpr int16_t timbro_tabella = 610;  // record 85 (voce::sfondi), intero_a
inline constexpr int16_t timbro_celle = 5121;   // cell cella_timbro, dato1
inline constexpr int64_t cella_timbro = 1;

// The two scenario codes, from the identifier copies in records 86 and 85.
int16_t codice_gara_og(const stato_compilazione& s);
int32_t codice_gara_st(const stato_compilazione& s);

// Stamps the format values and the codes into record 85 and cell 1. When a
// place is already used it sets the stop (1250 or 1251) and stops.
void timbra(stato_compilazione& s);

}  // namespace gara
