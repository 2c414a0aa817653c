// Writes the seed corpora of the fuzz targets into the folder given:
//   <cartella>/lettore_campi, memorizza_dati, decodificatori, pacchetto_dati
//   and anteprima
// from the descriptions the package writes, the binary files it compiles
// from them, and the hostile inputs of the test suite.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bersagli_fuzz.h"
#include "ingressi_ostili.h"
#include "compilazione/compila.h"
#include "modello/stato_compilazione.h"
#include "pacchetto/carico.h"
#include "pacchetto/eseguibile.h"
#include "scenario/dati.h"
#include "uscita/formato.h"

namespace {

namespace fs = std::filesystem;

// Seeds larger than this would make the fuzzer work on long inputs all the
// time; the hostile table's giants stay in the test suite.
constexpr std::size_t seme_massimo = 16 * 1024;

void scrivi(const fs::path& file, const std::string& byte) {
  if (byte.size() > seme_massimo) return;
  std::ofstream f(file, std::ios::binary);
  f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
  if (!f) throw std::runtime_error("impossibile scrivere " + file.string());
}

// The field reader's input starts with the byte that chooses the kind of
// each field: all text, all 32-bit numbers, and a mix.
void semi_lettore(const fs::path& cartella, const std::string& nome, const std::string& testo) {
  const char scelte[] = {'\x00', '\x55', '\xE4', '\x1B'};
  for (char c : scelte)
    scrivi(cartella / (nome + "-" + std::to_string(static_cast<unsigned char>(c))), c + testo);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: semi_fuzz <cartella>\n");
    return 2;
  }
  const fs::path uscita = argv[1];
  const fs::path lettore = uscita / "lettore_campi";
  const fs::path dati = uscita / "memorizza_dati";
  const fs::path decodificatori = uscita / "decodificatori";
  const fs::path pacchetto = uscita / "pacchetto_dati";
  const fs::path anteprima = uscita / "anteprima";
  for (const auto& c : {lettore, dati, decodificatori, pacchetto, anteprima}) fs::create_directories(c);

  // Payloads: the shipped scenario's, a small one, and a small one inside a
  // stand-in for a package's program.
  const gara::scenario_carico piccolo{"L", "T", {"a\r\n", "b\n", "", "c", "d"}};
  scrivi(pacchetto / "spedito", gara::scrivi_carico(gara::scenario_spedito(), 0));
  scrivi(pacchetto / "piccolo", gara::scrivi_carico(piccolo, 0));
  std::string programma = "programma ";
  programma.append(reinterpret_cast<const char*>(gara::marca_localizzatore.data()),
                   gara::marca_localizzatore.size());
  programma.append(16, '\0');
  scrivi(pacchetto / "programma", gara::impacchetta(programma, piccolo));

  // The package's own descriptions and their compile.
  const std::string linea = gara::dati_linea();
  const std::string treno = gara::dati_treno();
  gara::sorgenti d;
  d.linea = {"P_linea.txt", linea, std::nullopt};
  d.treno = {"P_T-.txt", treno, std::nullopt};
  const gara::risultato_compilazione r = gara::compila(d, {"P", "T", 1});
  const gara::modello_compilato& s = r.modello;
  std::string tabella, celle;
  for (const auto& v : s.tabella_linea) gara::codifica_voce(tabella, v);
  for (const auto& c : s.celle) gara::codifica_cella(celle, c);
  scrivi(decodificatori / "pacchetto.sim", tabella);
  scrivi(decodificatori / "pacchetto.dat", celle);

  // A plan of a few metres with the three kinds of element, and a few cells.
  gara::tracciato_metri piano;
  piano.crea(12);
  piano.imposta_intero(1, 1, 1);
  for (int m = 2; m <= 10; ++m) piano.imposta_reale(m, 1, m + 0.25 * m);
  std::string byte_piano;
  for (int asse = 0; asse <= 1; ++asse)
    for (int m = 0; m <= 12; ++m) gara::codifica_elemento(byte_piano, piano, m, asse);
  scrivi(decodificatori / "piano_breve", byte_piano);
  std::string byte_celle;
  for (std::size_t i = 0; i < 8; ++i) gara::codifica_cella(byte_celle, s.celle.at(i * 60));
  scrivi(decodificatori / "celle_brevi", byte_celle);

  semi_lettore(lettore, "linea", linea);
  semi_lettore(lettore, "treno", treno);
  scrivi(dati / "pacchetto", gara::fuzz::unisci_descrizioni(linea, treno));
  scrivi(dati / "pacchetto_senza_treno", linea);
  scrivi(dati / "pacchetto_con_scheda",
         gara::fuzz::unisci_descrizioni(linea, treno + std::string(gara::fuzz::separatore_scheda) + "\r\n" +
                                                   gara::dati_scheda()));

  // The preview's requests (Host, target), before the shipped descriptions.
  const char* richieste[][2] = {{"127.0.0.1:8123", "/"},
                                {"localhost:8123", "/ispeziona/15500?tolleranza=400"},
                                {"127.0.0.1:8123", "/ispeziona/-200"},
                                {"127.0.0.1:8123", "/%2e%2e/x"},
                                {"esempio.invalid", "/contenuto"}};
  int n = 0;
  for (const auto& [host, destinazione] : richieste)
    scrivi(anteprima / ("richiesta" + std::to_string(n++)),
           std::string(host) + "\n" + destinazione + "\n" + gara::fuzz::unisci_descrizioni(linea, treno));

  for (const auto& k : gara::prova::ingressi_ostili()) {
    const std::string l = k.linea.value_or("");
    scrivi(dati / k.nome, k.treno ? gara::fuzz::unisci_descrizioni(l, *k.treno) : l);
    scrivi(lettore / k.nome, '\xE4' + l + k.treno.value_or(""));
  }
  return 0;
}
