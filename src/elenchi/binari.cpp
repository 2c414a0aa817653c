#include "elenchi/binari.h"

#include <algorithm>
#include <utility>

#include "elenchi/elenchi.h"
#include "modello/windows1252.h"

namespace gara::elenchi {

namespace {

bool finisce_con(std::string_view nome, std::string_view coda) {
  return nome.size() >= coda.size() && nome.substr(nome.size() - coda.size()) == coda;
}

template <class T>
decodifica<binario> come_binario(decodifica<T> d) {
  if (!d) return {std::nullopt, std::move(d.errore)};
  return {binario(std::move(*d.valore)), {}};
}

genere_binario genere_di(const binario& b) {
  if (std::holds_alternative<std::vector<cella>>(b)) return genere_binario::celle;
  if (std::holds_alternative<tabella>(b)) return genere_binario::tabella;
  return genere_binario::tracciato;
}

}  // namespace

std::optional<genere_binario> genere_da_nome(std::string_view nome) {
  const std::string minuscolo = minuscolo_ascii(nome);
  if (finisce_con(minuscolo, "_linea.dat")) return genere_binario::tracciato;
  if (finisce_con(minuscolo, ".sim")) return genere_binario::tabella;
  if (finisce_con(minuscolo, ".dat")) return genere_binario::celle;
  return std::nullopt;
}

const char* descrizione(genere_binario g) {
  switch (g) {
    case genere_binario::tracciato: return "File del tracciato";
    case genere_binario::tabella: return "File della tabella della linea";
    case genere_binario::celle: return "File delle celle";
  }
  return "File";
}

const char* nome_json(genere_binario g) {
  switch (g) {
    case genere_binario::tracciato: return "tracciato";
    case genere_binario::tabella: return "tabella";
    case genere_binario::celle: return "celle";
  }
  return "";
}

decodifica<binario> decodifica_binario(genere_binario g, std::string_view byte) {
  switch (g) {
    case genere_binario::celle: return come_binario(decodifica_celle(byte));
    case genere_binario::tabella: return come_binario(decodifica_tabella(byte));
    case genere_binario::tracciato: return come_binario(decodifica_tracciato(byte));
  }
  return {std::nullopt, "genere sconosciuto"};
}

void elenca_binario(const binario& b, std::ostream& out) {
  if (const auto* celle = std::get_if<std::vector<cella>>(&b)) elenca_celle(*celle, out);
  if (const auto* t = std::get_if<tabella>(&b)) elenca_tabella(*t, out);
  if (const auto* t = std::get_if<tracciato_metri>(&b)) elenca_tracciato(*t, out);
}

nlohmann::ordered_json binario_json(std::string_view nome, std::size_t byte, const binario& b) {
  nlohmann::ordered_json j = nlohmann::ordered_json::object();
  j["file"] = std::string(nome);
  j["genere"] = nome_json(genere_di(b));
  j["byte"] = byte;
  if (const auto* celle = std::get_if<std::vector<cella>>(&b)) j["celle"] = celle_json(*celle);
  if (const auto* t = std::get_if<tabella>(&b)) j["voci"] = tabella_json(*t);
  if (const auto* t = std::get_if<tracciato_metri>(&b)) {
    j["ultimo_metro"] = t->ultimo_metro();
    j["assi"] = tracciato_json(*t);
  }
  return j;
}

std::string testo_json(const nlohmann::ordered_json& j) {
  return j.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace gara::elenchi
