#include "orario/orario.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "modello/catalogo.h"
#include "modello/voce_linea.h"
#include "modello/windows1252.h"

namespace gara::orario {

namespace {

constexpr int64_t secondi_minuto = 60;
constexpr double metri_chilometro = 1000.0;
// A card's kilometre may stand this far from the station's metre.
constexpr double scarto_chilometro = 1000.0;
constexpr double cento = 100.0;

std::string secondi(double s) { return decimi(s) + " s"; }

std::string mostrato(const std::string& nome) { return "\"" + da_windows1252(nome) + "\""; }

// Names compared as an author would: letter case and runs of blanks aside.
std::string normale(const std::string& nome) {
  std::string r;
  for (char c : minuscolo_windows1252(nome)) {
    if (c == ' ' && (r.empty() || r.back() == ' ')) continue;
    r += c;
  }
  while (!r.empty() && r.back() == ' ') r.pop_back();
  return r;
}

diagnostica con_nota(diagnostica d, const luogo& prima, std::string nota) {
  d.prima = prima;
  d.nota = std::move(nota);
  return d;
}

class calcolo {
 public:
  calcolo(const esito_verifica& e, const std::string& file_treno, const opzioni_orario& o)
      : e_(e), file_treno_(file_treno), o_(o) {}

  risultato_orario esegui(const std::optional<testo_scheda>& t) {
    if (t) {
      r_.scheda_letta = leggi_scheda(t->byte, t->nome);
      const auto& a = r_.scheda_letta->avvisi;
      r_.diagnostiche.insert(r_.diagnostiche.end(), a.begin(), a.end());
    }
    const risultato_compilazione& c = e_.compilazione;
    if (c.codice_errore() != 0 || c.fermata != arresto::nessuno || !c.modello.griglia_esiste())
      return std::move(r_);

    r_.calcolato = true;
    r_.stazioni = stazioni_del_treno(e_.voci_lette, file_treno_);
    r_.percentuale_massa_frenata = c.modello.tabella_linea[voce::generale].valore1;
    r_.limiti_linea = limiti_della_linea(c.modello);
    limiti_del_treno();
    abbina_scheda();
    tratte();
    if (r_.scheda_letta) confronta_scheda();
    return std::move(r_);
  }

 private:
  void limiti_del_treno() {
    const auto& s = r_.scheda_letta;
    r_.rango = o_.rango ? o_.rango : (s && s->rango ? std::optional<char>(s->rango->valore) : std::nullopt);
    // A maximum of 0 (a card's "V0") is no maximum.
    r_.velocita_massima = o_.velocita_massima
                              ? o_.velocita_massima
                              : (s && s->velocita_massima && s->velocita_massima->valore > 0
                                     ? std::optional(s->velocita_massima->valore)
                                     : std::nullopt);
    r_.limiti_treno = r_.limiti_linea;
    if (r_.rango) stringi(r_.limiti_treno, tavole_del_rango(e_.voci_lette, *r_.rango));
    if (r_.velocita_massima) stringi(r_.limiti_treno, *r_.velocita_massima);
  }

  // The card's row of each station, by name; the first one of that name.
  void abbina_scheda() {
    riga_di_.assign(r_.stazioni.size(), nullptr);
    if (!r_.scheda_letta) return;
    for (std::size_t i = 0; i < r_.stazioni.size(); ++i)
      for (const riga_scheda& x : r_.scheda_letta->righe)
        if (normale(x.nome.valore) == normale(r_.stazioni[i].nome)) {
          riga_di_[i] = &x;
          break;
        }
  }

  void tratte() {
    std::optional<std::size_t> prima;
    std::size_t con_orario = 0;
    for (std::size_t i = 0; i < r_.stazioni.size(); ++i) {
      if (!r_.stazioni[i].orario) continue;
      ++con_orario;
      if (prima) tratta_fra(*prima, i);
      prima = i;
    }
    if (con_orario < 2) {
      luogo dove{file_treno_, 0, 0, 0};
      if (!r_.stazioni.empty()) dove = r_.stazioni.front().dove_orario;
      r_.diagnostiche.push_back(diagnostica_di(
          problema::orario_senza_tratte, dove,
          std::to_string(con_orario) + (con_orario == 1 ? " stazione" : " stazioni") +
              " con orario nella descrizione del treno: i tempi di percorrenza si calcolano fra due stazioni con "
              "orario (valori 14, 15 e 16 della voce \"stazione\"; 0, 0, 0 è nessun orario)"));
    }
  }

  void tratta_fra(std::size_t i, std::size_t j) {
    const stazione_treno& da = r_.stazioni[i];
    const stazione_treno& a = r_.stazioni[j];
    tratta t;
    t.da = i;
    t.a = j;
    t.da_metro = da.metro;
    t.a_metro = a.metro;
    const std::string nome = "tratta da " + mostrato(da.nome) + " a " + mostrato(a.nome);

    // The time at the end: the card's arrival there when it gives one.
    int64_t arrivo = *a.orario;
    luogo dove_arrivo = a.dove_orario;
    if (const riga_scheda* x = riga_di_[j]; x && x->arrivo) {
      arrivo = x->arrivo->valore;
      dove_arrivo = x->arrivo->dove;
      t.arrivo_dalla_scheda = true;
    }
    t.tempo_orario = arrivo - *da.orario;
    // The description's own times first: they go backwards whatever the
    // card says; then the card's arrival against the departure.
    const auto indietro = [&](const luogo& dove, const std::string& quale, int64_t ora) {
      r_.diagnostiche.push_back(con_nota(
          diagnostica_di(problema::orario_all_indietro, dove,
                         nome + ": " + quale + mostrato(a.nome) + " alle " + ora_del_giorno(ora) +
                             " viene prima della partenza da " + mostrato(da.nome) + " alle " +
                             ora_del_giorno(*da.orario)),
          da.dove_orario, "l'orario di " + da_windows1252(da.nome)));
    };
    if (*a.orario < *da.orario)
      indietro(a.dove_orario, "", *a.orario);
    else if (*t.tempo_orario < 0)
      indietro(dove_arrivo, "nella scheda l'arrivo a ", arrivo);

    if (t.distanza() > 0) {
      const esito_minimo m = tempo_minimo(r_.limiti_linea, t.da_metro, t.a_metro);
      t.tempo_minimo = m.secondi;
      corsa c = stime_.stima(r_.limiti_treno, e_.compilazione.modello.celle, t.da_metro, t.a_metro,
                             r_.percentuale_massa_frenata, o_.treno, o_.marcia);
      t.tempo_stimato = c.secondi;
      t.marcia = std::move(c.punti);
      if (m.metro_a_zero)
        r_.diagnostiche.push_back(diagnostica_di(
            problema::tratta_non_percorribile, a.dove_metro,
            nome + ": limite di velocità 0 al metro " + std::to_string(*m.metro_a_zero) +
                ", nessun treno può percorrerla; tempi non calcolati"));
      else if (c.metro_fermo)
        r_.diagnostiche.push_back(diagnostica_di(
            problema::tratta_non_percorribile, a.dove_metro,
            nome + ": il treno nominale si ferma al metro " + std::to_string(*c.metro_fermo) +
                " (una salita che non supera o una discesa su cui non frena, o un limite 0 del suo rango); "
                "tempo stimato non calcolato"));
    }
    tempi(t, nome, dove_arrivo);
    r_.tratte.push_back(std::move(t));
  }

  void tempi(const tratta& t, const std::string& nome, const luogo& dove) {
    if (!t.tempo_orario || *t.tempo_orario < 0) return;
    const auto orario = static_cast<double>(*t.tempo_orario);
    const std::string a_orario = nome + " (" + std::to_string(t.distanza()) + " m): " +
                                 std::to_string(*t.tempo_orario) + " s a orario" +
                                 (t.arrivo_dalla_scheda ? " (arrivo dalla scheda)" : "");
    if (t.tempo_minimo && orario < *t.tempo_minimo) {
      r_.diagnostiche.push_back(diagnostica_di(
          problema::orario_impossibile, dove,
          a_orario + ", ma nessun treno la percorre in meno di " + secondi(*t.tempo_minimo) +
              " (ogni metro al suo limite di velocità): mancano " + secondi(*t.tempo_minimo - orario)));
      return;
    }
    if (!t.tempo_stimato) return;
    const double margine = o_.treno.margine_regolarita;
    const double serve = *t.tempo_stimato * (1.0 + margine / cento);
    if (orario >= serve) return;
    char quota[32];
    std::snprintf(quota, sizeof quota, "%.1f %%", (orario - *t.tempo_stimato) / *t.tempo_stimato * cento);
    std::string perche =
        orario < *t.tempo_stimato
            ? ", ma il treno nominale impiega " + secondi(*t.tempo_stimato) + ": arriva " +
                  secondi(*t.tempo_stimato - orario) + " in ritardo"
            : ", il treno nominale impiega " + secondi(*t.tempo_stimato) + ": margine " + quota +
                  ", sotto il margine di regolarità del " + std::to_string(static_cast<int>(std::lround(margine))) +
                  " %";
    r_.diagnostiche.push_back(diagnostica_di(problema::orario_stretto, dove, a_orario + perche));
  }

  void confronta_scheda() {
    const scheda& s = *r_.scheda_letta;
    std::vector<bool> usata(s.righe.size(), false);
    std::optional<std::size_t> ultima;  // the card row of the previous station found
    for (std::size_t i = 0; i < r_.stazioni.size(); ++i) {
      const stazione_treno& st = r_.stazioni[i];
      const riga_scheda* x = riga_di_[i];
      if (x == nullptr) {
        r_.diagnostiche.push_back(diagnostica_di(problema::scheda_stazione_diversa, st.dove_nome,
                                                 "la stazione " + mostrato(st.nome) +
                                                     " della descrizione non è nella scheda treno (" + s.file + ")"));
        continue;
      }
      const auto k = static_cast<std::size_t>(x - s.righe.data());
      usata[k] = true;
      if (ultima && k < *ultima)
        r_.diagnostiche.push_back(
            con_nota(diagnostica_di(problema::scheda_stazione_diversa, x->nome.dove,
                                    mostrato(st.nome) + " viene prima di " + mostrato(s.righe[*ultima].nome.valore) +
                                        " nella scheda, dopo nella descrizione del treno"),
                     st.dove_nome, "la stazione nella descrizione"));
      ultima = k;
      orari(st, *x, i + 1 == r_.stazioni.size());
      if (x->chilometro) {
        const double scarto = x->chilometro->valore * metri_chilometro - static_cast<double>(st.metro);
        if (std::fabs(scarto) > scarto_chilometro) {
          char km[64];
          std::snprintf(km, sizeof km, "km %g", x->chilometro->valore);
          r_.diagnostiche.push_back(con_nota(
              diagnostica_di(problema::scheda_chilometro_diverso, x->chilometro->dove,
                             std::string(km) + " per " + mostrato(st.nome) + " nella scheda, ma la stazione è al metro " +
                                 std::to_string(st.metro) + " della descrizione"),
              st.dove_metro, "la posizione nella descrizione"));
        }
      }
      if (i + 1 < r_.stazioni.size()) velocita(st, r_.stazioni[i + 1], *x);
    }
    for (std::size_t k = 0; k < s.righe.size(); ++k)
      if (!usata[k])
        r_.diagnostiche.push_back(diagnostica_di(problema::scheda_stazione_diversa, s.righe[k].nome.dove,
                                                 "la località " + mostrato(s.righe[k].nome.valore) +
                                                     " della scheda non è fra le stazioni della descrizione del treno"));
  }

  void orari(const stazione_treno& st, const riga_scheda& x, bool ultima) {
    const auto& ora_scheda = ultima ? x.arrivo : (x.partenza ? x.partenza : x.arrivo);
    const auto diversi = [&](std::string motivo, const luogo& dove) {
      r_.diagnostiche.push_back(con_nota(diagnostica_di(problema::scheda_orario_diverso, dove, std::move(motivo)),
                                         st.dove_orario, "l'orario nella descrizione"));
    };
    const std::string di = (ultima ? "arrivo a " : "partenza da ") + mostrato(st.nome);
    if (ora_scheda && st.orario) {
      if (std::llabs(int64_t{ora_scheda->valore} - *st.orario) >= secondi_minuto)
        diversi(di + " alle " + ora_del_giorno(ora_scheda->valore) + " nella scheda, alle " +
                    ora_del_giorno(*st.orario) + " nella descrizione del treno",
                ora_scheda->dove);
    } else if (ora_scheda) {
      diversi(di + " alle " + ora_del_giorno(ora_scheda->valore) +
                  " nella scheda, senza orario nella descrizione del treno (0, 0, 0)",
              ora_scheda->dove);
    } else if (st.orario) {
      diversi(mostrato(st.nome) + (x.transito ? " in transito (\"-\")" : " senza orario") +
                  " nella scheda, alle " + ora_del_giorno(*st.orario) + " nella descrizione del treno",
              x.nome.dove);
    }
  }

  // The card's speeds at a station hold up to the next one: neither may be
  // above the highest limit of the line there.
  void velocita(const stazione_treno& st, const stazione_treno& seguente, const riga_scheda& x) {
    const int64_t n = r_.limiti_linea.metri();
    const int64_t da = std::clamp<int64_t>(st.metro, 0, n), a = std::clamp<int64_t>(seguente.metro, 0, n);
    if (a <= da) return;
    const int32_t massimo = r_.limiti_linea.massimo(da, a);
    for (const auto* v : {&x.velocita_limite, &x.velocita_marcia}) {
      if (!*v || (*v)->valore <= massimo) continue;
      r_.diagnostiche.push_back(diagnostica_di(
          problema::scheda_velocita_oltre_linea, (*v)->dove,
          std::to_string((*v)->valore) + " km/h nella scheda da " + mostrato(st.nome) + " a " +
              mostrato(seguente.nome) + ", ma la linea non supera i " + std::to_string(massimo) + " km/h fra i metri " +
              std::to_string(da) + " e " + std::to_string(a)));
    }
  }

  const esito_verifica& e_;
  const std::string& file_treno_;
  const opzioni_orario& o_;
  risultato_orario r_;
  std::vector<const riga_scheda*> riga_di_;
  stima_corse stime_;
};

}  // namespace

risultato_orario calcola_orario(const esito_verifica& e, const std::string& file_treno,
                                const std::optional<testo_scheda>& scheda_testo, const opzioni_orario& o) {
  return calcolo(e, file_treno, o).esegui(scheda_testo);
}

void aggiungi_a_verifica(esito_verifica& e, const std::vector<diagnostica>& d) {
  for (const diagnostica& x : d) {
    e.errori += x.livello == gravita::errore;
    e.avvisi += x.livello == gravita::avviso;
  }
  e.diagnostiche.insert(e.diagnostiche.end(), d.begin(), d.end());
}

namespace {

// The check's running times are shown as times and margins, never drawn.
verifica_con_orario con_orario(esito_verifica e, const sorgenti& d, const std::optional<testo_scheda>& scheda) {
  verifica_con_orario r{std::move(e), {}};
  opzioni_orario o;
  o.marcia = false;
  r.orario = calcola_orario(r.esito, d.treno.nome, scheda, o);
  aggiungi_a_verifica(r.esito, r.orario.diagnostiche);
  ordina_per_file(r.esito.diagnostiche, d);
  return r;
}

}  // namespace

verifica_con_orario verifica_e_orario(const sorgenti& d, const opzioni_verifica& o,
                                      const std::optional<testo_scheda>& scheda) {
  return con_orario(verifica(d, o), d, scheda);
}

esito_verifica verifica_completa(const sorgenti& d, const opzioni_verifica& o,
                                 const std::optional<testo_scheda>& scheda) {
  return con_orario(verifica(d, o), d, scheda).esito;
}

esito_verifica verifica_completa(const sorgenti& d, const opzioni_verifica& o, risultato_compilazione fedele,
                                 const std::optional<testo_scheda>& scheda) {
  return con_orario(verifica(d, o, std::move(fedele)), d, scheda).esito;
}

std::string decimi(double x) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", x);
  return b;
}

}  // namespace gara::orario
