// The listings of the three binary files and their JSON, from bytes and
// tables made here: what `scenario mostra` prints, without the tool.
#include <gtest/gtest.h>

#include <sstream>

#include "elenchi/binari.h"
#include "elenchi/elenchi.h"
#include "uscita/formato.h"
#include "uscita/timbro.h"

namespace gara::elenchi {
namespace {

std::vector<std::string> chiavi(const nlohmann::ordered_json& j) {
  std::vector<std::string> k;
  for (const auto& [chiave, valore] : j.items()) k.push_back(chiave);
  return k;
}

TEST(Elenchi, IlGenereDalNomeDelFile) {
  EXPECT_EQ(genere_da_nome("Corvana_Selvadoro_linea.dat"), genere_binario::tracciato);
  EXPECT_EQ(genere_da_nome("X_LINEA.DAT"), genere_binario::tracciato);
  EXPECT_EQ(genere_da_nome("X_R 47315.Sim"), genere_binario::tabella);
  EXPECT_EQ(genere_da_nome("X_R 47315.dat"), genere_binario::celle);
  EXPECT_EQ(genere_da_nome("linea.dat"), genere_binario::celle);  // no "_" before "linea"
  EXPECT_EQ(genere_da_nome("X.txt"), std::nullopt);
  EXPECT_EQ(genere_da_nome(""), std::nullopt);
  EXPECT_STREQ(nome_json(genere_binario::tabella), "tabella");
  EXPECT_STREQ(descrizione(genere_binario::celle), "File delle celle");
}

TEST(Elenchi, ByteCheNonRispettanoIlFormatoDiconoPerche) {
  const auto d = decodifica_binario(genere_binario::celle, std::string(16, '\0'));
  EXPECT_FALSE(d);
  EXPECT_NE(d.errore.find("multiplo di 15"), std::string::npos) << d.errore;
  EXPECT_FALSE(decodifica_binario(genere_binario::tabella, "x"));
  EXPECT_FALSE(decodifica_binario(genere_binario::tracciato, std::string("\x09\x00", 2)));
}

TEST(Elenchi, LeCelleConIlTimbroEIProfili) {
  std::vector<cella> celle(3);
  celle[cella_timbro].dato1 = timbro_celle;
  celle[2].tipo = tipo_cella::segnale;
  celle[2].velocita = 28;
  celle[2].pendenza = 97;
  std::string byte;
  for (const cella& c : celle) codifica_cella(byte, c);

  const auto d = decodifica_binario(genere_binario::celle, byte);
  ASSERT_TRUE(d) << d.errore;
  std::ostringstream out;
  elenca_binario(*d.valore, out);
  const std::string t = out.str();
  EXPECT_NE(t.find("3 celle (0-2)"), std::string::npos) << t;
  EXPECT_NE(t.find("dato1=5121 dato2=0"), std::string::npos) << t;
  EXPECT_NE(t.find("[timbro: dato1 5121 del formato, dato2 codice_gara_og]"), std::string::npos) << t;
  EXPECT_NE(t.find("cella     2  metro      50  tipo   1 (segnale)"), std::string::npos) << t;
  EXPECT_NE(t.find("celle     2-    2  metri     100-    149:  28  (140 km/h)"), std::string::npos) << t;
  EXPECT_NE(t.find("celle     2-    2  metri     100-    149:  97  (pendenza -3)"), std::string::npos) << t;

  const auto j = binario_json("P_T.dat", byte.size(), *d.valore);
  EXPECT_EQ(chiavi(j), (std::vector<std::string>{"file", "genere", "byte", "celle"}));
  EXPECT_EQ(j.at("genere"), "celle");
  EXPECT_EQ(j.at("byte"), 45);
  EXPECT_EQ(j.at("celle")[1].at("dato1"), 5121);
  EXPECT_EQ(j.at("celle")[2].at("velocita"), 28);
}

TEST(Elenchi, LaTabellaEIlTracciatoInJson) {
  tabella t{};
  t[3].testo = "CITT\xC0";
  t[3].valore3 = 17000;
  std::string sim;
  for (const auto& v : t) codifica_voce(sim, v);
  const auto d = decodifica_binario(genere_binario::tabella, sim);
  ASSERT_TRUE(d) << d.errore;
  const auto j = binario_json("P_T.sim", sim.size(), *d.valore);
  EXPECT_EQ(chiavi(j), (std::vector<std::string>{"file", "genere", "byte", "voci"}));
  EXPECT_EQ(j.at("voci").size(), 87u);
  EXPECT_EQ(j.at("voci")[3].at("testo"), "CITTÀ");
  std::ostringstream out;
  elenca_binario(*d.valore, out);
  EXPECT_NE(out.str().find("voce 3: \"CITTÀ\"\n  stazione 3: marciapiede dal metro 0 al metro 0, "
                           "stazione al metro 17000, tipo 0, orario 00:00:00\n"),
            std::string::npos)
      << out.str();

  // Two metres per axis: an integer, then an empty element.
  std::string piano;
  for (int asse = 0; asse < 2; ++asse) piano += std::string("\x02\x00\x07\x00\x00\x00", 6);
  const auto p = decodifica_binario(genere_binario::tracciato, piano);
  ASSERT_TRUE(p) << p.errore;
  const auto jp = binario_json("P_linea.dat", piano.size(), *p.valore);
  EXPECT_EQ(chiavi(jp), (std::vector<std::string>{"file", "genere", "byte", "ultimo_metro", "assi"}));
  EXPECT_EQ(testo_json(jp["assi"]), "[\n [\n  7,\n  null\n ],\n [\n  7,\n  null\n ]\n]\n");
}

TEST(Elenchi, IlTestoJsonSostituisceIByteNonUtf8) {
  nlohmann::ordered_json j = {{"file", std::string("a\xFF" "b")}};
  EXPECT_EQ(testo_json(j), "{\n \"file\": \"a\xEF\xBF\xBD" "b\"\n}\n");
}

}  // namespace
}  // namespace gara::elenchi
