#include "aiuti_strumento.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "aiuti_prove.h"
#include "file/file.h"
#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"
#include "strumento/strumento.h"

namespace gara::prova {

namespace {

#ifndef _WIN32
std::string tra_apici(const std::string& t) {
  std::string r = "'";
  for (char c : t) {
    if (c == '\'')
      r += "'\\''";
    else
      r += c;
  }
  return r + "'";
}
#endif

std::vector<std::string> copia(std::span<const std::string_view> righe) {
  return {righe.begin(), righe.end()};
}

std::string testo(const std::vector<std::string>& righe) {
  const std::vector<std::string_view> viste(righe.begin(), righe.end());
  return testo_windows1252(viste);
}

#ifndef _WIN32
uint32_t grande_32(const std::string& b, std::size_t i) {
  return (static_cast<uint32_t>(static_cast<unsigned char>(b[i])) << 24) |
         (static_cast<uint32_t>(static_cast<unsigned char>(b[i + 1])) << 16) |
         (static_cast<uint32_t>(static_cast<unsigned char>(b[i + 2])) << 8) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[i + 3]));
}

int paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}
#endif

}  // namespace

esito_strumento strumento(const std::vector<std::string>& argomenti) {
  std::vector<const char*> argv{"scenario"};
  for (const auto& a : argomenti) argv.push_back(a.c_str());
  std::ostringstream out, err;
  esito_strumento e;
  e.stato = gara::strumento::esegui(static_cast<int>(argv.size()), argv.data(), out, err);
  e.uscita = out.str();
  e.errori = err.str();
  return e;
}

#ifndef _WIN32
// Through a POSIX shell: the Windows build runs the tool in-process only.
esito_strumento programma(const std::string& eseguibile, const std::vector<std::string>& argomenti,
                          const std::filesystem::path& cartella) {
  cartella_temporanea altrove;
  const auto uscita = altrove.percorso() / "uscita.txt";
  const auto errori = altrove.percorso() / "errori.txt";
  std::string comando = "cd " + tra_apici(cartella.string()) + " && " + tra_apici(eseguibile);
  for (const auto& a : argomenti) comando += " " + tra_apici(a);
  comando += " >" + tra_apici(uscita.string()) + " 2>" + tra_apici(errori.string()) + " </dev/null";
  const int grezzo = std::system(comando.c_str());
  esito_strumento e;
  e.stato = WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : -1;
  if (std::filesystem::exists(uscita)) e.uscita = leggi_tutto(uscita);
  if (std::filesystem::exists(errori)) e.errori = leggi_tutto(errori);
  return e;
}
#endif

std::vector<std::string> righe_linea_spedita() { return copia(righe_linea()); }
std::vector<std::string> righe_treno_spedita() { return copia(righe_treno()); }

void scrivi_descrizioni(const std::filesystem::path& cartella, const std::string& percorso,
                        const std::string& treno, const std::vector<std::string>& linea,
                        const std::vector<std::string>& treno_righe) {
  scrivi_file(percorso_file(cartella, nome_descrizione_linea(percorso)), testo(linea));
  scrivi_file(percorso_file(cartella, nome_descrizione_treno(percorso, treno)), testo(treno_righe));
}

std::vector<std::string> nomi_in(const std::filesystem::path& cartella) {
  std::vector<std::string> nomi;
  for (const auto& v : std::filesystem::directory_iterator(cartella)) {
    const std::u8string nome = v.path().filename().u8string();
    nomi.emplace_back(nome.begin(), nome.end());
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

std::string difetto_xml(const std::string& t) {
  std::vector<std::string> aperti;
  int radici = 0;
  std::size_t i = 0;
  const auto dove = [&i] { return " (byte " + std::to_string(i) + ")"; };
  const auto entita_valida = [&t](std::size_t p) {
    static const std::set<std::string> note{"amp", "lt", "gt", "quot", "apos"};
    const auto fine = t.find(';', p);
    if (fine == std::string::npos) return false;
    const std::string nome = t.substr(p + 1, fine - p - 1);
    return note.count(nome) != 0 || (nome.size() > 1 && nome[0] == '#');
  };
  while (i < t.size()) {
    if (t[i] != '<') {
      if (t[i] == '&' && !entita_valida(i)) return "& senza entità" + dove();
      if (t[i] == '>' && aperti.empty() && radici == 0) return "> fuori posto" + dove();
      ++i;
      continue;
    }
    if (t.compare(i, 2, "<?") == 0) {
      const auto f = t.find("?>", i);
      if (f == std::string::npos) return "<? non chiuso" + dove();
      i = f + 2;
      continue;
    }
    if (t.compare(i, 4, "<!--") == 0) {
      const auto f = t.find("-->", i + 4);
      if (f == std::string::npos) return "commento non chiuso" + dove();
      if (t.substr(i + 4, f - i - 4).find("--") != std::string::npos) return "-- in un commento" + dove();
      i = f + 3;
      continue;
    }
    const bool chiusura = t.compare(i, 2, "</") == 0;
    std::size_t p = i + (chiusura ? 2 : 1);
    const std::size_t inizio_nome = p;
    while (p < t.size() && (std::isalnum(static_cast<unsigned char>(t[p])) || t[p] == '-' || t[p] == ':')) ++p;
    const std::string nome = t.substr(inizio_nome, p - inizio_nome);
    if (nome.empty()) return "elemento senza nome" + dove();
    if (chiusura) {
      if (aperti.empty() || aperti.back() != nome) return "</" + nome + "> senza apertura" + dove();
      aperti.pop_back();
      const auto f = t.find('>', p);
      if (f == std::string::npos) return "chiusura troncata" + dove();
      i = f + 1;
      continue;
    }
    if (aperti.empty() && ++radici > 1) return "più di un elemento radice" + dove();
    std::set<std::string> attributi;
    while (true) {
      while (p < t.size() && std::isspace(static_cast<unsigned char>(t[p]))) ++p;
      if (p >= t.size()) return "elemento troncato" + dove();
      if (t.compare(p, 2, "/>") == 0) {
        p += 2;
        break;
      }
      if (t[p] == '>') {
        aperti.push_back(nome);
        ++p;
        break;
      }
      const std::size_t a = p;
      while (p < t.size() && t[p] != '=' && !std::isspace(static_cast<unsigned char>(t[p]))) ++p;
      const std::string attributo = t.substr(a, p - a);
      if (!attributi.insert(attributo).second) return "attributo " + attributo + " ripetuto in <" + nome + ">" + dove();
      if (p + 1 >= t.size() || t[p] != '=' || t[p + 1] != '"') return "attributo " + attributo + " senza valore" + dove();
      const auto f = t.find('"', p + 2);
      if (f == std::string::npos) return "valore non chiuso" + dove();
      const std::string valore = t.substr(p + 2, f - p - 2);
      if (valore.find('<') != std::string::npos) return "< in un valore" + dove();
      for (std::size_t k = valore.find('&'); k != std::string::npos; k = valore.find('&', k + 1))
        if (!entita_valida(p + 2 + k)) return "& senza entità in un valore" + dove();
      p = f + 1;
    }
    i = p;
  }
  if (!aperti.empty()) return "<" + aperti.back() + "> mai chiuso";
  if (radici != 1) return "nessun elemento radice";
  return {};
}

#ifndef _WIN32
std::optional<immagine> leggi_png(const std::filesystem::path& file, std::string& errore) {
  const std::string b = leggi_tutto(file);
  static const std::string firma("\x89PNG\r\n\x1a\n", 8);
  if (b.compare(0, 8, firma) != 0) {
    errore = "non è un PNG";
    return std::nullopt;
  }
  immagine im;
  int tipo_colore = -1;
  std::string compressi;
  for (std::size_t i = 8; i + 8 <= b.size();) {
    const uint32_t lunghezza = grande_32(b, i);
    const std::string tipo = b.substr(i + 4, 4);
    if (i + 12 + lunghezza > b.size()) break;
    if (tipo == "IHDR") {
      im.larghezza = grande_32(b, i + 8);
      im.altezza = grande_32(b, i + 12);
      const int profondita = static_cast<unsigned char>(b[i + 16]);
      tipo_colore = static_cast<unsigned char>(b[i + 17]);
      const int interlacciato = static_cast<unsigned char>(b[i + 20]);
      if (profondita != 8 || (tipo_colore != 2 && tipo_colore != 6) || interlacciato != 0) {
        errore = "PNG di un formato non gestito";
        return std::nullopt;
      }
    } else if (tipo == "IDAT") {
      compressi += b.substr(i + 8, lunghezza);
    }
    i += 12 + lunghezza;
  }
  if (tipo_colore < 0 || im.larghezza == 0 || im.altezza == 0 || im.larghezza > 20000 || im.altezza > 20000) {
    errore = "PNG senza intestazione valida";
    return std::nullopt;
  }
  // zlib comes with the browser; it is loaded here rather than linked.
  void* z = dlopen("libz.so.1", RTLD_NOW);
  if (z == nullptr) {
    errore = "libz.so.1 non disponibile";
    return std::nullopt;
  }
  using funzione_uncompress = int (*)(unsigned char*, unsigned long*, const unsigned char*, unsigned long);
  auto uncompress = reinterpret_cast<funzione_uncompress>(dlsym(z, "uncompress"));
  const std::size_t per_pixel = tipo_colore == 6 ? 4 : 3;
  const std::size_t riga = im.larghezza * per_pixel;
  std::vector<unsigned char> grezzi(im.altezza * (riga + 1));
  unsigned long dimensione = grezzi.size();
  const int esito = uncompress == nullptr
                        ? -1
                        : uncompress(grezzi.data(), &dimensione,
                                     reinterpret_cast<const unsigned char*>(compressi.data()), compressi.size());
  dlclose(z);
  if (esito != 0 || dimensione != grezzi.size()) {
    errore = "dati PNG non decompressi";
    return std::nullopt;
  }
  // Undo the row filters.
  std::vector<unsigned char> pixel(im.altezza * riga);
  for (std::size_t y = 0; y < im.altezza; ++y) {
    const int filtro = grezzi[y * (riga + 1)];
    const unsigned char* in = &grezzi[y * (riga + 1) + 1];
    unsigned char* out = &pixel[y * riga];
    const unsigned char* su = y > 0 ? &pixel[(y - 1) * riga] : nullptr;
    for (std::size_t x = 0; x < riga; ++x) {
      const int a = x >= per_pixel ? out[x - per_pixel] : 0;
      const int bb = su ? su[x] : 0;
      const int c = (su && x >= per_pixel) ? su[x - per_pixel] : 0;
      int predetto = 0;
      switch (filtro) {
        case 0: predetto = 0; break;
        case 1: predetto = a; break;
        case 2: predetto = bb; break;
        case 3: predetto = (a + bb) / 2; break;
        case 4: predetto = paeth(a, bb, c); break;
        default: errore = "filtro PNG sconosciuto"; return std::nullopt;
      }
      out[x] = static_cast<unsigned char>((in[x] + predetto) & 0xFF);
    }
  }
  im.rgb.reserve(im.larghezza * im.altezza * 3);
  for (std::size_t k = 0; k < pixel.size(); k += per_pixel) {
    im.rgb.push_back(pixel[k]);
    im.rgb.push_back(pixel[k + 1]);
    im.rgb.push_back(pixel[k + 2]);
  }
  return im;
}

std::optional<std::filesystem::path> trova_chromium() {
  const char* path = std::getenv("PATH");
  std::istringstream cartelle(path ? path : "/usr/bin:/bin");
  std::string cartella;
  while (std::getline(cartelle, cartella, ':'))
    for (const char* nome : {"chromium", "chromium-browser"}) {
      const auto p = std::filesystem::path(cartella) / nome;
      std::error_code e;
      if (std::filesystem::is_regular_file(p, e)) return p;
    }
  return std::nullopt;
}
#endif

}  // namespace gara::prova
