#pragma once

#include <streambuf>
#include <string>
#include <vector>

namespace gara::strumento {

// The command line as UTF-8 strings, read from the system in UTF-16, so
// that names outside the ANSI code page (and any wildcard) arrive as typed.
std::vector<std::string> argomenti_utf8();

// One of the tool's two outputs on Windows, written straight to the
// process's handle. Into a console the text (UTF-8) goes as UTF-16 through
// WriteConsoleW, so that it reads right whatever the console's code page;
// into a file or a pipe the UTF-8 bytes go as they are, lines ended by LF
// as on Linux (JSON stays valid UTF-8, listings are the same bytes).
class uscita_windows : public std::streambuf {
 public:
  enum class flusso { uscita, errori };
  explicit uscita_windows(flusso f);
  ~uscita_windows() override;
  uscita_windows(const uscita_windows&) = delete;
  uscita_windows& operator=(const uscita_windows&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool svuota(bool tutto);

  void* handle_;
  bool console_;
  std::string attesa_;  // bytes not yet written
};

}  // namespace gara::strumento
