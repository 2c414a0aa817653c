#pragma once

#include <string>

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

}  // namespace gara
