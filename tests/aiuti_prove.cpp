#include "aiuti_prove.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "lettura/memorizza_dati.h"
#include "modello/nomi_file.h"

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
  s.cartella = cartella.percorso();
  s.cartella_uscita = cartella.percorso();
}

std::filesystem::path compilazione_di_prova::file_linea() const {
  return percorso_file(s.cartella, nome_descrizione_linea(s.nome_percorso));
}

std::filesystem::path compilazione_di_prova::file_treno() const {
  return percorso_file(s.cartella, nome_descrizione_treno(s.nome_percorso, s.nome_treno));
}

void compilazione_di_prova::leggi(const std::string* linea, const std::string* treno, int32_t j) {
  if (linea != nullptr) scrivi_file(file_linea(), *linea);
  if (treno != nullptr) scrivi_file(file_treno(), *treno);
  s.genera_tracciato = j;
  s.codice_errore = 0;
  s.tabella_linea = tabella{};
  memorizza_dati(s);
}

}  // namespace gara::prova
