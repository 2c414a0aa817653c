#include "lettura/descrizione_treno.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "lettura/griglia.h"
#include "lettura/lettura_voci.h"
#include "lettura/parole.h"
#include "modello/arrotonda.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/misure.h"
#include "modello/windows1252.h"
#include "posa/rallentamento.h"
#include "posa/segnale.h"

namespace gara {

namespace {

constexpr int trattini_massimi = 2;  // dash fields passed over in a row

constexpr int64_t passo_stazioni = misura::metri_cella;  // stations stand on cell boundaries
constexpr int64_t passo_marciapiedi = 100;    // platform lengths come in 100 m
constexpr int32_t marciapiede_lungo = 600;    // shorter platforms carry no value 5
constexpr int64_t coda_prima = 150;           // types 5 and 6: platform end past the station
constexpr int64_t prolungamento = 50;         // platform-end extension of value 6
constexpr int64_t distanza_stazioni = 350;    // from one platform end to the next start
constexpr int32_t primo_tipo_senza_cella = 25;  // types from here get no platform-end cell
constexpr int avvisi_stazione = 4;
constexpr int32_t base_avviso_stazione = 80;  // marks 81..84, 81 next to the platform end
constexpr int64_t passo_progressive = misura::metri_cella;

// Speeds that no real line allows, for the check's warning.
constexpr int32_t velocita_verosimile = 300;

// Station types whose platform is not centred on the station: types 5 and 6
// have it before the station, types 7 and 8 its full length on each side.
bool marciapiede_prima(int32_t t) { return t == 5 || t == 6; }
bool marciapiede_ai_lati(int32_t t) { return t == 7 || t == 8; }

// The state of one pass over the train description.
class lettura_treno : lettura_voci {
 public:
  lettura_treno(stato_compilazione& s, const std::string& nome, std::string_view byte,
                int32_t limite_stazioni)
      : lettura_voci(s, nome, byte),
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
      if (!salta_trattini(trattini_massimi)) break;
      const seguito esito = voce_protetta([&] { return voce(); });
      if (esito == seguito::termina) return;
      if (esito == seguito::fine_lettura) break;
    }
    voce_protetta([&] {
      fine_lettura();
      return seguito::prosegui;
    });
  }

 private:
  template <class T = int32_t>
  T numero() {
    return lettura_voci::numero<T>();
  }

  // Every keyword the field holds, in this order: a field with two keywords
  // is two entries, each reading its own values.
  seguito voce() {
    const std::string r = s_.riga;
    const auto ha = [&r](std::string_view parola) { return contiene_senza_maiuscole(r, parola); };
    seguito e = seguito::prosegui;
    if (!parola_chiave_del_treno(r))
      voce_sconosciuta({"numero vetture", "percentuale massa frenata", "velocita", "aderenza", "orologio",
                        "sabbia", "segnale", "rallentamento", "abbattimento", "stazione"});

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

  // A refused entry ends a faithful reading as the end of the file does;
  // a checking reading passes it over.
  seguito dopo_rifiuto() const { return s_.verifica() ? seguito::prosegui : seguito::fine_lettura; }

  // After a signal or a slowdown. A faithful reading ends on any code
  // standing now, whether the placement set it or the line half left it; a
  // checking one notes the metre of a problem of this entry and goes on.
  seguito dopo_posa(int32_t posizione, std::size_t problemi_prima) {
    const bool problema =
        s_.verifica() ? s_.diagnostiche.size() > problemi_prima : s_.codice_errore() > 0;
    if (!problema) return seguito::prosegui;
    s_.segna_posizione(posizione);
    return s_.verifica() ? seguito::prosegui : seguito::termina;
  }

  static seguito se_ferma(bool ferma) { return ferma ? seguito::termina : seguito::prosegui; }

  // A speed limit in km/h as the cell keeps it, in fifths: one that does
  // not fit the byte is a failure.
  static uint8_t quinti(int32_t v) {
    return arrotonda_entro<uint8_t>(v / static_cast<double>(misura::km_h_per_unita_velocita));
  }

  // The speed in force runs from its own cell up to the cell before that
  // of the next entry; the cursor never writes past the last cell.
  seguito velocita() {
    const int32_t p = numero();
    const int32_t v = numero();
    if (rifiutata(p, margine_oggetto)) return dopo_rifiuto();
    controlla_crescente(p, velocita_piu_avanti_, "velocità");
    if (v > velocita_verosimile)
      avvisa(problema::valore_inverosimile, f_.campo(),
             "velocità di " + std::to_string(v) + " km/h: il formato la accetta, ma nessuna linea la ammette (al più " +
                 std::to_string(velocita_verosimile) + ")");
    const int32_t w = arrotonda_entro<int32_t>(in_celle(p));
    if (w > 0)
      riempi_celle(cursore_velocita_, w, [&](cella& c) { c.velocita = quinti(velocita_in_vigore_); },
                   s_.ultima_cella());
    velocita_in_vigore_ = v;
    return seguito::prosegui;
  }

  // The same for the adhesion, which is stored as its low byte.
  seguito aderenza() {
    const int32_t p = numero();
    const int32_t a = numero();
    if (rifiutata(p, margine_oggetto)) return dopo_rifiuto();
    controlla_crescente(p, aderenza_piu_avanti_, "aderenza");
    const int32_t w = arrotonda_entro<int32_t>(in_celle(p));
    if (w > 0)
      riempi_celle(cursore_aderenza_, w, [&](cella& c) { c.aderenza = bassi_8(aderenza_in_vigore_); });
    aderenza_in_vigore_ = a;
    return seguito::prosegui;
  }

  seguito segnale() {
    const int32_t posizione = numero();
    int32_t sx = numero(), s1 = numero(), s2 = numero(), s3 = numero(), rapp = numero();
    int32_t dx = numero(), d1 = numero(), d2 = numero(), d3 = numero(), tempo = numero();
    if (rifiutata(posizione, margine_oggetto)) return dopo_rifiuto();
    const std::size_t problemi = s_.diagnostiche.size();
    memo_segnale(s_, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
    return dopo_posa(posizione, problemi);
  }

  seguito rallentamento() {
    const int32_t x = numero();
    int32_t v = numero(), l = numero(), f_tt = numero();
    const int32_t f_ta = numero();
    int32_t d_v = numero();
    if (rifiutata(x, margine_oggetto)) return dopo_rifiuto();
    if (v >= misura::velocita_senza_tavole)
      avvisa(problema::rallentamento_senza_tavole, campo_posizione(),
             "rallentamento a " + std::to_string(v) + " km/h: da " + std::to_string(misura::velocita_senza_tavole) +
                 " km/h in su le sue tavole lungo e dopo il rallentamento non vengono poste");
    const std::size_t problemi = s_.diagnostiche.size();
    memo_rallentamento(s_, x, v, l, f_tt, f_ta, d_v);
    return dopo_posa(x, problemi);
  }

  // A board at metre p, in cell p / 50 (no added 1): with a value it is a
  // board of type 12, without one of type 13.
  seguito abbattimento() {
    const int32_t p = numero();
    const int32_t k = numero();
    if (rifiutata(p, margine_oggetto)) return dopo_rifiuto();
    cella& c = s_.cella_in_reale(in_celle(p));
    if (!libera(c)) {
      s_.segna_errore_occupata(codice::abbattimento_occupato, c, p);
      return se_ferma(!s_.verifica());
    }
    s_.occupa(c);
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
    // a station that would land on one has no room. A checking reading
    // reads it all the same, into a record of its own.
    const bool posto = n_ <= limite_;
    if (!posto && !tabella_piena_segnalata_) {
      tabella_piena_segnalata_ = true;
      s_.segna_errore_voce_occupata(codice::troppe_stazioni, n_);
      if (!s_.verifica()) return seguito::termina;
    }
    voce_linea scarto;
    voce_linea& r = posto ? s_.voce_in(n_) : scarto;
    const voce_linea com_era = r;
    bool da_posare = posto;

    const int32_t p = numero();
    const luogo campo_p = f_.campo();
    r.valore3 = p;
    if (rifiutata(p, margine_stazione)) {
      if (!s_.verifica()) return seguito::fine_lettura;
      da_posare = false;
    }
    if (p % passo_stazioni != 0 && ferma_in(codice::stazione_fuori_passo, campo_p, p))
      return seguito::termina;
    r.tipo_stazione = numero<uint8_t>();
    const int32_t l = numero();
    if (l % passo_marciapiedi != 0 && ferma_in(codice::marciapiede_fuori_passo, f_.campo(), p))
      return seguito::termina;

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
    std::string nome = testo();
    if (nome.size() > testo_massimo)
      throw guasto("nome della stazione di " + std::to_string(nome.size()) + " caratteri (al massimo " +
                   std::to_string(testo_massimo) + ")");
    if (s_.verifica()) {
      const luogo campo_nome = f_.campo();
      if (!nome.empty() && !nomi_stazioni_.emplace(nome, campo_nome.linea).second)
        avvisa(problema::stazioni_omonime, campo_nome,
               "la stazione \"" + da_windows1252(nome) + "\" ha lo stesso nome di quella della riga " +
                   std::to_string(nomi_stazioni_.at(nome)));
      if (l > lunghezza_percorso(s_.tabella_linea) && lunghezza_percorso(s_.tabella_linea) > 0)
        avvisa(problema::valore_inverosimile, campo_p,
               "marciapiede di " + std::to_string(l) + " m, più lungo della linea (" +
                   std::to_string(lunghezza_percorso(s_.tabella_linea)) + " m)");
    }
    r.testo = std::move(nome);
    if (!da_posare) {
      // A refused station of a checking reading leaves its record as it was.
      r = com_era;
      return seguito::prosegui;
    }

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
      const double cella_fine = in_celle(r.valore2) - 1.0;
      if (!marciapiede_prima(t)) {
        for (int k = 1; k <= avvisi_stazione; ++k) {
          const double c = in_celle(r.valore2) - k - 1.0;
          if (c > 1.0) s_.cella_in_reale(c).avviso = static_cast<uint8_t>(base_avviso_stazione + k);
        }
      }
      if (cella_fine <= 1.0) {
        if (ferma(codice::marciapiede_troppo_vicino_inizio)) return seguito::termina;
      } else {
        // The platform end takes its cell whatever stood there.
        cella& c = s_.cella_in_reale(cella_fine);
        c.tipo = tipo_cella::fine_marciapiede;
        s_.occupa(c);
        c.dato1 = entro<int16_t>(int64_t{n_});
      }
    }

    if (n_ > voce::prima_stazione &&
        int64_t{r.valore1} - distanza_stazioni < s_.voce_in(n_ - 1).valore2 &&
        ferma_in(codice::stazioni_troppo_vicine, campo_p, p))
      return seguito::termina;

    s_.occupa_voce(n_);
    ++n_;
    if (n_ >= limite_) {
      tabella_piena_segnalata_ = true;
      // The records from the limit on hold the line's board texts.
      s_.segna_errore_voce_occupata(codice::troppe_stazioni, limite_ + 1);
      if (!s_.verifica()) return seguito::termina;
    }
    return seguito::prosegui;
  }

  // The end of reading (end of the file, or an entry refused by the grid
  // check): the last speed and adhesion run on to cell N - 3, and the
  // kilometric progressives must stand on cell boundaries.
  void fine_lettura() {
    const int64_t n = s_.ultima_cella();
    riempi_celle(cursore_velocita_, n - 2, [&](cella& c) { c.velocita = quinti(velocita_in_vigore_); });
    riempi_celle(cursore_aderenza_, n - 2, [&](cella& c) { c.aderenza = bassi_8(aderenza_in_vigore_); });

    for (int record : {voce::progressiva_tre, voce::progressiva_due, voce::progressiva_uno}) {
      const voce_linea& v = s_.voce_in(record);
      if (v.valore1 % passo_progressive != 0 || v.valore2 % passo_progressive != 0) {
        s_.voce_corrente = luogo{nome_};
        s_.segna_errore(codice::progressiva_fuori_passo);
      }
    }
  }

  const int32_t limite_;
  bool tabella_piena_segnalata_ = false;
  // What a checking reading remembers for its warnings.
  int32_t velocita_piu_avanti_ = 0;
  int32_t aderenza_piu_avanti_ = 0;
  std::map<std::string, int> nomi_stazioni_;  // name, line of its first station
  int32_t n_ = voce::prima_stazione;  // record of the next station
  int64_t cursore_velocita_ = 0;
  int64_t cursore_aderenza_ = 0;
  int32_t velocita_in_vigore_ = 0;
  int32_t aderenza_in_vigore_ = 0;
};

}  // namespace

bool parola_chiave_del_treno(std::string_view campo) {
  const auto ha = [campo](std::string_view parola) { return contiene_senza_maiuscole(campo, parola); };
  return (ha("frenata") && ha("massa")) || ha("vetture") || ha("velocit") || ha("aderenza") || ha("orologio") ||
         ha("sabbia") || ha("segnale") || ha("rallentamento") || ha("abbattimento") || ha("stazione");
}

void leggi_descrizione_treno(stato_compilazione& s, const std::string& nome, std::string_view byte,
                             int32_t limite_stazioni) {
  lettura_treno l(s, nome, byte, limite_stazioni);
  l.leggi();
}

}  // namespace gara
