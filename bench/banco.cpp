// Benchmarks of the compiler's stages: the field reader, the in-memory
// compile of the shipped and of the maximum scenario, and the binary writer.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "avvio/file.h"
#include "lettura/lettore_campi.h"
#include "lettura/memorizza_dati.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"
#include "scenario_massimo.h"
#include "uscita/scrittura_binari.h"
#include "uscita/tavole_orientamento.h"
#include "uscita/timbro.h"

namespace gara::banco {
namespace {

// A folder of its own under the temporary folder, removed at the end.
struct cartella {
  std::filesystem::path p;
  cartella() {
    std::random_device r;
    p = std::filesystem::temp_directory_path() / ("gara-banco-" + std::to_string(r()));
    std::filesystem::create_directories(p);
  }
  ~cartella() {
    std::error_code e;
    std::filesystem::remove_all(p, e);
  }
};

// Reads every field of a text, as text, the way the readers walk it.
void BM_lettore_campi(benchmark::State& stato) {
  const std::string testo = genera_scenario_massimo().linea;
  for (auto _ : stato) {
    lettore_campi f(testo);
    std::size_t campi = 0;
    while (!f.a_fine()) {
      benchmark::DoNotOptimize(f.leggi_testo());
      ++campi;
    }
    benchmark::DoNotOptimize(campi);
  }
  stato.SetBytesProcessed(static_cast<int64_t>(stato.iterations()) * static_cast<int64_t>(testo.size()));
}
BENCHMARK(BM_lettore_campi);

// The compile up to the binary files: descriptions read from a folder (the
// reader's own input), passes and stamp; the descriptions are kept.
void compila_in_memoria(benchmark::State& stato, const std::string& linea, const std::string& treno) {
  cartella c;
  const std::string percorso = "B", nome_treno = "T";
  sostituisci_file(percorso_file(c.p, nome_descrizione_linea(percorso)), linea);
  sostituisci_file(percorso_file(c.p, nome_descrizione_treno(percorso, nome_treno)), treno);
  for (auto _ : stato) {
    stato_compilazione s;
    s.nome_percorso = percorso;
    s.nome_treno = nome_treno;
    s.cartella = c.p;
    s.cancella_descrizioni = false;
    s.genera_tracciato = 1;
    memorizza_dati(s);
    tavole_orientamento(s);
    timbra(s);
    if (s.codice_errore != 0) stato.SkipWithError("lo scenario non si compila senza problemi");
    benchmark::DoNotOptimize(s.celle.data());
  }
}

void BM_compila_pacchetto(benchmark::State& stato) {
  compila_in_memoria(stato, testo_windows1252(righe_linea()), testo_windows1252(righe_treno()));
}
BENCHMARK(BM_compila_pacchetto)->Unit(benchmark::kMillisecond);

void BM_compila_massimo(benchmark::State& stato) {
  const auto m = genera_scenario_massimo();
  compila_in_memoria(stato, m.linea, m.treno);
}
BENCHMARK(BM_compila_massimo)->Unit(benchmark::kMillisecond);

// Writes the three binary files of the maximum scenario.
void BM_scrittura_binari(benchmark::State& stato) {
  cartella c;
  const auto m = genera_scenario_massimo();
  stato_compilazione s;
  s.nome_percorso = "B";
  s.nome_treno = "T";
  s.cartella = c.p;
  s.cartella_uscita = c.p;
  s.cancella_descrizioni = false;
  s.genera_tracciato = 1;
  sostituisci_file(percorso_file(c.p, nome_descrizione_linea(s.nome_percorso)), m.linea);
  sostituisci_file(percorso_file(c.p, nome_descrizione_treno(s.nome_percorso, s.nome_treno)), m.treno);
  memorizza_dati(s);
  timbra(s);
  int64_t byte = 0;
  for (auto _ : stato) {
    s.scritti.clear();
    scrivi_binari(s);
    byte = 0;
    for (const auto& nome : s.scritti) byte += static_cast<int64_t>(std::filesystem::file_size(c.p / nome));
  }
  stato.SetBytesProcessed(static_cast<int64_t>(stato.iterations()) * byte);
}
BENCHMARK(BM_scrittura_binari)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gara::banco

BENCHMARK_MAIN();
