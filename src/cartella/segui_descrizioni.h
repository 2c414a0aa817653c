#pragma once

#include <chrono>
#include <functional>

#include "file/sorveglianza.h"
#include "modello/sorgenti.h"

namespace gara {

// Follows the descriptions that `sorveglianza` looks at: every
// `intervallo`, until `fermati` says so, hands their bytes to `aggiorna`
// whenever either changed (a save by rename is seen too). The first state
// is the caller's to take (sorveglianza.cambiate()) before it starts
// serving. Returns on the thread that called it.
void segui_descrizioni(sorveglianza_descrizioni& sorveglianza, std::chrono::milliseconds intervallo,
                       const std::function<bool()>& fermati,
                       const std::function<void(const sorgenti&)>& aggiorna);

}  // namespace gara
