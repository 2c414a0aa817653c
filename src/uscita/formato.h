#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "modello/cella.h"
#include "modello/tracciato.h"
#include "modello/voce_linea.h"

namespace gara {

// The three binary files the simulator loads are plain images of the model's
// tables: no header, no element count, no padding between records, every
// number little-endian and signed numbers in two's complement, whatever the
// host. The layouts live here once; the writer encodes with them and the
// decoders (the tests, `scenario mostra`) read with them.
//
//   ".dat"        cells, 15 bytes each, cell 0 first
//   ".sim"        the 87 records of the line table, 34 bytes + the text each
//   "_linea.dat"  the track plan: axis 0 for metres 0..M, then axis 1, each
//                 element a tagged value (2-byte type, then 0, 2 or 8 bytes)

namespace formato {
inline constexpr std::size_t byte_cella = 15;
inline constexpr std::size_t byte_voce_senza_testo = 34;
inline constexpr std::size_t byte_tipo_valore = 2;
inline constexpr std::size_t byte_elemento_massimo = byte_tipo_valore + sizeof(double);
}  // namespace formato

// A table that its layout cannot hold: a record text longer than the 16-bit
// length allows.
class errore_formato : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Encoders: each appends one element in its file layout to `uscita`.
void codifica_cella(std::string& uscita, const cella& c);
// Throws errore_formato when the text is longer than testo_massimo bytes.
void codifica_voce(std::string& uscita, const voce_linea& v);
void codifica_elemento(std::string& uscita, const tracciato_metri& t, int64_t metro, int asse);
// The metres da..fino - 1 of one axis, in one go: the plan's file is tens of
// megabytes and this is the writer's inner loop. It writes into `uscita`,
// which must have room for byte_elemento_massimo bytes per metre, and
// returns the part written.
std::span<const char> codifica_elementi(std::span<char> uscita, const tracciato_metri& t, int asse,
                                        int64_t da, int64_t fino);

// Bytes of one tagged value of the type given, type code included.
std::size_t byte_elemento(tracciato_metri::tipo t);
// Bytes of the whole plan's file.
uint64_t byte_tracciato(const tracciato_metri& t);

// What a decoder gives back: the table, or why the bytes do not fit the
// layout (never a partial table).
template <class T>
struct decodifica {
  std::optional<T> valore;
  std::string errore;

  explicit operator bool() const { return valore.has_value(); }
};

// The cells of a ".dat" file.
decodifica<std::vector<cella>> decodifica_celle(std::string_view byte);

// The 87 records of a ".sim" file; fewer records, a truncated one or bytes
// after the last are errors.
decodifica<tabella> decodifica_tabella(std::string_view byte);

// The track plan of a "_linea.dat" file. The file does not say how long the
// plan is: both axes have the same metres, so the elements must be an even
// number; when the caller knows the last metre (route length + 7000) it is
// checked as well.
decodifica<tracciato_metri> decodifica_tracciato(
    std::string_view byte, std::optional<int32_t> ultimo_metro_atteso = std::nullopt);

}  // namespace gara
