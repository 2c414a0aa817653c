#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara::strumento {

// What the drawing shows, taken out of the decoded binary files: names as
// UTF-8, positions in metres from the start of the line.

struct stazione_disegno {
  int voce = 0;
  std::string nome;
  int tipo = 0;
  int64_t inizio_marciapiede = 0;
  int64_t fine_marciapiede = 0;
  int64_t posizione = 0;
};

// An object of one cell, at the metre of its cell.
struct oggetto_disegno {
  int64_t cella = 0;
  int64_t metro = 0;
  gara::cella dati;
  std::string testo;  // the text of a direction board
};

struct rallentamento_disegno {
  int64_t inizio = 0;  // metres
  int64_t fine = 0;
  int velocita = 0;  // km/h
};

struct scenario_disegno {
  std::string percorso;
  std::string treno;
  int64_t lunghezza = 0;  // of the line, metres (record 84)
  std::vector<cella> celle;
  std::vector<stazione_disegno> stazioni;
  std::vector<oggetto_disegno> segnali;
  std::vector<rallentamento_disegno> rallentamenti;
  std::vector<oggetto_disegno> avvisi;    // warning points of the slowdowns
  std::vector<oggetto_disegno> numerate;  // the four cells before each warning
  std::vector<oggetto_disegno> indicatori;
  std::vector<oggetto_disegno> cartelli;
  std::vector<oggetto_disegno> tavole;        // boards with a value (tipo 12)
  std::vector<oggetto_disegno> abbattimenti;  // "abbattimento" without a value (tipo 13)
  std::optional<tracciato_metri> tracciato;   // absent when compiled without the plan

  // The metres the profile spans: the cells and every platform.
  int64_t metro_minimo() const;
  int64_t metro_massimo() const;
};

// Sorts the cells and the line table into what is drawn. Stations are the
// records 1 to 80 that hold something and that no direction board names as
// its text.
scenario_disegno prepara_disegno(std::vector<cella> celle, const tabella& t,
                                 std::optional<tracciato_metri> tracciato);

}  // namespace gara::strumento
