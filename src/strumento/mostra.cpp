#include "strumento/mostra.h"

#include <string>

#include "elenchi/binari.h"
#include "file/file.h"
#include "strumento/cartelle.h"
#include "strumento/uscite.h"

namespace gara::strumento {

int comando_mostra(const opzioni_mostra& o, std::ostream& out, std::ostream& err) {
  const auto genere = elenchi::genere_da_nome(nome_leggibile(o.file.filename()));
  if (!genere) {
    err << "scenario: non so che file sia " << tra_virgolette(o.file)
        << ": il nome deve finire con \"_linea.dat\" (tracciato), \".sim\" (tabella della "
           "linea) o \".dat\" (celle)\n";
    return uscita::uso;
  }
  const std::string byte = leggi_file(o.file);

  // Decoded first: a file that does not fit its layout prints nothing on
  // the standard output.
  const auto d = elenchi::decodifica_binario(*genere, byte);
  if (!d) {
    err << "scenario: " << tra_virgolette(o.file) << " non è un " << elenchi::nome_json(*genere)
        << " valido (" << byte.size() << " byte): " << d.errore << "\n";
    return uscita::codice_errore;
  }
  if (o.json) {
    out << elenchi::testo_json(
        elenchi::binario_json(nome_leggibile(o.file.filename()), byte.size(), *d.valore));
  } else {
    out << elenchi::descrizione(*genere) << " " << tra_virgolette(o.file) << ", " << byte.size()
        << " byte: ";
    elenchi::elenca_binario(*d.valore, out);
  }
  return uscita::riuscita;
}

}  // namespace gara::strumento
