#include "uscita/scrittura_binari.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <future>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "avvio/file.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"
#include "uscita/formato.h"

namespace gara {

namespace {

// The plan reaches tens of megabytes: it is encoded this many metres at a
// time and handed to the file in pieces, never held whole.
constexpr int64_t metri_per_pezzo = 1 << 16;
constexpr auto byte_pezzo = static_cast<std::size_t>(metri_per_pezzo) * formato::byte_elemento_massimo;

struct pezzo {
  int asse;
  int64_t da, fino;
};

void scrivi_tracciato(const tracciato_metri& t, const std::filesystem::path& file) {
  sostituzione_file f(file);
  f.prenota(byte_tracciato(t));
  // The pieces in file order: axis 0 for every metre, then axis 1.
  std::vector<pezzo> pezzi;
  for (int asse = 0; asse <= 1; ++asse)
    for (int64_t da = 0; da <= t.ultimo_metro(); da += metri_per_pezzo)
      pezzi.push_back({asse, da, std::min<int64_t>(da + metri_per_pezzo, int64_t{t.ultimo_metro()} + 1)});
  if (pezzi.empty()) return f.conferma();

  // While one piece goes to the file, a second thread encodes the next one
  // into the other buffer: the system's copying and the encoding overlap.
  // A short route's plan (a piece per axis) is not worth a thread.
  const std::array<std::unique_ptr<char[]>, 2> memorie = {std::make_unique_for_overwrite<char[]>(byte_pezzo),
                                                          std::make_unique_for_overwrite<char[]>(byte_pezzo)};
  const auto codifica = [&](std::size_t k) {
    return codifica_elementi({memorie[k % 2].get(), byte_pezzo}, t, pezzi[k].asse, pezzi[k].da,
                             pezzi[k].fino);
  };
  const auto modo = pezzi.size() > 2 ? std::launch::async : std::launch::deferred;
  std::future<std::span<const char>> prossimo = std::async(modo, codifica, 0);
  for (std::size_t k = 0; k < pezzi.size(); ++k) {
    const std::span<const char> byte = prossimo.get();
    if (k + 1 < pezzi.size()) prossimo = std::async(modo, codifica, k + 1);
    f.scrivi({byte.data(), byte.size()});
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
