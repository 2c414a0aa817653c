#pragma once

#include <istream>
#include <ostream>

namespace gara::editore {

// The language server on a pair of streams: reads framed messages from
// `in` until `exit` or the end of the stream, answers on `out`. Returns the
// process's status: 0 after `shutdown` then `exit`, 1 for `exit` without
// `shutdown` or a stream that ends first. A message it cannot read (bad
// header, body too large) is answered with an error and skipped.
int servi(std::istream& in, std::ostream& out);

}  // namespace gara::editore
