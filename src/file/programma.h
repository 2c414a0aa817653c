#pragma once

#include <filesystem>
#include <optional>

namespace gara {

// The running program's own file, as the system names it (on Windows in
// UTF-16, however long); nothing when the system cannot say.
std::optional<std::filesystem::path> file_programma_in_esecuzione();

}  // namespace gara
