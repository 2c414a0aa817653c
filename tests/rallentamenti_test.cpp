// The end of a slowdown, as the orientation-board pass and the view of a
// compiled scenario (the drawing) both find it.
#include <gtest/gtest.h>

#include <vector>

#include "modello/rallentamenti.h"

namespace gara {
namespace {

std::vector<cella> griglia(std::initializer_list<uint8_t> tipi) {
  std::vector<cella> c;
  for (uint8_t t : tipi) c.push_back(cella{.tipo = t});
  return c;
}

TEST(FineDelRallentamento, LaPrimaCellaDiFineDopoLInizio) {
  using namespace tipo_cella;
  const auto c = griglia({vuota, fine_rallentamento, inizio_rallentamento, tavola,
                          fine_rallentamento, vuota, fine_rallentamento});
  EXPECT_EQ(fine_del_rallentamento(c, 2), 4);
  EXPECT_EQ(fine_del_rallentamento(c, 4), 6);  // the end cell itself is never its own end
  EXPECT_EQ(fine_del_rallentamento(c, 0), 1);
}

TEST(FineDelRallentamento, NienteQuandoLaGrigliaFinisceSenzaFine) {
  using namespace tipo_cella;
  const auto c = griglia({vuota, inizio_rallentamento, vuota, segnale});
  EXPECT_EQ(fine_del_rallentamento(c, 1), std::nullopt);
  EXPECT_EQ(fine_del_rallentamento(c, 3), std::nullopt);  // the last cell
  EXPECT_EQ(fine_del_rallentamento({}, 0), std::nullopt);
}

}  // namespace
}  // namespace gara
