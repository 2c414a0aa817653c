#include "uscita/scrittura_binari.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "uscita/formato.h"

namespace gara {

namespace {

// The plan reaches tens of megabytes. Its runs of reals are held as the
// file's own bytes and go to it as they stand, in one write each; the few
// other elements are encoded this many metres at a time.
constexpr int64_t metri_per_pezzo = 1 << 14;

void scrivi_tracciato(const tracciato_metri& t, scrittura& f) {
  f.prenota(byte_tracciato(t));
  constexpr auto byte_pezzo = static_cast<std::size_t>(metri_per_pezzo) * formato::byte_elemento_massimo;
  const auto memoria = std::make_unique_for_overwrite<char[]>(byte_pezzo);
  const int64_t oltre = int64_t{t.ultimo_metro()} + 1;
  for (int asse = 0; asse <= 1; ++asse) {
    for (int64_t m = 0; m < oltre;) {
      const int64_t reali = t.fine_tratto(asse, m, oltre, true);
      if (reali > m) {
        const auto byte = t.posti(asse, m, reali);
        f.scrivi({reinterpret_cast<const char*>(byte.data()), byte.size()});
        m = reali;
        continue;
      }
      const int64_t altri = std::min(t.fine_tratto(asse, m, oltre, false), m + metri_per_pezzo);
      const auto byte = codifica_elementi({memoria.get(), byte_pezzo}, t, asse, m, altri);
      f.scrivi({byte.data(), byte.size()});
      m = altri;
    }
  }
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
std::string tabella_codificata(const tabella& t, const std::string& nome) {
  std::string byte;
  for (std::size_t i = 0; i < t.size(); ++i) {
    try {
      codifica_voce(byte, t[i]);
    } catch (const errore_formato& e) {
      throw errore_file("impossibile scrivere \"" + da_windows1252(nome) + "\": voce " +
                        std::to_string(i) + ", " + e.what());
    }
  }
  return byte;
}

}  // namespace

void scrivi_binari(const modello_compilato& s, const apri_scrittura& apri,
                   std::vector<std::string>& scritti) {
  // Without a grid the reading stopped before the route length: there is
  // no scenario the simulator could load, and nothing is written.
  if (!s.griglia_esiste()) return;

  const std::string linea = nome_linea_dat(s.nome_percorso);
  const std::string sim = nome_sim(s.nome_percorso, s.nome_treno);
  const std::string dat = nome_dat(s.nome_percorso, s.nome_treno);
  const std::string tabella_byte = tabella_codificata(s.tabella_linea, sim);

  if (s.tracciato.esiste()) {
    const auto f = apri(linea);
    scrivi_tracciato(s.tracciato, *f);
    scritti.push_back(da_windows1252(linea));
  }

  const auto scrivi_intero = [&](const std::string& nome, std::string_view byte) {
    const auto f = apri(nome);
    f->scrivi(byte);
    f->conferma();
    scritti.push_back(da_windows1252(nome));
  };
  scrivi_intero(sim, tabella_byte);
  scrivi_intero(dat, celle_codificate(s.celle));
}

}  // namespace gara
