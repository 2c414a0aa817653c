#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace gara {

// A failure to write or read a file (folder not writable, disk full, ...).
// Its message names the file and the system's reason.
class errore_file : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where the bytes of one output file go, piece by piece: a file replaced
// whole (sostituzione_file), or memory for the tests and the preview.
// Nothing written counts until conferma().
class scrittura {
 public:
  virtual ~scrittura() = default;
  // Room for the bytes to come, when the destination can use the hint.
  virtual void prenota(std::uint64_t /*byte*/) {}
  virtual void scrivi(std::string_view byte) = 0;
  virtual void conferma() = 0;
};

// Where a writer of several files sends each one, given its name
// (Windows-1252, as the formats name their files).
using apri_scrittura = std::function<std::unique_ptr<scrittura>(const std::string& nome)>;

// The bytes appended to a string of the caller's; `confermata`, when given,
// tells whether the writer finished.
class scrittura_in_memoria : public scrittura {
 public:
  explicit scrittura_in_memoria(std::string& byte, bool* confermata = nullptr)
      : byte_(byte), confermata_(confermata) {}
  void scrivi(std::string_view byte) override { byte_.append(byte); }
  void conferma() override {
    if (confermata_ != nullptr) *confermata_ = true;
  }

 private:
  std::string& byte_;
  bool* confermata_;
};

// Only the count of the bytes, added to a counter of the caller's, for
// measures that must not hold a large file.
class scrittura_contata : public scrittura {
 public:
  explicit scrittura_contata(std::uint64_t& conteggio) : conteggio_(conteggio) {}
  void scrivi(std::string_view byte) override { conteggio_ += byte.size(); }
  void conferma() override {}

 private:
  std::uint64_t& conteggio_;
};

}  // namespace gara
