#pragma once

#include <istream>
#include <ostream>

namespace gara::strumento {

// `scenario lsp`: the language server on the given streams (standard input
// and output, in binary mode on Windows), following the folders of the open
// descriptions by the system's notifications, or by polling with
// `sondaggio`. Returns its exit status.
int comando_lsp(std::istream& in, std::ostream& out, bool sondaggio = false);

}  // namespace gara::strumento
