#include "lettura/descrizione_linea.h"

#include <algorithm>
#include <array>
#include <optional>

#include "avvio/file.h"
#include "lettura/griglia.h"
#include "lettura/lettore_campi.h"
#include "lettura/parole.h"
#include "lettura/progressive.h"
#include "modello/arrotonda.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "posa/indicatori_v_max.h"
#include "posa/montagna.h"

namespace gara {

namespace {

constexpr int32_t lunghezza_massima = 1000000;  // metres of route
constexpr int64_t metri_oltre_la_fine = 7000;   // the grid and the plan go on past the end
constexpr int32_t metro_massimo_curve = 1000000;
constexpr int32_t offset_pendenza = 100;
constexpr int trattini_generale = 10;  // dash fields skipped in a row, general block
constexpr int trattini_corpo = 2;      // and in the body

// Curvature per metre by class digit; the first digit found, in this order,
// decides.
constexpr std::array<std::pair<char, double>, 6> curvature{{
    {'1', 0.0001}, {'2', 0.0002}, {'3', 0.0004}, {'4', 0.001}, {'5', 0.002}, {'6', 0.003}}};

// The state of one pass over the line description.
class lettura_linea {
 public:
  lettura_linea(stato_compilazione& s, const std::filesystem::path& file, int32_t& posto_cartello)
      : s_(s),
        file_(file),
        nome_(da_windows1252(nome_descrizione_linea(s.nome_percorso))),
        f_(leggi_file(file)),
        posto_cartello_(posto_cartello) {}

  esito_linea leggi() {
    if (!preambolo()) {
      ferma(codice::generale_mancante);
      return esito_linea::termina;
    }
    if (!blocco_generale()) return esito_linea::termina;

    progressive_ordina(s_);
    s_.numero_montagne = 0;
    posto_cartello_ = voce::primo_cartello;
    cursore_pendenza_ = 0;
    cursore_metri_ = 2;
    if (s_.genera_tracciato != 0) {
      // The track starts at the origin heading along axis 1.
      s_.tracciato.imposta_intero(0, 0, 0);
      s_.tracciato.imposta_intero(0, 1, 0);
      s_.tracciato.imposta_intero(1, 0, 0);
      s_.tracciato.imposta_intero(1, 1, 1);
    }

    if (!corpo()) return esito_linea::termina;
    fine_file();
    return esito_linea::prosegui;
  }

 private:
  // Closes and deletes the description and leaves the code: the whole
  // reading stops (hence false, for the entry routines to pass on).
  bool ferma(int32_t codice_errore) {
    s_.cancella_descrizione(file_);
    s_.segna_errore(codice_errore);
    return false;
  }

  void leggi_riga() {
    s_.riga = f_.leggi_testo();
    s_.voce_corrente = origine{nome_, f_.linea()};
  }

  int32_t numero() { return f_.leggi_numero<int32_t>(); }

  // Everything up to the field "[generale]"; false when the file ends first.
  bool preambolo() {
    do {
      if (f_.a_fine()) {
        s_.voce_corrente = origine{nome_, f_.linea()};
        return false;
      }
      leggi_riga();
      if (f_.a_fine()) return false;
    } while (!contiene_senza_maiuscole(s_.riga, "[generale]"));
    return true;
  }

  // The general data, up to the section header that closes the block.
  // False when an entry stopped the reading.
  bool blocco_generale() {
    while (!f_.a_fine()) {
      leggi_riga();
      if (f_.a_fine()) break;
      for (int k = 0; k < trattini_generale; ++k)
        if (contiene(s_.riga, "-")) leggi_riga();

      const std::string& r = s_.riga;
      if (contiene_senza_maiuscole(r, "percorso") && contiene_senza_maiuscole(r, "lunghezza")) {
        const int32_t l = numero();
        s_.voce_in(voce::generale).valore2 = l;
        if (l > lunghezza_massima) return ferma(codice::lunghezza_eccessiva);
        crea_griglia(l);
      }
      if (contiene(r, "tre") && contiene(r, "progressiva")) tre_numeri(voce::progressiva_tre);
      if (contiene(r, "due") && contiene(r, "progressiva")) tre_numeri(voce::progressiva_due);
      if (contiene(r, "uno") && contiene(r, "progressiva")) tre_numeri(voce::progressiva_uno);
      if (contiene(r, "sfondo") && contiene(r, "uno")) s_.voce_in(voce::sfondi).valore1 = numero();
      if (contiene(r, "sfondo") && contiene(r, "due")) s_.voce_in(voce::sfondi).valore3 = numero();
      if (contiene(r, "sfondo") && contiene(r, "tre")) s_.voce_in(voce::sfondi).valore2 = numero();
      if (contiene(r, "segnali") && contiene(r, "ripetizione") && !ripetizione_segnali())
        return false;

      if (chiude_blocco(r)) break;
    }
    return true;
  }

  static bool chiude_blocco(const std::string& r) {
    const auto primo = r.find_first_not_of(" \t");
    const bool trattino = primo != std::string::npos && r[primo] == '-';
    return contiene(r, "[") && contiene(r, "]") && !trattino;
  }

  void crea_griglia(int32_t l) {
    lunghezza_ = l;
    const auto n = arrotonda_entro<int32_t>(static_cast<double>(l + metri_oltre_la_fine) / 50.0);
    if (n < 0) throw guasto("griglia senza celle");
    s_.celle.assign(static_cast<std::size_t>(n) + 1, cella{});
    if (s_.genera_tracciato != 0) s_.tracciato.crea(l + metri_oltre_la_fine);
  }

  void tre_numeri(int record) {
    voce_linea& v = s_.voce_in(record);
    v.valore1 = numero();
    v.valore2 = numero();
    v.valore3 = numero();
  }

  // "ripetizione segnali": where the signal repetition starts and ends, and
  // with how many codes. False when the entry stopped the reading.
  bool ripetizione_segnali() {
    voce_linea& v = s_.voce_in(voce::treno);
    const int32_t p = numero();
    const int32_t q = numero();
    v.valore1 = p;
    v.valore2 = q;
    if (p % 50 != 0) return ferma(codice::ripetizione_inizio_fuori_passo);
    if (q % 50 != 0) return ferma(codice::ripetizione_fine_fuori_passo);
    if (contiene(s_.riga, "4"))
      v.valore3 = 4;
    else if (contiene(s_.riga, "9"))
      v.valore3 = 9;
    else
      return ferma(codice::ripetizione_senza_codici);
    if (q == 0) v.valore3 = 0;
    return true;
  }

  // The entries of the body, in any order. False when an entry stopped the
  // whole reading; true when the body ended (end of file, or an entry
  // refused by the grid check).
  bool corpo() {
    while (!f_.a_fine()) {
      leggi_riga();
      if (f_.a_fine()) return true;
      for (int k = 0; k < trattini_corpo && contiene(s_.riga, "-"); ++k) {
        leggi_riga();
        if (f_.a_fine()) return true;
      }
      const std::string r = s_.riga;
      std::optional<bool> esito;
      if (contiene_senza_maiuscole(r, "pendenza")) esito = pendenza();
      if (!esito && contiene_senza_maiuscole(r, "curva") && s_.genera_tracciato != 0)
        esito = curva(r);
      if (!esito && contiene_senza_maiuscole(r, "montagna")) esito = montagna();
      if (!esito && contiene_senza_maiuscole(r, "indicatori_v")) esito = indicatore();
      if (!esito && contiene_senza_maiuscole(r, "indicat") && contiene_senza_maiuscole(r, "cartello"))
        esito = cartello();
      if (esito) return *esito;
    }
    return true;
  }

  // The grid check on an entry's first number: refused entries end the body
  // with code 15 as if the file had ended.
  bool rifiutata(int32_t x) {
    if (!oltre_griglia(s_, x)) return false;
    s_.segna_errore(codice::oltre_griglia);
    s_.posizione_errore = x;
    return true;
  }

  // Each entry returns nothing to go on, true to end the body (then the
  // end-of-file steps run), false to stop the whole reading.
  std::optional<bool> pendenza() {
    const int32_t p = numero();
    const int32_t g = numero();
    if (rifiutata(p)) return true;
    const auto v = arrotonda_entro<int32_t>(p / 50.0);
    if (v > 0) {
      do {
        s_.cella_in(cursore_pendenza_).pendenza = bassi_8(int64_t{pendenza_precedente_} + offset_pendenza);
        ++cursore_pendenza_;
      } while (cursore_pendenza_ < v);
    }
    pendenza_precedente_ = g;
    return std::nullopt;
  }

  std::optional<bool> curva(const std::string& r) {
    const int32_t inizio = numero();
    const int32_t metri = numero();
    if (rifiutata(inizio)) return true;
    double k = 0.0;
    bool trovata = false;
    for (const auto& [cifra, curvatura] : curvature) {
      if (contiene(r, std::string_view(&cifra, 1))) {
        k = curvatura;
        trovata = true;
        break;
      }
    }
    if (!trovata) return ferma(codice::curva_errata);
    if (contiene_senza_maiuscole(r, "s")) k = -k;  // left-hand

    if (!traccia(inizio, 0.0, metro_massimo_curve) ||
        !traccia(int64_t{inizio} + metri, k, metro_massimo_curve))
      return ferma(codice::curva_errata);
    return std::nullopt;
  }

  // Lays the plan from the cursor up to metre `fino`, every metre the step
  // from the point before turned by the curvature k (0 for straight track).
  // Each metre is computed in this order, with the two points before carried
  // from one metre to the next, so that every platform gets the same bits.
  // A run that reaches metre `limite` stops there and gives false; one that
  // runs past the end of the plan keeps what it laid and is a failure.
  bool traccia(int64_t fino, double k, int64_t limite) {
    const int64_t primo = cursore_metri_;
    const int64_t ultimo = std::min(fino, std::max(limite, primo));
    if (ultimo < primo) return true;
    if (primo < 2) throw guasto("cursore del tracciato prima del metro 2");
    auto& t = s_.tracciato;
    const int64_t m_piano = t.ultimo_metro();
    const int64_t ultimo_posato = std::min(ultimo, m_piano);
    if (ultimo_posato >= primo) {
      double x0 = t.valore(primo - 2, 0), x1 = t.valore(primo - 1, 0);
      double y0 = t.valore(primo - 2, 1), y1 = t.valore(primo - 1, 1);
      t.posa_reali(primo, ultimo_posato + 1, [&](int64_t) {
        const double d0 = x1 - x0;
        const double d1 = y1 - y0;
        double x, y;
        if (k == 0.0) {
          x = x1 + d0;
          y = y1 + d1;
        } else {
          x = x1 + (d0 + k * d1);
          y = y1 + (d1 - k * d0);
        }
        x0 = x1;
        x1 = x;
        y0 = y1;
        y1 = y;
        return std::pair{x, y};
      });
      cursore_metri_ = ultimo_posato + 1;
    }
    if (ultimo > m_piano) throw guasto("curva oltre la fine del tracciato");
    return cursore_metri_ <= limite;
  }

  std::optional<bool> montagna() {
    const int32_t inizio = numero();
    const int32_t fine = numero();
    int32_t tipo = numero();
    if (rifiutata(inizio)) return true;
    memo_montagna(s_, inizio, fine, tipo);
    return std::nullopt;
  }

  std::optional<bool> indicatore() {
    std::array<int32_t, 9> v{};
    for (auto& x : v) x = numero();
    const int32_t posizione = v[0];
    if (rifiutata(posizione)) return true;
    memo_indicatori_v_max(s_, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    if (s_.codice_errore > 0) {
      s_.cancella_descrizione(file_);
      s_.posizione_errore = posizione;
      return false;
    }
    return std::nullopt;
  }

  std::optional<bool> cartello() {
    const int32_t x = numero();
    s_.riga = f_.leggi_testo();
    if (rifiutata(x)) return true;
    cella& c = s_.cella_in_reale(indice_cella(x));
    if (!libera(c)) {
      s_.posizione_errore = x;
      return ferma(codice::cartello_occupato);
    }
    if (s_.riga.size() > testo_massimo) throw guasto("testo del cartello troppo lungo");
    // Board texts share records 1 to 80 with the stations; record 0 is
    // never a board's, so an 81st board overflows the table like an 82nd.
    if (posto_cartello_ < voce::prima_stazione) throw guasto("più di 80 cartelli indicatori");
    voce_linea& v = s_.voce_in(posto_cartello_);
    c.tipo = tipo_cella::cartello;
    c.dato1 = entro<int16_t>(int64_t{posto_cartello_});
    v.testo = s_.riga;
    --posto_cartello_;
    return std::nullopt;
  }

  // After the last entry: the file goes, the gradient runs on to cell N - 3
  // and the plan runs straight to metre L + 6998.
  void fine_file() {
    s_.cancella_descrizione(file_);
    if (!s_.griglia_esiste()) throw guasto("descrizione della linea senza lunghezza del percorso");
    const int32_t n = s_.ultima_cella();
    do {
      s_.cella_in(cursore_pendenza_).pendenza = bassi_8(int64_t{pendenza_precedente_} + offset_pendenza);
      ++cursore_pendenza_;
    } while (cursore_pendenza_ < n - 2);
    if (s_.genera_tracciato != 0)
      traccia(lunghezza_ + metri_oltre_la_fine - 2, 0.0, std::numeric_limits<int64_t>::max());
  }

  stato_compilazione& s_;
  const std::filesystem::path& file_;
  const std::string nome_;
  lettore_campi f_;
  int32_t& posto_cartello_;
  int64_t lunghezza_ = 0;
  int64_t cursore_pendenza_ = 0;
  int32_t pendenza_precedente_ = 0;
  int64_t cursore_metri_ = 2;
};

}  // namespace

esito_linea leggi_descrizione_linea(stato_compilazione& s, const std::filesystem::path& file,
                                    int32_t& posto_cartello) {
  lettura_linea l(s, file, posto_cartello);
  return l.leggi();
}

}  // namespace gara
