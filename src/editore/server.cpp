#include "editore/server.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <utility>
#include <system_error>

#include "editore/completamento.h"
#include "editore/formattazione.h"
#include "editore/hover.h"
#include "editore/struttura.h"
#include "editore/testo.h"
#include "editore/uri.h"
#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "file/sorveglianza.h"
#include "modello/catalogo.h"
#include "modello/nomi_file.h"
#include "orario/orario.h"
#include "modello/windows1252.h"
#include "protocollo/jsonrpc.h"
#include "resoconto/diagnostiche.h"

namespace gara::editore {

using nlohmann::json;
using protocollo::parametri_errati;
namespace rpc = protocollo::errore_rpc;

namespace {

constexpr const char* nome_server = "scenario";
constexpr const char* versione_server = "1.00";
constexpr int sincronizzazione_incrementale = 2;
constexpr int messaggio_errore = 1;  // window/logMessage's MessageType.Error

// A member of an object, of the kind asked; parametri_errati otherwise.
const json& membro(const json& j, const char* chiave, json::value_t tipo) {
  if (!j.is_object() || !j.contains(chiave)) throw parametri_errati{std::string("manca \"") + chiave + "\""};
  const json& v = j[chiave];
  const bool va = v.type() == tipo || (tipo == json::value_t::number_integer && v.is_number_integer());
  if (!va) throw parametri_errati{std::string("\"") + chiave + "\" non è del tipo atteso"};
  return v;
}

const std::string& testo_di(const json& j, const char* chiave) {
  return membro(j, chiave, json::value_t::string).get_ref<const std::string&>();
}

int livello_lsp(gravita g) {
  switch (g) {
    case gravita::errore: return 1;
    case gravita::avviso: return 2;
    case gravita::nota: return 3;
  }
  return 1;
}

// The last line a range takes: one that ends at the start of a line does
// not take that line.
std::size_t ultima_riga(const protocollo::intervallo& i) {
  return i.fine.carattere == 0 && i.fine.linea > i.inizio.linea ? i.fine.linea - 1 : i.fine.linea;
}

}  // namespace

std::vector<json> server::ricevi(const std::string& corpo) {
  const json m = json::parse(corpo, nullptr, false);
  if (m.is_discarded()) return {protocollo::risposta_errore(nullptr, rpc::analisi, "il corpo del messaggio non è JSON")};
  try {
    return gestisci(m);
  } catch (const std::exception& e) {
    // Whatever a message sets off, the server stays: the request is
    // answered with the failure, a notification's is logged.
    const std::string motivo = std::string("errore interno: ") + e.what();
    if (m.is_object() && m.contains("id") && m.contains("method"))
      return {protocollo::risposta_errore(m["id"].is_string() || m["id"].is_number_integer() ? m["id"] : json(nullptr),
                                          rpc::interno, motivo)};
    return {protocollo::notifica("window/logMessage", {{"type", messaggio_errore}, {"message", motivo}})};
  }
}

std::vector<json> server::gestisci(const json& m) {
  if (!m.is_object())
    return {protocollo::risposta_errore(nullptr, rpc::richiesta_non_valida, "il messaggio non è un oggetto JSON-RPC")};
  const bool con_id = m.contains("id");
  const json id = con_id ? m["id"] : json(nullptr);
  if (con_id && !id.is_string() && !id.is_number_integer() && !id.is_null())
    return {protocollo::risposta_errore(nullptr, rpc::richiesta_non_valida, "\"id\" non è un numero né un testo")};
  if (!m.contains("method")) {
    // A client's answer to a request of ours: the server sends none it waits for.
    if (con_id && (m.contains("result") || m.contains("error"))) return {};
    return {protocollo::risposta_errore(id, rpc::richiesta_non_valida, "manca \"method\"")};
  }
  if (!m["method"].is_string() || m.value("jsonrpc", json()) != "2.0")
    return {protocollo::risposta_errore(id, rpc::richiesta_non_valida,
                                        "richiesta non valida: servono \"jsonrpc\": \"2.0\" e \"method\" testuale")};
  const std::string& metodo = m["method"].get_ref<const std::string&>();
  const json parametri = m.contains("params") ? m["params"] : json::object();

  if (metodo == "exit") {
    finito_ = true;
    return {};
  }
  static const std::map<std::string, gestore, std::less<>> richieste{
      {"initialize", &server::inizializza},
      {"shutdown", &server::spegni},
      {"textDocument/hover", &server::al_passaggio},
      {"textDocument/formatting", &server::formatta_tutto},
      {"textDocument/codeAction", &server::azioni},
      {"textDocument/documentSymbol", &server::simboli_documento},
      {"textDocument/foldingRange", &server::pieghe_documento},
      {"textDocument/semanticTokens/full", &server::gettoni_documento},
      {"textDocument/semanticTokens/range", &server::gettoni_intervallo},
      {"textDocument/inlayHint", &server::suggerimenti_documento},
      {"textDocument/completion", &server::completa},
      {"textDocument/signatureHelp", &server::firma_voce},
      {"textDocument/rangeFormatting", &server::formatta_intervallo},
  };
  static const std::map<std::string, gestore, std::less<>> notifiche{
      {"textDocument/didOpen", &server::apri},
      {"textDocument/didChange", &server::cambia},
      {"textDocument/didClose", &server::chiudi},
  };
  if (!con_id) {
    // Notifications have no answer: one that cannot be taken is logged.
    const auto n = notifiche.find(metodo);
    if (n == notifiche.end() || !inizializzato_ || spento_) return {};
    try {
      (this->*(n->second))(parametri);
    } catch (const parametri_errati& e) {
      return {protocollo::notifica("window/logMessage",
                                   {{"type", messaggio_errore}, {"message", metodo + ": " + e.messaggio}})};
    } catch (const json::exception& e) {
      return {protocollo::notifica("window/logMessage",
                                   {{"type", messaggio_errore}, {"message", metodo + ": " + e.what()}})};
    }
    return std::exchange(in_uscita_, {});
  }
  // A request sees the scenario as the changes before it left it.
  std::vector<json> uscita = inizializzato_ && !spento_ ? verifica_in_attesa() : std::vector<json>{};
  const auto con = [&uscita](json r) {
    uscita.push_back(std::move(r));
    return uscita;
  };
  if (!inizializzato_ && metodo != "initialize")
    return con(protocollo::risposta_errore(id, rpc::non_inizializzato, "il server non è ancora inizializzato"));
  if (spento_)
    return con(protocollo::risposta_errore(id, rpc::richiesta_non_valida, "il server è già stato spento"));
  const auto r = richieste.find(metodo);
  if (r == richieste.end())
    return con(protocollo::risposta_errore(id, rpc::metodo_sconosciuto, "metodo sconosciuto: " + metodo));
  try {
    return con(protocollo::risposta(id, (this->*(r->second))(parametri)));
  } catch (const parametri_errati& e) {
    return con(protocollo::risposta_errore(id, rpc::parametri_non_validi, e.messaggio));
  } catch (const json::exception& e) {
    return con(protocollo::risposta_errore(id, rpc::parametri_non_validi, e.what()));
  }
}

json server::inizializza(const json& p) {
  if (inizializzato_) throw parametri_errati{"il server è già inizializzato"};
  if (!p.is_object()) throw parametri_errati{"i parametri di initialize non sono un oggetto"};
  const json codifiche = p.value("/capabilities/general/positionEncodings"_json_pointer, json::array());
  codifica_ = protocollo::codifica::utf16;
  if (codifiche.is_array())
    for (const json& c : codifiche)
      if (c == "utf-8") codifica_ = protocollo::codifica::utf8;
  inizializzato_ = true;
  json capacita = {
      {"positionEncoding", codifica_ == protocollo::codifica::utf8 ? "utf-8" : "utf-16"},
      {"textDocumentSync", {{"openClose", true}, {"change", sincronizzazione_incrementale}}},
      {"hoverProvider", true},
      {"documentFormattingProvider", true},
      {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
      {"documentSymbolProvider", true},
      {"foldingRangeProvider", true},
      {"semanticTokensProvider", {{"legend", legenda_gettoni()}, {"full", true}, {"range", true}}},
      {"inlayHintProvider", true},
      {"completionProvider", {{"triggerCharacters", {"["}}}},
      {"signatureHelpProvider", {{"triggerCharacters", {","}}, {"retriggerCharacters", {" "}}}},
      {"documentRangeFormattingProvider", true},
  };
  return {{"capabilities", capacita}, {"serverInfo", {{"name", nome_server}, {"version", versione_server}}}};
}

json server::spegni(const json&) {
  spento_ = true;
  return nullptr;
}

std::string server::percorso_del(const json& p) const {
  const std::string& uri = testo_di(membro(p, "textDocument", json::value_t::object), "uri");
  const auto percorso = percorso_da_uri(uri);
  if (!percorso) throw parametri_errati{"URI non di un file locale: " + uri};
  return *percorso;
}

json server::apri(const json& p) {
  const json& d = membro(p, "textDocument", json::value_t::object);
  const std::string percorso = percorso_del(p);
  aperti_[percorso] = {testo_di(d, "uri"), testo_di(d, "text"),
                       membro(d, "version", json::value_t::number_integer).get<int64_t>()};
  segna_da_verificare(percorso);
  return nullptr;
}

json server::cambia(const json& p) {
  const std::string percorso = percorso_del(p);
  const auto aperto = aperti_.find(percorso);
  if (aperto == aperti_.end()) throw parametri_errati{"modifica di un documento mai aperto: " + percorso};
  const json& modifiche = membro(p, "contentChanges", json::value_t::array);
  // All or nothing: a change that does not apply leaves the text as it was.
  std::string testo = aperto->second.testo;
  for (const json& m : modifiche) {
    const std::string& nuovo = testo_di(m, "text");
    if (m.contains("range"))
      applica_modifica(testo, protocollo::intervallo_da_json(m["range"]), nuovo, codifica_);
    else
      testo = nuovo;
  }
  aperto->second.testo = std::move(testo);
  const json& d = membro(p, "textDocument", json::value_t::object);
  if (d.contains("version") && d["version"].is_number_integer()) aperto->second.versione = d["version"].get<int64_t>();
  segna_da_verificare(percorso);
  return nullptr;
}

json server::chiudi(const json& p) {
  const std::string percorso = percorso_del(p);
  const auto aperto = aperti_.find(percorso);
  if (aperto == aperti_.end()) throw parametri_errati{"chiusura di un documento mai aperto: " + percorso};
  // The client's URI may be spelt otherwise than the one of the file on
  // disk: what was published under it is taken back.
  in_uscita_.push_back(protocollo::notifica("textDocument/publishDiagnostics",
                                            {{"uri", aperto->second.uri}, {"diagnostics", json::array()}}));
  aperti_.erase(aperto);
  // Its scenario is checked again with the file as it is on disk, while the
  // other description stays open; with neither open, its diagnostics go.
  segna_da_verificare(percorso);
  return nullptr;
}

std::optional<server::punto> server::punto_di(const json& p) const {
  const std::string percorso = percorso_del(p);
  const protocollo::posizione pos = protocollo::posizione_da_json(membro(p, "position", json::value_t::object));
  for (const auto& [linea, s] : verificati_) {
    for (const file_verificato* f : {&s.linea, &s.treno}) {
      if (f->percorso != percorso) continue;
      const righe r(f->testo);
      const auto offset = r.offset(pos, codifica_);
      if (!offset) throw parametri_errati{"posizione fuori dal documento"};
      const std::string_view riga = r.riga(pos.linea);
      const std::size_t dentro = std::min(*offset - r.inizio(pos.linea), riga.size());
      return punto{&s, f, pos.linea, caratteri(riga.substr(0, dentro))};
    }
  }
  return std::nullopt;
}

json server::al_passaggio(const json& p) {
  const auto q = punto_di(p);
  if (!q) return nullptr;
  const auto t = testo_al_passaggio(*q->scenario, *q->file, q->linea, q->carattere);
  if (!t) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", *t}}}};
}

json server::modifiche_formattazione(const json& p, std::size_t prima, std::size_t ultima) {
  const std::string percorso = percorso_del(p);
  const auto aperto = aperti_.find(percorso);
  if (aperto == aperti_.end()) throw parametri_errati{"formattazione di un documento mai aperto: " + percorso};
  const auto tipo = tipo_di(nome_di(percorso));
  json modifiche = json::array();
  if (!tipo) return modifiche;
  const std::string& testo = aperto->second.testo;
  const righe r(testo);
  for (const riga_formattata& f : formatta(testo, *tipo == tipo_descrizione::linea)) {
    if (f.riga < prima || f.riga > ultima) continue;
    const std::string_view vecchia = r.riga(f.riga);
    const protocollo::intervallo i{{f.riga, 0}, {f.riga, protocollo::unita_di(vecchia, vecchia.size(), codifica_)}};
    modifiche.push_back({{"range", protocollo::in_json(i)}, {"newText", f.testo}});
  }
  return modifiche;
}

json server::formatta_tutto(const json& p) { return modifiche_formattazione(p, 0, std::numeric_limits<std::size_t>::max()); }

json server::formatta_intervallo(const json& p) {
  const protocollo::intervallo i = protocollo::intervallo_da_json(membro(p, "range", json::value_t::object));
  if (i.fine.linea < i.inizio.linea) throw parametri_errati{"intervallo che finisce prima di cominciare"};
  return modifiche_formattazione(p, i.inizio.linea, ultima_riga(i));
}

json server::azioni(const json& p) {
  const std::string percorso = percorso_del(p);
  const auto aperto = aperti_.find(percorso);
  json azioni = json::array();
  if (aperto == aperti_.end()) return azioni;
  const righe r(aperto->second.testo);
  const json& contesto = membro(p, "context", json::value_t::object);
  for (const json& d : membro(contesto, "diagnostics", json::value_t::array)) {
    if (!d.is_object() || !d.contains("code") || !d["code"].is_string() || !d.contains("range")) continue;
    // The check's own fix, which the diagnostic carries when one is certain.
    if (!d.contains("data") || !d["data"].is_object() || !d["data"].contains("correzione")) continue;
    const json& c = d["data"]["correzione"];
    if (!c.is_object() || !c.contains("range") || !c.contains("newText") || !c["newText"].is_string()) continue;
    const protocollo::intervallo i = protocollo::intervallo_da_json(c["range"]);
    const auto da = r.offset(i.inizio, codifica_);
    const auto a = r.offset(i.fine, codifica_);
    if (!da || !a || *a <= *da) continue;
    const std::string_view campo = std::string_view(aperto->second.testo).substr(*da, *a - *da);
    const std::optional<std::string> nuovo = c["newText"].get<std::string>();
    json modifica = {{"range", c["range"]}, {"newText", *nuovo}};
    json cambi = json::object();
    cambi[aperto->second.uri] = json::array({modifica});
    azioni.push_back({{"title", "Scrivi " + *nuovo + " invece di " + std::string(campo)},
                      {"kind", "quickfix"},
                      {"diagnostics", json::array({d})},
                      {"isPreferred", true},
                      {"edit", {{"changes", cambi}}}});
  }
  return azioni;
}

std::optional<std::pair<const scenario_verificato*, const file_verificato*>> server::verificato_di(const json& p) const {
  const std::string percorso = percorso_del(p);
  for (const auto& [linea, s] : verificati_)
    for (const file_verificato* f : {&s.linea, &s.treno})
      if (f->percorso == percorso) return std::make_pair(&s, f);
  return std::nullopt;
}

json server::simboli_documento(const json& p) {
  const auto v = verificato_di(p);
  return v ? simboli(*v->first, *v->second, codifica_) : json(nullptr);
}

json server::pieghe_documento(const json& p) {
  const auto v = verificato_di(p);
  return v ? pieghe(*v->second) : json(nullptr);
}

json server::gettoni_documento(const json& p) {
  const auto v = verificato_di(p);
  return v ? gettoni(*v->first, *v->second, codifica_) : json(nullptr);
}

json server::gettoni_intervallo(const json& p) {
  const auto v = verificato_di(p);
  if (!v) return nullptr;
  const protocollo::intervallo i = protocollo::intervallo_da_json(membro(p, "range", json::value_t::object));
  return gettoni(*v->first, *v->second, codifica_, i.inizio.linea, ultima_riga(i));
}

json server::suggerimenti_documento(const json& p) {
  const auto v = verificato_di(p);
  if (!v) return nullptr;
  const protocollo::intervallo i = protocollo::intervallo_da_json(membro(p, "range", json::value_t::object));
  return suggerimenti(*v->first, *v->second, codifica_, i.inizio.linea, ultima_riga(i));
}

std::optional<std::pair<std::string, bool>> server::riga_fino_a(const json& p) const {
  const std::string percorso = percorso_del(p);
  const auto aperto = aperti_.find(percorso);
  const auto tipo = tipo_di(nome_di(percorso));
  if (aperto == aperti_.end() || !tipo) return std::nullopt;
  const protocollo::posizione pos = protocollo::posizione_da_json(membro(p, "position", json::value_t::object));
  const righe r(aperto->second.testo);
  const auto offset = r.offset(pos, codifica_);
  if (!offset) throw parametri_errati{"posizione fuori dal documento"};
  return std::make_pair(aperto->second.testo.substr(r.inizio(pos.linea), *offset - r.inizio(pos.linea)),
                        *tipo == tipo_descrizione::linea);
}

json server::completa(const json& p) {
  const auto riga = riga_fino_a(p);
  return riga ? completamenti(riga->first, riga->second) : json::array();
}

json server::firma_voce(const json& p) {
  const auto riga = riga_fino_a(p);
  return riga ? firma(riga->first, riga->second) : json(nullptr);
}

void server::segna_da_verificare(const std::string& percorso) { da_verificare_.insert(percorso); }

std::vector<std::string> server::nomi_in(const std::string& cartella) const {
  std::vector<std::string> nomi;
  for (const auto& [percorso, d] : aperti_)
    if (cartella_di(percorso) == cartella) nomi.push_back(nome_di(percorso));
  std::error_code e;
  for (std::filesystem::directory_iterator i(percorso_da_utf8(cartella.empty() ? "." : cartella), e), fine;
       !e && i != fine; i.increment(e)) {
    const std::u8string n = i->path().filename().u8string();
    nomi.emplace_back(n.begin(), n.end());
  }
  return nomi;
}

file_verificato server::file_di(const std::string& percorso, descrizione& d, std::vector<diagnostica>& problemi) {
  file_verificato f;
  f.percorso = percorso;
  d.nome = nome_di(percorso);
  f.nome = d.nome;
  if (const auto aperto = aperti_.find(percorso); aperto != aperti_.end()) {
    f.uri = aperto->second.uri;
    f.testo = aperto->second.testo;
    f.versione = aperto->second.versione;
    testo_in_byte b = in_byte(f.testo, d.nome);
    d.byte = std::move(b.byte);
    problemi = std::move(b.problemi);
    return f;
  }
  f.uri = uri_da_percorso(percorso);
  if (auto letto = appena_letti_.extract(percorso))
    d = std::move(letto.mapped());
  else
    d = leggi_descrizione(percorso_da_utf8(percorso), d.nome);
  if (d.byte) f.testo = da_windows1252(*d.byte);
  return f;
}

namespace {

// What tells one state of a file read from disk from another.
std::optional<uint64_t> impronta_di(const descrizione& d) {
  if (!d.presente()) return std::nullopt;
  return hash_byte(d.byte ? *d.byte : d.illeggibile.value_or(""));
}

std::string percorso_scheda_di(const coppia& c) {
  return c.nome_treno.empty() ? std::string()
                              : c.cartella + da_windows1252(nome_scheda(c.id.nome_percorso, c.id.nome_treno));
}

// The file of a checked scenario a place is in: the train description or
// the card by name, else the line description.
template <typename S>
auto& file_del(S& s, const std::optional<luogo>& l) {
  if (l && !s.treno.percorso.empty() && l->file == s.treno.nome) return s.treno;
  if (l && !s.scheda.percorso.empty() && l->file == s.scheda.nome) return s.scheda;
  return s.linea;
}

}  // namespace

std::vector<json> server::verifica_in_attesa() {
  std::vector<json> uscita;
  std::set<std::string> fatti;  // line files checked in this round
  const std::set<std::string> cambiati = std::move(da_verificare_);
  da_verificare_.clear();
  for (const std::string& percorso : cambiati) {
    const auto c = coppia_di(percorso, nomi_in(cartella_di(percorso)));
    if (!c) continue;
    if (!fatti.insert(c->percorso_linea()).second) continue;
    const bool aperta = aperti_.contains(c->percorso_linea()) ||
                        (!c->nome_treno.empty() && aperti_.contains(c->percorso_treno()));
    if (!aperta) {
      // Neither description open any more: their diagnostics are taken back.
      const auto v = verificati_.find(c->percorso_linea());
      if (v != verificati_.end()) {
        for (const file_verificato* f : {&v->second.linea, &v->second.treno, &v->second.scheda})
          if (!f->uri.empty())
            uscita.push_back(protocollo::notifica("textDocument/publishDiagnostics",
                                                  {{"uri", f->uri}, {"diagnostics", json::array()}}));
        verificati_.erase(v);
      }
      continue;
    }
    scenario_verificato s;
    s.quale = *c;
    std::vector<diagnostica> del_testo_linea;
    std::vector<diagnostica> del_testo_treno;
    s.linea = file_di(c->percorso_linea(), s.descrizioni.linea, del_testo_linea);
    ricorda_se_dal_disco(c->percorso_linea(), s.descrizioni.linea);
    if (!c->nome_treno.empty()) {
      s.treno = file_di(c->percorso_treno(), s.descrizioni.treno, del_testo_treno);
      ricorda_se_dal_disco(c->percorso_treno(), s.descrizioni.treno);
    }
    // The timetable card beside them, as `verifica` reads it: the
    // timetable's diagnostics are part of the check.
    std::optional<orario::testo_scheda> scheda;
    if (!c->nome_treno.empty()) {
      const std::string percorso_scheda = percorso_scheda_di(*c);
      descrizione d;
      std::vector<diagnostica> del_testo_scheda;
      file_verificato f = file_di(percorso_scheda, d, del_testo_scheda);
      ricorda_se_dal_disco(percorso_scheda, d);
      if (d.byte) {
        scheda = orario::testo_scheda{d.nome, *d.byte};
        s.scheda = std::move(f);
      }
    }
    auto v = orario::verifica_e_orario(s.descrizioni, {c->id.nome_percorso, c->id.nome_treno, true}, scheda);
    s.esito = std::move(v.esito);
    s.orario = std::move(v.orario);
    s.linea.diagnostiche = std::move(del_testo_linea);
    s.treno.diagnostiche = std::move(del_testo_treno);
    for (const diagnostica& d : s.esito.diagnostiche) file_del(s, d.dove).diagnostiche.push_back(d);
    auto pubblicate = pubblica(s);
    uscita.insert(uscita.end(), pubblicate.begin(), pubblicate.end());
    verificati_[c->percorso_linea()] = std::move(s);
  }
  return uscita;
}

void server::ricorda_se_dal_disco(const std::string& percorso, const descrizione& d) {
  if (!aperti_.contains(percorso)) letti_da_disco_[percorso] = impronta_di(d);
}

std::set<std::string> server::cartelle_aperte() const {
  std::set<std::string> cartelle;
  for (const auto& [percorso, d] : aperti_) cartelle.insert(cartella_di(percorso));
  return cartelle;
}

std::vector<json> server::cambiati_su_disco(const std::string& cartella, const cambiamenti& c) {
  if (!inizializzato_ || spento_) return {};
  bool da_rifare = false;
  const auto toccato = [&](const std::string& percorso) {
    return !percorso.empty() && !aperti_.contains(percorso) && c.riguarda(percorso_da_utf8(nome_di(percorso)));
  };
  for (const auto& [linea, s] : verificati_) {
    if (s.quale.cartella != cartella) continue;
    for (const std::string& percorso : {s.quale.percorso_linea(), s.quale.percorso_treno(), percorso_scheda_di(s.quale)}) {
      if (!toccato(percorso)) continue;
      // The same bytes again (a save without changes, a file touched) are
      // not checked again.
      const auto letto = letti_da_disco_.find(percorso);
      descrizione ora = leggi_descrizione(percorso_da_utf8(percorso), nome_di(percorso));
      if (letto != letti_da_disco_.end() && letto->second == impronta_di(ora)) continue;
      appena_letti_.insert_or_assign(percorso, std::move(ora));
      segna_da_verificare(linea);
      da_rifare = true;
    }
  }
  // A description that appears beside an open one may be its partner.
  for (const std::filesystem::path& n : c.nomi) {
    const std::u8string u8 = n.u8string();
    const std::string percorso = cartella + std::string(u8.begin(), u8.end());
    if (!tipo_di(nome_di(percorso)) || !toccato(percorso) || letti_da_disco_.contains(percorso)) continue;
    segna_da_verificare(percorso);
    da_rifare = true;
  }
  std::vector<json> uscita = da_rifare ? verifica_in_attesa() : std::vector<json>{};
  appena_letti_.clear();
  return uscita;
}

json server::diagnostica_lsp(const diagnostica& d, const file_verificato& f, const scenario_verificato& s) const {
  const righe r(f.testo);
  json j;
  j["range"] = protocollo::in_json(d.dove ? r.intervallo_di(*d.dove, codifica_) : protocollo::intervallo{});
  j["severity"] = livello_lsp(d.livello);
  const std::string id = identificativo(d);
  j["code"] = id;
  j["source"] = nome_server;
  j["message"] = messaggio(d);
  if (d.prima) {
    const file_verificato& altro = file_del(s, d.prima);
    j["relatedInformation"] = json::array(
        {{{"location", {{"uri", altro.uri}, {"range", protocollo::in_json(righe(altro.testo).intervallo_di(*d.prima, codifica_))}}},
          {"message", d.nota}}});
  }
  json dati = {{"identificativo", id}};
  if (const voce_catalogo* v = voce_dell_avviso(id); v != nullptr && !v->rimedio.empty()) dati["rimedio"] = v->rimedio;
  if (d.correzione)
    dati["correzione"] = {{"range", protocollo::in_json(r.intervallo_di(d.correzione->dove, codifica_))},
                          {"newText", da_windows1252(d.correzione->testo)}};
  j["data"] = dati;
  return j;
}

std::vector<json> server::pubblica(const scenario_verificato& s) const {
  std::vector<json> uscita;
  for (const file_verificato* f : {&s.linea, &s.treno, &s.scheda}) {
    if (f->percorso.empty()) continue;
    json lista = json::array();
    for (const diagnostica& d : f->diagnostiche) lista.push_back(diagnostica_lsp(d, *f, s));
    json p = {{"uri", f->uri}, {"diagnostics", lista}};
    if (f->versione) p["version"] = *f->versione;
    uscita.push_back(protocollo::notifica("textDocument/publishDiagnostics", p));
  }
  return uscita;
}

}  // namespace gara::editore
