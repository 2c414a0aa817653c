#pragma once

#include <istream>
#include <optional>
#include <ostream>

#include "file/notifiche_cartella.h"

namespace gara::editore {

// The language server on a pair of streams: reads framed messages from
// `in` until `exit` or the end of the stream, answers on `out`. Returns the
// process's status: 0 after `shutdown` then `exit`, 1 for `exit` without
// `shutdown` or a stream that ends first. A message it cannot read (bad
// header, body too large) is answered with an error and skipped.
// With `disco`, the folders of the open descriptions are followed (in that
// mode) and a description or timetable card changed on disk outside the
// editor has its scenario checked again and its diagnostics published at
// once, between messages.
int servi(std::istream& in, std::ostream& out, std::optional<modo_notifiche> disco = std::nullopt);

}  // namespace gara::editore
