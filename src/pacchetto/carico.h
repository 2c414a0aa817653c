#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scenario/dati.h"

namespace gara {

// The scenario a package carries as data: its identity and its five texts,
// appended to the package's program by `scenario impacchetta` (the
// payload, "carico"). A package without one carries the shipped scenario.
struct scenario_carico {
  std::string nome_percorso;  // Windows-1252, as the file names carry it
  std::string nome_treno;
  // Bytes as the author gave them, in the order the package writes them:
  // line description, train description, notes, slowdown order, timetable
  // card (testi_scenario).
  std::array<std::string, 5> testi;

  bool operator==(const scenario_carico&) const = default;
};

// The shipped scenario: Corvana_Selvadoro, R 47315 and its built-in texts.
scenario_carico scenario_spedito();

// The five texts under their file names, in the package's order.
std::array<testo_scenario, 5> testi_scenario(const scenario_carico& s);

// The payload's format, all numbers little-endian:
//   marca_carico (8 bytes), format version (u32),
//   lengths of the route and train identifiers and of the five texts (7 x u32),
//   the identifiers' and the texts' bytes, in that order,
//   from version 2: CRC-32 of the package's program, every byte of the
//   file before the payload, locator set (u32),
//   CRC-32 (IEEE 802.3) of every byte of the payload before it (u32).
// Whatever a later version changes, the mark, the version right after it
// and the checksum as the last four bytes stay where they are. Version 1,
// without the program's checksum, is still read.
inline constexpr std::string_view marca_carico = "GARASCN\x1A";
inline constexpr std::uint32_t versione_carico = 2;
inline constexpr std::size_t intestazione_carico = 8 + 4 + 7 * 4;
inline constexpr std::size_t coda_carico = 4;
inline constexpr std::size_t crc_programma_carico = 4;  // from version 2

// The payload of a scenario appended to a program whose bytes (locator
// set) have the CRC-32 given. Its identity must pass problema_nome_windows
// (std::invalid_argument otherwise), and no text may reach 4 GiB.
std::string scrivi_carico(const scenario_carico& s, std::uint32_t crc_programma);

// What is wrong with a payload, when something is.
enum class difetto_carico {
  nessuno,
  troncato,             // shorter than its lengths say
  alterato,             // a byte changed, or bytes that are no payload
  programma_alterato,   // a byte of the program before the payload changed
  versione_nuova,       // a later format than this program reads
  identita_non_valida,  // an identifier that cannot name files on Windows
};

struct esito_carico {
  std::optional<scenario_carico> scenario;
  difetto_carico difetto = difetto_carico::nessuno;
  std::string motivo;  // in Italian, for the user, when there is a defect
  // The program's checksum the payload carries (from version 2).
  std::optional<std::uint32_t> crc_programma;
};

// Reads a payload: the scenario, or the defect. Any bytes are safe to give.
// The program's checksum is returned, not checked: that takes the file.
esito_carico leggi_carico(std::string_view byte);

// The payload inside a package's file, where the package's locator says it
// starts and how long it is: a file shorter than that is cut short, one
// longer has bytes after the payload that do not belong there; and the
// program before it must have the checksum the payload carries, so that a
// damaged download is caught whatever byte it hit.
esito_carico carico_nel_file(std::string_view file, std::uint64_t inizio, std::uint64_t lunghezza);

// CRC-32 as zip and PNG compute it.
std::uint32_t crc32(std::string_view byte);

}  // namespace gara
