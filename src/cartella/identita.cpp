#include "cartella/identita.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "file/file.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"

namespace gara {

namespace {

std::optional<std::string> converti(const std::string& utf8, const char* opzione,
                                    std::ostream& errori) {
  if (utf8.empty()) {
    errori << "scenario: il valore di " << opzione << " non può essere vuoto\n";
    return std::nullopt;
  }
  if (utf8.find_first_of("/\\") != std::string::npos) {
    errori << "scenario: il valore di " << opzione << " (\"" << utf8
           << "\") non può contenere \"/\" o \"\\\": fa parte dei nomi dei file dello scenario\n";
    return std::nullopt;
  }
  auto byte = in_windows1252(utf8);
  if (!byte) {
    errori << "scenario: il valore di " << opzione << " (\"" << utf8
           << "\") contiene caratteri che la codifica Windows-1252 dei file non può "
              "rappresentare\n";
    return byte;
  }
  // The files of the scenario are Windows files, whatever system writes them.
  if (const auto problema = problema_nome_windows(*byte)) {
    errori << "scenario: il valore di " << opzione << " (\"" << utf8 << "\") non può dare nomi di file "
           << "su Windows: " << *problema << "\n";
    return std::nullopt;
  }
  return byte;
}

}  // namespace

std::optional<identita> identita_da_utf8(const std::string& percorso, const std::string& treno,
                                         std::ostream& errori) {
  auto p = converti(percorso, "--percorso", errori);
  if (!p) return std::nullopt;
  auto t = converti(treno, "--treno", errori);
  if (!t) return std::nullopt;
  return identita{std::move(*p), std::move(*t)};
}

std::optional<identita> identita_per_cartella(const std::filesystem::path& cartella,
                                              const std::string& percorso, const std::string& treno,
                                              std::ostream& errori, file_dello_scenario quali) {
  if (!percorso.empty() && !treno.empty()) return identita_da_utf8(percorso, treno, errori);

  // The pairs on disk: "R_linea.txt" beside "R_T-.txt", or the compiled
  // "R_T.dat" beside "R_T.sim".
  const bool descrizioni = quali == file_dello_scenario::descrizioni;
  const std::string_view coda_linea = descrizioni ? "_linea.txt" : ".sim";
  const std::string_view coda_treno = descrizioni ? "-.txt" : ".dat";
  std::vector<std::string> nomi;
  std::error_code e;
  for (std::filesystem::directory_iterator i(cartella, e), fine; !e && i != fine; i.increment(e)) {
    nomi.push_back(nome_leggibile(i->path().filename()));
  }
  std::sort(nomi.begin(), nomi.end());
  const auto presente = [&](const std::string& nome) { return std::binary_search(nomi.begin(), nomi.end(), nome); };
  std::vector<std::pair<std::string, std::string>> coppie;
  if (descrizioni) {
    for (const auto& l : nomi) {
      if (!l.ends_with(coda_linea) || l.size() == coda_linea.size()) continue;
      const std::string r = l.substr(0, l.size() - coda_linea.size());
      if (!percorso.empty() && r != percorso) continue;
      for (const auto& t : nomi) {
        if (!t.starts_with(r + "_") || !t.ends_with(coda_treno)) continue;
        const std::string nome_treno = t.substr(r.size() + 1, t.size() - r.size() - 1 - coda_treno.size());
        if (nome_treno.empty() || (!treno.empty() && nome_treno != treno)) continue;
        coppie.emplace_back(r, nome_treno);
      }
    }
  } else {
    // "R_T.sim" splits at any "_": the route is the split whose cells file
    // is there and, given the name, the one that matches it.
    for (const auto& sim : nomi) {
      if (!sim.ends_with(coda_linea)) continue;
      const std::string base = sim.substr(0, sim.size() - coda_linea.size());
      if (!presente(base + std::string(coda_treno))) continue;
      for (std::size_t u = base.find('_'); u != std::string::npos; u = base.find('_', u + 1)) {
        const std::string r = base.substr(0, u), t = base.substr(u + 1);
        if (r.empty() || t.empty()) continue;
        if ((!percorso.empty() && r != percorso) || (!treno.empty() && t != treno)) continue;
        if (percorso.empty() && !presente(r + "_linea.dat") && base.find('_', u + 1) != std::string::npos) continue;
        coppie.emplace_back(r, t);
      }
    }
  }
  if (coppie.size() == 1) return identita_da_utf8(coppie[0].first, coppie[0].second, errori);
  if (coppie.empty()) {
    errori << "scenario: nella cartella \"" << nome_leggibile(cartella)
           << "\" non c'è "
           << (descrizioni ? "una coppia di descrizioni (PERCORSO_linea.txt e PERCORSO_TRENO-.txt)"
                           : "uno scenario compilato (PERCORSO_TRENO.sim e PERCORSO_TRENO.dat)")
           << (percorso.empty() && treno.empty() ? "" : " con i nomi dati")
           << ": indica --percorso e --treno\n";
    return std::nullopt;
  }
  errori << "scenario: nella cartella \"" << nome_leggibile(cartella)
         << "\" ci sono più scenari; scegline uno con --percorso e --treno:\n";
  for (const auto& [r, t] : coppie) errori << "  --percorso \"" << r << "\" --treno \"" << t << "\"\n";
  return std::nullopt;
}

}  // namespace gara
