#pragma once

#include <filesystem>
#include <string>

namespace gara::strumento {

// A file or folder named on the command line (UTF-8) as a path of the file
// system. Built from UTF-8 on every platform: on Windows a path made from a
// plain string would read its bytes in the ANSI code page instead.
inline std::filesystem::path percorso_da_utf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace gara::strumento
