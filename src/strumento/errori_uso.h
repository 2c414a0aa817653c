#pragma once

#include <string>
#include <vector>

#include <CLI/App.hpp>
#include <CLI/Error.hpp>
#include <CLI/Validators.hpp>

namespace gara::strumento {

// The argument parser reports in English; the tool speaks Italian. Every
// kind of mistake a user can make on the command line is told again here,
// with the option or subcommand nearest to a mistyped one; `app` is the
// parser that reported it.
std::string errore_uso_in_italiano(const CLI::ParseError& e, const CLI::App& app);

// The subcommands of `app`, in the order its help lists them: "estrai,
// compila o mostra".
std::string elenco_sottocomandi(const CLI::App& app);

// What to say of a first word that names no subcommand: the list, and the
// nearest one when the word looks like a slip.
std::string sottocomando_sconosciuto(const std::string& scritto, const CLI::App& app);

// What to say of an option the tool itself does not have ("--versione"):
// the nearest one, or the subcommand that has it.
std::string opzione_sconosciuta(const std::string& scritta, const CLI::App& app);

// Checks of an option's value that say in Italian what is wrong: one of a
// few words (any case), a whole number between two bounds.
CLI::Validator uno_tra(std::vector<std::string> ammessi);
CLI::Validator intero_tra(long long minimo, long long massimo);

}  // namespace gara::strumento
