#include "file/scenario_su_disco.h"

#include "file/file.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"

namespace gara {

descrizione leggi_descrizione(const std::filesystem::path& file, std::string nome) {
  descrizione d;
  d.nome = std::move(nome);
  if (!esiste_file(file)) return d;
  try {
    d.byte = leggi_file(file);
  } catch (const errore_file& e) {
    d.illeggibile = e.what();
  }
  return d;
}

sorgenti leggi_sorgenti(const std::filesystem::path& cartella, const std::string& nome_percorso,
                        const std::string& nome_treno) {
  const std::string linea = nome_descrizione_linea(nome_percorso);
  const std::string treno = nome_descrizione_treno(nome_percorso, nome_treno);
  return {leggi_descrizione(percorso_file(cartella, linea), da_windows1252(linea)),
          leggi_descrizione(percorso_file(cartella, treno), da_windows1252(treno))};
}

void cancella_descrizioni(const std::filesystem::path& cartella, const risultato_compilazione& r) {
  const modello_compilato& m = r.modello;
  if (r.cancella_linea) cancella_file(percorso_file(cartella, nome_descrizione_linea(m.nome_percorso)));
  if (r.cancella_treno)
    cancella_file(percorso_file(cartella, nome_descrizione_treno(m.nome_percorso, m.nome_treno)));
}

apri_scrittura scrittura_in_cartella(const std::filesystem::path& cartella) {
  return [cartella](const std::string& nome) -> std::unique_ptr<scrittura> {
    return std::make_unique<sostituzione_file>(percorso_file(cartella, nome));
  };
}

}  // namespace gara
