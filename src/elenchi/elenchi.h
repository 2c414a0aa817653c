#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara::elenchi {

// Readable listings of the three binary files, as `scenario mostra` prints
// them, and their full content as JSON.

// Every cell that holds an object or a value of its own (tipo, dato1-4,
// tempo, avviso, montagna), then the speed, gradient and adhesion profiles
// as runs of equal cells.
void elenca_celle(const std::vector<cella>& celle, std::ostream& out);
nlohmann::ordered_json celle_json(const std::vector<cella>& celle);
// The line of one cell in that listing (cell i, its metre, every field).
void elenca_cella(int64_t i, const cella& c, std::ostream& out);

// Every record that is not empty, with its fields and what they hold.
void elenca_tabella(const tabella& t, std::ostream& out);
nlohmann::ordered_json tabella_json(const tabella& t);

// The number of metres, the kinds of values along each axis, the extent of
// the plan and a sample every 1000 m.
void elenca_tracciato(const tracciato_metri& t, std::ostream& out);
// Each element is null (empty), an integer (16-bit) or a real.
nlohmann::ordered_json tracciato_json(const tracciato_metri& t);

}  // namespace gara::elenchi
