#include "strumento/anteprima.h"

#include <chrono>
#include <thread>

#include "anteprima/bacheca.h"
#include "anteprima/pagina.h"
#include "anteprima/richieste.h"
#include "cartella/identita.h"
#include "cartella/segui_descrizioni.h"
#include "file/file.h"
#include "file/notifiche_cartella.h"
#include "strumento/cartelle.h"
#include "strumento/sistema_anteprima.h"
#include "strumento/uscite.h"

// Last: the Windows headers it brings name a type `byte`, which the
// project's headers use as a parameter name.
#include <httplib.h>

namespace gara::strumento {

namespace {

using namespace std::chrono_literals;

// How often the wait for a save stops to see whether Ctrl+C was pressed,
// and how long a page's event stream stays silent before a comment keeps
// it open.
constexpr auto controllo_interruzione = 100ms;
constexpr auto intervallo_silenzio = 15s;
constexpr std::size_t corpo_massimo = 1024;  // the preview takes no bodies
// Each open page holds one connection (its event stream) for as long as it
// is open: room for many pages and their other requests.
constexpr std::size_t connessioni_contemporanee = 32;

constexpr const char* testo_utf8 = "text/plain; charset=utf-8";

std::string messaggio_errore(int stato) {
  switch (stato) {
    case 400:
      return "richiesta non valida";
    case 403:
      return "richiesta non ammessa";
    case 404:
      return "non c'è nulla a questo indirizzo";
    case 405:
      return "l'anteprima risponde solo a GET";
    case 413:
      return "richiesta troppo grande";
    case 414:
      return "indirizzo troppo lungo";
    default:
      return "errore " + std::to_string(stato);
  }
}

void prepara_percorsi(httplib::Server& server, anteprima::bacheca& b, const int& porta) {
  server.new_task_queue = [] { return new httplib::ThreadPool(connessioni_contemporanee); };
  // One server to a port. The library's own options let a second server
  // share a port that one already listens on (SO_REUSEPORT), and the pages
  // of one scenario would then be answered by either; here a busy port is
  // refused.
  server.set_socket_options([](socket_t presa) {
    int si = 1;
#ifdef _WIN32
    setsockopt(presa, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&si), sizeof si);
#else
    setsockopt(presa, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
#endif
  });
  server.set_payload_max_length(corpo_massimo);
  server.set_pre_routing_handler([&porta](const httplib::Request& req, httplib::Response& res) {
    if (auto r = anteprima::controlla_richiesta(req.get_header_value("Host"), req.target, porta)) {
      res.status = r->stato;
      res.set_content(r->motivo + "\n", testo_utf8);
      return httplib::Server::HandlerResponse::Handled;
    }
    if (req.method != "GET" && req.method != "HEAD") {
      res.status = 405;
      res.set_header("Allow", "GET, HEAD");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty()) res.set_content(messaggio_errore(res.status) + "\n", testo_utf8);
  });
  server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
    res.status = 500;
    res.set_content("errore interno dell'anteprima\n", testo_utf8);
  });
  // Nothing the page is shown with may come from elsewhere.
  server.set_default_headers({{"Cache-Control", "no-store"},
                              {"X-Content-Type-Options", "nosniff"},
                              {"Content-Security-Policy",
                               "default-src 'none'; style-src 'unsafe-inline'; script-src "
                               "'unsafe-inline'; connect-src 'self'; img-src data:"}});

  server.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(anteprima::pagina_html()), "text/html; charset=utf-8");
  });
  server.Get("/favicon.ico", [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
  server.Get("/contenuto", [&b](const httplib::Request&, httplib::Response& res) {
    uint64_t vista = 0;
    auto json = b.attendi(vista, intervallo_silenzio);
    res.set_content(json.value_or("{}"), "application/json; charset=utf-8");
  });
  server.Get(R"(/ispeziona/([^/]+))", [&b](const httplib::Request& req, httplib::Response& res) {
    const auto chiesta = anteprima::leggi_ispezione(req.matches[1].str(), req.get_param_value("tolleranza"));
    if (!chiesta) {
      res.status = 400;
      res.set_content("metro o tolleranza non validi: /ispeziona/METRO?tolleranza=METRI, in cifre\n", testo_utf8);
      return;
    }
    const auto r = b.ispeziona(chiesta->metro, chiesta->tolleranza);
    if (!r) {
      res.status = 404;
      res.set_content("nessun disegno da ispezionare\n", testo_utf8);
      return;
    }
    res.set_content(*r, "application/json; charset=utf-8");
  });
  server.Get("/eventi", [&b](const httplib::Request&, httplib::Response& res) {
    auto vista = std::make_shared<uint64_t>(0);
    auto primo = std::make_shared<bool>(true);
    res.set_chunked_content_provider(
        "text/event-stream", [&b, vista, primo](std::size_t, httplib::DataSink& sink) {
          std::string messaggio;
          if (*primo) {
            messaggio = "retry: 500\n\n";  // a page reconnects at once after a pause
            *primo = false;
          }
          const auto json = b.attendi(*vista, intervallo_silenzio);
          if (!json) {
            sink.done();
            return true;
          }
          messaggio += json->empty() ? ": in attesa\n\n" : "data: " + *json + "\n\n";
          return sink.write(messaggio.data(), messaggio.size());
        });
  });
}

}  // namespace

int comando_anteprima(const opzioni_anteprima& o, std::ostream& out, std::ostream& err) {
  if (!cartella_esistente(o.cartella, err)) return uscita::uso;
  const auto id = identita_per_cartella(o.cartella, o.percorso, o.treno, err);
  if (!id) return uscita::uso;

  anteprima::bacheca b({id->nome_percorso, id->nome_treno, true});
  // Notifications first: a save during the first look is not lost.
  notifiche_cartella notifiche(o.cartella, o.sondaggio ? modo_notifiche::sondaggio : modo_notifiche::sistema);
  sorveglianza_descrizioni sorveglianza(o.cartella, id->nome_percorso, id->nome_treno);
  if (auto d = sorveglianza.cambiate()) b.aggiorna(*d);

  httplib::Server server;
  int porta = o.porta;
  prepara_percorsi(server, b, porta);
  if (o.porta == 0) {
    porta = server.bind_to_any_port("127.0.0.1");
  } else if (!server.bind_to_port("127.0.0.1", o.porta)) {
    porta = -1;
  }
  if (porta <= 0) {
    err << "scenario: la porta " << o.porta << " di 127.0.0.1 non è disponibile (è già in uso?)\n";
    return uscita::uso;
  }
  const std::string indirizzo = "http://127.0.0.1:" + std::to_string(porta) + "/";
  out << indirizzo << "\n"
      << "Anteprima di " << tra_virgolette(o.cartella)
      << ": segue le descrizioni a ogni salvataggio. Ctrl+C per terminare.\n"
      << std::flush;

  intercetta_interruzione();
  std::thread servizio([&server] { server.listen_after_bind(); });
  if (o.apri && !apri_nel_browser(indirizzo))
    err << "scenario: non riesco ad aprire il browser: apri " << indirizzo << "\n";

  segui_descrizioni(sorveglianza, notifiche, controllo_interruzione, interruzione_chiesta,
                    [&b](const sorgenti& d) { b.aggiorna(d); });
  b.chiudi();
  server.stop();
  servizio.join();
  out << "Anteprima terminata.\n" << std::flush;
  return uscita::riuscita;
}

}  // namespace gara::strumento
