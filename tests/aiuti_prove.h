#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "modello/modello_compilato.h"
#include "modello/sorgenti.h"
#include "modello/stato_compilazione.h"

namespace gara {

// Places read as file:line:column+length in the tests' messages.
inline void PrintTo(const luogo& l, std::ostream* o) {
  *o << l.file << ":" << l.linea << ":" << l.colonna << "+" << l.lunghezza;
}

}  // namespace gara

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

// A reading of hand-written descriptions from memory, as the package reads
// them (route "P", train "T", unless the test names others first).
struct compilazione_di_prova {
  stato_compilazione s;
  sorgenti d;

  compilazione_di_prova();
  // Runs memorizza_dati on the descriptions given (nullptr: the file is
  // missing), in the mode given.
  void leggi(const std::string* linea, const std::string* treno, int32_t j = 1,
             modo_lettura modo = modo_lettura::fedele);
  void leggi(const std::string& linea, const std::string& treno, int32_t j = 1) {
    leggi(&linea, &treno, j);
  }
  // Whether each description would still be in the folder after the
  // package's run: there, and not among those it deletes.
  bool resta_linea() const { return d.linea.presente() && !s.cancella_linea; }
  bool resta_treno() const { return d.treno.presente() && !s.cancella_treno; }
};

// The descriptions of a scenario from memory, each under its file name.
sorgenti sorgenti_di(const std::string& nome_percorso, const std::string& nome_treno,
                     const std::string* linea, const std::string* treno);

// Where the error that stands was recorded: the file, and the line when
// there is one.
struct origine {
  std::string file;
  std::optional<int> linea;
};
std::optional<origine> origine_errore(const stato_compilazione& s);

// The binary files of a compile, written to memory: the bytes of each, by
// file name (Windows-1252). Only files whose writing was confirmed.
std::map<std::string, std::string> binari_in_memoria(const modello_compilato& m);
std::map<std::string, std::string> binari_in_memoria(const stato_compilazione& s);

// A train description that places nothing.
inline const std::string treno_vuoto = "[generale]\r\n[fine]\r\n";

}  // namespace gara::prova
