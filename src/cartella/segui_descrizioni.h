#pragma once

#include <chrono>
#include <functional>

#include "file/notifiche_cartella.h"
#include "file/sorveglianza.h"
#include "modello/sorgenti.h"

namespace gara {

// Follows the descriptions that `sorveglianza` looks at, as the folder's
// `notifiche` tell of changes, until `fermati` says so (asked at least
// every `controllo_fermata`, and at once after notifiche.ferma()): hands
// their bytes to `aggiorna` whenever either changed (a save by rename is
// seen too), once for each save. The notifications are the caller's to
// open before its first look (sorveglianza.cambiate()), so that no save
// falls between the two. Returns on the thread that called it.
void segui_descrizioni(sorveglianza_descrizioni& sorveglianza, notifiche_cartella& notifiche,
                       std::chrono::milliseconds controllo_fermata, const std::function<bool()>& fermati,
                       const std::function<void(const sorgenti&)>& aggiorna);

}  // namespace gara
