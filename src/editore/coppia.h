#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cartella/identita.h"

namespace gara::editore {

// A line description (NOME_linea.txt) and a train description
// (NOME_TRENO-.txt) of the same folder are one scenario, whatever the
// editor calls their language.
enum class tipo_descrizione { linea, treno };

// The scenario a description belongs to: its folder (UTF-8, ending in "/"),
// the two file names (UTF-8; the train's empty when the folder has none
// for that route) and its identity (Windows-1252, as the check takes it).
struct coppia {
  std::string cartella;
  std::string nome_linea;
  std::string nome_treno;
  identita id;
  std::string percorso_linea() const { return cartella + nome_linea; }
  std::string percorso_treno() const { return nome_treno.empty() ? std::string() : cartella + nome_treno; }
};

// Which description a file name is, if either.
std::optional<tipo_descrizione> tipo_di(const std::string& nome);

// The scenario of the description at `percorso` (UTF-8), given the names of
// the files of its folder (on disk or open in the editor). A train file's
// route is the longest "NOME_" before its train for which the line file is
// there, else the part before its first "_"; a line file's train is the
// one train file of that route there, the first by name when there are
// several. Nothing for a file that is no description, or whose names
// Windows-1252 cannot hold.
std::optional<coppia> coppia_di(const std::string& percorso, const std::vector<std::string>& nomi_in_cartella);

}  // namespace gara::editore
