// Benchmarks of the compiler's stages: the field reader, the in-memory
// compile of the shipped and of the maximum scenario, and the binary writer;
// and of the running times on the maximum scenario.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "compilazione/compila.h"
#include "lettura/lettore_campi.h"
#include "orario/orario.h"
#include "scenario/dati.h"
#include "scenario_massimo.h"
#include "uscita/scrittura_binari.h"
#include "verifica/verifica.h"

namespace gara::banco {
namespace {

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

// The compile up to the binary files, from the descriptions' bytes:
// reading, passes and stamp, all in memory.
sorgenti descrizioni(const std::string& linea, const std::string& treno) {
  sorgenti d;
  d.linea = {"B_linea.txt", linea, std::nullopt};
  d.treno = {"B_T-.txt", treno, std::nullopt};
  return d;
}

void compila_in_memoria(benchmark::State& stato, const std::string& linea, const std::string& treno) {
  const sorgenti d = descrizioni(linea, treno);
  for (auto _ : stato) {
    const risultato_compilazione r = compila(d, {"B", "T", 1});
    if (r.codice_errore() != 0) stato.SkipWithError("lo scenario non si compila senza problemi");
    benchmark::DoNotOptimize(r.modello.celle.data());
  }
}

// The check of the maximum scenario: a faithful compile, a checking one
// and the warnings; against BM_compila_massimo.
void BM_verifica_massimo(benchmark::State& stato) {
  const auto m = genera_scenario_massimo();
  const sorgenti d = descrizioni(m.linea, m.treno);
  for (auto _ : stato) {
    const esito_verifica e = verifica(d, {"B", "T", 1});
    if (e.errori != 0) stato.SkipWithError("lo scenario massimo ha errori");
    benchmark::DoNotOptimize(e.diagnostiche.data());
  }
}
BENCHMARK(BM_verifica_massimo)->Unit(benchmark::kMillisecond);

// The running times of the maximum scenario from its check: the limit
// profiles of a million metres, 69 sections, the bound and the estimated
// run of each; against BM_compila_massimo.
void BM_orario_massimo(benchmark::State& stato) {
  const auto m = genera_scenario_massimo();
  const esito_verifica e = verifica(descrizioni(m.linea, m.treno), {"B", "T", 1});
  for (auto _ : stato) {
    const orario::risultato_orario r = orario::calcola_orario(e, "B_T-.txt", std::nullopt, {});
    if (r.tratte.size() != 69) stato.SkipWithError("lo scenario massimo non ha 69 tratte");
    benchmark::DoNotOptimize(r.tratte.data());
  }
}
BENCHMARK(BM_orario_massimo)->Unit(benchmark::kMillisecond);

void BM_compila_pacchetto(benchmark::State& stato) {
  compila_in_memoria(stato, dati_linea(), dati_treno());
}
BENCHMARK(BM_compila_pacchetto)->Unit(benchmark::kMillisecond);

void BM_compila_massimo(benchmark::State& stato) {
  const auto m = genera_scenario_massimo();
  compila_in_memoria(stato, m.linea, m.treno);
}
BENCHMARK(BM_compila_massimo)->Unit(benchmark::kMillisecond);

// Encodes the three binary files of the maximum scenario, to a
// destination that only counts the bytes.
void BM_scrittura_binari(benchmark::State& stato) {
  const auto m = genera_scenario_massimo();
  const risultato_compilazione r = compila(descrizioni(m.linea, m.treno), {"B", "T", 1});
  uint64_t byte = 0;
  for (auto _ : stato) {
    byte = 0;
    std::vector<std::string> scritti;
    scrivi_binari(
        r.modello, [&](const std::string&) { return std::make_unique<scrittura_contata>(byte); }, scritti);
  }
  stato.SetBytesProcessed(static_cast<int64_t>(stato.iterations()) * static_cast<int64_t>(byte));
}
BENCHMARK(BM_scrittura_binari)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gara::banco

BENCHMARK_MAIN();
