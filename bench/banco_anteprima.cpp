// The preview's time from a save to its page's new content: a station of
// the train description renamed and saved as editors save (a new file
// renamed over the old one), until the content the page is sent holds the
// new name. Side by side in one run: the folder followed by the system's
// notifications, and by polling as before them. On the shipped scenario
// and on the largest route the format allows; median and 95th percentile
// as counters (milliseconds). The browser's own drawing is not in it:
// tests/navigatore/anteprima.mjs --banco measures up to the screen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "anteprima/bacheca.h"
#include "cartella/segui_descrizioni.h"
#include "file/notifiche_cartella.h"
#include "file/sorveglianza.h"
#include "scenario/dati.h"
#include "scenario_massimo.h"

namespace gara::banco {
namespace {

using orologio = std::chrono::steady_clock;

void scrivi(const std::filesystem::path& file, const std::string& byte) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f << byte;
}

void salva(const std::filesystem::path& file, const std::string& byte) {
  auto nuovo = file;
  nuovo += ".tmp";
  scrivi(nuovo, byte);
  std::filesystem::rename(nuovo, file);
}

double quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

struct scenario_banco {
  std::string percorso, treno;  // Windows-1252
  std::string linea_byte, treno_byte;
  std::string stazione;  // a station of the train description, renamed at each save
};

void da_salvataggio_a_pagina(benchmark::State& stato, const scenario_banco& s, modo_notifiche modo) {
  const auto cartella = std::filesystem::temp_directory_path() /
                        ("banco_anteprima_" + std::to_string(orologio::now().time_since_epoch().count()));
  std::filesystem::create_directories(cartella);
  const auto file_treno = cartella / (s.percorso + "_" + s.treno + "-.txt");
  scrivi(cartella / (s.percorso + "_linea.txt"), s.linea_byte);
  scrivi(file_treno, s.treno_byte);
  {
    anteprima::bacheca b({s.percorso, s.treno, true});
    notifiche_cartella notifiche(cartella, modo);
    sorveglianza_descrizioni sorveglianza(cartella, s.percorso, s.treno);
    if (auto d = sorveglianza.cambiate()) b.aggiorna(*d);
    std::thread segue([&] {
      segui_descrizioni(sorveglianza, notifiche, std::chrono::hours(1), [] { return false; },
                        [&b](const sorgenti& d) { b.aggiorna(d); });
    });
    uint64_t vista = 0;
    b.attendi(vista, std::chrono::seconds(60));
    std::vector<double> tempi;
    int volta = 0;
    for (auto _ : stato) {
      const std::string nuovo = s.stazione + " " + std::to_string(++volta);
      std::string testo = s.treno_byte;
      testo.replace(testo.find(s.stazione), s.stazione.size(), nuovo);
      // An author saves at any moment, not just after the page changed:
      // each save waits a different part of the polling interval first.
      std::this_thread::sleep_for(std::chrono::milliseconds(volta * 37 % intervallo_sondaggio.count()));
      const auto inizio = orologio::now();
      salva(file_treno, testo);
      while (true) {
        const auto json = b.attendi(vista, std::chrono::seconds(60));
        if (!json || json->empty()) {
          stato.SkipWithError("la pagina non si è aggiornata");
          break;
        }
        if (json->find(nuovo) != std::string::npos) break;
      }
      const std::chrono::duration<double> t = orologio::now() - inizio;
      stato.SetIterationTime(t.count());
      tempi.push_back(t.count() * 1000);
    }
    notifiche.ferma();
    segue.join();
    b.chiudi();
    stato.counters["mediana_ms"] = quantile(tempi, 0.5);
    stato.counters["p95_ms"] = quantile(tempi, 0.95);
    stato.SetLabel(notifiche.modo() == modo_notifiche::sistema ? "avvisi del sistema" : "sondaggio");
  }
  std::filesystem::remove_all(cartella);
}

// The file layer alone: from a save to its bytes handed on, nothing done
// with them.
void da_salvataggio_a_consegna(benchmark::State& stato, modo_notifiche modo) {
  const auto cartella = std::filesystem::temp_directory_path() /
                        ("banco_consegna_" + std::to_string(orologio::now().time_since_epoch().count()));
  std::filesystem::create_directories(cartella);
  const auto file_treno = cartella / "P_T-.txt";
  scrivi(file_treno, "0");
  {
    notifiche_cartella notifiche(cartella, modo);
    sorveglianza_descrizioni sorveglianza(cartella, "P", "T");
    sorveglianza.cambiate();
    std::mutex m;
    std::condition_variable cv;
    std::string consegnato;
    std::thread segue([&] {
      segui_descrizioni(sorveglianza, notifiche, std::chrono::hours(1), [] { return false; },
                        [&](const sorgenti& d) {
                          std::lock_guard l(m);
                          consegnato = d.treno.byte.value_or("");
                          cv.notify_all();
                        });
    });
    std::vector<double> tempi;
    int volta = 0;
    for (auto _ : stato) {
      const std::string testo = std::to_string(++volta);
      std::this_thread::sleep_for(std::chrono::milliseconds(volta * 37 % intervallo_sondaggio.count()));
      const auto inizio = orologio::now();
      salva(file_treno, testo);
      std::unique_lock l(m);
      if (!cv.wait_for(l, std::chrono::seconds(60), [&] { return consegnato == testo; }))
        stato.SkipWithError("il salvataggio non è arrivato");
      const std::chrono::duration<double> t = orologio::now() - inizio;
      stato.SetIterationTime(t.count());
      tempi.push_back(t.count() * 1000);
    }
    notifiche.ferma();
    segue.join();
    stato.counters["mediana_ms"] = quantile(tempi, 0.5);
    stato.counters["p95_ms"] = quantile(tempi, 0.95);
  }
  std::filesystem::remove_all(cartella);
}

void BM_consegna_sondaggio(benchmark::State& stato) { da_salvataggio_a_consegna(stato, modo_notifiche::sondaggio); }
void BM_consegna_avvisi(benchmark::State& stato) { da_salvataggio_a_consegna(stato, modo_notifiche::sistema); }
BENCHMARK(BM_consegna_sondaggio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_consegna_avvisi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

scenario_banco spedito() {
  return {percorso_del_pacchetto, treno_del_pacchetto, dati_linea(), dati_treno(), "GINOSA"};
}

scenario_banco massimo() {
  auto m = genera_scenario_massimo();
  return {"Massimo", "M 1", std::move(m.linea), std::move(m.treno), "STAZIONE 1"};
}

// The yardstick: the page's own work on the same save (the descriptions
// already in memory: the compile, the check, the drawing, the JSON).
void lavoro_della_pagina(benchmark::State& stato, const scenario_banco& s) {
  anteprima::bacheca b({s.percorso, s.treno, true});
  sorgenti d;
  d.linea = {s.percorso + "_linea.txt", s.linea_byte, std::nullopt};
  std::vector<double> tempi;
  int volta = 0;
  uint64_t vista = 0;
  for (auto _ : stato) {
    std::string testo = s.treno_byte;
    testo.replace(testo.find(s.stazione), s.stazione.size(), s.stazione + " " + std::to_string(++volta));
    d.treno = {s.percorso + "_" + s.treno + "-.txt", std::move(testo), std::nullopt};
    const auto inizio = orologio::now();
    b.aggiorna(d);
    benchmark::DoNotOptimize(b.attendi(vista, std::chrono::seconds(60)));
    const std::chrono::duration<double> t = orologio::now() - inizio;
    stato.SetIterationTime(t.count());
    tempi.push_back(t.count() * 1000);
  }
  b.chiudi();
  stato.counters["mediana_ms"] = quantile(tempi, 0.5);
  stato.counters["p95_ms"] = quantile(tempi, 0.95);
}

void BM_anteprima_spedito_lavoro(benchmark::State& stato) { lavoro_della_pagina(stato, spedito()); }
void BM_anteprima_spedito_sondaggio(benchmark::State& stato) {
  da_salvataggio_a_pagina(stato, spedito(), modo_notifiche::sondaggio);
}
void BM_anteprima_spedito_avvisi(benchmark::State& stato) {
  da_salvataggio_a_pagina(stato, spedito(), modo_notifiche::sistema);
}
void BM_anteprima_massimo_lavoro(benchmark::State& stato) { lavoro_della_pagina(stato, massimo()); }
void BM_anteprima_massimo_sondaggio(benchmark::State& stato) {
  da_salvataggio_a_pagina(stato, massimo(), modo_notifiche::sondaggio);
}
void BM_anteprima_massimo_avvisi(benchmark::State& stato) {
  da_salvataggio_a_pagina(stato, massimo(), modo_notifiche::sistema);
}
BENCHMARK(BM_anteprima_spedito_lavoro)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_anteprima_spedito_sondaggio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_anteprima_spedito_avvisi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_anteprima_massimo_lavoro)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_anteprima_massimo_sondaggio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_anteprima_massimo_avvisi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace gara::banco

BENCHMARK_MAIN();
