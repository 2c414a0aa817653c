#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// What each fuzz target does with one input. The libFuzzer entry points
// (fuzz/) and the regression test that replays every input the fuzzers
// ever stopped on (regressioni_test.cpp) call the same functions, so a
// fixed fault stays fixed in the ordinary test run.
//
// Besides running the code under the sanitizers, each function checks a
// few properties that must hold for any input; a broken one is reported by
// throwing violazione (which, uncaught in a fuzz target, stops the fuzzer
// with the input saved).
namespace gara::fuzz {

class violazione : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The field reader: reads the bytes field by field to the end, as text or
// as a number of 32, 16 or 8 bits, in an order chosen by the first byte.
void prova_lettore_campi(std::string_view byte);

// One input holds both descriptions: the line description, then, after a
// line "=== treno ===", the train description (absent without that line).
inline constexpr std::string_view separatore_treno = "=== treno ===";

struct coppia_descrizioni {
  std::string linea;
  std::optional<std::string> treno;
};
coppia_descrizioni dividi_descrizioni(std::string_view byte);
std::string unisci_descrizioni(std::string_view linea, std::string_view treno);

// Compiles the pair from memory as the package does (the reading, the
// orientation boards, the header stamp), checks which descriptions the
// package would delete, and encodes the tables as the writer would. An input of
// even length is compiled with the track plan (the package, `scenario
// compila`), one of odd length without it (`scenario compila
// --senza-tracciato`), which also spares the fuzzer the per-metre work on
// half of its inputs. The checking reading of the same pair must give the
// same cells, line table and plan where the compile ends clean, and meet
// the compile's first error, at its place and metre, where it does not.
void prova_memorizza_dati(std::string_view byte);

// The check of the same pair (parity as above): no crash, and the compile's
// own error among its errors: the code the compile leaves, at its file and
// line, and the compile's first problem as the check's first error; and
// the checking reading as the compile's target wants it. Then the running
// times with a timetable card: what follows a line "=== scheda ===" in the
// train half, or the shipped card when there is none; every diagnostic
// with its reason and place, no section's estimate below its bound.
inline constexpr std::string_view separatore_scheda = "=== scheda ===";
void prova_verifica(std::string_view byte);

// The three decoders of the binary files on the same bytes; whatever one
// of them accepts must encode back to exactly those bytes.
void prova_decodificatori(std::string_view byte);

// Any bytes as a package's payload (pacchetto/carico.h), and as a package's
// whole file (the locator, then the payload): whatever is accepted must be
// written back to exactly those bytes, whatever is refused must say why.
void prova_pacchetto_dati(std::string_view byte);

// What the preview's server reads itself from a request, and what it
// reads of the descriptions besides the compile. The input's first line is
// the Host header, its second the request target; the rest is a pair of
// descriptions as above. The request's check must refuse, with a reason,
// every target that reaches outside the preview's addresses, even once
// decoded; an inspector's request it reads is answered from the shipped
// scenario's picture; the entries found by metre in the pair must come
// out as valid UTF-8, as the page's JSON takes them.
void prova_anteprima(std::string_view byte);

// The language server on any bytes as its standard input (framing, JSON,
// the dispatcher, the documents' changes): no crash, an exit status of 0
// or 1, and every message it writes framed and JSON-RPC 2.0.
void prova_lsp(std::string_view byte);

}  // namespace gara::fuzz
