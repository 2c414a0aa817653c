#include "strumento/errori_uso.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>

#include "lettura/parole.h"

namespace gara::strumento {

namespace {

std::string minuscole(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// The candidate a slip most likely meant: one that begins with what was
// typed (a shortened option), else the nearest within a few edits.
std::optional<std::string> piu_vicino(const std::string& scritto, const std::vector<std::string>& candidati) {
  const std::string s = minuscole(scritto);
  std::optional<std::string> migliore;
  // A word of two letters ("-x") is too short to have been mistyped from
  // anything in particular.
  if (s.size() <= 2) return migliore;
  std::size_t migliore_distanza = std::max<std::size_t>(1, s.size() / 4) + 1;
  for (const auto& c : candidati) {
    const std::string m = minuscole(c);
    const std::size_t d = m.rfind(s, 0) == 0 && s.size() >= 3 ? 0 : distanza(s, m);
    if (d < migliore_distanza) {
      migliore = c;
      migliore_distanza = d;
    }
  }
  return migliore;
}

std::string elenco(const std::vector<std::string>& voci, const char* congiunzione) {
  std::string r;
  for (std::size_t i = 0; i < voci.size(); ++i) {
    if (i > 0) r += i + 1 == voci.size() ? congiunzione : ", ";
    r += voci[i];
  }
  return r;
}

// The long and short names of an option, as typed ("--formato", "-o").
std::vector<std::string> nomi_opzione(const CLI::Option& o) {
  std::vector<std::string> nomi;
  for (const auto& n : o.get_lnames()) nomi.push_back("--" + n);
  for (const auto& n : o.get_snames()) nomi.push_back("-" + n);
  return nomi;
}

std::vector<std::string> nomi_opzioni(const CLI::App& sub) {
  std::vector<std::string> nomi;
  for (const CLI::Option* o : sub.get_options())
    for (auto& n : nomi_opzione(*o)) nomi.push_back(std::move(n));
  return nomi;
}

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

// The subcommand the parser was in when it stopped, or the tool itself.
const CLI::App& sottocomando_in_corso(const CLI::App& app) {
  const auto scelti = app.get_subcommands();
  return scelti.empty() ? app : *scelti.front();
}

// "--format": not an option of this subcommand; the nearest one, or the
// subcommand that has it.
std::string opzione_sconosciuta(const std::string& scritta, const CLI::App& app, const CLI::App& sub) {
  const std::string nome = scritta.substr(0, scritta.find('='));
  std::string r = "l'opzione " + nome + " non esiste";
  if (&sub != &app) r += " per " + sub.get_name();
  if (const auto vicina = piu_vicino(nome, nomi_opzioni(sub))) return r + " (forse " + *vicina + "?)";
  for (const CLI::App* altro : app.get_subcommands([](const CLI::App*) { return true; })) {
    const auto nomi = nomi_opzioni(*altro);
    if (altro != &sub && std::find(nomi.begin(), nomi.end(), nome) != nomi.end())
      return r + " (è un'opzione di " + altro->get_name() + ")";
  }
  return r;
}

}  // namespace

std::string elenco_sottocomandi(const CLI::App& app) {
  std::vector<std::string> nomi;
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
    nomi.push_back(sub->get_name());
  return elenco(nomi, " o ");
}

std::string sottocomando_sconosciuto(const std::string& scritto, const CLI::App& app) {
  std::vector<std::string> nomi;
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
    nomi.push_back(sub->get_name());
  std::string r = "sottocomando sconosciuto: " + scritto;
  if (const auto vicino = piu_vicino(scritto, nomi)) r += " (forse " + *vicino + "?)";
  return r + "; i sottocomandi sono " + elenco(nomi, " e ");
}

std::string opzione_sconosciuta(const std::string& scritta, const CLI::App& app) {
  return opzione_sconosciuta(scritta, app, app);
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
    const CLI::App& sub = sottocomando_in_corso(app);
    // The parser lists them last first.
    auto argomenti = sub.remaining();
    if (argomenti.empty()) {
      std::istringstream parole(dopo_i_due_punti(messaggio));
      for (std::string p; parole >> p;) argomenti.insert(argomenti.begin(), p);
    }
    std::vector<std::string> detti;
    std::vector<std::string> altri;
    for (const auto& a : argomenti) {
      if (a.size() > 1 && a[0] == '-')
        detti.push_back(opzione_sconosciuta(a, app, sub));
      else
        altri.push_back(a);
    }
    // After an unknown option the words that follow are out of place only
    // because of it ("--format json CARTELLA" takes json for the folder).
    if (detti.empty()) detti.push_back("argomenti non previsti: " + elenco(altri, " "));
    return elenco(detti, "; ");
  }
  const std::string nome = opzione_citata(messaggio);
  if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr)
    return "valore non ammesso per " + nome + ": " + dopo_i_due_punti(messaggio);
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr)
    return nome.empty() ? "numero di valori sbagliato per un'opzione"
                        : "l'opzione " + nome + " vuole un valore (uno solo)";
  if (dynamic_cast<const CLI::ConversionError*>(&e) != nullptr)
    return nome.empty() ? "valore non ammesso" : "valore non ammesso per " + nome;
  return "argomenti non validi: " + messaggio;
}

CLI::Validator uno_tra(std::vector<std::string> ammessi) {
  return CLI::Validator(
      [ammessi](std::string& valore) -> std::string {
        for (const auto& a : ammessi)
          if (minuscole(valore) == a) {
            valore = a;
            return {};
          }
        std::string r = "\"" + valore + "\"";
        if (const auto vicino = piu_vicino(valore, ammessi)) r += " (forse " + *vicino + "?)";
        return r + "; i valori ammessi sono " + elenco(ammessi, " o ");
      },
      "");
}

CLI::Validator intero_tra(long long minimo, long long massimo) {
  return CLI::Validator(
      [minimo, massimo](std::string& valore) -> std::string {
        long long n = 0;
        const char* fine = valore.data() + valore.size();
        const auto [p, ec] = std::from_chars(valore.data(), fine, n);
        const std::string limiti = "un numero intero da " + std::to_string(minimo) + " a " +
                                   std::to_string(massimo);
        if (valore.empty() || ec == std::errc::invalid_argument || p != fine)
          return "\"" + valore + "\" non è " + limiti;
        if (ec == std::errc::result_out_of_range || n < minimo || n > massimo)
          return valore + " è fuori dai limiti: ci vuole " + limiti;
        return {};
      },
      "");
}

}  // namespace gara::strumento
