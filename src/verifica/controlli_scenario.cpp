#include "verifica/controlli_scenario.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "lettura/descrizione_linea.h"
#include "lettura/descrizione_treno.h"
#include "lettura/parole.h"
#include "lettura/righe.h"
#include "modello/catalogo.h"
#include "modello/misure.h"
#include "modello/windows1252.h"

namespace gara {

namespace {

constexpr std::string_view sezione_generale = "[generale]";

std::string_view senza_spazi(std::string_view t) {
  const auto primo = t.find_first_not_of(" \t");
  if (primo == std::string_view::npos) return {};
  return t.substr(primo, t.find_last_not_of(" \t") - primo + 1);
}

bool solo_cifre(std::string_view t) {
  t = senza_spazi(t);
  return !t.empty() && t.find_first_not_of("+-0123456789") == std::string_view::npos && ha_cifre(t);
}

// A name that is a whole keyword of the train description, as its lines
// begin ("stazione", "Segnale"): the next line's keyword taken for the
// name. A name that only holds one ("STAZIONE CENTRALE") is a name.
bool e_parola_chiave(std::string_view t) {
  static constexpr std::array<std::string_view, 11> parole = {
      "numero vetture", "percentuale massa frenata", "sabbia",  "orologio",     "aderenza", "velocita",
      "velocit\xE0",    "stazione",                  "segnale", "rallentamento", "abbattimento"};
  const std::string nome = minuscolo_windows1252(senza_spazi(t));
  return std::find(parole.begin(), parole.end(), nome) != parole.end();
}

// Values of a station entry, from 1: the time of day, and the name.
constexpr std::size_t valori_stazione = 17;
constexpr std::size_t campo_ore = 13, campo_nome = 16;  // minutes and seconds follow the hours

diagnostica errore(problema p, luogo dove, std::string motivo) {
  return diagnostica_di(p, std::move(dove), std::move(motivo));
}

std::string mostrato(std::string_view byte) { return "\"" + da_windows1252(std::string(byte.substr(0, 40))) + "\""; }

// Where line `linea` of a description ends: the place just after its last
// byte, for a problem of what the line lacks.
luogo fine_della_riga(const descrizione& d, int linea) {
  luogo l{d.nome, linea, 1, 0};
  if (d.byte)
    if (const auto riga = riga_di(*d.byte, linea)) l.colonna = static_cast<int>(riga->size()) + 1;
  return l;
}

class controllo {
 public:
  controllo(const sorgenti& d, const registro_voci& lette, const risultato_compilazione& fedele)
      : d_(d), lette_(lette), fedele_(fedele) {}

  problemi_scenario esegui() {
    if (d_.linea.byte) {
      bool dopo_generale = false;
      for (const voce_letta& v : lette_) {
        if (v.chiave.file != d_.linea.nome) continue;
        if (dopo_generale) valori_mancanti(v, d_.linea, parola_chiave_della_linea);
        dopo_generale = dopo_generale || contiene_senza_maiuscole(v.parola, sezione_generale);
      }
    }
    if (!d_.treno.byte) return std::move(p_);  // a missing file is the compile's own error
    const voce_letta* generale = nullptr;
    for (const voce_letta& v : lette_)
      if (del_treno(v) && contiene_senza_maiuscole(v.parola, sezione_generale)) {
        generale = &v;
        break;
      }
    if (generale == nullptr) {
      descrizione_non_letta();
      return std::move(p_);
    }
    std::vector<const voce_letta*> stazioni, velocita;
    for (const voce_letta& v : lette_) {
      if (!del_treno(v) || v.chiave.linea < generale->chiave.linea) continue;
      if (contiene_senza_maiuscole(v.parola, "stazione")) stazioni.push_back(&v);
      if (contiene_senza_maiuscole(v.parola, "velocit")) velocita.push_back(&v);
      valori_mancanti(v, d_.treno, parola_chiave_del_treno);
      if (contiene_senza_maiuscole(v.parola, "orologio")) orario(v, 0, "dell'orologio");
    }
    if (stazioni.empty())
      p_.diagnostiche.push_back(errore(problema::treno_senza_stazioni, {d_.treno.nome},
                                       "nessuna stazione nella descrizione del treno: il treno non ha orario né "
                                       "fermate (le voci \"stazione, ...\" vanno dopo \"[generale]\")"));
    controlla_stazioni(stazioni);
    if (velocita.empty())
      p_.diagnostiche.push_back(errore(problema::treno_senza_velocita, {d_.treno.nome},
                                       "nessuna velocità nella descrizione del treno: ogni cella della linea resta "
                                       "a 0 km/h (le voci \"velocita, metro, km/h\" vanno dopo \"[generale]\")"));
    else
      velocita_a_zero(velocita);
    return std::move(p_);
  }

 private:
  bool del_treno(const voce_letta& v) const { return v.chiave.file == d_.treno.nome; }

  void descrizione_non_letta() {
    const bool vuota = senza_spazi(*d_.treno.byte).find_first_not_of("\r\n") == std::string_view::npos;
    p_.diagnostiche.push_back(errore(
        problema::treno_non_letto, {d_.treno.nome},
        vuota ? std::string("la descrizione del treno è vuota: lo scenario non avrebbe stazioni, velocità né segnali")
              : std::string("nella descrizione del treno manca la riga \"[generale]\": il compilatore salta tutto "
                            "ciò che la precede, cioè l'intero file (la prima riga deve essere \"[generale]\")")));
  }

  // An entry whose values run on to a later line is legal, but when what it
  // took there is a keyword, or text where a number goes, a value was left
  // out of its own line: the entry took the next line's keyword as its last
  // value, and that line's entry is lost.
  void valori_mancanti(const voce_letta& v, const descrizione& file, bool (*parola_chiave)(std::string_view)) {
    const auto altra_riga = std::find_if(v.campi.begin(), v.campi.end(),
                                         [&](const campo_letto& c) { return c.dove.linea > v.chiave.linea; });
    if (altra_riga == v.campi.end()) return;
    const bool inghiottita = std::any_of(altra_riga, v.campi.end(), [&](const campo_letto& c) {
      return c.valore ? !ha_cifre(c.testo) : parola_chiave(c.testo);
    });
    if (!inghiottita) return;
    const auto mancanti = static_cast<int>(v.campi.end() - altra_riga);
    // A line written with semicolons is one text field: its keyword.
    const bool punti_e_virgola = v.parola.find(';') != std::string::npos;
    diagnostica e = errore(
        problema::valori_mancanti, fine_della_riga(file, v.chiave.linea),
        std::string(punti_e_virgola ? "la riga separa i valori con \";\", che il compilatore non riconosce: "
                                      "ci vogliono le virgole, e così "
                                    : "") +
        (mancanti == 1 ? std::string("manca 1 valore") : "mancano " + std::to_string(mancanti) + " valori") +
            " alla voce " + mostrato(parola_mostrata(v.parola)) + " della riga " + std::to_string(v.chiave.linea) +
            ": il compilatore " + (mancanti == 1 ? "lo" : "li") + " prende dalla riga " +
            std::to_string(altra_riga->dove.linea) +
            ", e la voce di quella riga va persa");
    e.prima = altra_riga->dove;
    e.nota = "qui il valore " + mostrato(altra_riga->testo) + " preso dalla voce della riga " +
             std::to_string(v.chiave.linea);
    p_.diagnostiche.push_back(std::move(e));
    mancanti_.push_back(&v);
    for (auto c = altra_riga; c != v.campi.end(); ++c) p_.spiegati.push_back({c->dove.file, c->dove.linea, 0, 0});
    // A text read as a number on the entry's own line was the value that
    // moved one place on: its warning says less than this one.
    for (auto c = v.campi.begin(); c != altra_riga; ++c)
      if (c->valore && !ha_cifre(c->testo)) p_.spiegati.push_back(c->dove);
  }

  void controlla_stazioni(const std::vector<const voce_letta*>& stazioni) {
    const voce_letta* precedente = nullptr;
    for (const voce_letta* s : stazioni) {
      const bool mancante = std::find(mancanti_.begin(), mancanti_.end(), s) != mancanti_.end();
      if (!mancante && s->campi.size() >= valori_stazione) {
        const campo_letto& nome = s->campi[campo_nome];
        if (e_parola_chiave(nome.testo) || solo_cifre(nome.testo))
          p_.diagnostiche.push_back(errore(
              problema::nome_stazione_sbagliato, nome.dove,
              "la stazione si chiama " + mostrato(senza_spazi(nome.testo)) + ", che è " +
                  (solo_cifre(nome.testo) ? "un numero" : "una parola chiave") +
                  ": il nome è il diciassettesimo valore, dopo l'orario; manca o è di troppo un valore prima"));
        orario(*s, campo_ore, "della stazione");
      }
      if (precedente && s->metro && precedente->metro && *s->metro < *precedente->metro) {
        diagnostica e = errore(problema::stazioni_fuori_ordine, s->chiave,
                               "stazioni fuori ordine: " + nome_di(*s) + " (al metro " + std::to_string(*s->metro) +
                                   ") viene dopo " + nome_di(*precedente) + " (al metro " +
                                   std::to_string(*precedente->metro) +
                                   "); le stazioni vanno scritte in ordine di posizione crescente");
        e.prima = precedente->chiave;
        e.nota = "la stazione precedente, " + nome_di(*precedente);
        p_.diagnostiche.push_back(std::move(e));
      }
      if (s->metro) precedente = s;
    }
  }

  static std::string nome_di(const voce_letta& s) {
    return s.campi.size() > campo_nome ? mostrato(senza_spazi(s.campi[campo_nome].testo)) : "la stazione";
  }

  // Hours, minutes and seconds from field `primo` of the entry on.
  void orario(const voce_letta& v, std::size_t primo, std::string_view di_che) {
    if (v.campi.size() < primo + 3) return;
    struct parte {
      const char* nome;
      int64_t massimo;
    };
    const std::array<parte, 3> parti{{{"le ore", 23}, {"i minuti", 59}, {"i secondi", 59}}};
    for (std::size_t k = 0; k < parti.size(); ++k) {
      const campo_letto& c = v.campi[primo + k];
      if (!c.valore || (*c.valore >= 0 && *c.valore <= parti[k].massimo)) continue;
      p_.diagnostiche.push_back(errore(problema::orario_fuori_limiti, c.dove,
                                       "orario " + std::string(di_che) + " fuori dai limiti: " + parti[k].nome +
                                           " vanno da 0 a " + std::to_string(parti[k].massimo) + ", qui " +
                                           std::to_string(*c.valore)));
    }
  }

  // The cells of the line, from its start to its end, whose speed limit is
  // 0: the train cannot run there. Looked at only where the compile ran to
  // its end, since a reading that stopped wrote no speed tail.
  void velocita_a_zero(const std::vector<const voce_letta*>& velocita) {
    const modello_compilato& m = fedele_.modello;
    if (fedele_.codice_errore() != 0 || fedele_.fermata != arresto::nessuno || !m.griglia_esiste()) return;
    const int64_t lunghezza = lunghezza_percorso(m.tabella_linea);
    const int64_t ultima = std::min<int64_t>(lunghezza / misura::metri_cella, static_cast<int64_t>(m.celle.size()) - 1);
    int64_t da = -1;
    for (int64_t i = 0; i <= ultima + 1; ++i) {
      const bool zero = i <= ultima && m.celle[static_cast<std::size_t>(i)].velocita == 0;
      if (zero && da < 0) da = i;
      if (zero || da < 0) continue;
      const int64_t inizio = da * misura::metri_cella;
      const int64_t fine = std::min(i * misura::metri_cella, lunghezza);
      // The entry in force there: the last one before the stretch, or none.
      const voce_letta* in_vigore = nullptr;
      for (const voce_letta* v : velocita)
        if (v->metro && *v->metro <= inizio) in_vigore = v;
      if (in_vigore == nullptr)
        p_.diagnostiche.push_back(errore(
            problema::velocita_zero, velocita.front()->chiave,
            "velocità 0 dal metro " + std::to_string(inizio) + " al metro " + std::to_string(fine) +
                ": ogni voce \"velocita\" vale dal suo metro in poi, e prima della prima la linea resta a 0 km/h; "
                "il treno non può percorrere quel tratto (la prima voce va al metro 0)"));
      else
        p_.diagnostiche.push_back(errore(problema::velocita_zero, in_vigore->chiave,
                                         "velocità 0 dal metro " + std::to_string(inizio) + " al metro " +
                                             std::to_string(fine) +
                                             ": il treno non può percorrere quel tratto (la velocità di questa voce "
                                             "vale 0 nelle celle, che la tengono in multipli di 5 km/h)"));
      da = -1;
    }
  }

  const sorgenti& d_;
  const registro_voci& lette_;
  const risultato_compilazione& fedele_;
  problemi_scenario p_;
  std::vector<const voce_letta*> mancanti_;
};

bool spiegato(const diagnostica& x, const std::vector<luogo>& spiegati) {
  if (x.livello != gravita::avviso || !x.dove) return false;
  return std::any_of(spiegati.begin(), spiegati.end(), [&](const luogo& l) {
    return l.file == x.dove->file && l.linea == x.dove->linea && (l.colonna == 0 || l.colonna == x.dove->colonna);
  });
}

}  // namespace

problemi_scenario problemi_dello_scenario(const sorgenti& d, const registro_voci& lette,
                                          const risultato_compilazione& fedele) {
  return controllo(d, lette, fedele).esegui();
}

std::vector<diagnostica> unisci_problemi_dello_scenario(std::vector<diagnostica> tutte, problemi_scenario p) {
  std::erase_if(tutte, [&](const diagnostica& x) { return spiegato(x, p.spiegati); });
  for (diagnostica& n : p.diagnostiche) {
    const luogo& l = *n.dove;
    const auto dopo = std::find_if(tutte.begin(), tutte.end(), [&](const diagnostica& x) {
      return x.dove && x.dove->file == l.file && (l.linea == 0 || x.dove->linea >= l.linea);
    });
    tutte.insert(dopo, std::move(n));
  }
  return tutte;
}

}  // namespace gara
