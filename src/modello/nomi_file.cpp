#include "modello/nomi_file.h"

#include "modello/windows1252.h"

namespace gara {

namespace {
std::string del_treno(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno;
}
}  // namespace

std::string nome_descrizione_linea(const std::string& percorso) { return percorso + "_linea.txt"; }
std::string nome_descrizione_treno(const std::string& percorso, const std::string& treno) {
  return del_treno(percorso, treno) + "-.txt";
}
std::string nome_scheda(const std::string& percorso, const std::string& treno) {
  return del_treno(percorso, treno) + "_scheda_treno.txt";
}
std::string nome_rallentamenti(const std::string& percorso, const std::string& treno) {
  return del_treno(percorso, treno) + "_rallentamenti.txt";
}
std::string nome_note(const std::string& percorso, const std::string& treno) {
  return del_treno(percorso, treno) + "_note.txt";
}
std::string nome_linea_dat(const std::string& percorso) { return percorso + "_linea.dat"; }
std::string nome_sim(const std::string& percorso, const std::string& treno) {
  return del_treno(percorso, treno) + ".sim";
}
std::string nome_dat(const std::string& percorso, const std::string& treno) {
  return del_treno(percorso, treno) + ".dat";
}


}  // namespace gara
