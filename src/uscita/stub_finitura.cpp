// Temporary stand-ins until the finishing passes and the writer land.
#include "uscita/scrittura_binari.h"
#include "uscita/tavole_orientamento.h"
#include "uscita/timbro.h"

namespace gara {
int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }
void tavole_orientamento(stato_compilazione&) {}
int16_t codice_gara_og(const stato_compilazione&) { return 0; }
int32_t codice_gara_st(const stato_compilazione&) { return 0; }
void timbra(stato_compilazione&) {}
void scrivi_binari(stato_compilazione&) {}
}  // namespace gara
