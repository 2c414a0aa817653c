#include "uscita/tavole_orientamento.h"

#include <algorithm>
#include <array>
#include <optional>

#include "modello/arrotonda.h"
#include "modello/codici.h"
#include "modello/misure.h"
#include "modello/rallentamenti.h"

namespace gara {

namespace {

constexpr int16_t valore_tavola = 180;

// Signals up to 20 cells (1000 m) before a warning point get a board; the
// walk back stops before cell 3, so that the two cells ahead of a signal
// never fall before cell 1.
constexpr int64_t finestra_segnali = 20;
constexpr int64_t primo_segnale_esaminato = 3;

// Bands ahead of a slowdown start, in cells: the nearest cell of each band
// is tried first.
struct fascia {
  int64_t vicina;
  int64_t lontana;
};
constexpr std::array<fascia, 3> fasce{{{5, 7}, {11, 13}, {18, 20}}};

// Slowdowns slower than misura::velocita_senza_tavole get a board every 8
// cells (400 m) along them.
constexpr int32_t passo_tavole = 8;

// After a slow slowdown's end, the first signal within 12 cells (600 m)
// gets a board ahead of it.
constexpr int64_t ricerca_segnale = 12;

void posa_tavola(cella& c) {
  c.tipo = tipo_cella::tavola;
  c.dato1 = valore_tavola;
}

// A board already standing where one is wanted keeps its value when it is
// below the one the pass would give, and is lowered to it otherwise.
void abbassa_tavola(cella& c) {
  c.dato1 = entro<int16_t>(int64_t{minimo(valore_tavola, c.dato1)});
}

// A board that found no cell. The metre is that of the cell where the
// search stood; the entry is that of the signal or slowdown whose boards
// they are (its cell is `oggetto`), when the reading noted it.
void segna(stato_compilazione& s, int32_t codice_tavola, int64_t indice, int64_t oggetto) {
  s.segna_errore(codice_tavola, entro<int32_t>(indice * misura::metri_cella));
  if (oggetto >= 0 && static_cast<std::size_t>(oggetto) < s.occupanti.size() &&
      s.occupanti[static_cast<std::size_t>(oggetto)])
    s.diagnostiche.back().dove = s.occupanti[static_cast<std::size_t>(oggetto)];
}

// Every signal in the 20 cells before the warning point at c gets a board
// in one of the two cells ahead of it, or has its board there lowered.
void tavole_prima_dell_avviso(stato_compilazione& s, int64_t c) {
  for (int64_t a = 1; a <= finestra_segnali; ++a) {
    const int64_t i = c - a;
    if (i < primo_segnale_esaminato) break;
    if (s.cella_in(i).tipo != tipo_cella::segnale) continue;
    cella& prima = s.cella_in(i - 1);
    cella& seconda = s.cella_in(i - 2);
    if (libera(prima))
      posa_tavola(prima);
    else if (libera(seconda))
      posa_tavola(seconda);
    else if (prima.tipo == tipo_cella::tavola)
      abbassa_tavola(prima);
    else if (seconda.tipo == tipo_cella::tavola)
      abbassa_tavola(seconda);
    else
      segna(s, codice::tavola_segnale_impossibile, i, i);
  }
}

// One board in each band ahead of the slowdown start at c, on the first
// free cell of the band counted from the start.
void tavole_nelle_fasce(stato_compilazione& s, int64_t c) {
  for (const fascia& f : fasce) {
    if (c <= f.lontana) continue;
    bool posata = false;
    for (int64_t d = f.vicina; d <= f.lontana && !posata; ++d) {
      cella& candidata = s.cella_in(c - d);
      if (libera(candidata)) {
        posa_tavola(candidata);
        posata = true;
      }
    }
    if (!posata) segna(s, codice::tavola_fascia_impossibile, c, c);
  }
}

// Walks from the slowdown start at c to its end cell (to the last cell of
// the grid when it has none), putting a board every 8 cells. The count
// restarts from wherever the last board actually went (one cell early or
// late when the due cell is taken), so the spacing holds along the whole
// slowdown. Returns the end cell, or nothing when there is none. A board
// only ever covers a free cell, never an end cell, so the end found before
// the walk is the one the walk reaches.
std::optional<int64_t> tavole_lungo_rallentamento(stato_compilazione& s, int64_t c) {
  const int64_t ultima = s.ultima_cella();
  const std::optional<int64_t> fine = fine_del_rallentamento(s.celle, c);
  int32_t contatore = 0;
  for (int64_t t = c + 1; t <= fine.value_or(ultima); ++t) {
    ++contatore;
    if (contatore == passo_tavole) {
      if (libera(s.cella_in(t))) {
        posa_tavola(s.cella_in(t));
        contatore = 0;
      } else if (libera(s.cella_in(t - 1))) {
        posa_tavola(s.cella_in(t - 1));
        contatore = 1;
      } else if (t + 1 <= ultima && libera(s.cella_in(t + 1))) {
        posa_tavola(s.cella_in(t + 1));
        contatore = -1;
      } else {
        // The counter stays past 8: no more boards along this slowdown.
        segna(s, codice::tavola_rallentamento_impossibile, t, c);
      }
    }
  }
  return fine;
}

// The first signal within 12 cells after the end cell e gets a board in one
// of the two cells ahead of it.
void tavola_dopo_la_fine(stato_compilazione& s, int64_t e) {
  const int64_t ultima = std::min<int64_t>(e + ricerca_segnale, s.ultima_cella());
  for (int64_t g = e + 1; g <= ultima; ++g) {
    if (s.cella_in(g).tipo != tipo_cella::segnale) continue;
    if (libera(s.cella_in(g - 1)))
      posa_tavola(s.cella_in(g - 1));
    else if (libera(s.cella_in(g - 2)))
      posa_tavola(s.cella_in(g - 2));
    else
      segna(s, codice::tavola_rallentamento_impossibile, e, e);
    return;
  }
}

}  // namespace

int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

void tavole_orientamento(stato_compilazione& s) {
  if (!s.griglia_esiste()) return;
  const int64_t ultima = s.ultima_cella();
  // The last two cells are never taken as a warning point or a start.
  for (int64_t c = 1; c <= ultima - 2; ++c) {
    const uint8_t tipo = s.cella_in(c).tipo;
    const int16_t velocita = s.cella_in(c).dato1;
    if (tipo == tipo_cella::avviso_rallentamento) {
      tavole_prima_dell_avviso(s, c);
    } else if (tipo == tipo_cella::inizio_rallentamento) {
      tavole_nelle_fasce(s, c);
      // A fast slowdown gets neither the boards along it nor the one after
      // its end: the walk along it is what finds the end cell.
      if (velocita < misura::velocita_senza_tavole) {
        if (const auto fine = tavole_lungo_rallentamento(s, c)) tavola_dopo_la_fine(s, *fine);
      }
    }
  }
}

}  // namespace gara
