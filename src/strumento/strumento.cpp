#include "strumento/strumento.h"

#include <CLI/CLI.hpp>

namespace gara::strumento {

int esegui(int argc, char** argv) {
  CLI::App app{"Strumento per gli autori di scenari"};
  app.require_subcommand(1);
  CLI11_PARSE(app, argc, argv);
  return 0;
}

}  // namespace gara::strumento
