// The language server's time from a change to its published diagnostics,
// on the shipped scenario and on the largest route the format allows: a
// one-character change of the open train description, then the check of
// the pair and the diagnostics of both files. Median and 95th percentile
// over the repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "editore/server.h"
#include "modello/windows1252.h"
#include "scenario/dati.h"
#include "scenario_massimo.h"

namespace gara::banco {
namespace {

using nlohmann::json;

constexpr const char* uri_linea = "file:///banco_lsp_inesistente/B_linea.txt";
constexpr const char* uri_treno = "file:///banco_lsp_inesistente/B_T-.txt";

std::string corpo(const std::string& metodo, json parametri, std::optional<int> id = std::nullopt) {
  json m = {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
  if (id) m["id"] = *id;
  return m.dump();
}

void da_modifica_a_diagnostiche(benchmark::State& stato, const std::string& linea, const std::string& treno) {
  editore::server s;
  s.ricevi(corpo("initialize", {{"capabilities", json::object()}}, 1));
  for (const auto& [uri, testo] : {std::pair{uri_linea, linea}, std::pair{uri_treno, treno}})
    s.ricevi(corpo("textDocument/didOpen",
                   {{"textDocument", {{"uri", uri}, {"languageId", "x"}, {"version", 1}, {"text", da_windows1252(testo)}}}}));
  s.verifica_in_attesa();
  // The first character of the file typed again: the text stays, the check runs.
  const std::string primo(1, treno.front());
  int versione = 1;
  for (auto _ : stato) {
    s.ricevi(corpo("textDocument/didChange",
                   {{"textDocument", {{"uri", uri_treno}, {"version", ++versione}}},
                    {"contentChanges", {{{"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 1}}}}},
                                         {"text", primo}}}}}));
    const auto pubblicate = s.verifica_in_attesa();
    if (pubblicate.size() != 2) stato.SkipWithError("diagnostiche non pubblicate per i due file");
    benchmark::DoNotOptimize(pubblicate.data());
  }
}

double percentile_95(const std::vector<double>& v) {
  std::vector<double> x = v;
  std::sort(x.begin(), x.end());
  if (x.empty()) return 0;
  const auto i = static_cast<std::size_t>(0.95 * static_cast<double>(x.size() - 1) + 0.5);
  return x[std::min(i, x.size() - 1)];
}

void BM_lsp_spedito(benchmark::State& stato) { da_modifica_a_diagnostiche(stato, dati_linea(), dati_treno()); }
BENCHMARK(BM_lsp_spedito)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(200)
    ->ComputeStatistics("p95", percentile_95)
    ->ReportAggregatesOnly(true);

void BM_lsp_massimo(benchmark::State& stato) {
  const auto m = genera_scenario_massimo();
  da_modifica_a_diagnostiche(stato, m.linea, m.treno);
}
BENCHMARK(BM_lsp_massimo)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(40)
    ->ComputeStatistics("p95", percentile_95)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace gara::banco

BENCHMARK_MAIN();
