#include "editore/coppia.h"

#include <algorithm>
#include <string_view>

#include "editore/uri.h"
#include "modello/windows1252.h"

namespace gara::editore {

namespace {
constexpr std::string_view fine_linea = "_linea.txt";
constexpr std::string_view fine_treno = "-.txt";
}  // namespace

std::optional<tipo_descrizione> tipo_di(const std::string& nome) {
  if (nome.size() > fine_linea.size() && nome.ends_with(fine_linea)) return tipo_descrizione::linea;
  if (nome.size() > fine_treno.size() && nome.ends_with(fine_treno)) return tipo_descrizione::treno;
  return std::nullopt;
}

std::optional<coppia> coppia_di(const std::string& percorso, const std::vector<std::string>& nomi) {
  const std::string nome = nome_di(percorso);
  const auto tipo = tipo_di(nome);
  if (!tipo) return std::nullopt;
  const auto presente = [&nomi](const std::string& n) { return std::find(nomi.begin(), nomi.end(), n) != nomi.end(); };
  coppia c;
  c.cartella = cartella_di(percorso);
  std::string percorso_utf8;
  std::string treno_utf8;
  if (*tipo == tipo_descrizione::linea) {
    percorso_utf8 = nome.substr(0, nome.size() - fine_linea.size());
    c.nome_linea = nome;
    std::vector<std::string> treni;
    for (const std::string& n : nomi)
      if (n.size() > percorso_utf8.size() + 1 + fine_treno.size() && n.starts_with(percorso_utf8 + "_") &&
          n.ends_with(fine_treno))
        treni.push_back(n);
    std::sort(treni.begin(), treni.end());
    if (!treni.empty()) {
      c.nome_treno = treni.front();
      treno_utf8 = c.nome_treno.substr(percorso_utf8.size() + 1,
                                       c.nome_treno.size() - percorso_utf8.size() - 1 - fine_treno.size());
    }
  } else {
    c.nome_treno = nome;
    const std::string base = nome.substr(0, nome.size() - fine_treno.size());
    std::size_t taglio = base.find('_');
    for (std::size_t i = base.rfind('_'); i != std::string::npos && i > 0; i = base.rfind('_', i - 1)) {
      if (presente(base.substr(0, i) + std::string(fine_linea))) {
        taglio = i;
        break;
      }
    }
    if (taglio == std::string::npos || taglio == 0 || taglio + 1 >= base.size()) return std::nullopt;
    percorso_utf8 = base.substr(0, taglio);
    treno_utf8 = base.substr(taglio + 1);
    c.nome_linea = percorso_utf8 + std::string(fine_linea);
  }
  const auto p = in_windows1252(percorso_utf8);
  const auto t = in_windows1252(treno_utf8);
  if (!p || !t) return std::nullopt;
  c.id = {*p, *t};
  return c;
}

}  // namespace gara::editore
