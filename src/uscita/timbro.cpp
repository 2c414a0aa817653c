#include "uscita/timbro.h"

#include <string_view>

#include "modello/codici.h"
#include "modello/windows1252.h"

namespace gara {

namespace {

// The codes are taken over the first 25 characters of the identifiers,
// completed from this fixed tail when they are shorter.
constexpr std::string_view coda = "aabbccddeeffgghhiillmmnnoo";
constexpr std::size_t caratteri_contati = 25;
static_assert(coda.size() >= caratteri_contati);

// Train identifier, then route identifier, lower case, then the tail: only
// the first 25 bytes count.
std::string testo_dei_codici(const stato_compilazione& s) {
  const std::string identificatori =
      s.tabella_linea[voce::treno].testo + s.tabella_linea[voce::sfondi].testo;
  std::string testo = minuscolo_windows1252(identificatori);
  testo += coda;
  testo.resize(caratteri_contati);
  return testo;
}

// The code of a character is its byte value, 0 to 255.
int32_t codice_carattere(char c) { return static_cast<unsigned char>(c); }

// The stop of the run, noted with its meaning among the problems. A
// checking reading knows which entry took the field: the stop is put at
// that entry, with what to change.
void ferma(stato_compilazione& s, arresto a, bool della_cella) {
  s.fermata = a;
  diagnostica d;
  d.codice = static_cast<int32_t>(a);
  d.motivo = "lo scenario non può essere timbrato: " + std::string(significato(a));
  const std::optional<luogo>* chi = nullptr;
  if (della_cella && static_cast<std::size_t>(cella_timbro) < s.occupanti.size())
    chi = &s.occupanti[cella_timbro];
  else if (!della_cella)
    chi = &s.occupanti_voci[static_cast<std::size_t>(voce::sfondi)];
  if (chi && *chi) {
    d.dove = **chi;
    d.motivo += della_cella ? "; è questa voce a mettere il suo oggetto nella cella " +
                                  std::to_string(cella_timbro) +
                                  ", che serve al timbro: spostala più avanti lungo la linea, o toglila"
                            : "; è questa voce a scrivere nella voce " +
                                  std::to_string(static_cast<int>(voce::sfondi)) +
                                  " della tabella, che serve al timbro: toglila";
  }
  s.diagnostiche.push_back(std::move(d));
}

}  // namespace

int16_t codice_gara_og(const stato_compilazione& s) {
  int32_t somma = 0;  // at most 25 * 255 = 6375
  for (char c : testo_dei_codici(s)) somma += codice_carattere(c);
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const stato_compilazione& s) {
  const std::string testo = testo_dei_codici(s);
  int32_t somma = 0;  // at most 255 * (1 + ... + 25) = 82875
  for (std::size_t i = 0; i < testo.size(); ++i)
    somma += static_cast<int32_t>(i + 1) * codice_carattere(testo[i]);
  return somma;
}

void timbra(stato_compilazione& s) {
  // A grid too short to have cell 1 (a negative route length) has no place
  // for the header at all: it cannot be stamped either.
  if (s.ultima_cella() < cella_timbro) {
    ferma(s, arresto::timbro_occupato, false);
    return;
  }
  voce_linea& sfondi = s.voce_in(voce::sfondi);
  cella& prima = s.cella_in(cella_timbro);

  // The stamp never overwrites what an object placed there: a scenario whose
  // start uses these fields cannot be stamped, and the run stops.
  if (sfondi.intero_a != 0 || prima.dato1 != 0) {
    ferma(s, arresto::timbro_occupato, prima.dato1 != 0);
    return;
  }
  sfondi.intero_a = timbro_tabella;
  prima.dato1 = timbro_celle;

  if (sfondi.orario != 0 || prima.dato2 != 0) {
    ferma(s, arresto::codici_occupati, prima.dato2 != 0);
    return;
  }
  sfondi.orario = codice_gara_st(s);
  prima.dato2 = codice_gara_og(s);
}

}  // namespace gara
