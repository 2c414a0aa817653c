#include "lettura/lettura_voci.h"

#include <algorithm>
#include <vector>

#include "lettura/griglia.h"
#include "lettura/parole.h"
#include "modello/codici.h"
#include "modello/windows1252.h"

namespace gara {

lettura_voci::lettura_voci(stato_compilazione& s, const std::string& nome, std::string_view byte)
    : s_(s), nome_(nome), f_(byte, nome) {}

void lettura_voci::leggi_riga() {
  linea_precedente_ = f_.campo().linea;
  precedente_riconosciuta_ = riconosciuta_;
  riconosciuta_ = true;
  s_.riga = f_.leggi_testo();
  s_.voce_corrente = f_.campo();
  parola_voce_ = s_.riga;
  campo_posizione_.reset();
  if (s_.verifica()) s_.voci_lette.push_back({f_.campo(), s_.riga, {}, std::nullopt, {}});
}

std::string lettura_voci::testo() {
  std::string t = f_.leggi_testo();
  nota_campo(std::nullopt);
  return t;
}

void lettura_voci::nota_campo(std::optional<int64_t> valore) {
  if (!s_.verifica() || s_.voci_lette.empty()) return;
  s_.voci_lette.back().campi.push_back({f_.campo(), std::string(f_.testo_campo()), valore});
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
  if (s_.verifica() && !s_.voci_lette.empty()) s_.voci_lette.back().metro = p;
  if (!oltre_griglia(s_, p, margine)) {
    const int32_t lunghezza = lunghezza_percorso(s_.tabella_linea);
    if (s_.verifica() && (p < 0 || p > lunghezza))
      avvisa(problema::posizione_fuori_linea, campo_posizione(),
             "posizione " + std::to_string(p) + (p < 0 ? " negativa" : " oltre la fine della linea (" +
                                                           std::to_string(lunghezza) + " m)") +
                 ": la griglia la accetta, ma sulla linea non c'è");
    return false;
  }
  s_.segna_errore_in(codice::oltre_griglia, campo_posizione(), std::string(significato(codice::oltre_griglia)),
                     p);
  return true;
}

void lettura_voci::avvisa(problema p, const luogo& dove, std::string motivo) {
  if (!s_.verifica()) return;
  s_.diagnostiche.push_back(diagnostica_di(p, dove, std::move(motivo)));
}

namespace {

bool intero_semplice(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i)
    if (t[i] < '0' || t[i] > '9') return false;
  return true;
}

}  // namespace

void lettura_voci::controlla_numero(int64_t letto) {
  const std::string_view t = f_.testo_campo();
  if (intero_semplice(t)) return;
  const luogo& dove = f_.campo();
  const std::string testo = da_windows1252(std::string(t.substr(0, 40)));
  const std::string valore = std::to_string(letto);
  if (s_.voce_corrente && dove.linea > s_.voce_corrente->linea && !ha_cifre(t)) {
    // The entry lacks values on its own line and took this field of the
    // next one: the check of the scenario as a whole says so (V205), and
    // what follows on that line is this slip's doing.
    linea_avvisata_ = dove.linea;
    return;
  }
  std::string motivo;
  std::string suggerito = letto == 0 ? "0" : valore;
  std::optional<std::string> corretto;  // what the author plainly meant
  // Letters that look like digits: O for 0, l and I for 1.
  std::string con_cifre(t);
  bool con_o = false;
  for (char& c : con_cifre) {
    if (c == 'O' || c == 'o') {
      c = '0';
      con_o = true;
    } else if (c == 'l' || c == 'I') {
      c = '1';
    }
  }
  if (t.empty()) {
    motivo = "campo numerico vuoto, letto come 0";
  } else if (const auto punto = t.find('.'); punto != std::string_view::npos && t.size() - punto == 4 &&
                                               intero_semplice(t.substr(0, punto)) &&
                                               intero_semplice(t.substr(punto + 1))) {
    motivo = "\"" + testo + "\" è letto come " + valore +
             ": il punto è la virgola dei decimali, non il separatore delle migliaia";
    corretto = std::string(t.substr(0, punto)) + std::string(t.substr(punto + 1));
    suggerito = *corretto + " (le migliaia senza punto)";
  } else if (intero_semplice(con_cifre) && ha_cifre(t)) {
    motivo = "\"" + testo + "\" è letto come " + valore +
             (con_o ? ": la lettera O non è uno zero" : ": la lettera l non è un uno");
    corretto = con_cifre;
    suggerito = con_cifre;
  } else if (!ha_cifre(t)) {
    motivo = "campo numerico senza cifre (\"" + testo + "\"), letto come 0";
  } else {
    motivo = "campo numerico \"" + testo + "\" che non è un intero: il compilatore legge " + valore;
  }
  avvisa(problema::numero_non_intero, dove, motivo + "; qui va un numero intero, per esempio " + suggerito);
  if (corretto && s_.verifica()) {
    luogo campo = dove;
    campo.lunghezza = static_cast<int>(t.size());
    s_.diagnostiche.back().correzione = sostituzione{campo, *corretto};
  }
}

void lettura_voci::controlla_migliaia() {
  const std::string_view t = f_.testo_campo();
  if (t.empty() || t.size() > 3 || t.find_first_not_of("0123456789") != std::string_view::npos) return;
  const std::string_view dopo = f_.dopo_il_campo();
  const auto spazio = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t i = 0;
  while (i < dopo.size() && spazio(dopo[i])) ++i;
  if (i == 0) return;
  std::size_t j = i;
  while (j < dopo.size() && dopo[j] >= '0' && dopo[j] <= '9') ++j;
  if (j - i != 3) return;
  std::size_t k = j;
  while (k < dopo.size() && spazio(dopo[k])) ++k;
  if (k == dopo.size() || dopo[k] != ',') return;  // numbers apart by blanks alone are the line's way
  luogo dove = f_.campo();
  dove.lunghezza = static_cast<int>(t.size() + j);
  const std::string gruppo(dopo.substr(i, 3));
  avvisa(problema::migliaia_con_spazio, dove,
         "\"" + std::string(t) + " " + gruppo + "\" sono due valori, " + std::string(t) + " e " + gruppo +
             ": lo spazio separa i valori come la virgola, e quelli che seguono slittano di un posto; le migliaia "
             "si scrivono senza spazi (" + std::string(t) + gruppo + ")");
  if (s_.verifica()) s_.diagnostiche.back().correzione = sostituzione{dove, std::string(t) + gruppo};
}

void lettura_voci::valori_non_letti() {
  if (s_.voce_corrente) linea_avvisata_ = s_.voce_corrente->linea;
}

void lettura_voci::voce_sconosciuta(std::initializer_list<std::string_view> note) {
  riconosciuta_ = false;
  if (!s_.verifica() || !s_.voce_corrente) return;
  const std::string& r = s_.riga;
  const auto primo = r.find_first_not_of(" \t");
  if (primo == std::string::npos || r[primo] == '[') return;
  const luogo& dove = *s_.voce_corrente;
  if (dove.linea == linea_avvisata_) return;
  linea_avvisata_ = dove.linea;
  const std::string testo = da_windows1252(r.substr(0, 60));
  if (dove.linea == linea_precedente_ && precedente_riconosciuta_) {
    // "2,5": the value before ends just before this one's comma.
    const campo_letto* prima = nullptr;
    if (s_.voci_lette.size() >= 2 && !s_.voci_lette[s_.voci_lette.size() - 2].campi.empty())
      prima = &s_.voci_lette[s_.voci_lette.size() - 2].campi.back();
    if (prima && prima->valore && prima->dove.linea == dove.linea &&
        prima->dove.colonna + prima->dove.lunghezza + 1 == dove.colonna && intero_semplice(r)) {
      avvisa(problema::valore_in_piu, dove,
             "valore in più (\"" + testo + "\"): \"" + da_windows1252(prima->testo) + "," + testo +
                 "\" sono due valori, perché la virgola li separa; i decimali si scrivono con il punto (" +
                 da_windows1252(prima->testo) + "." + testo + "), e qui va comunque un numero intero");
      // Writing the whole number the compiler reads keeps the scenario as
      // it compiles today and takes the stray decimals away.
      luogo numero = prima->dove;
      numero.lunghezza = dove.colonna + dove.lunghezza - prima->dove.colonna;
      s_.diagnostiche.back().correzione = sostituzione{numero, std::to_string(*prima->valore)};
      return;
    }
    avvisa(problema::valore_in_piu, dove, "valore in più (\"" + testo + "\") dopo la voce della stessa riga: il compilatore lo salta");
    return;
  }
  const std::string campo = minuscolo_windows1252(r.substr(primo));
  for (std::string_view nota : note) {
    const std::size_t d = distanza(campo.substr(0, nota.size() + 2), nota);
    const std::size_t d_esatta = distanza(campo.substr(0, nota.size()), nota);
    if (std::min(d, d_esatta) <= 2 && nota.size() >= 5) {
      avvisa(problema::parola_chiave_storpiata, dove, "\"" + testo + "\" somiglia alla parola chiave \"" + std::string(nota) +
                               "\" ma non lo è: il compilatore salta la riga");
      return;
    }
  }
  avvisa(problema::riga_sconosciuta, dove, "riga che nessuna parola chiave riconosce (\"" + testo + "\"): il compilatore la salta");
}

void lettura_voci::controlla_crescente(int32_t p, int32_t& precedente, std::string_view che_cosa) {
  if (s_.verifica() && p < precedente)
    avvisa(problema::posizione_indietro, campo_posizione(),
           std::string(che_cosa) + " al metro " + std::to_string(p) + " dopo una al metro " +
               std::to_string(precedente) + ": le posizioni vanno in ordine crescente, e questa non cambia nulla");
  precedente = std::max(precedente, p);
}

void lettura_voci::segna_guasto(const std::string& motivo) {
  if (motivo == motivo_senza_griglia) {
    // Every positioned entry fails alike without a grid: once is enough.
    if (senza_griglia_segnalata_ && s_.verifica()) {
      s_.riafferma_errore(codice::guasto_lettura);
      return;
    }
    senza_griglia_segnalata_ = true;
  }
  const std::optional<luogo> dove = campo_guasto_ ? campo_guasto_ : s_.voce_corrente;
  std::string testo = motivo;
  if (campo_guasto_) testo += ", nel campo \"" + da_windows1252(testo_guasto_) + "\"";
  if (s_.voce_corrente) {
    constexpr std::size_t mostrata = 60;  // a keyword field can be a whole long line
    testo += " della voce \"" + da_windows1252(std::string(parola_mostrata(parola_voce_).substr(0, mostrata))) + "\"";
  }
  campo_guasto_.reset();
  s_.segna_errore_in(codice::guasto_lettura, dove,
                     std::string(significato(codice::guasto_lettura)) + ": " + testo);
}

}  // namespace gara
