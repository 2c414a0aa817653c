#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gara {

// The problems a compile can leave in codice_errore. Their numbers are those
// the format has always used; their Italian meanings live in the one
// catalogue (catalogo.h) that the compiler, the check, the reports, the
// tools and the tests share.
namespace codice {
inline constexpr int32_t nessuno = 0;
inline constexpr int32_t lunghezza_eccessiva = 1;
inline constexpr int32_t progressiva_fuori_passo = 2;
inline constexpr int32_t ripetizione_inizio_fuori_passo = 3;
inline constexpr int32_t ripetizione_fine_fuori_passo = 4;
inline constexpr int32_t ripetizione_senza_codici = 5;
inline constexpr int32_t cartello_occupato = 6;
inline constexpr int32_t abbattimento_occupato = 7;
inline constexpr int32_t stazione_fuori_passo = 8;
inline constexpr int32_t marciapiede_fuori_passo = 9;
inline constexpr int32_t troppe_stazioni = 10;
inline constexpr int32_t tavola_segnale_impossibile = 11;
inline constexpr int32_t tavola_fascia_impossibile = 12;
inline constexpr int32_t tavola_rallentamento_impossibile = 13;
inline constexpr int32_t oltre_griglia = 15;
inline constexpr int32_t segnale_occupato = 16;
inline constexpr int32_t avviso_rallentamento_occupato = 17;
inline constexpr int32_t inizio_rallentamento_occupato = 18;
inline constexpr int32_t fine_rallentamento_occupato = 19;
inline constexpr int32_t numerate_rallentamento_occupate = 20;
inline constexpr int32_t indicatore_occupato = 21;
inline constexpr int32_t stazioni_troppo_vicine = 22;
inline constexpr int32_t marciapiede_troppo_vicino_inizio = 24;
inline constexpr int32_t guasto_lettura = 25;
inline constexpr int32_t linea_mancante = 101;
inline constexpr int32_t generale_mancante = 102;
inline constexpr int32_t curva_errata = 103;
}  // namespace codice

// The two checks of the header stamp that stop the run: the package shows
// their number in its message box and writes no binary file.
enum class arresto : int32_t {
  nessuno = 0,
  timbro_occupato = 1250,  // the places of the format values are taken
  codici_occupati = 1251,  // the places of the two codes are taken
};

// Stops are numbered from here on, apart from the codes.
inline constexpr int32_t numero_primo_arresto = 1250;

// The number as the message box shows it ("1250", "1251").
std::string numero_arresto(arresto a);

// The package's message box: " Errore n. " followed by the number.
inline constexpr std::string_view errore_n = " Errore n. ";
std::string messaggio_errore(const std::string& numero);

// Both numbers, for the help's words ("1250 o 1251").
std::string numeri_arresto();

// What the stop means for the author, in Italian.
std::string_view significato(arresto a);

// The Italian meaning of a code, or an empty view for a number that is not
// a code of the format.
std::string_view significato(int32_t codice_errore);

// Whether a compile that leaves this code has also put the metre of the
// entry (or of the board that found no room) in posizione_errore.
bool registra_metro(int32_t codice_errore);

}  // namespace gara
