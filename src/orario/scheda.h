#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modello/diagnostica.h"

namespace gara::orario {

// A value of the timetable card with the place it was read at.
template <class T>
struct letto {
  T valore{};
  luogo dove;
};

// One station row of the card's table: the line's speed and the running
// speed, the kilometre, the station's name (Windows-1252, as written less
// the padding) and its times (seconds of the day). A row with "-" is a
// station passed without stopping. A single time is the departure, or the
// arrival at the last station.
struct riga_scheda {
  int linea = 0;
  std::optional<letto<int32_t>> velocita_limite;
  std::optional<letto<int32_t>> velocita_marcia;
  std::optional<letto<double>> chilometro;
  letto<std::string> nome;
  std::optional<letto<int32_t>> arrivo;
  std::optional<letto<int32_t>> partenza;
  bool transito = false;
};

// The card as read: the train's maximum speed and rank from the header
// box ("V135 C"), the station rows in order, and a warning for each line
// the reader did not understand (it reads on past it).
struct scheda {
  std::string file;  // its name as the author reads it
  std::optional<letto<int32_t>> velocita_massima;
  std::optional<letto<char>> rango;
  std::vector<riga_scheda> righe;
  std::vector<diagnostica> avvisi;
};

// Reads a timetable card's bytes (Windows-1252; CR LF or LF). Any bytes
// give a result.
scheda leggi_scheda(std::string_view byte, const std::string& nome_file);

}  // namespace gara::orario
