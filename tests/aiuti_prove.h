#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "modello/stato_compilazione.h"

namespace gara::prova {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class cartella_temporanea {
 public:
  cartella_temporanea();
  ~cartella_temporanea();
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;
  const std::filesystem::path& percorso() const { return percorso_; }

 private:
  std::filesystem::path percorso_;
};

// Lines joined as a description file has them: each followed by CR LF.
std::string righe_crlf(std::initializer_list<std::string_view> righe);

void scrivi_file(const std::filesystem::path& file, std::string_view byte);
std::string leggi_tutto(const std::filesystem::path& file);

// A compile of hand-written descriptions in a temporary folder, as the
// package runs it (route "P", train "T", descriptions deleted).
struct compilazione_di_prova {
  cartella_temporanea cartella;
  stato_compilazione s;

  compilazione_di_prova();
  std::filesystem::path file_linea() const;
  std::filesystem::path file_treno() const;
  // Writes the descriptions (nothing for an absent one) and runs memorizza_dati.
  void leggi(const std::string* linea, const std::string* treno, int32_t j = 1);
  void leggi(const std::string& linea, const std::string& treno, int32_t j = 1) {
    leggi(&linea, &treno, j);
  }
};

// A train description that places nothing.
inline const std::string treno_vuoto = "[generale]\r\n[fine]\r\n";

}  // namespace gara::prova
