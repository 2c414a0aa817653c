#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"
#include "uscita/formato.h"

namespace gara::elenchi {

// Any of the three binary files, from its bytes to its listing or its JSON.

// The three binary files, told apart by the end of their names.
enum class genere_binario { tracciato, tabella, celle };

// "_linea.dat" is the track plan, ".sim" the line table, any other ".dat"
// the cells (letter case ignored); nothing for any other name.
std::optional<genere_binario> genere_da_nome(std::string_view nome);

// "File del tracciato", ... : how a listing introduces the file.
const char* descrizione(genere_binario g);
// "tracciato", "tabella" or "celle": the kind as JSON names it.
const char* nome_json(genere_binario g);

// The content of one binary file, decoded.
using binario = std::variant<std::vector<cella>, tabella, tracciato_metri>;

// Decodes the bytes of a file of kind g: the table, or why the bytes do not
// fit its layout.
decodifica<binario> decodifica_binario(genere_binario g, std::string_view byte);

// The readable listing of a decoded file (elenca_celle, elenca_tabella or
// elenca_tracciato).
void elenca_binario(const binario& b, std::ostream& out);

// The whole file as one JSON object: its name, kind and size, then its
// content ("celle"; "voci"; "ultimo_metro" and "assi").
nlohmann::ordered_json binario_json(std::string_view nome, std::size_t byte, const binario& b);

// JSON as `scenario mostra --json` prints it: one space of indent, bytes
// that are not UTF-8 replaced, a line end after it.
std::string testo_json(const nlohmann::ordered_json& j);

}  // namespace gara::elenchi
