#pragma once

#include <string>

#include <CLI/App.hpp>
#include <CLI/Error.hpp>

namespace gara::strumento {

// The argument parser reports in English; the tool speaks Italian. The few
// kinds of mistake a user can make on the command line are told again here;
// `app` is the parser that reported it, whose subcommands a missing one
// lists.
std::string errore_uso_in_italiano(const CLI::ParseError& e, const CLI::App& app);

// The subcommands of `app`, in the order its help lists them: "estrai,
// compila o mostra".
std::string elenco_sottocomandi(const CLI::App& app);

}  // namespace gara::strumento
