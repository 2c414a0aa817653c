#include "uscita/scrittura_binari.h"

#include <cstddef>
#include <string>

#include "avvio/file.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "uscita/formato.h"

namespace gara {

namespace {

// The plan reaches tens of megabytes: it is encoded a block at a time and
// handed to the file in pieces of this size, never held whole.
constexpr std::size_t blocco_scrittura = std::size_t{1} << 16;

void scrivi_tracciato(const tracciato_metri& t, const std::filesystem::path& file) {
  sostituzione_file f(file);
  std::string blocco;
  blocco.reserve(blocco_scrittura + formato::byte_tipo_valore + sizeof(double));
  for (int asse = 0; asse <= 1; ++asse) {
    for (int64_t metro = 0; metro <= t.ultimo_metro(); ++metro) {
      codifica_elemento(blocco, t, metro, asse);
      if (blocco.size() >= blocco_scrittura) {
        f.scrivi(blocco);
        blocco.clear();
      }
    }
  }
  f.scrivi(blocco);
  f.conferma();
}

std::string celle_codificate(const std::vector<cella>& celle) {
  std::string byte;
  byte.reserve(celle.size() * formato::byte_cella);
  for (const cella& c : celle) codifica_cella(byte, c);
  return byte;
}

// The line table is small; it is encoded before any file is touched, so
// that a record that cannot be stored stops the writer with every older
// file of the scenario still in place.
std::string tabella_codificata(const tabella& t, const std::filesystem::path& file) {
  std::string byte;
  for (std::size_t i = 0; i < t.size(); ++i) {
    try {
      codifica_voce(byte, t[i]);
    } catch (const errore_formato& e) {
      throw errore_file("impossibile scrivere \"" + nome_leggibile(file) + "\": voce " +
                        std::to_string(i) + ", " + e.what());
    }
  }
  return byte;
}

}  // namespace

void scrivi_binari(stato_compilazione& s) {
  // Without a grid the reading stopped before the route length: there is
  // no scenario the simulator could load, and nothing is written.
  if (!s.griglia_esiste()) return;

  const std::string linea = nome_linea_dat(s.nome_percorso);
  const std::string sim = nome_sim(s.nome_percorso, s.nome_treno);
  const std::string dat = nome_dat(s.nome_percorso, s.nome_treno);
  const auto file_sim = percorso_file(s.cartella_uscita, sim);
  const std::string tabella_byte = tabella_codificata(s.tabella_linea, file_sim);

  if (s.genera_tracciato != 0 && s.tracciato.esiste()) {
    scrivi_tracciato(s.tracciato, percorso_file(s.cartella_uscita, linea));
    s.scritti.push_back(da_windows1252(linea));
  }

  sostituisci_file(file_sim, tabella_byte);
  s.scritti.push_back(da_windows1252(sim));

  sostituisci_file(percorso_file(s.cartella_uscita, dat), celle_codificate(s.celle));
  s.scritti.push_back(da_windows1252(dat));
}

}  // namespace gara
