#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gara::prova {

// What a run of the tool left: exit status and both outputs.
struct esito_strumento {
  int stato = -1;
  std::string uscita;
  std::string errori;
};

// Runs the tool in this process, as `scenario ARGOMENTI...`.
esito_strumento strumento(const std::vector<std::string>& argomenti);

#ifndef _WIN32
// Runs a built program (the tool or the package) through the shell from the
// folder given; its standard output is captured, its errors too.
esito_strumento programma(const std::string& eseguibile, const std::vector<std::string>& argomenti,
                          const std::filesystem::path& cartella);
#endif

// The shipped descriptions as lines (UTF-8), for a test to break one.
std::vector<std::string> righe_linea_spedita();
std::vector<std::string> righe_treno_spedita();

// Writes the two descriptions of route `percorso`, train `treno` into a
// folder, each line ended by CR LF, in Windows-1252.
void scrivi_descrizioni(const std::filesystem::path& cartella, const std::string& percorso,
                        const std::string& treno, const std::vector<std::string>& linea,
                        const std::vector<std::string>& treno_righe);

// Names (sorted, UTF-8) of the files in a folder.
std::vector<std::string> nomi_in(const std::filesystem::path& cartella);

// Empty when the text is well-formed XML with one root element and no
// attribute given twice; otherwise what is wrong and where.
std::string difetto_xml(const std::string& testo);

#ifndef _WIN32
// A decoded PNG picture: 8-bit RGB(A) rows, as a headless browser writes them.
struct immagine {
  uint32_t larghezza = 0;
  uint32_t altezza = 0;
  std::vector<uint8_t> rgb;  // 3 bytes a pixel
};
// Nothing, with `errore` set, when the file is not a PNG this can read.
std::optional<immagine> leggi_png(const std::filesystem::path& file, std::string& errore);

// The headless browser, when it is installed.
std::optional<std::filesystem::path> trova_chromium();
#endif

}  // namespace gara::prova
