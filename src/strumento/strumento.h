#pragma once

#include <ostream>

namespace gara::strumento {

// The authoring tool: parses the command line, runs the subcommand and
// returns the exit status (see uscite.h). The subcommands (comando_*) let a
// file that cannot be read or written through as errore_file: it is
// reported here, once, with exit status 3.
int esegui(int argc, char** argv);

// The same with the output streams given (the tests use this).
int esegui(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace gara::strumento
