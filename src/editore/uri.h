#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gara::editore {

// The path (UTF-8, "/" between folders; on Windows from its drive letter,
// "C:/...") of a "file:" URI, its percent-encoding decoded; nothing for
// another scheme, a host other than the local one, or an encoding that is
// not UTF-8.
std::optional<std::string> percorso_da_uri(std::string_view uri);

// The "file:" URI of such a path, everything but the unreserved
// characters and "/" (and a drive's ":") percent-encoded.
std::string uri_da_percorso(const std::string& percorso);

// A path's folder (up to its last "/", included) and its file name.
std::string cartella_di(const std::string& percorso);
std::string nome_di(const std::string& percorso);

}  // namespace gara::editore
