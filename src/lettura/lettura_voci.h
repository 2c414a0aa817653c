#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "lettura/lettore_campi.h"
#include "modello/catalogo.h"
#include "modello/guasto.h"
#include "modello/stato_compilazione.h"

namespace gara {

// How an entry leaves the reading: go on with the next field, go to the end
// of reading (the steps that run when the file ends), or stop the whole
// reading now.
enum class seguito { prosegui, fine_lettura, termina };

// An unforeseen failure already recorded with its place: it still ends a
// faithful reading through the recovery routine, which adds nothing.
class guasto_segnalato : public guasto {
 public:
  using guasto::guasto;
};

// What the readers of the two descriptions share: the field reader over
// one description, the keyword field of each entry, number fields that
// remember where a value did not fit, the problems that stop a faithful
// reading, and the unforeseen failures of an entry.
class lettura_voci {
 protected:
  lettura_voci(stato_compilazione& s, const std::string& nome, std::string_view byte);

  // The keyword field of an entry (or a field passed over).
  void leggi_riga();

  // Up to `massimo` dash fields in a row are passed over before an entry's
  // keyword. False when the file ended on one of them.
  bool salta_trattini(int massimo);

  template <class T = int32_t>
  T numero() {
    T valore{};
    try {
      valore = f_.leggi_numero<T>();
    } catch (const guasto&) {
      campo_guasto_ = f_.campo();
      testo_guasto_ = std::string(f_.testo_campo());
      throw;
    }
    if (!campo_posizione_) campo_posizione_ = f_.campo();
    if (s_.verifica()) {
      nota_campo(static_cast<int64_t>(valore));
      controlla_numero(static_cast<int64_t>(valore));
      controlla_migliaia();
    }
    return valore;
  }

  // A text field of the entry (a board's text, a station's name).
  std::string testo();

  // The field of the entry's first number, its position for the entries
  // that have one.
  const luogo& campo_posizione() const { return campo_posizione_ ? *campo_posizione_ : f_.campo(); }

  // A problem only a checking reading records (a warning, mostly); a
  // faithful reading gives none.
  void avvisa(problema p, const luogo& dove, std::string motivo);
  // A keyword field that no keyword of its block recognises: a warning,
  // unless it is empty or a section header. `note` are the keywords the
  // block knows, for a near miss.
  void voce_sconosciuta(std::initializer_list<std::string_view> note);
  // The rest of the current entry's line holds values that this compile
  // does not read (a curve without the plan): no warning for them.
  void valori_non_letti();
  // The position of an entry of a kind whose positions the reading wants
  // growing: a warning when it goes back.
  void controlla_crescente(int32_t p, int32_t& precedente, std::string_view che_cosa);

  // A problem of the format at the current entry. A faithful reading stops
  // (true: the caller returns at once); a checking reading records it and
  // goes on (false).
  bool ferma(int32_t codice, std::optional<int32_t> metro = std::nullopt);
  // The same at a given field of the entry.
  bool ferma_in(int32_t codice, const luogo& campo, std::optional<int32_t> metro = std::nullopt);

  // The grid check on an entry's position: an entry at metre p is refused
  // (code 15) when (p + margine) / 50 lies beyond the last cell. A faithful
  // reading then ends as if the file had ended; a checking one passes the
  // entry over.
  bool rifiutata(int32_t p, int64_t margine);

  // Runs one entry. An unforeseen failure inside it is recorded at the
  // field that caused it (code 25): a faithful reading then ends through
  // the recovery routine, a checking one goes on at the next entry.
  template <class F>
  seguito voce_protetta(F&& voce) {
    try {
      return voce();
    } catch (const guasto_segnalato&) {
      throw;
    } catch (const guasto& g) {
      segna_guasto(g.what());
      if (!s_.verifica()) throw guasto_segnalato(g.what());
      // The rest of the entry's line would be read as entries of its own.
      f_.salta_resto_della_riga();
      return seguito::prosegui;
    }
  }

  // The value in force goes into the cell under the cursor, and the cursor
  // moves on, until it reaches `fino`: at least once, so that a cursor
  // already there still fills its own cell. A cursor that reaches `limite`
  // stops before writing.
  template <class F>
  void riempi_celle(int64_t& cursore, int64_t fino, F&& scrivi,
                    int64_t limite = std::numeric_limits<int64_t>::max()) {
    do {
      if (cursore >= limite) break;
      scrivi(s_.cella_in(cursore));
      ++cursore;
    } while (cursore < fino);
  }

  stato_compilazione& s_;
  const std::string nome_;
  lettore_campi f_;

 private:
  void segna_guasto(const std::string& motivo);
  void controlla_numero(int64_t letto);
  // A number of up to three digits that a blank parts from three more on a
  // line of commas: thousands written apart, read as two values.
  void controlla_migliaia();
  // The field just read goes into the checking reading's record of the entry.
  void nota_campo(std::optional<int64_t> valore);

  std::string parola_voce_;  // the keyword field of the entry being read
  std::optional<luogo> campo_posizione_;
  int linea_precedente_ = 0;  // where the field before the keyword field ends
  bool riconosciuta_ = true;  // whether a keyword recognised the last keyword field
  bool precedente_riconosciuta_ = true;
  int linea_avvisata_ = 0;
  std::optional<luogo> campo_guasto_;
  std::string testo_guasto_;
  bool senza_griglia_segnalata_ = false;
};

}  // namespace gara
