#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace gara {

// Why the system refused a file operation, for a message in Italian: the
// common reasons (no space, no permission, a read-only file system, a file
// or folder that is not there, a file in use, a path too long) in Italian,
// any other in the system's own words; always followed by the system's
// code, "permesso negato (errno 13)", so that it can still be looked up.

// From errno (the C library's, on both platforms).
std::string motivo_errno(int numero);

// From an error code of the standard library's file functions.
std::string motivo_errore(const std::error_code& e);

#ifdef _WIN32
// From GetLastError: "permesso negato (errore Windows 5)".
std::string motivo_windows(std::uint32_t codice);
#endif

}  // namespace gara
