#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara::vista {

// The view of a compiled scenario that a front end shows (the drawing, a
// preview), taken out of the decoded binary files: names as UTF-8,
// positions in metres from the start of the line.

struct stazione {
  int voce = 0;
  std::string nome;
  int tipo = 0;
  int64_t inizio_marciapiede = 0;
  int64_t fine_marciapiede = 0;
  int64_t posizione = 0;
};

// An object of one cell, at the metre of its cell.
struct oggetto {
  int64_t cella = 0;
  int64_t metro = 0;
  gara::cella dati;
  std::string testo;  // the text of a direction board
};

struct rallentamento {
  int64_t inizio = 0;  // metres
  int64_t fine = 0;
  int velocita = 0;  // km/h
};

struct scenario {
  std::string percorso;
  std::string treno;
  int64_t lunghezza = 0;  // of the line, metres (record 84)
  std::vector<cella> celle;
  std::vector<stazione> stazioni;
  std::vector<oggetto> segnali;
  std::vector<rallentamento> rallentamenti;
  std::vector<oggetto> avvisi;    // warning points of the slowdowns
  std::vector<oggetto> numerate;  // the four cells before each warning
  std::vector<oggetto> indicatori;
  std::vector<oggetto> cartelli;
  std::vector<oggetto> tavole;        // boards with a value (tipo 12)
  std::vector<oggetto> abbattimenti;  // "abbattimento" without a value (tipo 13)
  std::optional<tracciato_metri> tracciato;  // absent when compiled without the plan

  // The metres the profile spans: the cells and every platform.
  int64_t metro_minimo() const;
  int64_t metro_massimo() const;
};

// Sorts the cells and the line table into what is shown. Stations are the
// records 1 to 80 that hold something and that no direction board names as
// its text. A slowdown runs to the first end cell after its start (to its
// start when none follows).
scenario prepara_vista(std::vector<cella> celle, const tabella& t,
                       std::optional<tracciato_metri> tracciato);

// The last metre of the track plan that belongs to the line of this table
// (route length + 7000): a plan that ends elsewhere is left over from an
// earlier compile.
using gara::ultimo_metro_atteso;

}  // namespace gara::vista
