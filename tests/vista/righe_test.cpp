// One rule for line ends (CR LF, CR alone, LF alone): the field reader's
// line numbers and the line a report quotes agree, whatever the file uses.
#include "lettura/righe.h"

#include <gtest/gtest.h>

#include "lettura/lettore_campi.h"
#include "resoconto/diagnostiche.h"

namespace gara {
namespace {

TEST(Righe, OgniFineRigaContaUnaVolta) {
  struct caso {
    const char* testo;
    int numero;
    const char* attesa;  // nullptr: no such line
  };
  for (const caso& k : {caso{"a\r\nb\r\nc", 2, "b"}, caso{"a\rb\rc", 3, "c"}, caso{"a\nb\r\n\rd", 4, "d"},
                        caso{"a\r\n", 1, "a"}, caso{"a\r\n", 2, nullptr}, caso{"", 1, ""}, caso{"a", 0, nullptr},
                        caso{"a\r\n\r\nb", 2, ""}, caso{"a\r\nb", 3, nullptr}}) {
    // Once, and from the lines of the text found all at once.
    const righe_del_testo righe(k.testo);
    for (const auto& r : {riga_di(k.testo, k.numero), righe.riga(k.numero)}) {
      if (k.attesa == nullptr) {
        EXPECT_FALSE(r.has_value()) << k.testo << " " << k.numero;
      } else {
        ASSERT_TRUE(r.has_value()) << k.testo << " " << k.numero;
        EXPECT_EQ(*r, k.attesa);
      }
    }
  }
}

// The field reader's place of a field, quoted back by the report, in a file
// of CR-only line ends and in one of mixed ends.
TEST(Righe, IlLettoreEIlResocontoContanoAllaStessaManiera) {
  for (const std::string testo : {"uno\rdue, 7\rtre, 8x\r", "uno\r\ndue, 7\ntre, 8x\r"}) {
    lettore_campi f(testo, "P_T-.txt");
    f.leggi_testo();
    f.leggi_testo();
    f.leggi_numero<int32_t>();
    f.leggi_testo();
    EXPECT_EQ(f.leggi_numero<int32_t>(), 8);
    EXPECT_EQ(f.campo(), (luogo{"P_T-.txt", 3, 6, 2}));
    sorgenti d;
    d.treno = {"P_T-.txt", testo, std::nullopt};
    EXPECT_EQ(riga_con_segno(d, f.campo()), "  3 | tre, 8x\n    |      ^~\n");
  }
}

}  // namespace
}  // namespace gara
