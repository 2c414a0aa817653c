// The tool's entry on Windows: the arguments come from the system in UTF-16
// and reach the tool as UTF-8, like on Linux; both outputs go through
// uscita_windows (a console shows the letters right, a file or a pipe gets
// the same bytes as on Linux).
#include <iostream>
#include <string>
#include <vector>

#include "file/file.h"
#include "strumento/console_windows.h"
#include "strumento/strumento.h"

int main() {
  using gara::strumento::uscita_windows;
  gara::ignora_segnale_limite_file();
  std::vector<std::string> argomenti = gara::strumento::argomenti_utf8();
  std::vector<char*> argv;
  for (auto& a : argomenti) argv.push_back(a.data());
  argv.push_back(nullptr);

  uscita_windows uscita(uscita_windows::flusso::uscita);
  uscita_windows errori(uscita_windows::flusso::errori);
  std::streambuf* const cout_prima = std::cout.rdbuf(&uscita);
  std::streambuf* const cerr_prima = std::cerr.rdbuf(&errori);
  const int stato = gara::strumento::esegui(static_cast<int>(argomenti.size()), argv.data());
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(cout_prima);
  std::cerr.rdbuf(cerr_prima);
  return stato;
}
