#include "lettura/descrizione_treno.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "avvio/file.h"
#include "lettura/griglia.h"
#include "lettura/lettore_campi.h"
#include "lettura/parole.h"
#include "modello/arrotonda.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "posa/rallentamento.h"
#include "posa/segnale.h"

namespace gara {

namespace {

constexpr int trattini_massimi = 2;  // dash fields passed over in a row

constexpr int64_t passo_stazioni = 50;        // stations stand on cell boundaries
constexpr int64_t passo_marciapiedi = 100;    // platform lengths come in 100 m
constexpr int32_t marciapiede_lungo = 600;    // shorter platforms carry no value 5
constexpr int64_t coda_prima = 150;           // types 5 and 6: platform end past the station
constexpr int64_t prolungamento = 50;         // platform-end extension of value 6
constexpr int64_t distanza_stazioni = 350;    // from one platform end to the next start
constexpr int32_t primo_tipo_senza_cella = 25;  // types from here get no platform-end cell
constexpr int avvisi_stazione = 4;
constexpr int32_t base_avviso_stazione = 80;  // marks 81..84, 81 next to the platform end
constexpr int64_t passo_progressive = 50;

// Station types whose platform is not centred on the station: types 5 and 6
// have it before the station, types 7 and 8 its full length on each side.
bool marciapiede_prima(int32_t t) { return t == 5 || t == 6; }
bool marciapiede_ai_lati(int32_t t) { return t == 7 || t == 8; }

// How an entry leaves the reading: go on with the next field, go to the end
// of reading (as at the end of the file), or stop the whole reading now.
enum class seguito { prosegui, fine_lettura, termina };

// The state of one pass over the train description.
class lettura_treno {
 public:
  lettura_treno(stato_compilazione& s, int32_t limite_stazioni)
      : s_(s),
        file_(percorso_file(s.cartella, nome_descrizione_treno(s.nome_percorso, s.nome_treno))),
        nome_(da_windows1252(nome_descrizione_treno(s.nome_percorso, s.nome_treno))),
        f_(leggi_file(file_)),
        // The records after 80 hold the general data: never a station's,
        // whatever limit the caller passes.
        limite_(std::min(limite_stazioni, int32_t{voce::primo_cartello})) {}

  void leggi() {
    // Everything before "[generale]" is free text.
    while (!f_.a_fine()) {
      leggi_riga();
      if (contiene_senza_maiuscole(s_.riga, "[generale]")) break;
    }

    while (!f_.a_fine()) {
      leggi_riga();
      // The last field of the file is never interpreted.
      if (f_.a_fine()) break;
      bool finito = false;
      for (int k = 0; k < trattini_massimi && contiene(s_.riga, "-"); ++k) {
        leggi_riga();
        if (f_.a_fine()) {
          finito = true;
          break;
        }
      }
      if (finito) break;

      const seguito esito = voce();
      if (esito == seguito::termina) return;
      if (esito == seguito::fine_lettura) break;
    }
    fine_lettura();
  }

 private:
  void leggi_riga() {
    s_.riga = f_.leggi_testo();
    s_.voce_corrente = origine{nome_, f_.linea()};
  }

  template <class T = int32_t>
  T numero() {
    return f_.leggi_numero<T>();
  }

  // Every keyword the field holds, in this order: a field with two keywords
  // is two entries, each reading its own values.
  seguito voce() {
    const std::string r = s_.riga;
    const auto ha = [&r](std::string_view parola) { return contiene_senza_maiuscole(r, parola); };
    seguito e = seguito::prosegui;

    if (ha("frenata") && ha("massa")) s_.voce_in(voce::generale).valore1 = numero();
    if (ha("vetture")) s_.voce_in(voce::generale).valore3 = numero();
    if (ha("velocit") && (e = velocita()) != seguito::prosegui) return e;
    if (ha("aderenza") && (e = aderenza()) != seguito::prosegui) return e;
    if (ha("orologio")) {
      voce_linea& v = s_.voce_in(voce::treno);
      v.intero_c = numero<int16_t>();
      v.intero_d = numero<int16_t>();
      v.intero_e = numero<int16_t>();
    }
    if (ha("sabbia")) s_.voce_in(voce::treno).intero_a = numero<int16_t>();
    if (ha("segnale") && (e = segnale()) != seguito::prosegui) return e;
    if (ha("rallentamento") && (e = rallentamento()) != seguito::prosegui) return e;
    if (ha("abbattimento") && (e = abbattimento()) != seguito::prosegui) return e;
    if (ha("stazione") && (e = stazione()) != seguito::prosegui) return e;
    return e;
  }

  // Closes and deletes the description and leaves the code.
  seguito ferma(int32_t codice_errore) {
    s_.cancella_descrizione(file_);
    s_.segna_errore(codice_errore);
    return seguito::termina;
  }

  seguito ferma_a(int32_t codice_errore, int32_t posizione) {
    s_.posizione_errore = posizione;
    return ferma(codice_errore);
  }

  // The grid check on an entry's position: a refused entry ends the
  // reading with code 15 as if the file had ended.
  bool rifiutata(int32_t p, int64_t margine = margine_oggetto) {
    if (!oltre_griglia(s_, p, margine)) return false;
    s_.segna_errore(codice::oltre_griglia);
    s_.posizione_errore = p;
    return true;
  }

  // After a signal or a slowdown: any code standing now, whether the
  // placement set it or it was left by the line half, ends the reading.
  seguito dopo_posa(int32_t posizione) {
    if (s_.codice_errore <= 0) return seguito::prosegui;
    s_.cancella_descrizione(file_);
    s_.posizione_errore = posizione;
    return seguito::termina;
  }

  // A speed limit in km/h as the cell keeps it, in fifths: one that does
  // not fit the byte is a failure.
  static uint8_t quinti(int32_t v) { return arrotonda_entro<uint8_t>(v / 5.0); }

  // The speed in force runs from its own cell up to the cell before that
  // of the next entry; the cursor never writes past the last cell.
  seguito velocita() {
    const int32_t p = numero();
    const int32_t v = numero();
    if (rifiutata(p)) return seguito::fine_lettura;
    const int32_t w = arrotonda_entro<int32_t>(p / 50.0);
    const int64_t n = s_.ultima_cella();
    if (w > 0) {
      do {
        if (cursore_velocita_ >= n) break;
        s_.cella_in(cursore_velocita_).velocita = quinti(velocita_in_vigore_);
        ++cursore_velocita_;
      } while (cursore_velocita_ < w);
    }
    velocita_in_vigore_ = v;
    return seguito::prosegui;
  }

  // The same for the adhesion, which is stored as its low byte.
  seguito aderenza() {
    const int32_t p = numero();
    const int32_t a = numero();
    if (rifiutata(p)) return seguito::fine_lettura;
    const int32_t w = arrotonda_entro<int32_t>(p / 50.0);
    if (w > 0) {
      do {
        s_.cella_in(cursore_aderenza_).aderenza = bassi_8(aderenza_in_vigore_);
        ++cursore_aderenza_;
      } while (cursore_aderenza_ < w);
    }
    aderenza_in_vigore_ = a;
    return seguito::prosegui;
  }

  seguito segnale() {
    const int32_t posizione = numero();
    int32_t sx = numero(), s1 = numero(), s2 = numero(), s3 = numero(), rapp = numero();
    int32_t dx = numero(), d1 = numero(), d2 = numero(), d3 = numero(), tempo = numero();
    if (rifiutata(posizione)) return seguito::fine_lettura;
    memo_segnale(s_, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
    return dopo_posa(posizione);
  }

  seguito rallentamento() {
    const int32_t x = numero();
    int32_t v = numero(), l = numero(), f_tt = numero();
    const int32_t f_ta = numero();
    int32_t d_v = numero();
    if (rifiutata(x)) return seguito::fine_lettura;
    memo_rallentamento(s_, x, v, l, f_tt, f_ta, d_v);
    return dopo_posa(x);
  }

  // A board at metre p, in cell p / 50 (no added 1): with a value it is a
  // board of type 12, without one of type 13.
  seguito abbattimento() {
    const int32_t p = numero();
    const int32_t k = numero();
    if (rifiutata(p)) return seguito::fine_lettura;
    cella& c = s_.cella_in_reale(p / 50.0);
    if (!libera(c)) return ferma_a(codice::abbattimento_occupato, p);
    if (k > 0) {
      c.tipo = tipo_cella::tavola;
      c.dato1 = bassi_16(k);
    } else {
      c.tipo = tipo_cella::abbattimento;
    }
    return seguito::prosegui;
  }

  // One station: its record, its platform, the mark of the platform end
  // and the four approach marks before it.
  seguito stazione() {
    // Records above the station limit hold the board texts of the line:
    // a station that would land on one has no room.
    if (n_ > limite_) return ferma(codice::troppe_stazioni);
    voce_linea& r = s_.voce_in(n_);

    const int32_t p = numero();
    r.valore3 = p;
    if (rifiutata(p, margine_stazione)) return seguito::fine_lettura;
    if (p % passo_stazioni != 0) return ferma_a(codice::stazione_fuori_passo, p);
    r.tipo_stazione = numero<uint8_t>();
    const int32_t l = numero();
    if (l % passo_marciapiedi != 0) return ferma_a(codice::marciapiede_fuori_passo, p);

    r.byte_a = numero<uint8_t>();
    r.byte_e = numero<uint8_t>();
    r.byte_d = numero<uint8_t>();
    r.intero_a = numero<int16_t>();
    r.intero_b = numero<int16_t>();
    r.byte_b = numero<uint8_t>();
    r.intero_c = numero<int16_t>();
    r.intero_d = numero<int16_t>();
    r.intero_e = numero<int16_t>();
    r.byte_c = numero<uint8_t>();
    const int64_t ore = numero(), minuti = numero(), secondi = numero();
    r.orario = entro<int32_t>(ore * 3600 + minuti * 60 + secondi);
    std::string nome = f_.leggi_testo();
    if (nome.size() > testo_massimo) throw guasto("nome della stazione troppo lungo");
    r.testo = std::move(nome);

    // The platform: ordinary stations are centred on their position (the
    // length is a whole number of 100 m, so its half is exact).
    const int32_t t = r.tipo_stazione;
    int64_t inizio = 0, fine = 0;
    if (marciapiede_prima(t)) {
      inizio = int64_t{p} - l;
      fine = int64_t{p} + coda_prima;
      r.byte_d = 0;
    } else if (marciapiede_ai_lati(t)) {
      inizio = int64_t{p} - l;
      fine = int64_t{p} + l;
      r.byte_d = 0;
    } else {
      inizio = int64_t{p} - l / 2;
      fine = int64_t{p} + l / 2 + (r.byte_d != 0 ? prolungamento : 0);
    }
    r.valore1 = entro<int32_t>(inizio);
    r.valore2 = entro<int32_t>(fine);
    if (l < marciapiede_lungo) r.byte_e = 0;
    if (n_ == voce::prima_stazione) {
      r.byte_d = 0;
      r.byte_e = 0;
    }

    if (t < primo_tipo_senza_cella) {
      const double cella_fine = r.valore2 / 50.0 - 1.0;
      if (!marciapiede_prima(t)) {
        for (int k = 1; k <= avvisi_stazione; ++k) {
          const double c = r.valore2 / 50.0 - k - 1.0;
          if (c > 1.0) s_.cella_in_reale(c).avviso = static_cast<uint8_t>(base_avviso_stazione + k);
        }
      }
      if (cella_fine <= 1.0) return ferma(codice::marciapiede_troppo_vicino_inizio);
      // The platform end takes its cell whatever stood there.
      cella& c = s_.cella_in_reale(cella_fine);
      c.tipo = tipo_cella::fine_marciapiede;
      c.dato1 = entro<int16_t>(int64_t{n_});
    }

    if (n_ > voce::prima_stazione &&
        int64_t{r.valore1} - distanza_stazioni < s_.voce_in(n_ - 1).valore2)
      return ferma_a(codice::stazioni_troppo_vicine, p);

    ++n_;
    if (n_ >= limite_) return ferma(codice::troppe_stazioni);
    return seguito::prosegui;
  }

  // The end of reading (end of the file, or an entry refused by the grid
  // check): the file goes, the last speed and adhesion run on to cell
  // N - 3, and the kilometric progressives must stand on cell boundaries.
  void fine_lettura() {
    s_.cancella_descrizione(file_);
    const int64_t n = s_.ultima_cella();
    do {
      s_.cella_in(cursore_velocita_).velocita = quinti(velocita_in_vigore_);
      ++cursore_velocita_;
    } while (cursore_velocita_ < n - 2);
    do {
      s_.cella_in(cursore_aderenza_).aderenza = bassi_8(aderenza_in_vigore_);
      ++cursore_aderenza_;
    } while (cursore_aderenza_ < n - 2);

    for (int record : {voce::progressiva_tre, voce::progressiva_due, voce::progressiva_uno}) {
      const voce_linea& v = s_.voce_in(record);
      if (v.valore1 % passo_progressive != 0 || v.valore2 % passo_progressive != 0) {
        s_.voce_corrente = origine{nome_, std::nullopt};
        s_.segna_errore(codice::progressiva_fuori_passo);
      }
    }
  }

  stato_compilazione& s_;
  const std::filesystem::path file_;
  const std::string nome_;
  lettore_campi f_;
  const int32_t limite_;
  int32_t n_ = voce::prima_stazione;  // record of the next station
  int64_t cursore_velocita_ = 0;
  int64_t cursore_aderenza_ = 0;
  int32_t velocita_in_vigore_ = 0;
  int32_t aderenza_in_vigore_ = 0;
};

}  // namespace

void leggi_descrizione_treno(stato_compilazione& s, int32_t limite_stazioni) {
  lettura_treno l(s, limite_stazioni);
  l.leggi();
}

}  // namespace gara
