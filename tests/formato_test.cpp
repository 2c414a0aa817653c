#include "uscita/formato.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace gara {
namespace {

// "0C 01 14 ...": bytes as the tests write them.
std::string esadecimale(std::string_view byte) {
  std::string t;
  for (unsigned char b : byte) {
    char due[4];
    std::snprintf(due, sizeof due, "%02X", b);
    if (!t.empty()) t += ' ';
    t += due;
  }
  return t;
}

// The first element where two plans differ, bit for bit; empty when equal.
std::string differenza(const tracciato_metri& a, const tracciato_metri& b) {
  if (a.ultimo_metro() != b.ultimo_metro()) return "ultimo metro diverso";
  for (int asse = 0; asse <= 1; ++asse)
    for (int64_t m = 0; m <= a.ultimo_metro(); ++m)
      if (a.tipo_di(m, asse) != b.tipo_di(m, asse) ||
          std::bit_cast<uint64_t>(a.valore(m, asse)) != std::bit_cast<uint64_t>(b.valore(m, asse)))
        return "metro " + std::to_string(m) + " asse " + std::to_string(asse);
  return "";
}

TEST(Formato, CellaInQuindiciByteLittleEndian) {
  const cella c{.tipo = 12,
                .dato1 = 5121,
                .dato2 = -2,
                .dato3 = 0x1234,
                .dato4 = -32768,
                .tempo = 199,
                .avviso = 84,
                .montagna = 3,
                .velocita = 28,
                .pendenza = 102,
                .aderenza = 255};
  std::string byte;
  codifica_cella(byte, c);
  EXPECT_EQ(esadecimale(byte), "0C 01 14 FE FF 34 12 00 80 C7 54 03 1C 66 FF");
}

TEST(Formato, VoceConIlTestoInMezzo) {
  voce_linea v;
  v.tipo_stazione = 8;
  v.valore1 = 600;
  v.valore2 = -1;
  v.valore3 = 0x01020304;
  v.byte_a = 4;
  v.testo = "A\xC8";
  v.intero_a = 610;
  v.intero_b = -1;
  v.intero_c = 12;
  v.intero_d = 3;
  v.intero_e = 11;
  v.byte_b = 1;
  v.byte_c = 2;
  v.byte_d = 3;
  v.byte_e = 4;
  v.orario = 33756;
  std::string byte;
  codifica_voce(byte, v);
  EXPECT_EQ(esadecimale(byte),
            "08 58 02 00 00 FF FF FF FF 04 03 02 01 04 02 00 41 C8 "
            "62 02 FF FF 0C 00 03 00 0B 00 01 02 03 04 DC 83 00 00");
}

TEST(Formato, VoceSenzaTestoOccupa34Byte) {
  voce_linea v;
  v.valore1 = 7;
  std::string byte;
  codifica_voce(byte, v);
  ASSERT_EQ(byte.size(), 34u);
  EXPECT_EQ(byte[14], '\0');
  EXPECT_EQ(byte[15], '\0');
}

TEST(Formato, TestoOltre65535ByteNonSiCodifica) {
  voce_linea v;
  v.testo.assign(testo_massimo, 'x');
  std::string byte;
  codifica_voce(byte, v);
  EXPECT_EQ(byte.size(), 34u + testo_massimo);
  EXPECT_EQ(esadecimale(byte.substr(14, 2)), "FF FF");

  v.testo.push_back('x');
  std::string altro;
  EXPECT_THROW(codifica_voce(altro, v), errore_formato);
}

TEST(Formato, ValoriEtichettati) {
  tracciato_metri t;
  t.crea(1);
  t.imposta_intero(1, 0, -2);
  t.imposta_reale(0, 1, 1.0);
  t.imposta_reale(1, 1, -0.0);

  const auto codificato = [&](int64_t metro, int asse) {
    std::string byte;
    codifica_elemento(byte, t, metro, asse);
    return esadecimale(byte);
  };
  EXPECT_EQ(codificato(0, 0), "00 00");
  EXPECT_EQ(codificato(1, 0), "02 00 FE FF");
  EXPECT_EQ(codificato(0, 1), "05 00 00 00 00 00 00 00 F0 3F");
  EXPECT_EQ(codificato(1, 1), "05 00 00 00 00 00 00 00 00 80");
}

TEST(Formato, AndataERitornoDelleCelle) {
  std::vector<cella> celle(40);
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const auto k = static_cast<int>(i);
    celle[i] = cella{static_cast<uint8_t>(k % 15), static_cast<int16_t>(-1000 * k),
                     static_cast<int16_t>(k * 811), static_cast<int16_t>(32767 - k),
                     static_cast<int16_t>(-32768 + k), static_cast<uint8_t>(255 - k),
                     static_cast<uint8_t>(k), static_cast<uint8_t>(k % 4), 28, 102, 100};
  }
  std::string byte;
  for (const cella& c : celle) codifica_cella(byte, c);

  const auto d = decodifica_celle(byte);
  ASSERT_TRUE(d) << d.errore;
  EXPECT_EQ(*d.valore, celle);
}

TEST(Formato, AndataERitornoDellaTabella) {
  tabella t{};
  t[1] = voce_linea{8, 0, 600, 0, 1, "CORVANA", 1, 12, 4, 0, 0, 1, 1, 0, 1, 43200};
  t[80].testo = "(FIUME TARA)";
  t[79].testo = std::string("\0\xFF\x80", 3);
  t[78].testo.assign(testo_massimo, 'z');
  t[85] = voce_linea{0, -1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                     0, "Corvana_Selvadoro", 610, -32768, 32767, 0, 0, 255, 0, 0, 0, 33016};
  std::string byte;
  for (const voce_linea& v : t) codifica_voce(byte, v);

  const auto d = decodifica_tabella(byte);
  ASSERT_TRUE(d) << d.errore;
  for (std::size_t i = 0; i < t.size(); ++i) EXPECT_EQ((*d.valore)[i], t[i]) << "voce " << i;
}

TEST(Formato, AndataERitornoDelTracciatoBitPerBit) {
  tracciato_metri t;
  t.crea(6);
  t.imposta_intero(0, 0, 0);
  t.imposta_intero(1, 0, -32768);
  t.imposta_reale(2, 0, 0.1);
  t.imposta_reale(3, 0, -0.0);
  t.imposta_reale(4, 0, std::numeric_limits<double>::infinity());
  t.imposta_reale(0, 1, std::bit_cast<double>(uint64_t{0x7FF8'0000'0000'1234}));  // a NaN
  t.imposta_intero(1, 1, 1);
  t.imposta_reale(2, 1, 1e300);
  std::string byte;
  for (int asse = 0; asse <= 1; ++asse)
    for (int64_t m = 0; m <= 6; ++m) codifica_elemento(byte, t, m, asse);

  const auto d = decodifica_tracciato(byte, 6);
  ASSERT_TRUE(d) << d.errore;
  EXPECT_EQ(differenza(*d.valore, t), "");
}

// What a decoder says about bytes that do not fit its layout.
std::string errore_celle(std::string_view b) { return decodifica_celle(b).errore; }
std::string errore_tabella(std::string_view b) { return decodifica_tabella(b).errore; }
std::string errore_tracciato(std::string_view b) { return decodifica_tracciato(b).errore; }
std::string errore_tracciato_di_3_metri(std::string_view b) {
  return decodifica_tracciato(b, 3).errore;
}

std::string tabella_vuota() { return std::string(87 * 34, '\0'); }

struct caso_errato {
  std::string nome;
  std::string (*decodifica)(std::string_view);
  std::string byte;
  std::string frammento;  // a part of the message that must be there
};

TEST(Formato, ByteCheNonSeguonoLoSchemaDannoUnErrore) {
  const std::string due_vuoti("\0\0\0\0", 4);
  const std::vector<caso_errato> casi = {
      {"celle: file vuoto", errore_celle, "", "vuoto"},
      {"celle: 16 byte", errore_celle, std::string(16, '\0'), "multiplo di 15"},
      {"tabella: file vuoto", errore_tabella, "", "dopo 0 voci su 87"},
      {"tabella: 86 voci", errore_tabella, std::string(86 * 34, '\0'), "dopo 86 voci su 87"},
      {"tabella: voce troncata prima del testo", errore_tabella, std::string(34 + 10, '\0'),
       "voce 1 (dal byte 34) troncata"},
      {"tabella: testo oltre la fine", errore_tabella,
       std::string(14, '\0') + std::string("\xFF\x00", 2) + std::string(18, '\0'), "testo di 255 byte oltre la fine"},
      {"tabella: voce troncata dopo il testo", errore_tabella,
       tabella_vuota().substr(0, 86 * 34) + std::string(16, '\0') + std::string(17, '\0'),
       "voce 86 (dal byte 2924) troncata dopo il testo"},
      {"tabella: byte in più", errore_tabella, tabella_vuota() + "x", "1 byte in più"},
      {"tracciato: file vuoto", errore_tracciato, "", "vuoto"},
      {"tracciato: tipo a metà", errore_tracciato, due_vuoti + std::string(1, '\0'),
       "elemento 2 troncato al byte 4"},
      {"tracciato: tipo sconosciuto", errore_tracciato, due_vuoti + std::string("\x03\x00", 2),
       "tipo di valore sconosciuto 3"},
      {"tracciato: reale troncato", errore_tracciato, std::string("\x05\x00\x00\x00", 4),
       "il valore vuole 8 byte, ne restano 2"},
      {"tracciato: numero dispari di elementi", errore_tracciato, std::string(6, '\0'),
       "3 elementi"},
      {"tracciato: metri diversi da quelli attesi", errore_tracciato_di_3_metri,
       std::string(12, '\0'), "fino al metro 2 invece che fino al metro 3"},
  };
  for (const auto& k : casi) {
    SCOPED_TRACE(k.nome);
    const std::string errore = k.decodifica(k.byte);
    EXPECT_NE(errore.find(k.frammento), std::string::npos) << errore;
  }
}

}  // namespace
}  // namespace gara
