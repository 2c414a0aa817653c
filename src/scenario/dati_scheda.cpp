#include <array>
#include <string_view>

#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"

namespace gara {

namespace {

// The lines of the timetable card: header boxes and the timetable table.
// One source line per line of the file, exactly as written (UTF-8 here,
// Windows-1252 on disk).
constexpr std::array<std::string_view, 49> righe{{
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA                   |              |",
    " |   TRENO n.47315   |                   da: CORVANA               |    V135 C    |",
    " |___________________|                    a: SELVADORO             |     120%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |     REGIONALE     |              |      280T         |",
    " |___________________|              |___________________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " | 30  | 30  |     1    |     |        CORVANA             |         12.04  |     |",
    " |135  |125  |    12    |     |        CAGIONI             |       -        |     |",
    " |135  |135  |    17    |     |   PALAGIANO-CHIATONA       |  12.18  12.25  |     |",
    " |135  |135  |    21    |     |      BOSCO PINETO          |       -        |     |",
    " |135  |135  |    26    |     |   CASTELLANETA MARINA      |  12.31  12.32  |     |",
    " |135  |100  |    34    |     |         GINOSA             |  12.43  12.45  |     |",
    " |135  |135  |    47    |     |        SELVADORO           |  12.59         |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
}};

}  // namespace

std::span<const std::string_view> righe_scheda() { return righe; }

std::string dati_scheda() { return testo_windows1252(righe); }

}  // namespace gara
