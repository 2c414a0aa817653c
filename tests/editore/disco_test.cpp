// The language server and the files changed on disk outside the editor:
// the partner description and the timetable card of an open description
// are checked again, and their diagnostics published, without waiting for
// the next edit.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <sstream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "aiuti_prove.h"
#include "editore/servizio.h"
#include "editore/uri.h"
#include "file/notifiche_cartella.h"
#include "modello/windows1252.h"
#include "protocollo/cornice.h"
#include "scenario/dati.h"

namespace gara {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;

// The server's input as a client's pipe: what is written can be read, and
// a read waits for more until the pipe is closed.
class ingresso_a_mano : public std::streambuf {
 public:
  void scrivi(const json& m) {
    std::ostringstream s;
    protocollo::scrivi_messaggio(s, m);
    std::lock_guard l(m_);
    dati_ += s.str();
    cv_.notify_all();
  }
  void chiudi() {
    std::lock_guard l(m_);
    chiuso_ = true;
    cv_.notify_all();
  }

 protected:
  int_type underflow() override {
    std::unique_lock l(m_);
    cv_.wait(l, [&] { return letti_ < dati_.size() || chiuso_; });
    if (letti_ >= dati_.size()) return traits_type::eof();
    corrente_ = dati_.substr(letti_);
    letti_ = dati_.size();
    setg(corrente_.data(), corrente_.data(), corrente_.data() + corrente_.size());
    return traits_type::to_int_type(corrente_[0]);
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::string dati_;
  std::size_t letti_ = 0;
  bool chiuso_ = false;
  std::string corrente_;  // the reader's own
};

// The server's output, read by the test while the server writes.
class uscita_condivisa : public std::streambuf {
 public:
  // Waits (generously: only against hanging) until the messages written
  // so far satisfy `basta`, and returns them; nothing at the limit.
  std::optional<std::vector<json>> attendi(const std::function<bool(const std::vector<json>&)>& basta) {
    std::unique_lock l(m_);
    std::vector<json> visti;
    if (!cv_.wait_for(l, 60s, [&] { return basta(visti = messaggi()); })) return std::nullopt;
    return visti;
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char b = traits_type::to_char_type(c);
    xsputn(&b, 1);
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    std::lock_guard l(m_);
    testo_.append(s, static_cast<std::size_t>(n));
    cv_.notify_all();
    return n;
  }

 private:
  std::vector<json> messaggi() const {
    std::istringstream in(testo_);
    std::vector<json> r;
    for (auto m = protocollo::leggi_messaggio(in); m.tipo == protocollo::messaggio_letto::esito::corpo;
         m = protocollo::leggi_messaggio(in))
      r.push_back(json::parse(m.corpo));
    return r;
  }
  std::mutex m_;
  std::condition_variable cv_;
  std::string testo_;
};

// The codes of the last diagnostics published for `uri`; nothing before
// the first.
std::optional<std::vector<std::string>> codici(const std::vector<json>& messaggi, const std::string& uri) {
  std::optional<std::vector<std::string>> r;
  for (const json& m : messaggi) {
    if (m.value("method", "") != "textDocument/publishDiagnostics" || m["params"]["uri"] != uri) continue;
    r.emplace();
    for (const json& d : m["params"]["diagnostics"]) r->push_back(d["code"]);
  }
  return r;
}

std::string uri_di(const std::filesystem::path& file) {
  const auto u8 = file.generic_u8string();
  return editore::uri_da_percorso(std::string(u8.begin(), u8.end()));
}

class LspEDisco : public testing::TestWithParam<modo_notifiche> {};

TEST_P(LspEDisco, IlCompagnoELaSchedaCambiatiSulDiscoSonoVerificatiDiNuovo) {
  prova::cartella_temporanea base;
  const auto cartella = base.percorso() / std::filesystem::path(u8"prova città");
  std::filesystem::create_directories(cartella);
  const std::string nome_linea = std::string(percorso_del_pacchetto) + "_linea.txt";
  const std::string nome_treno = std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto + "-.txt";
  const std::string nome_scheda =
      std::string(percorso_del_pacchetto) + "_" + treno_del_pacchetto + "_scheda_treno.txt";
  const std::string treno = dati_treno();
  prova::scrivi_file(cartella / nome_linea, dati_linea());
  prova::scrivi_file(cartella / nome_treno, treno);

  ingresso_a_mano ingresso;
  uscita_condivisa uscita;
  std::istream in(&ingresso);
  std::ostream out(&uscita);
  int stato = -1;
  std::thread server([&] { stato = editore::servi(in, out, GetParam()); });
  // However the test ends, the server is told to end and waited for.
  struct alla_fine {
    std::function<void()> f;
    ~alla_fine() { f(); }
  } chiusura{[&] {
    if (!server.joinable()) return;
    ingresso.scrivi({{"jsonrpc", "2.0"}, {"method", "exit"}});
    ingresso.chiudi();
    server.join();
  }};

  ingresso.scrivi({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", {{"capabilities", json::object()}}}});
  ingresso.scrivi({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}});
  ingresso.scrivi({{"jsonrpc", "2.0"},
                   {"method", "textDocument/didOpen"},
                   {"params",
                    {{"textDocument",
                      {{"uri", uri_di(cartella / nome_linea)}, {"languageId", "scenario"}, {"version", 1},
                       {"text", da_windows1252(dati_linea())}}}}}});
  const std::string uri_treno = uri_di(cartella / nome_treno);
  const std::string uri_scheda = uri_di(cartella / nome_scheda);
  const auto prima = uscita.attendi([&](const auto& m) { return codici(m, uri_treno).has_value(); });
  ASSERT_TRUE(prima);
  const std::vector<std::string> pulito = *codici(*prima, uri_treno);

  // The train saved by another program, as editors save: a letter O for
  // a zero in its first station, written beside it and renamed over it.
  std::string rotto = treno;
  const auto zero = rotto.find('0', rotto.find("stazione,"));
  ASSERT_NE(zero, std::string::npos);
  rotto[zero] = 'O';
  prova::scrivi_file(cartella / (nome_treno + ".tmp"), rotto);
  std::filesystem::rename(cartella / (nome_treno + ".tmp"), cartella / nome_treno);
  const auto dopo = uscita.attendi([&](const auto& m) { return codici(m, uri_treno) != pulito; });
  ASSERT_TRUE(dopo) << "nessuna diagnostica nuova per il treno cambiato sul disco";
  EXPECT_FALSE(codici(*dopo, uri_treno)->empty());

  // A timetable card that appears beside them is part of the check.
  prova::scrivi_file(cartella / nome_scheda, dati_scheda());
  const auto scheda = uscita.attendi([&](const auto& m) {
    const auto c = codici(m, uri_scheda);
    return c && std::find(c->begin(), c->end(), "V228") != c->end();
  });
  EXPECT_TRUE(scheda) << "nessuna diagnostica per la scheda apparsa sul disco";

  ingresso.scrivi({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}});
  ingresso.scrivi({{"jsonrpc", "2.0"}, {"method", "exit"}});
  ingresso.chiudi();
  server.join();
  EXPECT_EQ(stato, 0);
}

INSTANTIATE_TEST_SUITE_P(Modi, LspEDisco, testing::Values(modo_notifiche::sistema, modo_notifiche::sondaggio),
                         [](const testing::TestParamInfo<modo_notifiche>& i) {
                           return i.param == modo_notifiche::sistema ? "sistema" : "sondaggio";
                         });

}  // namespace
}  // namespace gara
