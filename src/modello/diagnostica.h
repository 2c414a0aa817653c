#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace gara {

// A file's name as places carry it: every place in one file shares one
// copy of its name, so recording a place per field allocates nothing.
// It reads as the std::string it holds.
class nome_file {
 public:
  nome_file() = default;
  nome_file(std::string nome) : nome_(std::make_shared<const std::string>(std::move(nome))) {}
  nome_file(const char* nome) : nome_file(std::string(nome)) {}

  const std::string& str() const { return nome_ ? *nome_ : vuoto(); }
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }
  bool empty() const { return str().empty(); }
  std::size_t size() const { return str().size(); }
  const char* c_str() const { return str().c_str(); }

  friend bool operator==(const nome_file& a, const nome_file& b) { return a.nome_ == b.nome_ || a.str() == b.str(); }
  friend bool operator==(const nome_file& a, std::string_view b) { return a.str() == b; }
  friend bool operator==(const nome_file& a, const std::string& b) { return a.str() == b; }
  friend bool operator==(const nome_file& a, const char* b) { return a.str() == b; }
  friend auto operator<=>(const nome_file& a, const nome_file& b) { return a.str() <=> b.str(); }
  friend std::string operator+(const std::string& a, const nome_file& b) { return a + b.str(); }
  friend std::string operator+(const char* a, const nome_file& b) { return a + b.str(); }
  friend std::string operator+(const nome_file& a, const std::string& b) { return a.str() + b; }
  friend std::string operator+(const nome_file& a, const char* b) { return a.str() + b; }
  friend std::ostream& operator<<(std::ostream& o, const nome_file& n) { return o << n.str(); }

 private:
  static const std::string& vuoto() {
    static const std::string v;
    return v;
  }
  std::shared_ptr<const std::string> nome_;
};

// A place in a description: the file (its name as the author reads it) and
// the field, by line and column (both from 1; column in bytes, which are
// characters in Windows-1252) and length. A place without a line stands for
// the file as a whole; one without a column for the whole line.
struct luogo {
  nome_file file;
  int linea = 0;
  int colonna = 0;
  int lunghezza = 0;

  bool operator==(const luogo&) const = default;
};

enum class gravita { errore, avviso, nota };

// A change that mends a problem by itself, for an editor to offer: the
// bytes of `dove` (one field, or a few on one line) replaced by `testo`
// (Windows-1252, as the file holds it).
struct sostituzione {
  luogo dove;
  std::string testo;

  bool operator==(const sostituzione&) const = default;
};

// One problem of a compile. An error carries its code of the format (or,
// for the header stamp, the number of the stop); a warning carries its
// identifier instead and code 0.
struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;
  std::string avviso;  // identifier of a warning; empty for an error
  std::optional<luogo> dove;
  std::optional<int32_t> metro;
  std::string motivo;  // in words, for the author
  // Where an earlier entry took the cell or the record (a note, not an error).
  std::optional<luogo> prima;
  std::string nota;  // what `prima` points at, in words
  // The fix, when one is certain: what the author plainly meant.
  std::optional<sostituzione> correzione;

  bool operator==(const diagnostica&) const = default;
};

}  // namespace gara
