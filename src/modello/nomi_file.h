#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gara {

// The names of every file of a scenario, built from the route and train
// identifiers (Windows-1252 bytes). The line files carry the route alone;
// the train's files carry both, joined by "_".
std::string nome_descrizione_linea(const std::string& percorso);  // _linea.txt
std::string nome_descrizione_treno(const std::string& percorso, const std::string& treno);  // -.txt
std::string nome_scheda(const std::string& percorso, const std::string& treno);
std::string nome_rallentamenti(const std::string& percorso, const std::string& treno);
std::string nome_note(const std::string& percorso, const std::string& treno);
std::string nome_linea_dat(const std::string& percorso);                                 // _linea.dat
std::string nome_sim(const std::string& percorso, const std::string& treno);             // .sim
std::string nome_dat(const std::string& percorso, const std::string& treno);             // .dat

// The five texts of a scenario in the order the package writes them: line
// description, train description, notes, slowdown order, timetable card.
inline constexpr std::size_t numero_testi = 5;
std::array<std::string, numero_testi> nomi_testi(const std::string& percorso, const std::string& treno);

// The longest identity, in characters (bytes of Windows-1252).
inline constexpr std::size_t identita_massima = 100;

// Why a route or train identifier (Windows-1252 bytes) cannot name files on
// Windows, in Italian; nothing when it can. Refused: an empty name, one
// longer than identita_massima, a character of \ / : * ? " < > |, a
// control character or a byte Windows-1252 leaves undefined, a name ending
// in a dot or a space, and a reserved device name (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9, in any case, alone or before a dot).
std::optional<std::string> problema_nome_windows(std::string_view nome);

}  // namespace gara
