#include "aiuti_prove.h"

#include <atomic>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>

#include "compilazione/compila.h"
#include "lettura/memorizza_dati.h"
#include "uscita/scrittura_binari.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"

namespace gara::prova {

cartella_temporanea::cartella_temporanea() {
  static std::atomic<unsigned> contatore{0};
  std::random_device casuale;
  const auto base = std::filesystem::temp_directory_path();
  for (int tentativo = 0; tentativo < 100; ++tentativo) {
    auto p = base / ("gara-prova-" + std::to_string(casuale()) + "-" + std::to_string(contatore++));
    if (std::filesystem::create_directory(p)) {
      percorso_ = p;
      return;
    }
  }
  throw std::runtime_error("impossibile creare una cartella temporanea");
}

cartella_temporanea::~cartella_temporanea() {
  std::error_code ignorato;
  std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignorato);
  std::filesystem::remove_all(percorso_, ignorato);
}

std::string righe_crlf(std::initializer_list<std::string_view> righe) {
  std::string testo;
  for (auto r : righe) {
    testo += r;
    testo += "\r\n";
  }
  return testo;
}

void scrivi_file(const std::filesystem::path& file, std::string_view byte) {
  std::ofstream f(file, std::ios::binary);
  f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
  if (!f) throw std::runtime_error("impossibile scrivere " + file.string());
}

std::string leggi_tutto(const std::filesystem::path& file) {
  std::ifstream f(file, std::ios::binary);
  if (!f) throw std::runtime_error("impossibile leggere " + file.string());
  std::ostringstream o;
  o << f.rdbuf();
  return o.str();
}

compilazione_di_prova::compilazione_di_prova() {
  s.nome_percorso = "P";
  s.nome_treno = "T";
}

sorgenti sorgenti_di(const std::string& nome_percorso, const std::string& nome_treno,
                     const std::string* linea, const std::string* treno) {
  sorgenti d;
  d.linea.nome = da_windows1252(nome_descrizione_linea(nome_percorso));
  d.treno.nome = da_windows1252(nome_descrizione_treno(nome_percorso, nome_treno));
  if (linea != nullptr) d.linea.byte = *linea;
  if (treno != nullptr) d.treno.byte = *treno;
  return d;
}

void compilazione_di_prova::leggi(const std::string* linea, const std::string* treno, int32_t j,
                                  modo_lettura modo) {
  d = sorgenti_di(s.nome_percorso, s.nome_treno, linea, treno);
  s.modo = modo;
  s.genera_tracciato = j;
  s.azzera_errori();
  s.tabella_linea = tabella{};
  memorizza_dati(s, d);
}

std::map<std::string, std::string> binari_in_memoria(const stato_compilazione& s) {
  return binari_in_memoria(modello_di(s));
}

std::map<std::string, std::string> binari_in_memoria(const modello_compilato& m) {
  std::map<std::string, std::pair<std::string, bool>> aperti;
  std::vector<std::string> scritti;
  scrivi_binari(
      m,
      [&](const std::string& nome) -> std::unique_ptr<scrittura> {
        auto& [byte, confermata] = aperti[nome];
        return std::make_unique<scrittura_in_memoria>(byte, &confermata);
      },
      scritti);
  std::map<std::string, std::string> binari;
  for (auto& [nome, file] : aperti)
    if (file.second) binari[nome] = std::move(file.first);
  return binari;
}

std::optional<origine> origine_errore(const stato_compilazione& s) {
  const diagnostica* d = s.errore_in_vigore();
  if (d == nullptr || !d->dove) return std::nullopt;
  return origine{d->dove->file, d->dove->linea > 0 ? std::optional<int>(d->dove->linea) : std::nullopt};
}

}  // namespace gara::prova
