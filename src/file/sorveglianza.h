#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "file/notifiche_cartella.h"
#include "modello/sorgenti.h"

namespace gara {

// What tells one state of a description file from another: whether it is
// there, its size, its time of last change and a hash of its bytes. The
// hash catches what the other two can miss: an editor that saves by
// writing a new file and renaming it over the old one, within the clock's
// granularity and at the same size.
struct impronta_file {
  bool presente = false;
  uint64_t dimensione = 0;
  int64_t modifica = 0;  // the file system's clock, in its own ticks
  uint64_t hash = 0;

  bool operator==(const impronta_file&) const = default;
};

// The descriptions of one scenario in a folder, looked at again on each
// call: whatever told that something changed (the folder's notifications,
// or an interval gone by), only a change of these bytes counts.
class sorveglianza_descrizioni {
 public:
  // The identity as Windows-1252 bytes, as the file names carry it.
  sorveglianza_descrizioni(std::filesystem::path cartella, const std::string& nome_percorso,
                           const std::string& nome_treno);

  // The two descriptions as they are now, when either changed since the
  // last call (always on the first); nothing otherwise. The bytes given
  // are those the change was seen in.
  std::optional<sorgenti> cambiate();

  // Whether what the folder's notifications saw may concern either file.
  bool toccata_da(const cambiamenti& c) const;

 private:
  std::filesystem::path file_linea_, file_treno_;
  std::string nome_linea_, nome_treno_;
  std::optional<impronta_file> linea_, treno_;
};

// The bytes' hash (64-bit FNV-1a).
uint64_t hash_byte(std::string_view byte);

}  // namespace gara
