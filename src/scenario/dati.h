#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace gara {

// The identity of the scenario the package carries when it has no payload.
inline constexpr const char* percorso_del_pacchetto = "Corvana_Selvadoro";
inline constexpr const char* treno_del_pacchetto = "R 47315";

// The bytes of the five text files the package carries.
std::string dati_linea();
std::string dati_treno();
std::string dati_note();
std::string dati_rallentamenti();
std::string dati_scheda();

// Their lines, in file order (UTF-8).
std::span<const std::string_view> righe_linea();
std::span<const std::string_view> righe_treno();
std::span<const std::string_view> righe_note();
std::span<const std::string_view> righe_rallentamenti();
std::span<const std::string_view> righe_scheda();

// One text of a scenario: its file name (Windows-1252, from the identity)
// and its bytes.
struct testo_scenario {
  std::string nome;
  std::string byte;
};

// The five texts of the scenario named, in the order the package writes
// them: line description, train description, notes, slowdown order,
// timetable card.
std::array<testo_scenario, 5> testi_scenario(const std::string& nome_percorso,
                                             const std::string& nome_treno);

}  // namespace gara
