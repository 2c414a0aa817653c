#include "strumento/lsp.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include <ios>

#include "editore/servizio.h"

namespace gara::strumento {

int comando_lsp(std::istream& in, std::ostream& out, bool sondaggio) {
#ifdef _WIN32
  // The protocol counts bytes: no CR LF translation on the way in. The
  // output goes through the tool's own writer of the process's handle,
  // which such a stream must not replace.
  _setmode(_fileno(stdin), _O_BINARY);
#else
  // Standard input buffered by the stream itself: the server then sees the
  // messages already waiting and checks once after a burst of changes.
  std::ios::sync_with_stdio(false);
#endif
  // Descriptions changed on disk outside the editor are checked again as
  // the folder's notifications tell of them.
  return editore::servi(in, out, sondaggio ? modo_notifiche::sondaggio : modo_notifiche::sistema);
}

}  // namespace gara::strumento
