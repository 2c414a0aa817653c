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

namespace gara {

std::optional<std::string> problema_nome_windows(std::string_view nome) {
  if (nome.empty()) return "è vuoto";
  if (nome.size() > identita_massima)
    return "è lungo " + std::to_string(nome.size()) + " caratteri, oltre il massimo di " +
           std::to_string(identita_massima);
  for (const char c : nome) {
    const auto b = static_cast<unsigned char>(c);
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return std::string("contiene \"") + c +
             "\", che Windows non ammette nei nomi dei file (\\ / : * ? \" < > |)";
    if (b < 0x20 || b == 0x7F) return "contiene un carattere di controllo";
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
      return "contiene un byte che la codifica Windows-1252 non definisce";
  }
  if (nome.back() == '.' || nome.back() == ' ')
    return "finisce con un punto o uno spazio, che Windows toglie dai nomi dei file";
  // A device name stays one before an extension and before trailing spaces.
  std::string radice = minuscolo_windows1252(nome.substr(0, nome.find('.')));
  while (!radice.empty() && radice.back() == ' ') radice.pop_back();
  const bool numerato = radice.size() == 4 && (radice.starts_with("com") || radice.starts_with("lpt")) &&
                        radice[3] >= '1' && radice[3] <= '9';
  if (radice == "con" || radice == "prn" || radice == "aux" || radice == "nul" || numerato)
    return "è un nome di dispositivo riservato di Windows (" + da_windows1252(nome) + ")";
  return std::nullopt;
}

std::array<std::string, numero_testi> nomi_testi(const std::string& p, const std::string& t) {
  return {nome_descrizione_linea(p), nome_descrizione_treno(p, t), nome_note(p, t), nome_rallentamenti(p, t),
          nome_scheda(p, t)};
}

}  // namespace gara
