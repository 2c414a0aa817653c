#include "file/sorveglianza.h"

#include <system_error>

#include "file/file.h"
#include "file/scenario_su_disco.h"
#include "modello/nomi_file.h"
#include "modello/windows1252.h"

namespace gara {

namespace {

impronta_file impronta(const std::filesystem::path& file, const descrizione& d) {
  impronta_file i;
  i.presente = d.presente();
  if (!i.presente) return i;
  std::error_code e;
  const auto tempo = std::filesystem::last_write_time(file, e);
  if (!e) i.modifica = static_cast<int64_t>(tempo.time_since_epoch().count());
  if (d.byte) {
    i.dimensione = d.byte->size();
    i.hash = hash_byte(*d.byte);
  } else {
    i.hash = hash_byte(d.illeggibile.value_or(""));
  }
  return i;
}

}  // namespace

uint64_t hash_byte(std::string_view byte) {
  uint64_t h = 14695981039346656037ULL;
  for (char c : byte) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

sorveglianza_descrizioni::sorveglianza_descrizioni(std::filesystem::path cartella,
                                                   const std::string& nome_percorso,
                                                   const std::string& nome_treno) {
  const std::string linea = nome_descrizione_linea(nome_percorso);
  const std::string treno = nome_descrizione_treno(nome_percorso, nome_treno);
  file_linea_ = percorso_file(cartella, linea);
  file_treno_ = percorso_file(cartella, treno);
  nome_linea_ = da_windows1252(linea);
  nome_treno_ = da_windows1252(treno);
}

std::optional<sorgenti> sorveglianza_descrizioni::cambiate() {
  sorgenti d{leggi_descrizione(file_linea_, nome_linea_), leggi_descrizione(file_treno_, nome_treno_)};
  const impronta_file linea = impronta(file_linea_, d.linea);
  const impronta_file treno = impronta(file_treno_, d.treno);
  if (linea_ == linea && treno_ == treno) return std::nullopt;
  linea_ = linea;
  treno_ = treno;
  return d;
}

bool sorveglianza_descrizioni::toccata_da(const cambiamenti& c) const {
  return c.riguarda(file_linea_.filename()) || c.riguarda(file_treno_.filename());
}

}  // namespace gara
