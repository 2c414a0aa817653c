#include "lettura/descrizione_linea.h"

#include <algorithm>
#include <array>
#include <limits>

#include "lettura/griglia.h"
#include "lettura/lettura_voci.h"
#include "lettura/parole.h"
#include "lettura/progressive.h"
#include "modello/arrotonda.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/misure.h"
#include "modello/windows1252.h"
#include "posa/indicatori_v_max.h"
#include "posa/montagna.h"

namespace gara {

namespace {

constexpr int32_t lunghezza_massima = 1000000;  // metres of route
constexpr int32_t metro_massimo_curve = 1000000;
constexpr int trattini_generale = 10;  // dash fields skipped in a row, general block
constexpr int trattini_corpo = 2;      // and in the body

// Curvature per metre by class digit; the first digit found, in this order,
// decides.
constexpr std::array<std::pair<char, double>, 6> curvature{{
    {'1', 0.0001}, {'2', 0.0002}, {'3', 0.0004}, {'4', 0.001}, {'5', 0.002}, {'6', 0.003}}};

// The gradient byte of a cell: the gradient plus its offset, low byte.
uint8_t byte_pendenza(int32_t g) { return bassi_8(int64_t{g} + misura::zero_pendenza); }

// The state of one pass over the line description.
class lettura_linea : lettura_voci {
 public:
  lettura_linea(stato_compilazione& s, const std::string& nome, std::string_view byte,
                int32_t& posto_cartello)
      : lettura_voci(s, nome, byte), posto_cartello_(posto_cartello) {}

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
    // Without a grid (no route length, or one too long for a checking
    // reading to make) there is no plan either, and this fails: both
    // readings end here, as the package's does.
    if (s_.genera_tracciato != 0) {
      // The track starts at the origin heading along axis 1.
      s_.tracciato.imposta_intero(0, 0, 0);
      s_.tracciato.imposta_intero(0, 1, 0);
      s_.tracciato.imposta_intero(1, 0, 0);
      s_.tracciato.imposta_intero(1, 1, 1);
    }

    if (corpo() == seguito::termina) return esito_linea::termina;
    voce_protetta([&] {
      fine_file();
      return seguito::prosegui;
    });
    return esito_linea::prosegui;
  }

 private:
  int32_t numero() { return lettura_voci::numero<int32_t>(); }

  // Everything up to the field "[generale]"; false when the file ends first.
  bool preambolo() {
    do {
      if (f_.a_fine()) {
        s_.voce_corrente = f_.campo();
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
      bool chiuso = false;
      const seguito esito = voce_protetta([&] {
        // Here a dash field is passed over even when it is the last one:
        // reading on from there is a failure.
        for (int k = 0; k < trattini_generale; ++k)
          if (contiene(s_.riga, "-")) leggi_riga();
        const seguito e = voce_generale();
        chiuso = chiude_blocco(s_.riga);
        return e;
      });
      if (esito == seguito::termina) return false;
      if (chiuso) break;
    }
    return true;
  }

  seguito voce_generale() {
    const std::string& r = s_.riga;
    if (contiene_senza_maiuscole(r, "percorso") && contiene_senza_maiuscole(r, "lunghezza")) {
      const int32_t l = numero();
      s_.voce_in(voce::generale).valore2 = l;
      if (l > lunghezza_massima) {
        // A checking reading goes on without a grid rather than make one
        // of any size.
        if (ferma_in(codice::lunghezza_eccessiva, f_.campo())) return seguito::termina;
      } else {
        crea_griglia(l);
      }
    }
    if (contiene(r, "tre") && contiene(r, "progressiva")) tre_numeri(voce::progressiva_tre);
    if (contiene(r, "due") && contiene(r, "progressiva")) tre_numeri(voce::progressiva_due);
    if (contiene(r, "uno") && contiene(r, "progressiva")) tre_numeri(voce::progressiva_uno);
    if (contiene(r, "sfondo") && contiene(r, "uno")) s_.voce_in(voce::sfondi).valore1 = numero();
    if (contiene(r, "sfondo") && contiene(r, "due")) s_.voce_in(voce::sfondi).valore3 = numero();
    if (contiene(r, "sfondo") && contiene(r, "tre")) s_.voce_in(voce::sfondi).valore2 = numero();
    if (contiene(r, "segnali") && contiene(r, "ripetizione") && !ripetizione_segnali())
      return seguito::termina;
    const bool nota = (contiene_senza_maiuscole(r, "percorso") && contiene_senza_maiuscole(r, "lunghezza")) ||
                      contiene(r, "progressiva") || contiene(r, "sfondo") ||
                      (contiene(r, "segnali") && contiene(r, "ripetizione"));
    if (!nota && !chiude_blocco(r))
      voce_sconosciuta({"lunghezza percorso", "progressiva chilometrica", "sfondo uno", "sfondo due", "sfondo tre",
                        "ripetizione segnali"});
    return seguito::prosegui;
  }

  static bool chiude_blocco(const std::string& r) {
    const auto primo = r.find_first_not_of(" \t");
    const bool trattino = primo != std::string::npos && r[primo] == '-';
    return contiene(r, "[") && contiene(r, "]") && !trattino;
  }

  void crea_griglia(int32_t l) {
    lunghezza_ = l;
    const auto n = arrotonda_entro<int32_t>(in_celle(static_cast<double>(l + misura::metri_oltre_la_fine)));
    if (n < 0) throw guasto("lunghezza del percorso " + std::to_string(l) + ": la griglia non avrebbe celle");
    s_.celle.assign(static_cast<std::size_t>(n) + 1, cella{});
    if (s_.genera_tracciato != 0) s_.tracciato.crea(l + misura::metri_oltre_la_fine, s_.posa_tracciato);
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
    const luogo campo_p = f_.campo();
    const int32_t q = numero();
    v.valore1 = p;
    v.valore2 = q;
    if (p % misura::metri_cella != 0 && ferma_in(codice::ripetizione_inizio_fuori_passo, campo_p))
      return false;
    if (q % misura::metri_cella != 0 && ferma_in(codice::ripetizione_fine_fuori_passo, f_.campo()))
      return false;
    if (contiene(s_.riga, "4"))
      v.valore3 = 4;
    else if (contiene(s_.riga, "9"))
      v.valore3 = 9;
    else if (ferma(codice::ripetizione_senza_codici))
      return false;
    if (q == 0) v.valore3 = 0;
    return true;
  }

  // The entries of the body, in any order, up to the end of the file or to
  // an entry that ends the body (fine_lettura) or the whole reading (termina).
  seguito corpo() {
    while (!f_.a_fine()) {
      leggi_riga();
      if (f_.a_fine()) break;
      if (!salta_trattini(trattini_corpo)) break;
      const seguito esito = voce_protetta([&] { return voce_corpo(); });
      if (esito != seguito::prosegui) return esito;
    }
    return seguito::fine_lettura;
  }

  // Every keyword the field holds, in this order, until one of them ends
  // the body or the reading.
  seguito voce_corpo() {
    const std::string r = s_.riga;
    const auto ha = [&r](std::string_view parola) { return contiene_senza_maiuscole(r, parola); };
    seguito e = seguito::prosegui;
    if (!parola_chiave_della_linea(r))
      voce_sconosciuta({"pendenza", "curva", "montagna", "indicatori_vmax", "cartello_indicatore"});
    if (ha("pendenza") && (e = pendenza()) != seguito::prosegui) return e;
    if (ha("curva") && s_.genera_tracciato != 0 && (e = curva(r)) != seguito::prosegui) return e;
    // Without the plan a curve is not read: its values are passed over as
    // fields of no entry, which is no slip of the author's.
    if (ha("curva") && s_.genera_tracciato == 0) valori_non_letti();
    if (ha("montagna") && (e = montagna()) != seguito::prosegui) return e;
    if (ha("indicatori_v") && (e = indicatore()) != seguito::prosegui) return e;
    if (ha("indicat") && ha("cartello") && (e = cartello()) != seguito::prosegui) return e;
    return e;
  }

  // A refused entry ends the body of a faithful reading, as if the file had
  // ended there; a checking reading passes it over.
  seguito dopo_rifiuto() const { return s_.verifica() ? seguito::prosegui : seguito::fine_lettura; }

  seguito pendenza() {
    const int32_t p = numero();
    const int32_t g = numero();
    if (rifiutata(p, margine_oggetto)) return dopo_rifiuto();
    controlla_crescente(p, pendenza_piu_avanti_, "pendenza");
    const auto v = arrotonda_entro<int32_t>(in_celle(p));
    if (v > 0)
      riempi_celle(cursore_pendenza_, v, [&](cella& c) { c.pendenza = byte_pendenza(pendenza_precedente_); });
    pendenza_precedente_ = g;
    return seguito::prosegui;
  }

  seguito curva(const std::string& r) {
    const int32_t inizio = numero();
    const int32_t metri = numero();
    if (rifiutata(inizio, margine_oggetto)) return dopo_rifiuto();
    double k = 0.0;
    char classe = 0;
    for (const auto& [cifra, curvatura] : curvature) {
      if (contiene(r, std::string_view(&cifra, 1))) {
        k = curvatura;
        classe = cifra;
        break;
      }
    }
    if (classe == 0) return ferma(codice::curva_errata) ? seguito::termina : seguito::prosegui;
    if (contiene_senza_maiuscole(r, "s")) {
      k = -k;  // left-hand
      // The side is any "s" of the keyword: one that says right, or that
      // says no side at all, is likely a slip.
      const bool sinistra = contiene_senza_maiuscole(r, "curvas") || contiene_senza_maiuscole(r, "sinistra") ||
                            contiene_senza_maiuscole(r, "sx");
      if (!sinistra) {
        const bool destra = contiene_senza_maiuscole(r, "destra") || contiene_senza_maiuscole(r, "curvad");
        avvisa(problema::curva_letta_sinistra, *s_.voce_corrente,
               "la curva \"" + da_windows1252(r.substr(0, 40)) + "\" è letta come sinistra per la sua \"s\"" +
                   (destra ? ", ma la parola chiave dice destra: scrivi \"curvad\" seguito dalla cifra"
                           : ": scrivi \"curvas\" o \"curvad\" seguito dalla cifra"));
        correggi_lato(r, classe, destra);
      }
    }

    if (!s_.tracciato.esiste()) return seguito::prosegui;  // a checking reading without a grid
    if (!traccia(inizio, 0.0, metro_massimo_curve) ||
        !traccia(int64_t{inizio} + metri, k, metro_massimo_curve))
      return ferma(codice::curva_errata) ? seguito::termina : seguito::prosegui;
    return seguito::prosegui;
  }

  // The keyword as the author meant it, where that is certain: one that
  // says right becomes "curvad" and its digit; "curva s2", the side apart
  // from the keyword, becomes "curvas2", which reads the same.
  void correggi_lato(const std::string& r, char classe, bool destra) {
    if (!s_.verifica() || !s_.voce_corrente || s_.diagnostiche.empty()) return;
    std::string compatta;
    for (char c : minuscolo_ascii(r))
      if (c != ' ' && c != '\t') compatta += c;
    const std::string classe_scritta(1, classe);
    std::string giusta;
    if (destra)
      giusta = "curvad" + classe_scritta;
    else if (compatta == "curvas" + classe_scritta)
      giusta = compatta;
    else
      return;
    s_.diagnostiche.back().correzione = sostituzione{*s_.voce_corrente, giusta};
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
    if (ultimo_posato >= primo && !s_.posa_tracciato) {
      cursore_metri_ = ultimo_posato + 1;
    } else if (ultimo_posato >= primo) {
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

  seguito montagna() {
    const int32_t inizio = numero();
    const int32_t fine = numero();
    int32_t tipo = numero();
    if (rifiutata(inizio, margine_oggetto)) return dopo_rifiuto();
    memo_montagna(s_, inizio, fine, tipo);
    return seguito::prosegui;
  }

  seguito indicatore() {
    std::array<int32_t, 9> v{};
    for (auto& x : v) x = numero();
    const int32_t posizione = v[0];
    if (rifiutata(posizione, margine_oggetto)) return dopo_rifiuto();
    const std::size_t problemi = s_.diagnostiche.size();
    memo_indicatori_v_max(s_, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    // A faithful reading stops on any code standing; a checking one notes
    // the metre of a problem of this entry and goes on.
    const bool problema = s_.verifica() ? s_.diagnostiche.size() > problemi : s_.codice_errore() > 0;
    if (problema) {
      s_.segna_posizione(posizione);
      if (!s_.verifica()) return seguito::termina;
    }
    return seguito::prosegui;
  }

  seguito cartello() {
    const int32_t x = numero();
    s_.riga = testo();
    if (rifiutata(x, margine_oggetto)) return dopo_rifiuto();
    cella& c = s_.cella_in_reale(indice_cella(x));
    if (!libera(c)) {
      s_.segna_errore_occupata(codice::cartello_occupato, c, x);
      return s_.verifica() ? seguito::prosegui : seguito::termina;
    }
    if (s_.riga.size() > testo_massimo)
      throw guasto("testo del cartello di " + std::to_string(s_.riga.size()) +
                   " caratteri (al massimo " + std::to_string(testo_massimo) + ")");
    // Board texts share records 1 to 80 with the stations; record 0 is
    // never a board's, so an 81st board overflows the table like an 82nd.
    if (posto_cartello_ < voce::prima_stazione)
      throw guasto("più di 80 cartelli indicatori: la tabella della linea non ha altre voci (voci da 1 a 80)");
    voce_linea& v = s_.voce_in(posto_cartello_);
    c.tipo = tipo_cella::cartello;
    s_.occupa(c);
    s_.occupa_voce(posto_cartello_);
    c.dato1 = entro<int16_t>(int64_t{posto_cartello_});
    v.testo = s_.riga;
    --posto_cartello_;
    return seguito::prosegui;
  }

  // After the last entry: the gradient runs on to cell N - 3 and the plan
  // runs straight to metre L + 6998.
  void fine_file() {
    if (!s_.griglia_esiste()) throw guasto(std::string(motivo_senza_griglia));
    const int32_t n = s_.ultima_cella();
    riempi_celle(cursore_pendenza_, n - 2, [&](cella& c) { c.pendenza = byte_pendenza(pendenza_precedente_); });
    if (s_.genera_tracciato != 0)
      traccia(lunghezza_ + misura::metri_oltre_la_fine - 2, 0.0, std::numeric_limits<int64_t>::max());
  }

  int32_t& posto_cartello_;
  int64_t lunghezza_ = 0;
  int64_t cursore_pendenza_ = 0;
  int32_t pendenza_precedente_ = 0;
  int64_t cursore_metri_ = 2;
  int32_t pendenza_piu_avanti_ = 0;
};

}  // namespace

bool parola_chiave_della_linea(std::string_view campo) {
  const auto ha = [campo](std::string_view parola) { return contiene_senza_maiuscole(campo, parola); };
  return ha("pendenza") || ha("curva") || ha("montagna") || ha("indicatori_v") ||
         (ha("indicat") && ha("cartello"));
}

esito_linea leggi_descrizione_linea(stato_compilazione& s, const std::string& nome,
                                    std::string_view byte, int32_t& posto_cartello) {
  lettura_linea l(s, nome, byte, posto_cartello);
  return l.leggi();
}

}  // namespace gara
