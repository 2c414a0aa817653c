#include "strumento/mostra.h"

#include <algorithm>
#include <cctype>

#include "file/file.h"
#include "strumento/cartelle.h"
#include "strumento/elenchi.h"
#include "strumento/uscite.h"
#include "uscita/formato.h"

namespace gara::strumento {

namespace {

bool finisce_con(const std::string& nome, const std::string& coda) {
  return nome.size() >= coda.size() && nome.compare(nome.size() - coda.size(), coda.size(), coda) == 0;
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

void stampa_json(const nlohmann::ordered_json& j, std::ostream& out) {
  out << j.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace

std::optional<genere_binario> genere_da_nome(const std::filesystem::path& file) {
  std::string nome = nome_leggibile(file.filename());
  std::transform(nome.begin(), nome.end(), nome.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (finisce_con(nome, "_linea.dat")) return genere_binario::tracciato;
  if (finisce_con(nome, ".sim")) return genere_binario::tabella;
  if (finisce_con(nome, ".dat")) return genere_binario::celle;
  return std::nullopt;
}

int comando_mostra(const opzioni_mostra& o, std::ostream& out, std::ostream& err) {
  const auto genere = genere_da_nome(o.file);
  if (!genere) {
    err << "scenario: non so che file sia " << tra_virgolette(o.file)
        << ": il nome deve finire con \"_linea.dat\" (tracciato), \".sim\" (tabella della "
           "linea) o \".dat\" (celle)\n";
    return uscita::uso;
  }
  std::string byte;
  try {
    byte = leggi_file(o.file);
  } catch (const errore_file& e) {
    err << "scenario: " << e.what() << "\n";
    return uscita::uso;
  }

  const auto non_valido = [&](const std::string& motivo) {
    err << "scenario: " << tra_virgolette(o.file) << " non è un " << nome_json(*genere)
        << " valido (" << byte.size() << " byte): " << motivo << "\n";
    return uscita::codice_errore;
  };

  // Decoded first: a file that does not fit its layout prints nothing on
  // the standard output.
  nlohmann::ordered_json j = nlohmann::ordered_json::object();
  j["file"] = nome_leggibile(o.file.filename());
  j["genere"] = nome_json(*genere);
  j["byte"] = byte.size();
  const std::string intestazione =
      std::string(descrizione(*genere)) + " " + tra_virgolette(o.file) + ", " +
      std::to_string(byte.size()) + " byte: ";

  switch (*genere) {
    case genere_binario::celle: {
      const auto d = decodifica_celle(byte);
      if (!d) return non_valido(d.errore);
      if (!o.json) {
        out << intestazione;
        elenca_celle(*d.valore, out);
        return uscita::riuscita;
      }
      j["celle"] = celle_json(*d.valore);
      break;
    }
    case genere_binario::tabella: {
      const auto d = decodifica_tabella(byte);
      if (!d) return non_valido(d.errore);
      if (!o.json) {
        out << intestazione;
        elenca_tabella(*d.valore, out);
        return uscita::riuscita;
      }
      j["voci"] = tabella_json(*d.valore);
      break;
    }
    case genere_binario::tracciato: {
      const auto d = decodifica_tracciato(byte);
      if (!d) return non_valido(d.errore);
      if (!o.json) {
        out << intestazione;
        elenca_tracciato(*d.valore, out);
        return uscita::riuscita;
      }
      j["ultimo_metro"] = d.valore->ultimo_metro();
      j["assi"] = tracciato_json(*d.valore);
      break;
    }
  }
  stampa_json(j, out);
  return uscita::riuscita;
}

}  // namespace gara::strumento
