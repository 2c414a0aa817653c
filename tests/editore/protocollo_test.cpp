#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editore/coppia.h"
#include "editore/testo.h"
#include "editore/uri.h"
#include "modello/catalogo.h"
#include "protocollo/cornice.h"
#include "protocollo/jsonrpc.h"

namespace gara {
namespace {

using protocollo::codifica;
using protocollo::messaggio_letto;
using esito = messaggio_letto::esito;

std::vector<messaggio_letto> leggi_tutti(const std::string& flusso) {
  std::istringstream in(flusso);
  std::vector<messaggio_letto> r;
  for (int i = 0; i < 10; ++i) {
    r.push_back(protocollo::leggi_messaggio(in));
    if (r.back().tipo == esito::fine || r.back().tipo == esito::troncata) break;
  }
  return r;
}

TEST(Cornice, OgniIntestazioneLettaOScartataFinoAlMessaggioSeguente) {
  struct caso {
    const char* nome;
    std::string flusso;
    std::vector<esito> attesi;
    std::string primo_corpo;
  };
  const std::string lunga(protocollo::intestazione_massima + 10, 'x');
  const std::vector<caso> casi{
      {"semplice", "Content-Length: 2\r\n\r\n{}", {esito::corpo, esito::fine}, "{}"},
      {"altre intestazioni, nome in minuscolo, solo LF",
       "Content-Type: application/vscode-jsonrpc; charset=utf-8\ncontent-length:3\n\n[1]",
       {esito::corpo, esito::fine}, "[1]"},
      {"senza Content-Length, poi uno buono", "X: 1\r\n\r\nContent-Length: 1\r\n\r\n5",
       {esito::malformata, esito::corpo, esito::fine}, ""},
      {"numero non valido", "Content-Length: 1x\r\n\r\nContent-Length: 1\r\n\r\n5",
       {esito::malformata, esito::corpo, esito::fine}, ""},
      {"riga senza due punti", "ciao\r\n\r\n", {esito::malformata, esito::fine}, ""},
      {"riga troppo lunga", lunga + ": 1\r\nContent-Length: 1\r\n\r\n5", {esito::malformata, esito::fine}, ""},
      {"corpo oltre il massimo, saltato", "Content-Length: 99999999999\r\n\r\nabc",
       {esito::troppo_grande, esito::fine}, ""},
      {"corpo troncato", "Content-Length: 10\r\n\r\nabc", {esito::troncata}, ""},
      {"intestazione troncata", "Content-Length: 10\r\n", {esito::troncata}, ""},
      {"flusso vuoto", "", {esito::fine}, ""},
  };
  for (const caso& c : casi) {
    const auto letti = leggi_tutti(c.flusso);
    std::vector<esito> tipi;
    for (const auto& m : letti) tipi.push_back(m.tipo);
    EXPECT_EQ(tipi, c.attesi) << c.nome;
    if (!c.primo_corpo.empty()) {
      EXPECT_EQ(letti.front().corpo, c.primo_corpo) << c.nome;
    }
    for (const auto& m : letti)
      if (m.tipo != esito::corpo && m.tipo != esito::fine) {
        EXPECT_FALSE(m.motivo.empty()) << c.nome;
      }
  }
}

TEST(Cornice, ScrittoComeLetto) {
  std::stringstream s;
  protocollo::scrivi_messaggio(s, protocollo::notifica("x", {{"testo", "città €"}}));
  const auto m = protocollo::leggi_messaggio(s);
  ASSERT_EQ(m.tipo, esito::corpo);
  EXPECT_EQ(nlohmann::json::parse(m.corpo)["params"]["testo"], "città €");
}

TEST(Uri, PercorsiDaUriEIndietro) {
  struct caso {
    std::string uri;
    std::optional<std::string> percorso;
  };
  const std::vector<caso> casi{
      {"file:///home/a%20b/Citt%C3%A0_linea.txt", "/home/a b/Città_linea.txt"},
      {"file:///c%3A/Scenari/R%2047315-.txt", "C:/Scenari/R 47315-.txt"},
      {"file:///D:/x_linea.txt", "D:/x_linea.txt"},
      {"FILE://localhost/tmp/x", "/tmp/x"},
      {"file://server/share/x", std::nullopt},
      {"untitled:Untitled-1", std::nullopt},
      {"file:///a%2", std::nullopt},
      {"file:///a%ZZ", std::nullopt},
      {"file:///a%FF", std::nullopt},  // not UTF-8
      {"file:///a%00b", std::nullopt},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(editore::percorso_da_uri(c.uri), c.percorso) << c.uri;
    if (c.percorso) {
      EXPECT_EQ(editore::percorso_da_uri(editore::uri_da_percorso(*c.percorso)), c.percorso) << c.uri;
    }
  }
  EXPECT_EQ(editore::uri_da_percorso("C:/a b/è"), "file:///C:/a%20b/%C3%A8");
}

TEST(Testo, ModificheInUtf16EUtf8) {
  // "😀" takes two UTF-16 units and four UTF-8 bytes; "è" one and two.
  const std::string testo = "a😀è\r\nseconda\nterza";
  std::string t = testo;
  editore::applica_modifica(t, {{0, 3}, {0, 4}}, "e", codifica::utf16);
  EXPECT_EQ(t, "a😀e\r\nseconda\nterza");
  t = testo;
  editore::applica_modifica(t, {{0, 5}, {1, 3}}, "X", codifica::utf8);
  EXPECT_EQ(t, "a😀Xonda\nterza");
  t = testo;
  editore::applica_modifica(t, {{2, 5}, {2, 5}}, "!", codifica::utf16);  // at the end of the last line
  EXPECT_EQ(t, testo + "!");
  for (const protocollo::intervallo& fuori :
       {protocollo::intervallo{{3, 0}, {3, 0}}, protocollo::intervallo{{1, 0}, {1, 8}},
        protocollo::intervallo{{1, 2}, {1, 1}}}) {
    t = testo;
    EXPECT_THROW(editore::applica_modifica(t, fuori, "x", codifica::utf16), protocollo::parametri_errati);
    EXPECT_EQ(t, testo);
  }
}

TEST(Testo, CaratteriCheWindows1252NonHa) {
  // An emoji; U+FFFD twice (a file opened as UTF-8); U+0092 and U+0080
  // (a file opened as ISO-8859-1: the control characters stand for ’ and
  // €, and keep their bytes).
  const auto r = editore::in_byte("città\r\nx😀y, \xEF\xBF\xBD \xEF\xBF\xBD €\nl\xC2\x92" "a \xC2\x80\n", "f_linea.txt");
  EXPECT_EQ(r.byte, "citt\xE0\r\nx?y, ? ? \x80\nl\x92" "a \x80\n");
  ASSERT_EQ(r.problemi.size(), 3u);  // the emoji, U+FFFD once, the control characters once
  EXPECT_EQ(identificativo(r.problemi[0]), "V232");
  EXPECT_EQ(r.problemi[0].dove, (luogo{"f_linea.txt", 2, 2, 1}));
  EXPECT_EQ(identificativo(r.problemi[1]), "V233");
  EXPECT_EQ(r.problemi[1].dove, (luogo{"f_linea.txt", 2, 6, 1}));
  EXPECT_NE(r.problemi[1].motivo.find("aperto come UTF-8"), std::string::npos);
  EXPECT_EQ(identificativo(r.problemi[2]), "V233");
  EXPECT_EQ(r.problemi[2].dove, (luogo{"f_linea.txt", 3, 2, 1}));
  EXPECT_NE(r.problemi[2].motivo.find("ISO-8859-1"), std::string::npos);
}

TEST(Coppia, LineaETrenoDellaStessaCartella) {
  const std::vector<std::string> nomi{"Via_Nuova_linea.txt", "Via_Nuova_R 100-.txt", "Via_linea.txt", "Altro_X-.txt",
                                      "note.txt"};
  const auto treno = editore::coppia_di("/s/Via_Nuova_R 100-.txt", nomi);
  ASSERT_TRUE(treno);
  EXPECT_EQ(treno->percorso_linea(), "/s/Via_Nuova_linea.txt");
  EXPECT_EQ(treno->id.nome_percorso, "Via_Nuova");
  EXPECT_EQ(treno->id.nome_treno, "R 100");
  const auto linea = editore::coppia_di("/s/Via_Nuova_linea.txt", nomi);
  ASSERT_TRUE(linea);
  EXPECT_EQ(linea->percorso_treno(), "/s/Via_Nuova_R 100-.txt");
  const auto sola = editore::coppia_di("/s/Via_linea.txt", {"Via_linea.txt"});
  ASSERT_TRUE(sola);
  EXPECT_EQ(sola->nome_treno, "");
  // Without its line file the route is the part before the first "_".
  const auto senza = editore::coppia_di("/s/Altro_X_Y-.txt", {});
  ASSERT_TRUE(senza);
  EXPECT_EQ(senza->id.nome_percorso, "Altro");
  EXPECT_EQ(senza->id.nome_treno, "X_Y");
  EXPECT_FALSE(editore::coppia_di("/s/note.txt", nomi));
  EXPECT_FALSE(editore::coppia_di("/s/senza-.txt", nomi));
}

}  // namespace
}  // namespace gara
