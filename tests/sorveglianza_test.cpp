// The preview's watch over the two descriptions: every kind of save an
// editor does is seen once, and nothing is seen when nothing changed.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "aiuti_prove.h"
#include "file/file.h"
#include "cartella/segui_descrizioni.h"
#include "file/notifiche_cartella.h"
#include "file/sorveglianza.h"

namespace gara {
namespace {

using prova::cartella_temporanea;

void scrivi(const std::filesystem::path& file, const std::string& byte) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f << byte;
}

TEST(Sorveglianza, VedeOgniModoDiSalvareEUnaVoltaSola) {
  cartella_temporanea c;
  const auto cartella = c.percorso() / u8"Scenari àè";
  std::filesystem::create_directory(cartella);
  const auto linea = cartella / "P_linea.txt";
  const auto treno = cartella / "P_T 1-.txt";
  scrivi(linea, "[generale]\r\n");
  sorveglianza_descrizioni s(cartella, "P", "T 1");

  auto d = s.cambiate();  // the first look always reports
  ASSERT_TRUE(d);
  EXPECT_EQ(d->linea.byte, "[generale]\r\n");
  EXPECT_FALSE(d->treno.presente());
  EXPECT_EQ(d->treno.nome, "P_T 1-.txt");
  EXPECT_FALSE(s.cambiate());

  // A file that appears.
  scrivi(treno, "[stazioni]\n");
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_EQ(d->treno.byte, "[stazioni]\n");
  EXPECT_FALSE(s.cambiate());

  // Saved in place with the same size, its time put back as it was: only
  // the bytes tell.
  const auto tempo = std::filesystem::last_write_time(linea);
  scrivi(linea, "[GENERALE]\r\n");
  std::filesystem::last_write_time(linea, tempo);
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_EQ(d->linea.byte, "[GENERALE]\r\n");

  // Saved as editors do: a new file renamed over the old one.
  const auto nuovo = cartella / "P_T 1-.txt.tmp";
  scrivi(nuovo, "[segnali]\n");
  std::filesystem::last_write_time(nuovo, std::filesystem::last_write_time(treno));
  std::filesystem::rename(nuovo, treno);
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_EQ(d->treno.byte, "[segnali]\n");
  EXPECT_FALSE(s.cambiate());

  // Removed.
  std::filesystem::remove(linea);
  ASSERT_TRUE(d = s.cambiate());
  EXPECT_FALSE(d->linea.presente());
  EXPECT_FALSE(s.cambiate());
}

// A save as an editor makes it.
using salva = void (*)(const std::filesystem::path& file, const std::string& byte);

// In place, in two writes with a pause between them longer than the
// folder's quiet time: what is read before the file is closed would be
// half of it.
void sul_posto(const std::filesystem::path& file, const std::string& byte) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  const auto meta = byte.size() / 2;
  f << byte.substr(0, meta) << std::flush;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  f << byte.substr(meta);
}

// A new file beside it, renamed over it.
void rinominando(const std::filesystem::path& file, const std::string& byte) {
  auto nuovo = file;
  nuovo += ".tmp";
  scrivi(nuovo, byte);
  std::filesystem::rename(nuovo, file);
}

// What segui_descrizioni hands on, gathered from its own thread.
struct consegne {
  std::mutex m;
  std::condition_variable cv;
  std::vector<std::string> linee;

  // What a failure shows of each: its size and first byte.
  static std::string in_breve(const std::string& byte) {
    return std::to_string(byte.size()) + " byte da '" + byte.substr(0, 1) + "'";
  }
  void aggiungi(const sorgenti& d) {
    std::lock_guard l(m);
    linee.push_back(d.linea.byte ? in_breve(*d.linea.byte) : "assente");
    cv.notify_all();
  }
  // Waits (generously: only against hanging) for the n-th delivery.
  bool attendi(std::size_t n) {
    std::unique_lock l(m);
    return cv.wait_for(l, std::chrono::seconds(30), [&] { return linee.size() >= n; });
  }
};

struct caso_seguito {
  const char* nome;
  modo_notifiche modo;
  salva salvataggio;
};

void PrintTo(const caso_seguito& c, std::ostream* o) { *o << c.nome; }

class SegueDescrizioni : public testing::TestWithParam<caso_seguito> {};

// Each save is delivered once, whole, and nothing else is: not the half
// of a file still being written, not the temporary file, not another
// file of the folder.
TEST_P(SegueDescrizioni, OgniSalvataggioConsegnatoUnaVoltaIntero) {
  const caso_seguito caso = GetParam();
  cartella_temporanea c;
  const auto cartella = c.percorso() / u8"Scenari àè";
  std::filesystem::create_directory(cartella);
  const auto linea = cartella / "P_linea.txt";
  scrivi(linea, "[generale]\r\n");

  notifiche_cartella notifiche(cartella, caso.modo);
  EXPECT_EQ(notifiche.modo(), caso.modo);
  sorveglianza_descrizioni s(cartella, "P", "T 1");
  ASSERT_TRUE(s.cambiate());
  consegne fatte;
  std::thread segue([&] {
    segui_descrizioni(s, notifiche, std::chrono::hours(1), [] { return false; },
                      [&](const sorgenti& d) { fatte.aggiungi(d); });
  });

  const std::vector<std::string> salvati{std::string(100000, 'a') + "\r\n", "[stazioni]\r\n",
                                         std::string(50000, 'b') + "\r\n"};
  for (std::size_t i = 0; i < salvati.size(); ++i) {
    scrivi(cartella / "altro.txt", "non una descrizione");
    caso.salvataggio(linea, salvati[i]);
    ASSERT_TRUE(fatte.attendi(i + 1)) << caso.nome << ": salvataggio " << i << " mai consegnato";
  }
  // Stopped from another thread while it waits with no limit in sight.
  notifiche.ferma();
  segue.join();
  std::vector<std::string> attese;
  for (const auto& b : salvati) attese.push_back(consegne::in_breve(b));
  EXPECT_EQ(fatte.linee, attese);
}

INSTANTIATE_TEST_SUITE_P(
    Modi, SegueDescrizioni,
    testing::Values(caso_seguito{"sistema_sul_posto", modo_notifiche::sistema, sul_posto},
                    caso_seguito{"sistema_rinominando", modo_notifiche::sistema, rinominando},
                    caso_seguito{"sondaggio_rinominando", modo_notifiche::sondaggio, rinominando}),
    [](const testing::TestParamInfo<caso_seguito>& i) { return std::string(i.param.nome); });

#ifndef _WIN32
// (Wine never completes a read of a folder that was removed: there the
// case is left to Windows itself.)
TEST(NotificheCartella, CartellaRimossaPassaAlSondaggio) {
  cartella_temporanea c;
  const auto cartella = c.percorso() / "via";
  std::filesystem::create_directory(cartella);
  notifiche_cartella n(cartella);
  ASSERT_EQ(n.modo(), modo_notifiche::sistema);
  std::filesystem::remove(cartella);
  // The removal is told as "anything may have changed"; from then on the
  // folder is looked at again, not waited on.
  cambiamenti visti;
  for (int i = 0; i < 100 && !visti.tutto; ++i) visti = n.attendi(std::chrono::seconds(30));
  EXPECT_TRUE(visti.tutto);
  EXPECT_EQ(n.modo(), modo_notifiche::sondaggio);
  EXPECT_TRUE(n.attendi(std::chrono::hours(1)).tutto);
  n.ferma();
  EXPECT_TRUE(n.attendi(std::chrono::hours(1)).fermato);
}
#endif

}  // namespace
}  // namespace gara
