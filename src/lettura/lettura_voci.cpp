#include "lettura/lettura_voci.h"

#include "lettura/griglia.h"
#include "lettura/parole.h"
#include "modello/codici.h"
#include "modello/windows1252.h"

namespace gara {

lettura_voci::lettura_voci(stato_compilazione& s, const std::string& nome, std::string_view byte)
    : s_(s), nome_(nome), f_(byte, nome) {}

void lettura_voci::leggi_riga() {
  s_.riga = f_.leggi_testo();
  s_.voce_corrente = f_.campo();
  parola_voce_ = s_.riga;
}

bool lettura_voci::salta_trattini(int massimo) {
  for (int k = 0; k < massimo && contiene(s_.riga, "-"); ++k) {
    leggi_riga();
    if (f_.a_fine()) return false;
  }
  return true;
}

bool lettura_voci::ferma(int32_t codice, std::optional<int32_t> metro) {
  s_.segna_errore(codice, metro);
  return !s_.verifica();
}

bool lettura_voci::ferma_in(int32_t codice, const luogo& campo, std::optional<int32_t> metro) {
  s_.segna_errore_in(codice, campo, std::string(significato(codice)), metro);
  return !s_.verifica();
}

bool lettura_voci::rifiutata(int32_t p, int64_t margine) {
  if (!oltre_griglia(s_, p, margine)) return false;
  s_.segna_errore(codice::oltre_griglia, p);
  return true;
}

void lettura_voci::segna_guasto(const std::string& motivo) {
  if (motivo == motivo_senza_griglia) {
    // Every positioned entry fails alike without a grid: once is enough.
    if (senza_griglia_segnalata_ && s_.verifica()) {
      s_.codice_errore = codice::guasto_lettura;
      return;
    }
    senza_griglia_segnalata_ = true;
  }
  std::optional<luogo> dove = s_.voce_corrente;
  std::string testo = motivo;
  if (campo_guasto_) {
    dove = *campo_guasto_;
    testo += ", nel campo \"" + da_windows1252(testo_guasto_) + "\"";
  }
  if (s_.voce_corrente) {
    constexpr std::size_t mostrata = 60;  // a keyword field can be a whole long line
    testo += " della voce \"" + da_windows1252(parola_voce_.substr(0, mostrata)) + "\"";
  }
  campo_guasto_.reset();
  s_.segna_errore_in(codice::guasto_lettura, dove,
                     std::string(significato(codice::guasto_lettura)) + ": " + testo);
}

}  // namespace gara
