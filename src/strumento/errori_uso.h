#pragma once

#include <string>

#include <CLI/Error.hpp>

namespace gara::strumento {

// The argument parser reports in English; the tool speaks Italian. The few
// kinds of mistake a user can make on the command line are told again here.
std::string errore_uso_in_italiano(const CLI::ParseError& e);

}  // namespace gara::strumento
