#include "editore/completamento.h"

#include <algorithm>
#include <array>
#include <string>

#include "editore/forme_voci.h"
#include "editore/testo.h"

namespace gara::editore {

using nlohmann::json;

namespace {

// LSP's CompletionItemKind, InsertTextFormat and MarkupKind.
constexpr int tipo_parola_chiave = 14;
constexpr int tipo_modulo = 9;
constexpr int formato_snippet = 2;

constexpr std::array sezioni_linea{"[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::array sezioni_treno{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]",
                                   "[segnali]", "[codici]", "[fine]"};

// A snippet's placeholder text: "}", "$" and "\" escaped.
std::string segnaposto(std::string_view t) {
  std::string r;
  for (char c : t) {
    if (c == '}' || c == '$' || c == '\\') r += '\\';
    r += c;
  }
  return r;
}

}  // namespace

json completamenti(std::string_view prima, bool della_linea) {
  json voci = json::array();
  if (prima.find(',') != std::string_view::npos) return voci;
  for (const forma_voce& f : tutte_le_forme()) {
    if (f.della_linea != della_linea) continue;
    std::string snippet(f.parola);
    std::string forma(f.parola);
    int n = 1;
    for (const campo_voce& c : f.campi) {
      snippet += ", ${" + std::to_string(n++) + ":" + segnaposto(c.nome) + "}";
      forma += ", " + std::string(c.nome);
    }
    voci.push_back({{"label", f.parola},
                    {"kind", tipo_parola_chiave},
                    {"detail", f.significato},
                    {"documentation", {{"kind", "markdown"}, {"value", "```\n" + forma + "\n```"}}},
                    {"insertText", snippet},
                    {"insertTextFormat", formato_snippet}});
  }
  const auto sezioni = della_linea ? std::vector<const char*>(sezioni_linea.begin(), sezioni_linea.end())
                                   : std::vector<const char*>(sezioni_treno.begin(), sezioni_treno.end());
  for (const char* s : sezioni) voci.push_back({{"label", s}, {"kind", tipo_modulo}, {"detail", "sezione"}});
  return voci;
}

json firma(std::string_view prima, bool della_linea) {
  const auto virgola = prima.find(',');
  if (virgola == std::string_view::npos) return nullptr;
  const auto forme = forme_di(prima.substr(0, virgola), della_linea);
  if (forme.empty()) return nullptr;
  const auto virgole = static_cast<std::size_t>(std::count(prima.begin(), prima.end(), ','));
  json firme = json::array();
  std::size_t attiva = 0;
  std::size_t attivo = virgole - 1;
  // A field with two keywords reads the first entry's values, then the second's.
  for (std::size_t k = 0, prima_del_campo = 0; k < forme.size(); ++k) {
    const forma_voce& f = *forme[k];
    std::string etichetta(f.parola);
    json parametri = json::array();
    for (const campo_voce& c : f.campi) {
      etichetta += ", ";
      // Characters are UTF-16 units here: every name is in the BMP.
      const std::size_t da = caratteri(etichetta);
      etichetta += c.nome;
      parametri.push_back({{"label", {da, caratteri(etichetta)}}, {"documentation", c.spiegazione}});
    }
    firme.push_back({{"label", etichetta}, {"documentation", f.significato}, {"parameters", parametri}});
    if (virgole - 1 >= prima_del_campo && virgole - 1 < prima_del_campo + f.campi.size()) {
      attiva = k;
      attivo = virgole - 1 - prima_del_campo;
    }
    prima_del_campo += f.campi.size();
  }
  return {{"signatures", firme}, {"activeSignature", attiva}, {"activeParameter", attivo}};
}

}  // namespace gara::editore
