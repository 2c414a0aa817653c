#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "uscita/scrittura.h"
#include "modello/sorgenti.h"
#include "compilazione/compila.h"

namespace gara {

// What the front ends do on disk around a compile, in one place: the
// compile itself touches no file.

// A description file as the compile takes it: missing (or a folder of that
// name), unreadable with the system's reason, or its bytes. `nome` is the
// name shown to the author.
descrizione leggi_descrizione(const std::filesystem::path& file, std::string nome);

// The two descriptions of the scenario named (Windows-1252 identity) in a
// folder, each shown under its file name.
sorgenti leggi_sorgenti(const std::filesystem::path& cartella, const std::string& nome_percorso,
                        const std::string& nome_treno);

// Deletes the descriptions that the compile says the package deletes.
void cancella_descrizioni(const std::filesystem::path& cartella, const risultato_compilazione& r);

// Each binary file replaced whole in the folder (sostituzione_file).
apri_scrittura scrittura_in_cartella(const std::filesystem::path& cartella);

}  // namespace gara
