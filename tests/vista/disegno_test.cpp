// The SVG drawing of a view built by hand: the whole document, and the
// small helpers the plan and the profile share.
#include <gtest/gtest.h>

#include <limits>

#include "disegno/disegno.h"
#include "disegno/etichette.h"
#include "disegno/impaginazione.h"
#include "disegno/svg.h"

namespace gara::disegno {
namespace {

TEST(Disegno, UnoScenarioSenzaTracciatoESoloProfilo) {
  std::vector<cella> celle(40);
  celle[5].tipo = tipo_cella::segnale;
  tabella t{};
  t[voce::sfondi].testo = "P&Q";
  t[voce::treno].testo = "T";
  t[voce::generale].valore2 = 1500;
  t[1].testo = "A<B";
  t[1].valore3 = 700;
  const std::string s = svg_scenario(vista::prepara_vista(celle, t, std::nullopt));
  EXPECT_EQ(s.rfind("</svg>"), s.size() - std::string("</svg>\n").size()) << s.substr(s.size() - 40);
  EXPECT_NE(s.find(">P&amp;Q – treno T</text>"), std::string::npos);
  EXPECT_NE(s.find("linea di 1,5 km, 1 stazione, 1 segnale, 0 rallentamenti; scenario compilato "
                   "senza tracciato: solo il profilo"),
            std::string::npos);
  EXPECT_NE(s.find(">A&lt;B</text>"), std::string::npos);
  EXPECT_EQ(s.find("Pianta del tracciato"), std::string::npos);
  EXPECT_NE(s.find("Legenda"), std::string::npos);
  // The same view gives the same bytes.
  EXPECT_EQ(s, svg_scenario(vista::prepara_vista(celle, t, std::nullopt)));
}

TEST(Disegno, NumeriTestiEChilometri) {
  EXPECT_EQ(numero_svg(1.26), "1.3");  // one decimal
  EXPECT_EQ(numero_svg(3.0), "3");
  EXPECT_EQ(numero_svg(-0.01), "0");
  EXPECT_EQ(numero_svg(std::numeric_limits<double>::quiet_NaN()), "0");
  // Half-way cases round as printf's "%.1f" does, on the exact binary
  // value: 0.25 is a tie (to even), 0.35 lies below its tie, 0.45 above.
  for (const auto& [v, atteso] : {std::pair{0.25, "0.2"}, {0.35, "0.3"}, {0.45, "0.5"}, {-0.05, "-0.1"},
                                  {-0.15, "-0.1"}, {2.75, "2.8"}, {-2.75, "-2.8"}, {999999999.95, "1000000000"},
                                  {12345678901.25, "12345678901.2"}, {1e20, "100000000000000000000"}})
    EXPECT_EQ(numero_svg(v), atteso) << v;
  EXPECT_EQ(testo_xml("<a href=\"x\">&'"), "&lt;a href=&quot;x&quot;&gt;&amp;&apos;");
  EXPECT_EQ(in_km(24800), "24,8 km");
  EXPECT_EQ(in_km(47000), "47 km");
  EXPECT_EQ(in_km(-0.1), "0 km");
  EXPECT_DOUBLE_EQ(larghezza_testo("àb", 10), 2 * 10 * 0.62);
}

TEST(Disegno, LeEtichetteNonSiSovrappongono) {
  // Three labels: the second overlaps the first, the third fits after both.
  EXPECT_EQ(righe_etichette({{0, 50}, {40, 90}, {100, 120}}, 2, 5), (std::vector<int>{0, 1, 0}));
  // With one row everything goes to it.
  EXPECT_EQ(righe_etichette({{0, 50}, {40, 90}}, 1, 5), (std::vector<int>{0, 0}));
  // No rows: every label stays on row 0.
  EXPECT_EQ(righe_etichette({{0, 50}}, 0, 5), (std::vector<int>{0}));
  // Rows full: the one whose last label ends first.
  EXPECT_EQ(righe_etichette({{0, 80}, {10, 30}, {20, 60}}, 2, 0), (std::vector<int>{0, 1, 1}));
}

}  // namespace
}  // namespace gara::disegno
