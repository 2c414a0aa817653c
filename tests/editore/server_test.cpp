#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "aiuti_prove.h"
#include "editore/servizio.h"
#include "editore/testo.h"
#include "editore/uri.h"
#include "orario/orario.h"
#include "file/file.h"
#include "modello/catalogo.h"
#include "modello/windows1252.h"
#include "protocollo/cornice.h"
#include "resoconto/diagnostiche.h"
#include "scenario/dati.h"
#include "verifica/verifica.h"

namespace gara {
namespace {

using nlohmann::json;

// A client's side of a whole exchange: the messages it sends, framed into
// one stream, and what the server wrote back, read message by message.
struct sessione {
  std::string ingresso;
  int prossimo_id = 1;

  sessione& grezzo(const std::string& byte) {
    ingresso += byte;
    return *this;
  }
  sessione& invia(const json& m) {
    std::ostringstream s;
    protocollo::scrivi_messaggio(s, m);
    ingresso += s.str();
    return *this;
  }
  sessione& richiesta(const std::string& metodo, json parametri = json::object()) {
    return invia({{"jsonrpc", "2.0"}, {"id", prossimo_id++}, {"method", metodo}, {"params", parametri}});
  }
  sessione& notifica(const std::string& metodo, json parametri = json::object()) {
    return invia({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", parametri}});
  }
  sessione& inizializza(json capacita = json::object()) {
    return richiesta("initialize", {{"processId", nullptr}, {"rootUri", nullptr}, {"capabilities", capacita}})
        .notifica("initialized");
  }
  sessione& fine() { return richiesta("shutdown").notifica("exit"); }

  struct esito {
    int stato = -1;
    std::vector<json> ricevuti;
    const json* risposta(int id) const {
      for (const json& m : ricevuti)
        if (m.contains("id") && m["id"] == id) return &m;
      return nullptr;
    }
    std::vector<json> con_metodo(const std::string& metodo) const {
      std::vector<json> r;
      for (const json& m : ricevuti)
        if (m.value("method", "") == metodo) r.push_back(m);
      return r;
    }
  };
  esito esegui() const {
    std::istringstream in(ingresso);
    std::stringstream out;
    esito e;
    e.stato = editore::servi(in, out);
    while (true) {
      const auto m = protocollo::leggi_messaggio(out);
      if (m.tipo != protocollo::messaggio_letto::esito::corpo) break;
      e.ricevuti.push_back(json::parse(m.corpo));
    }
    return e;
  }
};

int codice_errore(const json* risposta) {
  return risposta != nullptr && risposta->contains("error") ? (*risposta)["error"]["code"].get<int>() : 0;
}

TEST(ServerLsp, CicloDiVitaEIngressiSbagliati) {
  sessione s;
  s.richiesta("textDocument/hover")                                          // 1: before initialize
      .inizializza({{"general", {{"positionEncodings", {"utf-8", "utf-16"}}}}})  // 2
      .richiesta("initialize")                                               // 3: twice
      .richiesta("metodo/inesistente")                                       // 4
      .grezzo("Content-Length: 5\r\n\r\n{nope")                              // not JSON
      .grezzo("Content-Length: zero\r\n\r\n")                                // bad header
      .invia({{"jsonrpc", "2.0"}, {"id", 50}})                               // no method
      .invia({{"jsonrpc", "1.0"}, {"id", 60}, {"method", "shutdown"}})       // wrong version
      .invia(json::array({1, 2}))                                            // a batch
      .notifica("$/cancelRequest", {{"id", 1}})                              // ignored
      .richiesta("shutdown")                                                 // 5
      .richiesta("shutdown")                                                 // 6: after shutdown
      .notifica("exit");
  const auto e = s.esegui();
  EXPECT_EQ(e.stato, 0);
  for (int id : {1, 2, 3, 4, 5, 6, 50, 60}) ASSERT_NE(e.risposta(id), nullptr) << id;
  EXPECT_EQ(codice_errore(e.risposta(1)), -32002);
  ASSERT_NE(e.risposta(2), nullptr);
  EXPECT_EQ((*e.risposta(2))["result"]["capabilities"]["positionEncoding"], "utf-8");
  EXPECT_EQ(codice_errore(e.risposta(3)), -32602);
  EXPECT_EQ(codice_errore(e.risposta(4)), -32601);
  EXPECT_EQ(codice_errore(e.risposta(50)), -32600);
  EXPECT_EQ(codice_errore(e.risposta(60)), -32600);
  EXPECT_EQ((*e.risposta(5))["result"], nullptr);
  EXPECT_EQ(codice_errore(e.risposta(6)), -32600);
  // The unreadable ones are answered with id null: not JSON, bad header, the batch.
  std::vector<int> senza_id;
  for (const json& m : e.ricevuti)
    if (m.contains("id") && m["id"].is_null()) senza_id.push_back(m["error"]["code"].get<int>());
  EXPECT_EQ(senza_id, (std::vector<int>{-32700, -32700, -32600}));
}

TEST(ServerLsp, UscitaSenzaShutdownEFlussoInterrotto) {
  sessione senza;
  senza.inizializza().notifica("exit");
  EXPECT_EQ(senza.esegui().stato, 1);
  EXPECT_EQ(sessione{}.grezzo("Content-Length: 100\r\n\r\n{").esegui().stato, 1);
  // A body announced beyond the limit is refused without being kept.
  sessione enorme;
  enorme.inizializza().grezzo("Content-Length: 1000000000000\r\n\r\n{}");
  const auto e = enorme.esegui();
  EXPECT_EQ(e.stato, 1);
  ASSERT_EQ(e.ricevuti.size(), 2u);
  EXPECT_EQ(codice_errore(&e.ricevuti.back()), -32600);
  // The default encoding is UTF-16.
  EXPECT_EQ((*e.risposta(1))["result"]["capabilities"]["positionEncoding"], "utf-16");
}

// The shipped scenario in a folder whose name has a space and an accent.
struct cartella_scenario {
  prova::cartella_temporanea base;
  std::filesystem::path cartella = base.percorso() / std::filesystem::path(u8"prova città");
  std::string linea_byte = dati_linea();
  std::string treno_byte = dati_treno();

  cartella_scenario() {
    std::filesystem::create_directories(cartella);
    prova::scrivi_file(cartella / nome_linea(), linea_byte);
    prova::scrivi_file(cartella / nome_treno(), treno_byte);
  }
  static std::string nome_linea() { return std::string(percorso_del_pacchetto) + "_linea.txt"; }
  static std::string nome_treno() {
    return std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto + "-.txt";
  }
  std::string percorso(const std::string& nome) const {
    const auto u8 = (cartella / nome).generic_u8string();
    return {u8.begin(), u8.end()};
  }
  std::string uri(const std::string& nome) const { return editore::uri_da_percorso(percorso(nome)); }
  json apri(const std::string& nome, const std::string& byte, int versione = 1) const {
    return {{"textDocument", {{"uri", uri(nome)}, {"languageId", "plaintext"}, {"version", versione},
                              {"text", da_windows1252(byte)}}}};
  }
};

// The last diagnostics published for a URI.
json ultime(const sessione::esito& e, const std::string& uri) {
  json r;
  for (const json& m : e.con_metodo("textDocument/publishDiagnostics"))
    if (m["params"]["uri"] == uri) r = m["params"];
  return r;
}

// The check's own diagnostics of a file, as (code, line from 0, message).
std::vector<std::tuple<std::string, int, std::string>> della_verifica(const esito_verifica& v, const std::string& file) {
  std::vector<std::tuple<std::string, int, std::string>> r;
  for (const diagnostica& d : v.diagnostiche)
    if (d.dove && d.dove->file == file) r.emplace_back(identificativo(d), d.dove->linea - 1, messaggio(d));
  return r;
}
std::vector<std::tuple<std::string, int, std::string>> pubblicate(const json& p) {
  std::vector<std::tuple<std::string, int, std::string>> r;
  for (const json& d : p["diagnostics"])
    r.emplace_back(d["code"], d["range"]["start"]["line"], d["message"]);
  return r;
}

TEST(ServerLsp, LeDiagnosticheSonoQuelleDellaVerificaPerEntrambiIFile) {
  cartella_scenario c;
  // A letter O for a zero in the train's first station, typed in the
  // editor and not saved: the check must see the buffer.
  std::string treno = c.treno_byte;
  const auto stazione = treno.find("stazione,");
  ASSERT_NE(stazione, std::string::npos);
  const auto zero = treno.find('0', stazione);
  std::string rotto = treno;
  rotto[zero] = 'O';

  sessione s;
  s.inizializza()
      .notifica("textDocument/didOpen", c.apri(c.nome_linea(), c.linea_byte))
      .richiesta("shutdown")  // 2: a request sees the checks done
      .notifica("exit");
  const auto pulito = s.esegui();
  const json linea_pulita = ultime(pulito, c.uri(c.nome_linea()));
  const json treno_pulito = ultime(pulito, c.uri(c.nome_treno()));
  ASSERT_FALSE(linea_pulita.is_null());
  ASSERT_FALSE(treno_pulito.is_null());
  EXPECT_EQ(linea_pulita["version"], 1);
  for (const json* p : {&linea_pulita, &treno_pulito})
    for (const json& d : (*p)["diagnostics"]) EXPECT_NE(d["severity"], 1) << d.dump();

  // The same through an incremental change of the open train file.
  const auto riga = static_cast<std::size_t>(std::count(treno.begin(), treno.begin() + static_cast<long>(zero), '\n'));
  const auto colonna = zero - (treno.rfind('\n', zero) + 1);
  sessione m;
  m.inizializza()
      .notifica("textDocument/didOpen", c.apri(c.nome_treno(), treno))
      .notifica("textDocument/didChange",
                {{"textDocument", {{"uri", c.uri(c.nome_treno())}, {"version", 2}}},
                 {"contentChanges", {{{"range", {{"start", {{"line", riga}, {"character", colonna}}},
                                                 {"end", {{"line", riga}, {"character", colonna + 1}}}}},
                                      {"text", "O"}}}}})
      .fine();
  const auto cambiato = m.esegui();
  sorgenti d;
  d.linea = {cartella_scenario::nome_linea(), c.linea_byte, std::nullopt};
  d.treno = {cartella_scenario::nome_treno(), rotto, std::nullopt};
  const esito_verifica atteso =
      orario::verifica_completa(d, {percorso_del_pacchetto, treno_del_pacchetto, true}, std::nullopt);
  ASSERT_GT(atteso.errori + atteso.avvisi, 0);
  const json treno_rotto = ultime(cambiato, c.uri(c.nome_treno()));
  EXPECT_EQ(treno_rotto["version"], 2);
  EXPECT_EQ(pubblicate(treno_rotto), della_verifica(atteso, cartella_scenario::nome_treno()));
  EXPECT_EQ(pubblicate(ultime(cambiato, c.uri(c.nome_linea()))), della_verifica(atteso, cartella_scenario::nome_linea()));
  // Checked once, on the newest text, not once per change.
  int volte = 0;
  for (const json& p : cambiato.con_metodo("textDocument/publishDiagnostics"))
    if (p["params"]["uri"] == c.uri(c.nome_treno())) ++volte;
  EXPECT_EQ(volte, 1);
  // Every diagnostic has the protocol's fields.
  for (const json& x : treno_rotto["diagnostics"]) {
    EXPECT_EQ(x["source"], "scenario");
    EXPECT_TRUE(x["range"]["start"]["character"].is_number());
    EXPECT_EQ(x["data"]["identificativo"], x["code"]);
  }
}


// The timetable card beside the descriptions is part of the check, as for
// `verifica`: its warnings are published for the card itself, each
// pointing at the description's entry it disagrees with.
TEST(ServerLsp, LaSchedaTrenoAccantoEParteDellaVerifica) {
  cartella_scenario c;
  const std::string nome_scheda = std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto + "_scheda_treno.txt";
  prova::scrivi_file(c.cartella / nome_scheda, dati_scheda());
  sessione s;
  s.inizializza().notifica("textDocument/didOpen", c.apri(c.nome_treno(), c.treno_byte)).fine();
  const auto esito = s.esegui();
  const json scheda = ultime(esito, c.uri(nome_scheda));
  ASSERT_FALSE(scheda.is_null());
  // The card's kilometre 12 for CAGIONI, at metre 9000 in the description:
  // on the card's line 18, pointing at the description's station.
  bool chilometro = false;
  for (const json& d : scheda["diagnostics"]) {
    if (d["code"] != "V228") continue;
    chilometro = true;
    EXPECT_EQ(d["range"]["start"]["line"], 17) << d.dump();
    ASSERT_TRUE(d.contains("relatedInformation")) << d.dump();
    EXPECT_EQ(d["relatedInformation"][0]["location"]["uri"], c.uri(c.nome_treno()));
    break;
  }
  EXPECT_TRUE(chilometro) << scheda.dump();
}
TEST(ServerLsp, IlBufferApertoPrevaleSulDiscoEIlNonSalvabileESegnalato) {
  cartella_scenario c;
  std::filesystem::remove(c.cartella / cartella_scenario::nome_linea());
  // The train's last line gets an emoji: two UTF-16 units, one character.
  std::string treno = da_windows1252(c.treno_byte);
  const std::size_t fine = treno.find_last_not_of("\r\n") + 1;
  const std::size_t riga = static_cast<std::size_t>(std::count(treno.begin(), treno.begin() + static_cast<long>(fine), '\n'));
  const std::size_t colonna = fine - (treno.rfind('\n', fine - 1) + 1);
  treno.insert(fine, " \U0001F600x");
  sessione s;
  s.inizializza()
      .notifica("textDocument/didOpen", c.apri(cartella_scenario::nome_linea(), c.linea_byte))
      .notifica("textDocument/didOpen",
                {{"textDocument", {{"uri", c.uri(cartella_scenario::nome_treno())}, {"languageId", "scenario"},
                                   {"version", 7}, {"text", treno}}}})
      .notifica("textDocument/didChange", {{"textDocument", {{"uri", c.uri("mai_aperto_linea.txt")}, {"version", 1}}},
                                           {"contentChanges", {{{"text", "x"}}}}})
      .notifica("textDocument/didChange",
                {{"textDocument", {{"uri", c.uri(cartella_scenario::nome_treno())}, {"version", 8}}},
                 {"contentChanges", {{{"range", {{"start", {{"line", 9999}, {"character", 0}}},
                                                 {"end", {{"line", 9999}, {"character", 1}}}}},
                                      {"text", "x"}}}}})
      .fine();
  const auto e = s.esegui();
  // The line file exists only in the editor: no "missing file" error.
  const json linea = ultime(e, c.uri(cartella_scenario::nome_linea()));
  for (const json& d : linea["diagnostics"]) EXPECT_NE(d["severity"], 1) << d.dump();
  const json t = ultime(e, c.uri(cartella_scenario::nome_treno()));
  EXPECT_EQ(t["version"], 7);  // the change out of range was refused whole
  std::vector<json> emoji;
  for (const json& d : t["diagnostics"])
    if (d["code"] == "V232") emoji.push_back(d);
  ASSERT_EQ(emoji.size(), 1u);
  EXPECT_EQ(emoji[0]["range"]["start"], (json{{"line", riga}, {"character", colonna + 1}}));
  EXPECT_EQ(emoji[0]["range"]["end"], (json{{"line", riga}, {"character", colonna + 3}}));
  // Both bad changes are logged as errors, the first naming the file.
  const auto log = e.con_metodo("window/logMessage");
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0]["params"]["message"].get<std::string>().find("mai aperto"), std::string::npos);
  EXPECT_NE(log[1]["params"]["message"].get<std::string>().find("fuori dal documento"), std::string::npos);
}

}  // namespace
}  // namespace gara

namespace gara {
namespace {

// The position of the `n`-th occurrence of `cerca` on the line holding
// `riga` (the first such line), in characters.
json posizione_in(const std::string& testo, const std::string& riga, const std::string& cerca) {
  const std::size_t inizio_riga = testo.rfind('\n', testo.find(riga)) + 1;
  const std::size_t numero = static_cast<std::size_t>(std::count(testo.begin(), testo.begin() + static_cast<long>(inizio_riga), '\n'));
  const std::size_t colonna = testo.find(cerca, testo.find(riga)) - inizio_riga;
  return {{"line", numero}, {"character", colonna}};
}

TEST(ServerLsp, AlPassaggioNomeUnitaValoreLettoEDerivati) {
  cartella_scenario c;
  const std::string treno = da_windows1252(c.treno_byte);
  struct caso {
    std::string riga, cerca;
    std::vector<std::string> attesi;
  };
  const std::string palagiano = "stazione,   17000, 12,  400";
  const std::vector<caso> casi{
      {palagiano, "400", {"**lunghezza del marciapiede**", "valore 3 di `stazione`", "unità: metri", "multiplo di 100", "letto come **400**"}},
      {palagiano, "17000", {"**posizione**", "km 17+000", "multiplo di 50"}},
      {palagiano, "25,", {"**minuti**", "orario 12:25:00"}},
      {palagiano, "PALAGIANO", {"**nome**", "letto come \"PALAGIANO-CHIATONA\""}},
      {palagiano, "stazione", {"```\nstazione, posizione, tipo di stazione, lunghezza del marciapiede"}},
      {"velocita,     650,   140", "140", {"**velocità massima**", "km/h", "nella cella: 28"}},
      {"velocita,     650,   140", "650", {"km 0+650", "cella 13"}},
      {"orologio,", "3 ", {"orario 12:03:11"}},
  };
  sessione s;
  s.inizializza().notifica("textDocument/didOpen", c.apri(c.nome_treno(), c.treno_byte));
  for (const caso& k : casi)
    s.richiesta("textDocument/hover",
                {{"textDocument", {{"uri", c.uri(c.nome_treno())}}}, {"position", posizione_in(treno, k.riga, k.cerca)}});
  // Past the end of the document, and on a line's blank.
  s.richiesta("textDocument/hover", {{"textDocument", {{"uri", c.uri(c.nome_treno())}}},
                                     {"position", {{"line", 100000}, {"character", 0}}}});
  s.richiesta("textDocument/hover", {{"textDocument", {{"uri", c.uri(c.nome_treno())}}},
                                     {"position", posizione_in(treno, palagiano, " 12,")}});
  const auto e = s.fine().esegui();
  const int primo = 2;  // after initialize
  for (std::size_t i = 0; i < casi.size(); ++i) {
    const json* r = e.risposta(primo + static_cast<int>(i));
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE((*r)["result"].is_object()) << r->dump();
    EXPECT_EQ((*r)["result"]["contents"]["kind"], "markdown");
    const std::string testo = (*r)["result"]["contents"]["value"];
    for (const std::string& a : casi[i].attesi) EXPECT_NE(testo.find(a), std::string::npos) << a << "\n" << testo;
  }
  EXPECT_EQ(codice_errore(e.risposta(primo + static_cast<int>(casi.size()))), -32602);
  EXPECT_TRUE((*e.risposta(primo + static_cast<int>(casi.size()) + 1))["result"].is_null());
}

TEST(ServerLsp, AlPassaggioDiUnProblemaLaSpiegazioneDelCatalogo) {
  cartella_scenario c;
  std::string treno = da_windows1252(c.treno_byte);
  const std::string riga = "velocita,   38000,    80";
  treno.replace(treno.find(riga), riga.size(), "velocita,   38OOO,    80");
  sessione s;
  s.inizializza()
      .notifica("textDocument/didOpen", {{"textDocument", {{"uri", c.uri(c.nome_treno())}, {"languageId", "x"},
                                                           {"version", 1}, {"text", treno}}}})
      .richiesta("textDocument/hover", {{"textDocument", {{"uri", c.uri(c.nome_treno())}}},
                                        {"position", posizione_in(treno, "velocita,   38OOO", "OOO")}});
  const auto e = s.fine().esegui();
  const std::string testo = (*e.risposta(2))["result"]["contents"]["value"];
  const voce_catalogo& v = voce_di(problema::numero_non_intero);
  EXPECT_NE(testo.find(std::string(v.identificativo)), std::string::npos) << testo;
  EXPECT_NE(testo.find(std::string(v.spiegazione)), std::string::npos) << testo;
  EXPECT_NE(testo.find("**posizione**"), std::string::npos) << testo;
}

}  // namespace
}  // namespace gara

namespace gara {
namespace {

TEST(ServerLsp, FormattazioneDelDocumentoEDiUnIntervallo) {
  cartella_scenario c;
  const std::string testo =
      "[generale]\r\n"
      "velocita,  0,  30 \r\n"
      "velocita, 650, 140\r\n"
      "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 1, 12,4,0, CITTÀ\r\n"
      "stazione, 23000, 8, 600, 0,0,0, 1,1,0, 4,1,1, 1, 12,9,0, PINÈTO\r\n"
      "[fine]";
  sessione s;
  s.inizializza()
      .notifica("textDocument/didOpen", {{"textDocument", {{"uri", c.uri(cartella_scenario::nome_treno())}, {"languageId", "x"},
                                                           {"version", 1}, {"text", testo}}}})
      .richiesta("textDocument/formatting",
                 {{"textDocument", {{"uri", c.uri(cartella_scenario::nome_treno())}}}, {"options", {{"tabSize", 2}, {"insertSpaces", true}}}})
      .richiesta("textDocument/rangeFormatting",
                 {{"textDocument", {{"uri", c.uri(cartella_scenario::nome_treno())}}},
                  {"range", {{"start", {{"line", 4}, {"character", 3}}}, {"end", {{"line", 5}, {"character", 0}}}}},
                  {"options", {{"tabSize", 2}, {"insertSpaces", true}}}})
      .richiesta("textDocument/formatting", {{"textDocument", {{"uri", c.uri("mai_aperto-.txt")}}}});
  const auto e = s.fine().esegui();
  const json tutto = (*e.risposta(2))["result"];
  ASSERT_EQ(tutto.size(), 3u) << tutto.dump();  // the second line is aligned already
  // The old line's end, in UTF-16 units, and the new text aligned.
  EXPECT_EQ(tutto[2]["range"], (json{{"start", {{"line", 4}, {"character", 0}}}, {"end", {{"line", 4}, {"character", 63}}}}));
  EXPECT_EQ(tutto[0]["newText"], "velocita,   0,  30");
  EXPECT_EQ(tutto[1]["newText"], "stazione,  1000, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 12, 4, 0, CITTÀ");
  EXPECT_EQ(tutto[2]["newText"], "stazione, 23000,  8, 600, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 12, 9, 0, PINÈTO");
  const json parte = (*e.risposta(3))["result"];
  ASSERT_EQ(parte.size(), 1u) << parte.dump();
  EXPECT_EQ(parte[0], tutto[2]);
  EXPECT_EQ(codice_errore(e.risposta(4)), -32602);
}

}  // namespace
}  // namespace gara

namespace gara {
namespace {

TEST(ServerLsp, OgniCorrezioneApplicataToglieIlSuoProblema) {
  cartella_scenario c;
  std::string treno = da_windows1252(c.treno_byte);
  const std::vector<std::pair<std::string, std::string>> guasti{
      {"velocita,   38000,    80", "velocita,   38OOO,    80"},  // letter O
      {"velocita,   39000,   140", "velocita,   39.000,   140"},  // thousands with a dot
      {"stazione,   17000, 12,", "stazione,   17 000, 12,"},      // thousands with a blank
  };
  for (const auto& [giusta, sbagliata] : guasti) {
    ASSERT_NE(treno.find(giusta), std::string::npos) << giusta;
    treno.replace(treno.find(giusta), giusta.size(), sbagliata);
  }
  const std::string uri = c.uri(cartella_scenario::nome_treno());
  const auto diagnostiche_di = [&](const std::string& testo) {
    sessione s;
    s.inizializza().notifica("textDocument/didOpen", {{"textDocument", {{"uri", uri}, {"languageId", "x"}, {"version", 1}, {"text", testo}}}});
    return ultime(s.fine().esegui(), uri)["diagnostics"];
  };
  json correggibili = json::array();
  for (const json& d : diagnostiche_di(treno))
    if (d["code"] == "V201" || d["code"] == "V221") correggibili.push_back(d);
  ASSERT_EQ(correggibili.size(), guasti.size()) << correggibili.dump();

  sessione s;
  s.inizializza().notifica("textDocument/didOpen", {{"textDocument", {{"uri", uri}, {"languageId", "x"}, {"version", 1}, {"text", treno}}}});
  for (const json& d : correggibili)
    s.richiesta("textDocument/codeAction",
                {{"textDocument", {{"uri", uri}}}, {"range", d["range"]}, {"context", {{"diagnostics", {d}}}}});
  const auto e = s.fine().esegui();
  std::string corretto = treno;
  // Applied from the last line up, so that each range still stands.
  for (int id = 2 + static_cast<int>(correggibili.size()) - 1; id >= 2; --id) {
    const json azioni = (*e.risposta(id))["result"];
    ASSERT_EQ(azioni.size(), 1u) << azioni.dump();
    EXPECT_EQ(azioni[0]["kind"], "quickfix");
    const json modifica = azioni[0]["edit"]["changes"][uri][0];
    editore::applica_modifica(corretto, protocollo::intervallo_da_json(modifica["range"]), modifica["newText"].get<std::string>(),
                              protocollo::codifica::utf16);
  }
  for (const auto& [giusta, sbagliata] : guasti) EXPECT_NE(corretto.find(giusta), std::string::npos) << giusta;
  for (const json& d : diagnostiche_di(corretto)) EXPECT_NE(d["code"], "V201") << d.dump();
  for (const json& d : diagnostiche_di(corretto)) EXPECT_NE(d["code"], "V221") << d.dump();
}

}  // namespace
}  // namespace gara

namespace gara {
namespace {

TEST(ServerLsp, StrutturaGettoniSuggerimentiCompletamentoEFirma) {
  cartella_scenario c;
  // Prose before "[generale]", as authors write it.
  const std::string treno = "Treno di prova, scritto a mano\r\n" + da_windows1252(c.treno_byte);
  const std::string uri = c.uri(cartella_scenario::nome_treno());
  const json documento = {{"textDocument", {{"uri", uri}}}};
  const std::string palagiano = "stazione,   17000, 12,  400";
  const std::size_t riga_stazione = posizione_in(treno, palagiano, "stazione")["line"];
  const std::size_t righe_totali = static_cast<std::size_t>(std::count(treno.begin(), treno.end(), '\n'));
  sessione s;
  s.inizializza()
      .notifica("textDocument/didOpen", {{"textDocument", {{"uri", uri}, {"languageId", "x"}, {"version", 1}, {"text", treno}}}})
      .richiesta("textDocument/documentSymbol", documento)                                 // 2
      .richiesta("textDocument/foldingRange", documento)                                   // 3
      .richiesta("textDocument/semanticTokens/full", documento)                            // 4
      .richiesta("textDocument/inlayHint",                                                 // 5
                 {{"textDocument", {{"uri", uri}}},
                  {"range", {{"start", {{"line", riga_stazione}, {"character", 0}}}, {"end", {{"line", riga_stazione + 1}, {"character", 0}}}}}})
      .richiesta("textDocument/completion",                                                // 6: a line's start
                 {{"textDocument", {{"uri", uri}}}, {"position", {{"line", righe_totali}, {"character", 0}}}})
      .richiesta("textDocument/completion",                                                // 7: among the values
                 {{"textDocument", {{"uri", uri}}}, {"position", posizione_in(treno, palagiano, " 12,")}})
      .richiesta("textDocument/signatureHelp",                                             // 8: in the third value
                 {{"textDocument", {{"uri", uri}}}, {"position", posizione_in(treno, palagiano, "00,  0")}})
      .richiesta("textDocument/semanticTokens/range",                                      // 9: the station's line
                 {{"textDocument", {{"uri", uri}}},
                  {"range", {{"start", {{"line", riga_stazione}, {"character", 0}}}, {"end", {{"line", riga_stazione + 1}, {"character", 0}}}}}});
  const auto e = s.fine().esegui();

  // The outline: the stations' section holds PALAGIANO-CHIATONA by name.
  const json simboli = (*e.risposta(2))["result"];
  const json* stazioni = nullptr;
  for (const json& x : simboli)
    if (x["name"] == "[stazioni]") stazioni = &x;
  ASSERT_NE(stazioni, nullptr) << simboli.dump();
  bool trovata = false;
  for (const json& x : (*stazioni)["children"])
    if (x["name"] == "PALAGIANO-CHIATONA") {
      trovata = true;
      EXPECT_EQ(x["detail"], "stazione al km 17+000");
      EXPECT_EQ(x["selectionRange"]["start"]["line"], riga_stazione);
    }
  EXPECT_TRUE(trovata) << stazioni->dump();

  const json pieghe = (*e.risposta(3))["result"];
  ASSERT_FALSE(pieghe.empty());
  EXPECT_EQ(pieghe[0]["startLine"], 1);  // "[generale]"

  // The tokens decoded back to (line, start, length, kind).
  using gettone = std::tuple<std::size_t, std::size_t, std::size_t, int>;
  const auto decodifica = [](const json& dati) {
    std::vector<gettone> g;
    EXPECT_EQ(dati.size() % 5, 0u);
    for (std::size_t i = 0, linea = 0, inizio = 0; i + 4 < dati.size(); i += 5) {
      const std::size_t dl = dati[i], di = dati[i + 1];
      inizio = dl == 0 ? inizio + di : di;
      linea += dl;
      g.emplace_back(linea, inizio, dati[i + 2].get<std::size_t>(), dati[i + 3].get<int>());
    }
    return g;
  };
  const std::vector<gettone> gettoni = decodifica((*e.risposta(4))["result"]["data"]);
  // A range gives exactly the whole document's tokens on its lines.
  std::vector<gettone> della_stazione;
  std::copy_if(gettoni.begin(), gettoni.end(), std::back_inserter(della_stazione),
               [&](const gettone& g) { return std::get<0>(g) == riga_stazione; });
  EXPECT_FALSE(della_stazione.empty());
  EXPECT_EQ(decodifica((*e.risposta(9))["result"]["data"]), della_stazione);
  const auto tipo_a = [&](const json& p) {
    for (const auto& [l, da, n, t] : gettoni)
      if (l == p["line"] && da <= p["character"] && p["character"] < da + n) return t;
    return -1;
  };
  EXPECT_EQ(tipo_a({{"line", 0}, {"character", 3}}), 3);                                   // prose: ignored
  EXPECT_EQ(tipo_a({{"line", 1}, {"character", 3}}), 0);                                   // "[generale]"
  EXPECT_EQ(tipo_a(posizione_in(treno, palagiano, "stazione")), 0);
  EXPECT_EQ(tipo_a(posizione_in(treno, palagiano, "17000")), 1);
  EXPECT_EQ(tipo_a(posizione_in(treno, palagiano, "PALAGIANO")), 2);
  EXPECT_EQ(tipo_a(posizione_in(treno, "[stazioni]", "stazioni")), 3);

  std::vector<std::string> etichette;
  for (const json& h : (*e.risposta(5))["result"]) etichette.push_back(h["label"]);
  // The time, then the margin of the section that ends at this station.
  ASSERT_EQ(etichette.size(), 2u);
  EXPECT_EQ(etichette[0], "km 17+000");
  EXPECT_TRUE(etichette[1].starts_with("12:25:00 \u00B7 margine ")) << etichette[1];
  EXPECT_NE(etichette[1].find(" s ("), std::string::npos) << etichette[1];

  const json completamenti = (*e.risposta(6))["result"];
  bool stazione = false;
  for (const json& x : completamenti)
    if (x["label"] == "stazione") {
      stazione = true;
      EXPECT_EQ(x["insertText"].get<std::string>().rfind("stazione, ${1:posizione}, ${2:tipo di stazione}", 0), 0u);
    }
  EXPECT_TRUE(stazione);
  EXPECT_TRUE((*e.risposta(7))["result"].empty());

  const json firma = (*e.risposta(8))["result"];
  EXPECT_EQ(firma["activeParameter"], 2);
  const json parametro = firma["signatures"][0]["parameters"][2]["label"];
  const std::string etichetta = firma["signatures"][0]["label"];
  EXPECT_EQ(etichetta.substr(parametro[0], parametro[1].get<std::size_t>() - parametro[0].get<std::size_t>()),
            "lunghezza del marciapiede");
}

}  // namespace
}  // namespace gara

namespace gara {
namespace {

TEST(ServerLsp, ChiusaUnaDescrizioneValeIlDiscoChiuseEntrambeSpariscono) {
  cartella_scenario c;
  // The open train holds a character the saved file would not: closed, the
  // file on disk counts again; both closed, their diagnostics go.
  const std::string treno = da_windows1252(c.treno_byte) + "\U0001F600\r\n";
  const std::string uri_linea = c.uri(cartella_scenario::nome_linea());
  const std::string uri_treno = c.uri(cartella_scenario::nome_treno());
  const auto chiudi = [](const std::string& uri) { return json{{"textDocument", {{"uri", uri}}}}; };
  sessione s;
  s.inizializza()
      .notifica("textDocument/didOpen", c.apri(cartella_scenario::nome_linea(), c.linea_byte))
      .notifica("textDocument/didOpen", {{"textDocument", {{"uri", uri_treno}, {"languageId", "x"}, {"version", 3}, {"text", treno}}}})
      .richiesta("shutdown");  // 2: the checks so far
  const auto aperti = s.esegui();
  bool con_emoji = false;
  const json prima = ultime(aperti, uri_treno);
  for (const json& d : prima["diagnostics"]) con_emoji = con_emoji || d["code"] == "V232";
  EXPECT_TRUE(con_emoji) << prima.dump();

  sessione t;
  t.inizializza()
      .notifica("textDocument/didOpen", c.apri(cartella_scenario::nome_linea(), c.linea_byte))
      .notifica("textDocument/didOpen", {{"textDocument", {{"uri", uri_treno}, {"languageId", "x"}, {"version", 3}, {"text", treno}}}})
      .notifica("textDocument/didClose", chiudi(uri_treno))
      .richiesta("textDocument/hover", {{"textDocument", {{"uri", uri_treno}}},
                                        {"position", posizione_in(da_windows1252(c.treno_byte), "stazione,   17000", "stazione")}})
      .notifica("textDocument/didClose", chiudi(uri_linea))
      .fine();
  const auto e = t.esegui();
  // After the train's close: checked from the disk, without the open buffer's version.
  const auto pubblicate = e.con_metodo("textDocument/publishDiagnostics");
  ASSERT_GE(pubblicate.size(), 2u);
  const json dopo = ultime(e, uri_treno);
  for (const json& d : dopo["diagnostics"]) EXPECT_NE(d["code"], "V232") << d.dump();
  EXPECT_TRUE(pubblicate.back()["params"]["diagnostics"].empty());
  EXPECT_FALSE(dopo.contains("version"));
  EXPECT_TRUE(ultime(e, uri_linea)["diagnostics"].empty());
  // The closed train is still part of the open line's scenario: a hover on it works from the disk.
  EXPECT_TRUE((*e.risposta(2))["result"].is_object());
}

}  // namespace
}  // namespace gara
