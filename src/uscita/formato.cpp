#include "uscita/formato.h"

#include <array>
#include <bit>
#include <cstring>
#include <limits>

#include "modello/arrotonda.h"
#include "modello/guasto.h"
#include "modello/ordine_byte.h"

namespace gara {

namespace {

// Puts v little-endian (ordine_byte.h) at byte `da` of a fixed-size
// record; that it fits is checked when compiling.
template <std::size_t da, class U, std::size_t N>
void metti_in(std::array<char, N>& record, U v) {
  static_assert(da + sizeof(U) <= N);
  scrivi_le(record.data() + da, v);
}

void metti_8(std::string& uscita, uint8_t v) { aggiungi_le<uint8_t>(uscita, v); }
void metti_16(std::string& uscita, int16_t v) { aggiungi_le(uscita, static_cast<uint16_t>(v)); }
void metti_32(std::string& uscita, int32_t v) { aggiungi_le(uscita, static_cast<uint32_t>(v)); }

// Reads the layouts back. Every read is checked against what is left, so a
// short or malformed file is an error message, never a read past the end.
class cursore {
 public:
  explicit cursore(std::string_view byte) : byte_(byte) {}

  std::size_t posizione() const { return posizione_; }
  std::size_t restanti() const { return byte_.size() - posizione_; }
  bool basta(std::size_t n) const { return restanti() >= n; }

  uint8_t u8() { return static_cast<uint8_t>(prendi<uint8_t>()); }
  int16_t i16() { return static_cast<int16_t>(prendi<uint16_t>()); }
  uint16_t u16() { return prendi<uint16_t>(); }
  int32_t i32() { return static_cast<int32_t>(prendi<uint32_t>()); }
  uint64_t u64() { return prendi<uint64_t>(); }

  std::string testo(std::size_t n) {
    controlla(n);
    std::string t(byte_.substr(posizione_, n));
    posizione_ += n;
    return t;
  }

  void salta(std::size_t n) {
    controlla(n);
    posizione_ += n;
  }

 private:
  void controlla(std::size_t n) const {
    // The decoders check the room first; this only guards the reads.
    if (!basta(n)) throw std::logic_error("lettura oltre la fine dei dati");
  }

  template <class U>
  U prendi() {
    controlla(sizeof(U));
    const U v = leggi_le<U>(byte_, posizione_);
    posizione_ += sizeof(U);
    return v;
  }

  std::string_view byte_;
  std::size_t posizione_ = 0;
};

// ".sim" record: the part before the text and the part after it.
constexpr std::size_t byte_voce_prima_del_testo = 16;
constexpr std::size_t byte_voce_dopo_il_testo =
    formato::byte_voce_senza_testo - byte_voce_prima_del_testo;

constexpr std::size_t byte_valore(tracciato_metri::tipo t) {
  switch (t) {
    case tracciato_metri::tipo::vuoto: return 0;
    case tracciato_metri::tipo::intero: return 2;
    case tracciato_metri::tipo::reale: return 8;
  }
  return 0;
}

bool tipo_noto(uint16_t codice) {
  return codice == static_cast<uint16_t>(tracciato_metri::tipo::vuoto) ||
         codice == static_cast<uint16_t>(tracciato_metri::tipo::intero) ||
         codice == static_cast<uint16_t>(tracciato_metri::tipo::reale);
}

template <class T>
decodifica<T> fallita(std::string motivo) {
  return decodifica<T>{std::nullopt, std::move(motivo)};
}

std::string cifre(std::size_t v) { return std::to_string(v); }

}  // namespace

void codifica_cella(std::string& uscita, const cella& c) {
  // Built whole at its fixed offsets, then appended once: a grid has tens
  // of thousands of cells.
  std::array<char, formato::byte_cella> r{};
  metti_in<0>(r, c.tipo);
  metti_in<1>(r, static_cast<uint16_t>(c.dato1));
  metti_in<3>(r, static_cast<uint16_t>(c.dato2));
  metti_in<5>(r, static_cast<uint16_t>(c.dato3));
  metti_in<7>(r, static_cast<uint16_t>(c.dato4));
  metti_in<9>(r, c.tempo);
  metti_in<10>(r, c.avviso);
  metti_in<11>(r, c.montagna);
  metti_in<12>(r, c.velocita);
  metti_in<13>(r, c.pendenza);
  metti_in<14>(r, c.aderenza);
  static_assert(14 + sizeof(c.aderenza) == formato::byte_cella);
  uscita.append(r.data(), r.size());
}

void codifica_voce(std::string& uscita, const voce_linea& v) {
  if (v.testo.size() > testo_massimo)
    throw errore_formato("testo di " + cifre(v.testo.size()) + " byte, oltre i " + cifre(testo_massimo) +
                         " che il file della tabella consente");
  metti_8(uscita, v.tipo_stazione);
  metti_32(uscita, v.valore1);
  metti_32(uscita, v.valore2);
  metti_32(uscita, v.valore3);
  metti_8(uscita, v.byte_a);
  aggiungi_le(uscita, static_cast<uint16_t>(v.testo.size()));
  uscita += v.testo;
  metti_16(uscita, v.intero_a);
  metti_16(uscita, v.intero_b);
  metti_16(uscita, v.intero_c);
  metti_16(uscita, v.intero_d);
  metti_16(uscita, v.intero_e);
  metti_8(uscita, v.byte_b);
  metti_8(uscita, v.byte_c);
  metti_8(uscita, v.byte_d);
  metti_8(uscita, v.byte_e);
  metti_32(uscita, v.orario);
}

std::size_t byte_elemento(tracciato_metri::tipo t) {
  return formato::byte_tipo_valore + byte_valore(t);
}

uint64_t byte_tracciato(const tracciato_metri& t) {
  if (!t.esiste()) return 0;
  const int64_t oltre = int64_t{t.ultimo_metro()} + 1;
  uint64_t totale = 0;
  for (int asse = 0; asse <= 1; ++asse) {
    // Runs of reals by the bitmap; the few other elements one by one.
    for (int64_t m = 0; m < oltre;) {
      const int64_t fine = t.fine_tratto(asse, m, oltre, true);
      totale += static_cast<uint64_t>(fine - m) * byte_elemento(tracciato_metri::tipo::reale);
      if (fine < oltre) totale += byte_elemento(t.tipo_di(fine, asse));
      m = fine + 1;
    }
  }
  return totale;
}

void codifica_elemento(std::string& uscita, const tracciato_metri& t, int64_t metro, int asse) {
  char byte[formato::byte_elemento_massimo];
  const auto scritti = codifica_elementi(byte, t, asse, metro, metro + 1);
  uscita.append(scritti.data(), scritti.size());
}

std::span<const char> codifica_elementi(std::span<char> uscita, const tracciato_metri& t, int asse,
                                        int64_t da, int64_t fino) {
  static_assert(tracciato_metri::byte_posto == formato::byte_elemento_massimo);
  const auto posti = t.posti(asse, da, fino);
  if (uscita.size() < posti.size()) throw guasto("spazio insufficiente per codificare il tracciato");
  // Each slot already holds its element as the file stores it: only its
  // length is the element's own.
  std::size_t scritti = 0;
  for (std::size_t i = 0; i < posti.size(); i += tracciato_metri::byte_posto) {
    const auto codice = leggi_le<uint16_t>(posti.data() + i);
    if (!tipo_noto(codice)) throw errore_formato("tipo di valore sconosciuto nel tracciato");
    const std::size_t n = byte_elemento(static_cast<tracciato_metri::tipo>(codice));
    std::memcpy(uscita.data() + scritti, posti.data() + i, n);
    scritti += n;
  }
  return uscita.first(scritti);
}

decodifica<std::vector<cella>> decodifica_celle(std::string_view byte) {
  using risultato = std::vector<cella>;
  if (byte.empty()) return fallita<risultato>("file delle celle vuoto: nessuna cella");
  if (byte.size() % formato::byte_cella != 0)
    return fallita<risultato>("file delle celle di " + cifre(byte.size()) +
                              " byte, che non sono un multiplo di " + cifre(formato::byte_cella));
  cursore c(byte);
  risultato celle(byte.size() / formato::byte_cella);
  for (cella& x : celle) {
    x.tipo = c.u8();
    x.dato1 = c.i16();
    x.dato2 = c.i16();
    x.dato3 = c.i16();
    x.dato4 = c.i16();
    x.tempo = c.u8();
    x.avviso = c.u8();
    x.montagna = c.u8();
    x.velocita = c.u8();
    x.pendenza = c.u8();
    x.aderenza = c.u8();
  }
  return {std::move(celle), {}};
}

decodifica<tabella> decodifica_tabella(std::string_view byte) {
  cursore c(byte);
  tabella t{};
  for (std::size_t i = 0; i < t.size(); ++i) {
    voce_linea& v = t[i];
    const std::string dove = "voce " + cifre(i) + " (dal byte " + cifre(c.posizione()) + ")";
    if (c.restanti() == 0)
      return fallita<tabella>("il file della tabella finisce dopo " + cifre(i) + " voci su " +
                              cifre(t.size()));
    if (!c.basta(byte_voce_prima_del_testo))
      return fallita<tabella>(dove + " troncata: " + cifre(c.restanti()) + " byte invece di almeno " +
                              cifre(formato::byte_voce_senza_testo));
    v.tipo_stazione = c.u8();
    v.valore1 = c.i32();
    v.valore2 = c.i32();
    v.valore3 = c.i32();
    v.byte_a = c.u8();
    const std::size_t lunghezza = c.u16();
    if (!c.basta(lunghezza))
      return fallita<tabella>(dove + ": testo di " + cifre(lunghezza) +
                              " byte oltre la fine del file (ne restano " + cifre(c.restanti()) + ")");
    v.testo = c.testo(lunghezza);
    if (!c.basta(byte_voce_dopo_il_testo))
      return fallita<tabella>(dove + " troncata dopo il testo: restano " + cifre(c.restanti()) +
                              " byte invece di " + cifre(byte_voce_dopo_il_testo));
    v.intero_a = c.i16();
    v.intero_b = c.i16();
    v.intero_c = c.i16();
    v.intero_d = c.i16();
    v.intero_e = c.i16();
    v.byte_b = c.u8();
    v.byte_c = c.u8();
    v.byte_d = c.u8();
    v.byte_e = c.u8();
    v.orario = c.i32();
  }
  if (c.restanti() != 0)
    return fallita<tabella>(cifre(c.restanti()) + " byte in più dopo le " + cifre(t.size()) +
                            " voci, dal byte " + cifre(c.posizione()));
  return {std::move(t), {}};
}

decodifica<tracciato_metri> decodifica_tracciato(std::string_view byte,
                                                 std::optional<int32_t> ultimo_metro_atteso) {
  // First pass: check every element and count them, so that nothing is
  // allocated for bytes that are not a plan.
  std::size_t elementi = 0;
  {
    cursore c(byte);
    while (c.restanti() > 0) {
      const std::size_t inizio = c.posizione();
      if (!c.basta(formato::byte_tipo_valore))
        return fallita<tracciato_metri>("elemento " + cifre(elementi) + " troncato al byte " +
                                        cifre(inizio) + ": manca il tipo");
      const uint16_t codice = c.u16();
      if (!tipo_noto(codice))
        return fallita<tracciato_metri>("elemento " + cifre(elementi) + " al byte " + cifre(inizio) +
                                        ": tipo di valore sconosciuto " + cifre(codice));
      const std::size_t valore = byte_valore(static_cast<tracciato_metri::tipo>(codice));
      if (!c.basta(valore))
        return fallita<tracciato_metri>("elemento " + cifre(elementi) + " al byte " + cifre(inizio) +
                                        " troncato: il valore vuole " + cifre(valore) +
                                        " byte, ne restano " + cifre(c.restanti()));
      c.salta(valore);
      ++elementi;
    }
  }
  if (elementi == 0) return fallita<tracciato_metri>("file del tracciato vuoto: nessun metro");
  if (elementi % 2 != 0)
    return fallita<tracciato_metri>(cifre(elementi) +
                                    " elementi: i due assi devono avere gli stessi metri");
  const std::size_t metri = elementi / 2;
  if (metri - 1 > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 2))
    return fallita<tracciato_metri>("tracciato di " + cifre(metri) + " metri, troppi");
  const auto ultimo = static_cast<int32_t>(metri - 1);
  if (ultimo_metro_atteso && *ultimo_metro_atteso != ultimo)
    return fallita<tracciato_metri>("tracciato fino al metro " + std::to_string(ultimo) +
                                    " invece che fino al metro " +
                                    std::to_string(*ultimo_metro_atteso));

  tracciato_metri t;
  t.crea(ultimo, true);
  cursore c(byte);
  for (std::size_t i = 0; i < elementi; ++i) {
    const auto metro = static_cast<int64_t>(i % metri);
    const int asse = i < metri ? 0 : 1;
    switch (static_cast<tracciato_metri::tipo>(c.u16())) {
      case tracciato_metri::tipo::vuoto:
        break;
      case tracciato_metri::tipo::intero:
        t.imposta_intero(metro, asse, c.i16());
        break;
      case tracciato_metri::tipo::reale:
        t.imposta_reale(metro, asse, std::bit_cast<double>(c.u64()));
        break;
    }
  }
  return {std::move(t), {}};
}

}  // namespace gara
