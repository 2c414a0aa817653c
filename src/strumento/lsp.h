#pragma once

#include <istream>
#include <ostream>

namespace gara::strumento {

// `scenario lsp`: the language server on the given streams (standard input
// and output, in binary mode on Windows). Returns its exit status.
int comando_lsp(std::istream& in, std::ostream& out);

}  // namespace gara::strumento
