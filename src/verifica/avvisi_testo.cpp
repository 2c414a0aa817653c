#include "verifica/avvisi_testo.h"

#include <string_view>

#include "lettura/righe.h"
#include "modello/catalogo.h"

namespace gara {

namespace {

diagnostica avviso(const descrizione& d, problema p, int linea, int colonna, int lunghezza, std::string motivo) {
  return diagnostica_di(p, luogo{d.nome, linea, colonna, lunghezza}, std::move(motivo));
}

// The length of the UTF-8 sequence of two to four bytes that starts at i,
// or 0 when none does.
std::size_t sequenza_utf8(std::string_view t, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
  const auto segue = [&](std::size_t k) { return k < t.size() && (b(k) & 0xC0) == 0x80; };
  const unsigned char c = b(i);
  std::size_t n = 0;
  if (c >= 0xC2 && c <= 0xDF) n = 2;
  else if (c >= 0xE0 && c <= 0xEF) n = 3;
  else if (c >= 0xF0 && c <= 0xF4) n = 4;
  for (std::size_t k = 1; k < n; ++k)
    if (!segue(i + k)) return 0;
  return n;
}

}  // namespace

std::vector<diagnostica> avvisi_del_testo(const descrizione& d) {
  std::vector<diagnostica> a;
  if (!d.byte) return a;
  const std::string_view t = *d.byte;

  // A byte-order mark, or accented letters written as UTF-8 sequences with
  // no byte of Windows-1252 text among them: the file was saved as UTF-8.
  const bool bom = t.starts_with("\xEF\xBB\xBF");
  int linea = 1;
  std::size_t inizio_riga = 0;
  bool altri_byte_alti = false;
  int prima_linea = 0, prima_colonna = 0;
  std::size_t sequenze = 0;
  bool fine_diversa = false;
  for (std::size_t i = 0; i < t.size();) {
    if (const std::size_t n = fine_riga_in(t, i)) {
      if (!fine_diversa && !(n == 2)) {
        fine_diversa = true;
        a.push_back(avviso(d, problema::fine_riga_diversa, linea, static_cast<int>(i - inizio_riga) + 1, 1,
                           std::string("riga terminata da ") + (t[i] == '\n' ? "LF" : "CR") +
                               " da solo invece che da CR LF: il compilatore la accetta, ma il file è "
                               "stato salvato in un formato diverso da quello dello scenario"));
      }
      i += n;
      ++linea;
      inizio_riga = i;
      continue;
    }
    if (static_cast<unsigned char>(t[i]) >= 0x80) {
      if (const std::size_t n = sequenza_utf8(t, i); n > 0) {
        if (sequenze++ == 0) {
          prima_linea = linea;
          prima_colonna = static_cast<int>(i - inizio_riga) + 1;
        }
        i += n;
        continue;
      }
      altri_byte_alti = true;
    }
    ++i;
  }
  if (bom || (sequenze > 0 && !altri_byte_alti)) {
    const int l = bom ? 1 : prima_linea, c = bom ? 1 : prima_colonna;
    a.push_back(avviso(d, problema::file_in_utf8, l, c, bom ? 3 : 2,
                       "il file sembra salvato in UTF-8: le descrizioni sono in Windows-1252 (ANSI), e "
                       "ogni lettera accentata UTF-8 diventa due caratteri nei nomi"));
  }
  return a;
}

}  // namespace gara
