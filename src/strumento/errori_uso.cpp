#include "strumento/errori_uso.h"

#include <sstream>
#include <vector>

namespace gara::strumento {

namespace {

// The first word of the message that names an option ("--percorso").
std::string opzione_citata(const std::string& messaggio) {
  std::istringstream parole(messaggio);
  std::string p;
  while (parole >> p) {
    if (p.size() > 1 && p[0] == '-') {
      while (!p.empty() && (p.back() == ':' || p.back() == ',')) p.pop_back();
      // "-o,--output": the long name says more.
      const auto virgola = p.rfind(',');
      return virgola == std::string::npos ? p : p.substr(virgola + 1);
    }
  }
  return {};
}

std::string dopo_i_due_punti(const std::string& messaggio) {
  const auto due_punti = messaggio.find(": ");
  return due_punti == std::string::npos ? messaggio : messaggio.substr(due_punti + 2);
}

}  // namespace

std::string elenco_sottocomandi(const CLI::App& app) {
  const auto sottocomandi = app.get_subcommands([](const CLI::App*) { return true; });
  std::string elenco;
  for (std::size_t i = 0; i < sottocomandi.size(); ++i) {
    if (i > 0) elenco += i + 1 == sottocomandi.size() ? " o " : ", ";
    elenco += sottocomandi[i]->get_name();
  }
  return elenco;
}

std::string errore_uso_in_italiano(const CLI::ParseError& e, const CLI::App& app) {
  const std::string messaggio = e.what();
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
    if (messaggio.find("subcommand") != std::string::npos)
      return "manca il sottocomando: " + elenco_sottocomandi(app);
    const std::string nome = messaggio.substr(0, messaggio.find(" is required"));
    if (!nome.empty() && nome[0] == '-') return "manca l'opzione obbligatoria " + nome;
    return "manca l'argomento obbligatorio " + nome;
  }
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    // The parser lists them last first.
    std::istringstream parole(dopo_i_due_punti(messaggio));
    std::vector<std::string> argomenti;
    for (std::string p; parole >> p;) argomenti.insert(argomenti.begin(), p);
    std::string elenco;
    for (const auto& a : argomenti) elenco += (elenco.empty() ? "" : " ") + a;
    return "argomenti non previsti: " + elenco;
  }
  const std::string nome = opzione_citata(messaggio);
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr)
    return nome.empty() ? "numero di valori sbagliato per un'opzione"
                        : "l'opzione " + nome + " vuole un valore (uno solo)";
  if (dynamic_cast<const CLI::ConversionError*>(&e) != nullptr)
    return nome.empty() ? "valore non ammesso" : "valore non ammesso per " + nome;
  return "argomenti non validi: " + messaggio;
}

}  // namespace gara::strumento
