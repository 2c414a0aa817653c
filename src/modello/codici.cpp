#include "modello/codici.h"

#include "modello/catalogo.h"

namespace gara {

std::string_view significato(int32_t codice_errore) {
  if (codice_errore == codice::nessuno) return "nessun problema";
  const voce_catalogo* v = voce_del_codice(codice_errore);
  return v && v->codice < numero_primo_arresto ? v->titolo : std::string_view{};
}

std::string numero_arresto(arresto a) { return std::to_string(static_cast<int32_t>(a)); }

std::string_view significato(arresto a) {
  if (const voce_catalogo* v = voce_del_codice(static_cast<int32_t>(a))) return v->titolo;
  return "nessun arresto";
}

std::string messaggio_errore(const std::string& numero) { return std::string(errore_n) + numero; }

std::string numeri_arresto() {
  return numero_arresto(arresto::timbro_occupato) + " o " + numero_arresto(arresto::codici_occupati);
}

bool registra_metro(int32_t codice_errore) {
  const voce_catalogo* v = voce_del_codice(codice_errore);
  return v && v->con_metro;
}

}  // namespace gara
