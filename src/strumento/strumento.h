#pragma once

#include <ostream>

namespace gara::strumento {

// The authoring tool: parses the command line, runs the subcommand and
// returns the exit status (see uscite.h).
int esegui(int argc, char** argv);

// The same with the output streams given (the tests use this).
int esegui(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
