#include "bersagli_fuzz.h"

#include <string>

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "anteprima/anteprima.h"
#include "anteprima/richieste.h"
#include "anteprima/voci_con_metro.h"
#include "compilazione/compila.h"
#include "verifica/verifica.h"
#include "lettura/lettore_campi.h"
#include "lettura/righe.h"
#include "modello/codici.h"
#include "modello/guasto.h"
#include "modello/stato_compilazione.h"
#include "modello/windows1252.h"
#include "modello/nomi_file.h"
#include "orario/orario.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"
#include "scenario/dati.h"
#include "uscita/formato.h"

namespace gara::fuzz {

namespace {

// Lines as the reader counts them.
int righe_del_testo(std::string_view t) {
  int righe = 1;
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t n = fine_riga_in(t, i);
    righe += n != 0;
    i += n != 0 ? n : 1;
  }
  return righe;
}

// Codes with which the reading stops inside the line half: the train
// description is then never opened and stays where it is.
bool codice_della_sola_linea(int32_t c) {
  switch (c) {
    case codice::lunghezza_eccessiva:
    case codice::ripetizione_inizio_fuori_passo:
    case codice::ripetizione_fine_fuori_passo:
    case codice::ripetizione_senza_codici:
    case codice::cartello_occupato:
    case codice::indicatore_occupato:
    case codice::generale_mancante:
    case codice::curva_errata:
      return true;
    default:
      return false;
  }
}

template <class T>
void errore_spiegato(const decodifica<T>& d, const char* quale) {
  if (!d && d.errore.empty()) throw violazione(std::string(quale) + ": rifiutato senza motivo");
}

void confronta(const std::string& ricodificato, std::string_view byte, const char* quale) {
  if (ricodificato != byte)
    throw violazione(std::string(quale) + ": accettato, ma non si ricodifica negli stessi byte");
}

// Whatever the JSON of a page holds must dump as the server dumps it,
// strictly: text that is not UTF-8 would throw there.
void si_scrive(const nlohmann::ordered_json& j, const char* cosa) {
  try {
    (void)j.dump();
  } catch (const nlohmann::json::exception& e) {
    throw violazione(std::string(cosa) + ": JSON non scrivibile: " + e.what());
  }
}

}  // namespace

void prova_lettore_campi(std::string_view byte) {
  if (byte.empty()) return;
  const auto scelta = static_cast<unsigned char>(byte[0]);
  const std::string testo(byte.substr(1));
  const int righe = righe_del_testo(testo);
  lettore_campi f(testo);

  std::size_t letture = 0;
  int linea = f.linea();
  while (!f.a_fine()) {
    // Every read uses up at least one byte, so a file of n bytes takes at
    // most n reads: anything more is a reader that stopped moving.
    if (++letture > testo.size()) throw violazione("il lettore non avanza");
    try {
      switch ((scelta >> (2 * (letture % 4))) & 3u) {
        case 0:
          if (f.leggi_testo().size() > testo.size()) throw violazione("campo più lungo del file");
          break;
        case 1:
          f.leggi_numero<int32_t>();
          break;
        case 2:
          f.leggi_numero<int16_t>();
          break;
        default:
          f.leggi_numero<uint8_t>();
          break;
      }
    } catch (const guasto&) {
      // A number too wide for its field; the reader has gone past it.
    }
    if (f.linea() < linea || f.linea() > righe) throw violazione("numero di riga fuori dal file");
    linea = f.linea();
  }

  // Reading on from the end is a guasto, whatever the kind of field.
  for (int tipo = 0; tipo < 2; ++tipo) {
    bool guasto_visto = false;
    try {
      if (tipo == 0)
        f.leggi_testo();
      else
        f.leggi_numero<int32_t>();
    } catch (const guasto&) {
      guasto_visto = true;
    }
    if (!guasto_visto) throw violazione("lettura oltre la fine senza guasto");
  }
}

coppia_descrizioni dividi_descrizioni(std::string_view byte) {
  const auto dove = byte.find(separatore_treno);
  if (dove == std::string_view::npos) return {std::string(byte), std::nullopt};
  std::string_view treno = byte.substr(dove + separatore_treno.size());
  if (treno.starts_with("\r\n"))
    treno.remove_prefix(2);
  else if (treno.starts_with("\n"))
    treno.remove_prefix(1);
  return {std::string(byte.substr(0, dove)), std::string(treno)};
}

std::string unisci_descrizioni(std::string_view linea, std::string_view treno) {
  return std::string(linea) + std::string(separatore_treno) + "\r\n" + std::string(treno);
}

namespace {

// The pair as the compile receives it, route "P", train "T".
sorgenti sorgenti_della_coppia(std::string_view byte) {
  const coppia_descrizioni c = dividi_descrizioni(byte);
  sorgenti d;
  d.linea = {"P_linea.txt", c.linea, std::nullopt};
  d.treno.nome = "P_T-.txt";
  d.treno.byte = c.treno;
  return d;
}

}  // namespace

namespace {

std::string descritto(const diagnostica& d);

// Where two models differ, in words; empty when they are the same to the
// bit: the cells, the line table and the track plan the writer encodes.
std::string differenza_di_modello(const modello_compilato& a, const modello_compilato& b) {
  if (a.celle.size() != b.celle.size())
    return std::to_string(a.celle.size()) + " celle contro " + std::to_string(b.celle.size());
  for (std::size_t i = 0; i < a.celle.size(); ++i)
    if (!(a.celle[i] == b.celle[i])) return "cella " + std::to_string(i);
  for (std::size_t i = 0; i < a.tabella_linea.size(); ++i)
    if (!(a.tabella_linea[i] == b.tabella_linea[i])) return "voce " + std::to_string(i) + " della tabella";
  if (a.tracciato.esiste() != b.tracciato.esiste()) return "tracciato presente in una sola";
  if (!a.tracciato.esiste()) return {};
  if (a.tracciato.ultimo_metro() != b.tracciato.ultimo_metro()) return "lunghezza del tracciato";
  for (int asse = 0; asse <= 1; ++asse) {
    const auto x = a.tracciato.posti(asse, 0, int64_t{a.tracciato.ultimo_metro()} + 1);
    const auto y = b.tracciato.posti(asse, 0, int64_t{b.tracciato.ultimo_metro()} + 1);
    if (!std::equal(x.begin(), x.end(), y.begin(), y.end())) return "tracciato, asse " + std::to_string(asse);
  }
  return {};
}

// The checking reading goes its own way only after a problem: where the
// faithful compile ends clean, it must give the very model the package
// writes; where it does not, it must meet the same first error, at the same
// place and metre, and the error that stands must be among its own.
void come_la_lettura_fedele(const sorgenti& d, int32_t j, const risultato_compilazione& f) {
  const risultato_compilazione v = compila(d, {"P", "T", j != 0, modo_lettura::verifica});
  const risultato_compilazione& c = v;
  if (f.codice_errore() == codice::nessuno && f.fermata == arresto::nessuno) {
    if (c.codice_errore() != codice::nessuno || c.fermata != arresto::nessuno)
      throw violazione("la lettura di verifica trova il codice " + std::to_string(c.codice_errore()) +
                       " dove la compilazione nessuno");
    if (const std::string x = differenza_di_modello(f.modello, c.modello); !x.empty())
      throw violazione("la lettura di verifica dà un altro modello: " + x);
  } else {
    // The errors of the format; the reading's own carry no code.
    const auto errore = [](const diagnostica& x) { return x.livello == gravita::errore && x.codice != 0; };
    const auto primo_f = std::find_if(f.diagnostiche.begin(), f.diagnostiche.end(), errore);
    const auto primo_c = std::find_if(c.diagnostiche.begin(), c.diagnostiche.end(), errore);
    if (primo_c == c.diagnostiche.end()) throw violazione("la lettura di verifica non trova errori");
    // The passes after the reading name no entry; the check may.
    if (primo_f != f.diagnostiche.end() &&
        !(primo_f->codice == primo_c->codice && primo_f->metro == primo_c->metro &&
          (!primo_f->dove || primo_f->dove == primo_c->dove)))
      throw violazione("primo errore della verifica " + descritto(*primo_c) + ", della compilazione " +
                       descritto(*primo_f));
  }
}

}  // namespace

void prova_memorizza_dati(std::string_view byte) {
  const sorgenti d = sorgenti_della_coppia(byte);
  const bool con_treno = d.treno.byte.has_value();
  // Anything the compile throws is a fault.
  const risultato_compilazione s = compila(d, {"P", "T", byte.size() % 2 == 0});

  if (significato(s.codice_errore()).empty())
    throw violazione("codice sconosciuto " + std::to_string(s.codice_errore()));
  if (!s.cancella_linea) throw violazione("la descrizione della linea resterebbe");
  const bool resta_treno = con_treno && !s.cancella_treno;
  if (resta_treno != (con_treno && codice_della_sola_linea(s.codice_errore())))
    throw violazione(std::string("descrizione del treno ") + (resta_treno ? "rimasta" : "cancellata") +
                     " con il codice " + std::to_string(s.codice_errore()));
  if (s.codice_errore() != codice::nessuno && s.diagnostiche.empty())
    throw violazione("codice " + std::to_string(s.codice_errore()) + " senza diagnostica");
  come_la_lettura_fedele(d, byte.size() % 2 == 0 ? 1 : 0, s);

  const modello_compilato& m = s.modello;
  if (!m.griglia_esiste()) return;
  std::string byte_uscita;
  byte_uscita.reserve(m.celle.size() * formato::byte_cella);
  for (const voce_linea& v : m.tabella_linea) {
    if (v.testo.size() > testo_massimo) throw violazione("testo troppo lungo nella tabella");
    codifica_voce(byte_uscita, v);
  }
  for (const cella& x : m.celle) codifica_cella(byte_uscita, x);
}

namespace {

std::string descritto(const diagnostica& d) {
  return "codice " + std::to_string(d.codice) + (d.dove ? " in " + d.dove->file + ":" + std::to_string(d.dove->linea) : "");
}

// The same error: code, and the file and line as far as the compile's has them.
bool corrisponde(const diagnostica& controllo, const diagnostica& compilazione) {
  if (controllo.livello != gravita::errore || controllo.codice != compilazione.codice) return false;
  if (!compilazione.dove) return true;
  return controllo.dove && controllo.dove->file == compilazione.dove->file &&
         (compilazione.dove->linea == 0 || controllo.dove->linea == compilazione.dove->linea);
}

}  // namespace

namespace {

// The card that the train half carries after its separator line, taken
// off the train description; the shipped card without one.
orario::testo_scheda stacca_scheda(sorgenti& d) {
  orario::testo_scheda s{"P_T_scheda_treno.txt", dati_scheda()};
  if (!d.treno.byte) return s;
  std::string& t = *d.treno.byte;
  const auto i = t.find(separatore_scheda);
  if (i == std::string::npos) return s;
  const auto dopo = t.find('\n', i);
  s.byte = dopo == std::string::npos ? std::string() : t.substr(dopo + 1);
  t.erase(i);
  return s;
}

void prova_orario(const esito_verifica& e, const sorgenti& d, const orario::testo_scheda& scheda) {
  const orario::risultato_orario r = orario::calcola_orario(e, d.treno.nome, scheda, {});
  for (const diagnostica& x : r.diagnostiche) {
    if (x.motivo.empty() || !x.dove) throw violazione("diagnostica dell'orario senza motivo o luogo: " + descritto(x));
    if (x.dove->file != d.treno.nome && x.dove->file != scheda.nome && x.dove->file != d.linea.nome)
      throw violazione("diagnostica dell'orario in un altro file: " + descritto(x));
  }
  for (const orario::tratta& t : r.tratte) {
    if (t.da >= r.stazioni.size() || t.a >= r.stazioni.size()) throw violazione("tratta fuori dalle stazioni");
    if (t.tempo_minimo && (*t.tempo_minimo < 0 || (t.tempo_stimato && *t.tempo_stimato < *t.tempo_minimo)))
      throw violazione("tratta con tempo stimato sotto il minimo, o minimo negativo");
  }
}

}  // namespace

void prova_verifica(std::string_view byte) {
  sorgenti d = sorgenti_della_coppia(byte);
  const orario::testo_scheda scheda = stacca_scheda(d);
  const esito_verifica e = verifica(d, {"P", "T", byte.size() % 2 == 0});
  const risultato_compilazione& f = e.compilazione;
  come_la_lettura_fedele(d, byte.size() % 2 == 0 ? 1 : 0, f);
  // The preview sends the check to its page as this JSON.
  si_scrive(anteprima::diagnostiche_json(e, d), "diagnostiche");

  int errori = 0, avvisi = 0;
  for (const diagnostica& x : e.diagnostiche) {
    errori += x.livello == gravita::errore;
    avvisi += x.livello == gravita::avviso;
    if (x.motivo.empty()) throw violazione("diagnostica senza motivo: " + descritto(x));
  }
  if (errori != e.errori || avvisi != e.avvisi) throw violazione("conteggi sbagliati");
  if ((f.codice_errore() != codice::nessuno || f.fermata != arresto::nessuno) && e.errori == 0)
    throw violazione("la compilazione ha un errore e la verifica nessuno");

  const auto trovato = [&](const diagnostica& c) {
    return std::any_of(e.diagnostiche.begin(), e.diagnostiche.end(),
                       [&](const diagnostica& x) { return corrisponde(x, c); });
  };
  if (f.codice_errore() != codice::nessuno) {
    const auto ultimo = std::find_if(f.diagnostiche.rbegin(), f.diagnostiche.rend(),
                                     [&](const diagnostica& x) { return x.codice == f.codice_errore(); });
    if (ultimo == f.diagnostiche.rend()) throw violazione("codice della compilazione senza diagnostica");
    if (!trovato(*ultimo)) throw violazione("errore della compilazione assente: " + descritto(*ultimo));
  }
  if (!f.diagnostiche.empty()) {
    const diagnostica& primo = f.diagnostiche.front();
    // The check's own errors of the scenario as a whole carry no code. A
    // stop of the stamp comes after the reading but is put at the entry
    // that took cell 1, which may come first in the report: it counts only
    // when the compile's first problem is that stop.
    const bool primo_arresto = primo.codice >= numero_primo_arresto;
    const auto primo_errore = std::find_if(e.diagnostiche.begin(), e.diagnostiche.end(), [&](const diagnostica& x) {
      return x.livello == gravita::errore && x.codice != codice::nessuno &&
             (primo_arresto || x.codice < numero_primo_arresto);
    });
    if (primo_errore == e.diagnostiche.end() || !corrisponde(*primo_errore, primo))
      throw violazione("il primo problema della compilazione (" + descritto(primo) +
                       ") non è il primo errore con codice della verifica" +
                       (primo_errore == e.diagnostiche.end() ? std::string() : " (" + descritto(*primo_errore) + ")"));
  }
  prova_orario(e, d, scheda);
}

void prova_decodificatori(std::string_view byte) {
  if (const auto celle = decodifica_celle(byte)) {
    std::string r;
    for (const cella& c : *celle.valore) codifica_cella(r, c);
    confronta(r, byte, "celle");
  } else {
    errore_spiegato(celle, "celle");
  }

  if (const auto tabella_letta = decodifica_tabella(byte)) {
    std::string r;
    for (const voce_linea& v : *tabella_letta.valore) codifica_voce(r, v);
    confronta(r, byte, "tabella");
  } else {
    errore_spiegato(tabella_letta, "tabella");
  }

  if (const auto piano = decodifica_tracciato(byte)) {
    const tracciato_metri& t = *piano.valore;
    std::string r;
    for (int asse = 0; asse <= 1; ++asse)
      for (int64_t m = 0; m <= t.ultimo_metro(); ++m) codifica_elemento(r, t, m, asse);
    confronta(r, byte, "tracciato");
    if (!decodifica_tracciato(byte, t.ultimo_metro()))
      throw violazione("tracciato rifiutato con la sua stessa lunghezza");
    if (decodifica_tracciato(byte, t.ultimo_metro() - 1))
      throw violazione("tracciato accettato con una lunghezza diversa");
  } else {
    errore_spiegato(piano, "tracciato");
  }
}

void prova_pacchetto_dati(std::string_view byte) {
  const esito_carico e = leggi_carico(byte);
  if (e.scenario) {
    if (e.difetto != difetto_carico::nessuno) throw violazione("carico accettato con un difetto");
    if (problema_nome_windows(e.scenario->nome_percorso) || problema_nome_windows(e.scenario->nome_treno))
      throw violazione("carico accettato con un'identità non valida");
    // The current format rewrites to the same bytes; an older one reads
    // back the same after it is rewritten in the current one.
    if (e.crc_programma ? scrivi_carico(*e.scenario, *e.crc_programma) != byte
                        : leggi_carico(scrivi_carico(*e.scenario, 0)).scenario != e.scenario)
      throw violazione("carico accettato, ma non si riscrive negli stessi byte");
  } else if (e.difetto == difetto_carico::nessuno || e.motivo.empty()) {
    throw violazione("carico rifiutato senza motivo");
  }

  // The same bytes as a whole package's file.
  const esito_carico p = scenario_del_pacchetto(byte);
  if (!p.scenario && (p.difetto == difetto_carico::nessuno || p.motivo.empty()))
    throw violazione("pacchetto rifiutato senza motivo");
  if (p.scenario && p.difetto != difetto_carico::nessuno) throw violazione("pacchetto accettato con un difetto");
}

namespace {

constexpr int porta_anteprima = 8123;
constexpr std::string_view prefisso_ispezione = "/ispeziona/";
constexpr std::string_view parametro_tolleranza = "?tolleranza=";

// The shipped scenario as the preview shows it, made once: the inspector's
// requests are answered from it.
const anteprima::anteprima& anteprima_spedita() {
  static const anteprima::anteprima a = [] {
    anteprima::anteprima x({percorso_del_pacchetto, treno_del_pacchetto, 1});
    x.aggiorna({{nome_descrizione_linea(percorso_del_pacchetto), dati_linea(), std::nullopt},
                {nome_descrizione_treno(percorso_del_pacchetto, treno_del_pacchetto), dati_treno(),
                 std::nullopt}});
    return x;
  }();
  return a;
}

std::string_view prima_riga(std::string_view& resto) {
  const std::size_t a_capo = resto.find('\n');
  const std::string_view riga = resto.substr(0, a_capo);
  resto.remove_prefix(a_capo == std::string_view::npos ? resto.size() : a_capo + 1);
  return riga;
}

// The target as a server decodes its path once: %XX to its byte.
std::string decodificata(std::string_view t) {
  const auto cifra = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string r;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '%' && i + 2 < t.size() && cifra(t[i + 1]) >= 0 && cifra(t[i + 2]) >= 0) {
      r += static_cast<char>(cifra(t[i + 1]) * 16 + cifra(t[i + 2]));
      i += 2;
    } else {
      r += t[i];
    }
  }
  return r;
}

void prova_ispettore(std::string_view destinazione, const std::vector<anteprima::voce_con_metro>& voci) {
  if (!destinazione.starts_with(prefisso_ispezione)) return;
  destinazione.remove_prefix(prefisso_ispezione.size());
  const std::string_view metro = destinazione.substr(0, destinazione.find('?'));
  std::string_view tolleranza;
  if (const auto q = destinazione.find(parametro_tolleranza); q != std::string_view::npos) {
    tolleranza = destinazione.substr(q + parametro_tolleranza.size());
    tolleranza = tolleranza.substr(0, tolleranza.find('&'));
  }
  const anteprima::anteprima& a = anteprima_spedita();
  if (const auto chiesta = anteprima::leggi_ispezione(metro, tolleranza)) {
    if (chiesta->metro <= -10'000'000'000 || chiesta->metro >= 10'000'000'000 || chiesta->tolleranza < 0 ||
        chiesta->tolleranza >= 1'000'000)
      throw violazione("ispezione letta fuori dalle sue cifre");
    const auto r = a.ispeziona(chiesta->metro, chiesta->tolleranza);
    if (!r) throw violazione("ispezione senza risposta sullo scenario spedito");
    si_scrive(*r, "ispezione");
  }
  // The library's inspector itself, at any number a caller might pass.
  int64_t grezzo = 0;
  const auto [fine, errore] = std::from_chars(metro.data(), metro.data() + metro.size(), grezzo);
  if (errore == std::errc() && fine != metro.data()) {
    // The tolerance as any number too; the metre's own when it is none.
    int64_t tolleranza_grezza = grezzo;
    std::from_chars(tolleranza.data(), tolleranza.data() + tolleranza.size(), tolleranza_grezza);
    if (const auto r = a.ispeziona(grezzo, tolleranza_grezza)) {
      const int64_t cella = (*r)["cella"];
      if (cella < 0) throw violazione("ispezione di una cella negativa");
    }
    (void)anteprima::voci_della_cella(voci, grezzo);
  }
}

}  // namespace

void prova_anteprima(std::string_view byte) {
  std::string_view resto = byte;
  const std::string_view host = prima_riga(resto);
  const std::string_view destinazione = prima_riga(resto);

  const auto rifiuto = anteprima::controlla_richiesta(host, destinazione, porta_anteprima);
  if (rifiuto) {
    if (rifiuto->stato != 400 && rifiuto->stato != 403 && rifiuto->stato != 414)
      throw violazione("rifiuto con lo stato " + std::to_string(rifiuto->stato));
    if (rifiuto->motivo.empty()) throw violazione("rifiuto senza motivo");
  } else {
    const std::string nome = minuscolo_windows1252(host);
    if (nome != "127.0.0.1:" + std::to_string(porta_anteprima) && nome != "localhost:" + std::to_string(porta_anteprima))
      throw violazione("accettato l'Host \"" + std::string(host) + "\"");
    if (!destinazione.starts_with('/')) throw violazione("accettato un indirizzo che non inizia con /");
    const std::string d = decodificata(destinazione);
    if (d.find("..") != std::string::npos || d.find('\\') != std::string::npos ||
        d.find('\0') != std::string::npos || minuscolo_windows1252(destinazione).find("%2f") != std::string::npos)
      throw violazione("accettato un indirizzo che esce dalle pagine dell'anteprima");
    for (const char x : destinazione)
      if (static_cast<unsigned char>(x) < 0x20 || static_cast<unsigned char>(x) >= 0x7f)
        throw violazione("accettato un byte di controllo o non ASCII");
  }

  const sorgenti d = sorgenti_della_coppia(resto);
  const auto voci = anteprima::voci_con_metro(verifica(d, {"P", "T", false}).voci_lette, d);
  for (const auto& v : voci) {
    if (v.linea < 1) throw violazione("voce senza riga");
    si_scrive({{"chiave", v.chiave}, {"testo", v.testo}}, "voce");
  }
  if (!rifiuto) prova_ispettore(destinazione, voci);
}

}  // namespace gara::fuzz
