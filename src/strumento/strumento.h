#pragma once

namespace gara::strumento {

// The authoring tool: parses the command line, runs the subcommand and
// returns the exit status.
int esegui(int argc, char** argv);

}  // namespace gara::strumento
