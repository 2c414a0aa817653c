#include <array>
#include <string_view>

#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"

namespace gara {

namespace {

// The lines of the line description: four lines of prose for the reader of the file,
// then the sections that the line reader compiles.
// One source line per line of the file, exactly as written (UTF-8 here,
// Windows-1252 on disk).
constexpr std::array<std::string_view, 38> righe{{
    "Si tenga conto che questa linea è fatta a memoria e la velocità massima ammessa è in realtà 125 Km/h.",
    "Tuttavia si è preferito aumentarla per recuperare eventuali ritardi. Rispettando le velocità indicate sui",
    "cartelli, sarà possibile rispettare l'orario e viaggiare anche in anticipo per prolungare una fermata. ",
    "Ovviamente chi conosce meglio questa linea, può anche modificarla per renderla più verosimile.",
    "[generale]",
    "lunghezza percorso,    47000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0    ,0",
    "[curve]",
    "curvad4,  2450,  550",
    "curvas3,  4000,  2000",
    "curvad4,  7950,  300",
    "curvas1,  16100,  300",
    "curvas2,  20000,  1000",
    "curvad2,  28000,  1000",
    "[pendenze]",
    "pendenza,   0,    0",
    "pendenza,  21000,   2",
    "pendenza,  24000,   0",
    "[montagne]",
    "[cartelli]",
    "indicatori_vmax,  1000,  115,  120,  125,  0,  115,  120,  125,  0",
    "indicatori_vmax,  13700,  125,  130,  135,  0,  125,  130,  135,  0",
    "indicatori_vmax,  22000,  120,  125,  130,  2,  120,  125,  130,  2",
    "indicatori_vmax,  22500,  120,  125,  130,  1,  120,  125,  130,  1",
    "indicatori_vmax,  23000,  120,  125,  130,  0,  120,  125,  130,  0",
    "indicatori_vmax,  24300,  125,  130,  135,  0,  125,  130,  135,  0",
    "[indicazioni]",
    "cartello_indicatore,  800,   (DEPOSITO  )(LOCOMOTIVE)",
    "cartello_indicatore,  3700,   (BIVIO BARI)",
    "cartello_indicatore,  14000,   (FIUME TARA)",
    "cartello_indicatore,  23550,   (FIUME LATO)",
    "[fine]",
}};

}  // namespace

std::span<const std::string_view> righe_linea() { return righe; }

std::string dati_linea() { return testo_windows1252(righe); }

}  // namespace gara
