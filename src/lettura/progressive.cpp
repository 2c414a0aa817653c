#include "lettura/progressive.h"

#include <array>

#include "modello/arrotonda.h"

namespace gara {

namespace {

struct progressiva {
  int32_t a = 0, b = 0, c = 0;
};

progressiva da_voce(const voce_linea& v) { return {v.valore1, v.valore2, v.valore3}; }

}  // namespace

void progressive_ordina(stato_compilazione& s) {
  const progressiva t = da_voce(s.voce_in(voce::progressiva_tre));
  const progressiva d = da_voce(s.voce_in(voce::progressiva_due));
  const progressiva u = da_voce(s.voce_in(voce::progressiva_uno));

  std::array<progressiva, 3> esito{};  // records 81, 82, 83; all zero unless ordered
  if (int64_t{t.a} + d.a + u.a != 0) {
    // The entry with the greatest first value goes first; of the other two,
    // the greater next, a tie going to the one from the higher record
    // (uno before due before tre).
    const std::array<progressiva, 3> per_record{t, d, u};
    for (int primo = 0; primo < 3; ++primo) {
      const int x = (primo + 1) % 3, y = (primo + 2) % 3;
      const auto& p = per_record[static_cast<std::size_t>(primo)];
      const auto& px = per_record[static_cast<std::size_t>(x)];
      const auto& py = per_record[static_cast<std::size_t>(y)];
      if (p.a > px.a && p.a > py.a) {
        const bool x_prima = px.a > py.a || (px.a == py.a && x > y);
        esito = {p, x_prima ? px : py, x_prima ? py : px};
      }
    }
  } else {
    if (t.b > 0) esito = {t, d, u};
    if (d.b > 0) esito = {d, t, u};
    if (u.b > 0) esito = {u, d, t};
  }

  for (int k = 0; k < 3; ++k) {
    progressiva p = esito[static_cast<std::size_t>(k)];
    if (p.c == 1) p.b = entro<int32_t>(int64_t{p.b} + 100);
    voce_linea& v = s.voce_in(voce::progressiva_tre + k);
    v.valore1 = p.a;
    v.valore2 = p.b;
    v.valore3 = p.c;
  }
}

}  // namespace gara
