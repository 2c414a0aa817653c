// `scenario anteprima` as a process: its first line, what it answers over
// raw sockets (hostile requests included), the page following a save, and
// Ctrl+C. Linux only: it drives the program through POSIX processes and
// sockets.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "aiuti_prove.h"
#include "strumento/aiuti_strumento.h"

extern char** environ;

namespace gara {
namespace {

using namespace std::chrono_literals;
using prova::cartella_temporanea;

// The preview running on a folder, ended with SIGINT as Ctrl+C ends it.
class anteprima_in_corso {
 public:
  explicit anteprima_in_corso(const std::filesystem::path& cartella, std::vector<std::string> opzioni = {}) {
    int tubo[2];
    if (pipe(tubo) != 0) return;
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], 1);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], 2);
    std::vector<std::string> argomenti{GARA_SCENARIO, "anteprima"};
    argomenti.insert(argomenti.end(), opzioni.begin(), opzioni.end());
    argomenti.push_back(cartella.string());
    std::vector<char*> argv;
    for (auto& a : argomenti) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn(&pid_, argomenti[0].c_str(), &azioni, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    close(tubo[1]);
    uscita_ = tubo[0];
    prima_riga_ = leggi_riga();
    const auto due_punti = prima_riga_.rfind(':');
    if (due_punti != std::string::npos) porta_ = std::atoi(prima_riga_.c_str() + due_punti + 1);
  }
  ~anteprima_in_corso() {
    if (pid_ > 0) termina();
    if (uscita_ >= 0) close(uscita_);
  }

  // Ctrl+C (or, with false, only the end of the program); the exit status
  // and the rest of the output.
  std::pair<int, std::string> termina(bool interrompi = true) {
    if (interrompi) kill(pid_, SIGINT);
    std::string resto;
    char b[4096];
    for (ssize_t n; (n = read(uscita_, b, sizeof b)) > 0;) resto.append(b, static_cast<std::size_t>(n));
    int stato = 0;
    waitpid(pid_, &stato, 0);
    pid_ = -1;
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, resto};
  }

  const std::string& prima_riga() const { return prima_riga_; }
  int porta() const { return porta_; }

 private:
  std::string leggi_riga() {
    std::string r;
    char c;
    while (read(uscita_, &c, 1) == 1 && c != '\n') r += c;
    return r;
  }

  pid_t pid_ = -1;
  int uscita_ = -1;
  int porta_ = 0;
  std::string prima_riga_;
};

// A connection to the preview, raw.
class presa {
 public:
  explicit presa(int porta) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(porta));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    collegata_ = connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~presa() { close(fd_); }
  bool collegata() const { return collegata_; }

  void invia(const std::string& byte) {
    for (std::size_t fatto = 0; fatto < byte.size();) {
      const ssize_t n = send(fd_, byte.data() + fatto, byte.size() - fatto, MSG_NOSIGNAL);
      if (n <= 0) return;  // the server may close on a request it refuses
      fatto += static_cast<std::size_t>(n);
    }
  }

  // What arrives until `fine` is in it, the connection closes or the time runs out.
  std::string ricevi_fino(const std::string& fine, std::chrono::milliseconds tempo = 5000ms) {
    const auto scadenza = std::chrono::steady_clock::now() + tempo;
    while (ricevuto_.find(fine) == std::string::npos) {
      const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(
          scadenza - std::chrono::steady_clock::now());
      if (resta.count() <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(resta.count())) <= 0) break;
      char b[65536];
      const ssize_t n = recv(fd_, b, sizeof b, 0);
      if (n <= 0) break;
      ricevuto_.append(b, static_cast<std::size_t>(n));
    }
    return ricevuto_;
  }
  void dimentica() { ricevuto_.clear(); }

 private:
  int fd_;
  bool collegata_ = false;
  std::string ricevuto_;
};

int stato_http(const std::string& risposta) {
  if (risposta.rfind("HTTP/1.1 ", 0) != 0 || risposta.size() < 12) return -1;
  return std::atoi(risposta.c_str() + 9);
}

struct scenario_in_cartella {
  cartella_temporanea c;
  std::filesystem::path cartella = c.percorso() / u8"mio scenario è";
  scenario_in_cartella() {
    std::filesystem::create_directories(cartella);
    prova::scrivi_descrizioni(cartella, "Corvana_Selvadoro", "R 47315", prova::righe_linea_spedita(),
                              prova::righe_treno_spedita());
  }
};

TEST(Anteprima, RispondeSoloAlLoopbackERifiutaLeRichiesteOstili) {
  scenario_in_cartella s;
  const auto prima = prova::nomi_in(s.cartella);
  anteprima_in_corso a(s.cartella);
  ASSERT_GT(a.porta(), 0) << a.prima_riga();
  EXPECT_EQ(a.prima_riga(), "http://127.0.0.1:" + std::to_string(a.porta()) + "/");
  const std::string host = "Host: 127.0.0.1:" + std::to_string(a.porta()) + "\r\n";
  const auto get = [](const std::string& destinazione, const std::string& intestazioni) {
    return "GET " + destinazione + " HTTP/1.1\r\n" + intestazioni + "Connection: close\r\n\r\n";
  };
  struct caso {
    std::string richiesta;
    int stato;
  };
  const caso casi[] = {
      {get("/", host), 200},
      {get("/", "Host: localhost:" + std::to_string(a.porta()) + "\r\n"), 200},
      {get("/ispeziona/15500", host), 200},
      {get("/ispeziona/15500?tolleranza=400", host), 200},
      {get("/contenuto", host), 200},
      // The inspector's metre and tolerance are digits, or a clear refusal.
      {get("/ispeziona/1e5", host), 400},
      {get("/ispeziona/15500?tolleranza=-4", host), 400},
      {get("/ispeziona/12345678901", host), 400},
      {get("/ispeziona/15500/altro", host), 404},
      // Another name, another port, no port, no Host at all.
      {get("/", "Host: esempio.invalid\r\n"), 403},
      {get("/", "Host: 127.0.0.1\r\n"), 403},
      {get("/", "Host: localhost:1\r\n"), 403},
      {"GET / HTTP/1.0\r\n\r\n", 403},
      // Out of the page's addresses: plain, escaped, mixed, backslashes.
      {get("/../../etc/passwd", host), 400},
      {get("/%2e%2e/%2e%2e/etc/passwd", host), 400},
      {get("/..%2f..%2fetc%2fpasswd", host), 400},
      {get("/.%2E/Corvana_Selvadoro_linea.txt", host), 400},
      {get("/..\\..\\windows\\win.ini", host), 400},
      {get("/Corvana_Selvadoro_linea.txt", host), 404},
      {get("/%252e%252e/", host), 404},
      // Very long target, header or body; not an HTTP request; another method.
      {get("/" + std::string(1000, 'a'), host), 414},
      {get("/" + std::string(10000, 'a'), host), 414},
      {get("/", host + "X-Lunga: " + std::string(20000, 'x') + "\r\n"), 400},
      {"POST / HTTP/1.1\r\n" + host + "Content-Length: 100000\r\nConnection: close\r\n\r\n", 405},
      {"DELETE / HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n", 405},
      {"questa non è una richiesta\r\n\r\n", 400},
      {std::string("GET /\0/ HTTP/1.1\r\n", 19) + host + "\r\n", 400},
  };
  for (const auto& c : casi) {
    presa p(a.porta());
    ASSERT_TRUE(p.collegata());
    p.invia(c.richiesta);
    const std::string r = p.ricevi_fino("\r\n\r\n");
    EXPECT_EQ(stato_http(r), c.stato) << c.richiesta.substr(0, 80) << "\n" << r.substr(0, 200);
  }
  // Still there after all of them, with a dozen pages open (each holds its
  // event stream), and nothing written in the folder.
  std::vector<std::unique_ptr<presa>> pagine;
  for (int i = 0; i < 12; ++i) {
    pagine.push_back(std::make_unique<presa>(a.porta()));
    pagine.back()->invia(get("/eventi", host));
    EXPECT_NE(pagine.back()->ricevi_fino("data: ").find("data: "), std::string::npos) << i;
  }
  presa p(a.porta());
  p.invia(get("/", host));
  const std::string pagina = p.ricevi_fino("</html>");
  EXPECT_EQ(stato_http(pagina), 200);
  EXPECT_NE(pagina.find("<html lang=\"it\">"), std::string::npos);

  const auto [stato, resto] = a.termina();
  EXPECT_EQ(stato, 0);
  EXPECT_NE(resto.find("Anteprima terminata."), std::string::npos) << resto;
  EXPECT_EQ(prova::nomi_in(s.cartella), prima);
}

TEST(Anteprima, UnaPortaGiaInUsoERifiutata) {
  scenario_in_cartella s;
  anteprima_in_corso prima(s.cartella);
  ASSERT_GT(prima.porta(), 0) << prima.prima_riga();
  anteprima_in_corso seconda(s.cartella, {"--porta", std::to_string(prima.porta())});
  EXPECT_NE(seconda.prima_riga().find("la porta " + std::to_string(prima.porta()) + " di 127.0.0.1 non è disponibile"),
            std::string::npos)
      << seconda.prima_riga();
  EXPECT_EQ(seconda.termina(false).first, 3);
}

TEST(Anteprima, UnSalvataggioArrivaAllaPaginaComeEvento) {
  scenario_in_cartella s;
  anteprima_in_corso a(s.cartella);
  ASSERT_GT(a.porta(), 0) << a.prima_riga();
  presa eventi(a.porta());
  eventi.invia("GET /eventi HTTP/1.1\r\nHost: localhost:" + std::to_string(a.porta()) + "\r\n\r\n");
  const std::string contenuto = eventi.ricevi_fino("CASTELLANETA MARINA", 5000ms);
  ASSERT_NE(contenuto.find("\"versione\":1,"), std::string::npos) << contenuto.substr(0, 300);
  eventi.dimentica();

  // Saved as an editor does: a new file renamed over the description.
  auto righe = prova::righe_treno_spedita();
  for (auto& r : righe)
    if (auto i = r.find("GINOSA"); i != std::string::npos) r.replace(i, 6, "GINOSA NUOVA");
  const auto altra = s.c.percorso() / "altra";
  std::filesystem::create_directories(altra);
  prova::scrivi_descrizioni(altra, "Corvana_Selvadoro", "R 47315", prova::righe_linea_spedita(), righe);
  std::filesystem::rename(altra / "Corvana_Selvadoro_R 47315-.txt",
                          s.cartella / "Corvana_Selvadoro_R 47315-.txt");
  const std::string secondo = eventi.ricevi_fino("GINOSA NUOVA", 5000ms);
  EXPECT_NE(secondo.find("\"versione\":2,"), std::string::npos) << secondo.substr(0, 300);
  EXPECT_NE(secondo.find("\"stato\":\"aggiornata\""), std::string::npos);
}

}  // namespace
}  // namespace gara

#endif
