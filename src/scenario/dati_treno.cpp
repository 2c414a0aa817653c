#include <array>
#include <string_view>

#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"

namespace gara {

namespace {

// The lines of the train description: general data, adhesion, speed limits,
// stations, the slowdown and the signals of train R 47315.
// One source line per line of the file, exactly as written (UTF-8 here,
// Windows-1252 on disk).
constexpr std::array<std::string_view, 35> righe{{
    "[generale]",
    "numero vetture,    4",
    "percentuale massa frenata,    120",
    "sabbia,    300",
    "orologio,    12              3             11 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,     650,   140",
    "velocita,   38000,    80",
    "velocita,   39000,   140",
    "velocita,   46750,    60",
    "[stazioni]",
    "stazione,       0,  8,  600,  0, 1, 0,  1,1,0,  4,1,1,    1,  12, 4, 0, CORVANA",
    "stazione,    9000, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CAGIONI",
    "stazione,   17000, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   60,  12,25, 0, PALAGIANO-CHIATONA",
    "stazione,   19000, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,    1,  12,25, 0, BOSCO PINETO",
    "stazione,   26000, 12,  600,  1, 0, 0,  4,1,0,  2,1,1,   60,  12,32, 0, CASTELLANETA MARINA",
    "stazione,   34000, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   60,  12,45, 0, GINOSA",
    "stazione,   47000,  2,  700,  1, 1, 0,  1,1,0,  2,1,1,    0,  12,59, 0, SELVADORO",
    "[rallentamenti]",
    "rallentamento,   38000,    80, 1000, 1,  1,  0",
    "[segnali]",
    "segnale,   15500,   1, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   16500,   2, 3, 1,  0, 0,    0,  0,0,0, 199",
    "segnale,   24800,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   25550,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   26650,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
    "segnale,   32100,   1, 5, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   33150,   2, 3, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   46000,   1, 5, 6,  0, 0,    0,  0,0,0, 0",
    "segnale,   46600,   2, 2, 3,  0, 1,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
}};

}  // namespace

std::span<const std::string_view> righe_treno() { return righe; }

std::string dati_treno() { return testo_windows1252(righe); }

}  // namespace gara
