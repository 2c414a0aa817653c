#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gara::prova {

// The SHA-256 of some bytes, as 64 lower-case hexadecimal digits.
std::string sha256(std::string_view byte);

struct impronta_file {
  std::string_view nome;  // as the package names it, in ASCII
  std::string_view sha256;
};

// The six files the shipped package leaves in an empty folder, byte for
// byte: the bytes the simulator loads. They were taken with sha256sum from
// a run of the package built from commit 9c0c464 (Linux), the same six that
// the Windows package leaves under Wine; a change of any of them is a change
// of the scenario, not of the code, and must never come from a refactoring.
inline constexpr std::array<impronta_file, 6> impronte_spedite{{
    {"Corvana_Selvadoro_R 47315_note.txt", "47a2929ae1ddcd3fec6815b55dbda0b7f66a7b7ff56f623bcdcd9ddaa00ffac4"},
    {"Corvana_Selvadoro_R 47315_rallentamenti.txt",
     "068e73075ebc50a3794c1c357ed1ad0fe105fcdd54eed1c95d7e577a7f7e63dd"},
    {"Corvana_Selvadoro_R 47315_scheda_treno.txt",
     "ef7be221bbb771018db3745649d6d365be2a02d5a74500079b9d0fbd71a303e9"},
    {"Corvana_Selvadoro_linea.dat", "8402f5d7121bdfcb47d5a20f450a8e9c80b514301903b64bfe2ee496234be5d8"},
    {"Corvana_Selvadoro_R 47315.sim", "86a29ecbb8dec20b7f0f7f578a08e77e51110af8e07ae7a3df235a5fc4ead446"},
    {"Corvana_Selvadoro_R 47315.dat", "2581f564284ef0b873b8537c3b79d9df5d611b267d06285202f1ff9ca3a5f030"},
}};

// The three binaries alone (the last three entries above): what `scenario
// compila` writes for the shipped descriptions.
inline constexpr std::size_t primo_binario_spedito = 3;

// The shipped files from `primo` on whose bytes in the folder are not the
// pinned ones, each as "name: found sha256" ("name: mancante" when absent);
// empty when every one matches. A failure names the file, not megabytes.
std::vector<std::string> diversi_dagli_spediti(const std::filesystem::path& cartella, std::size_t primo = 0);

}  // namespace gara::prova
