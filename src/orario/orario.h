#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modello/diagnostica.h"
#include "orario/marcia.h"
#include "orario/profilo.h"
#include "orario/scheda.h"
#include "orario/stazioni.h"
#include "orario/treno_nominale.h"
#include "verifica/verifica.h"

namespace gara::orario {

// The timetable card as a front end found it: its name as the author reads
// it and its bytes.
struct testo_scheda {
  std::string nome;
  std::string byte;
};

struct opzioni_orario {
  treno_nominale treno;
  std::optional<char> rango;                 // 'A', 'B', 'C'; none: the card's
  std::optional<int32_t> velocita_massima;   // km/h; none: the card's
  // Keep each section's estimated run, for a drawing; a check that shows
  // only the problems does without it.
  bool marcia = true;
};

// A section between two consecutive stations that carry a time.
struct tratta {
  std::size_t da = 0;  // in risultato_orario::stazioni
  std::size_t a = 0;
  int64_t da_metro = 0;
  int64_t a_metro = 0;
  // The time the timetable gives it: the time at `a` (the card's arrival
  // there when it gives one) less the departure from `da`.
  std::optional<int64_t> tempo_orario;
  bool arrivo_dalla_scheda = false;
  std::optional<double> tempo_minimo;
  std::optional<double> tempo_stimato;
  std::vector<punto_corsa> marcia;  // the estimated run, for a drawing

  int64_t distanza() const { return a_metro - da_metro; }
  // Scheduled time less the estimated run, in seconds.
  std::optional<double> margine() const {
    if (!tempo_orario || !tempo_stimato) return std::nullopt;
    return static_cast<double>(*tempo_orario) - *tempo_stimato;
  }
};

struct risultato_orario {
  // False when the compile had an error standing: nothing was computed.
  bool calcolato = false;
  std::vector<stazione_treno> stazioni;
  std::vector<tratta> tratte;
  std::optional<scheda> scheda_letta;
  // What the nominal train's limits were built with.
  std::optional<char> rango;
  std::optional<int32_t> velocita_massima;
  double percentuale_massa_frenata = 0;
  limiti_metro limiti_linea;  // any train's
  limiti_metro limiti_treno;  // the nominal train's
  // The card's reading, the sections' and the comparison of the card with
  // the description, each at its file, line and column.
  std::vector<diagnostica> diagnostiche;
};

// The running times of a checked scenario: its faithful compile's model,
// its reading's record of the entries, the card when there is one. Nothing
// is computed on a compile with an error standing (its model is partial);
// the card is read all the same.
risultato_orario calcola_orario(const esito_verifica& e, const std::string& file_treno,
                                const std::optional<testo_scheda>& scheda_testo, const opzioni_orario& o);

// A check's result with the timetable's diagnostics added after the
// others, and counted.
void aggiungi_a_verifica(esito_verifica& e, const std::vector<diagnostica>& d);

// A figure with one decimal, as the reports write seconds and percentages.
std::string decimi(double x);

// The whole check of a scenario, as every front end shows it: the
// descriptions', then the timetable's for the nominal train of the card;
// with the running times it found, for a front end that shows them too
// (each section's times and margin; not the run's points, which only a
// drawing needs).
struct verifica_con_orario {
  esito_verifica esito;
  risultato_orario orario;
};
verifica_con_orario verifica_e_orario(const sorgenti& d, const opzioni_verifica& o,
                                      const std::optional<testo_scheda>& scheda);
esito_verifica verifica_completa(const sorgenti& d, const opzioni_verifica& o,
                                 const std::optional<testo_scheda>& scheda);
// The same on the faithful compile the caller has already made (see
// verifica): a front end that needs no plan makes it without one.
esito_verifica verifica_completa(const sorgenti& d, const opzioni_verifica& o, risultato_compilazione fedele,
                                 const std::optional<testo_scheda>& scheda);

}  // namespace gara::orario
