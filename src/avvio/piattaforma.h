#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace gara {

// What the package needs from the platform it runs on. One implementation
// per platform (piattaforma_linux.cpp, piattaforma_windows.cpp); the start-up
// sequence and the compiler know only this interface.
class piattaforma {
 public:
  virtual ~piattaforma() = default;

  // The running executable's own file, and the folder that holds it.
  virtual std::filesystem::path file_programma() = 0;
  std::filesystem::path cartella_programma() { return file_programma().parent_path(); }

  // The title of the window and of the message boxes (UTF-8): the
  // package's identity, route and train joined by "_".
  void imposta_titolo(std::string titolo) { titolo_ = std::move(titolo); }
  const std::string& titolo() const { return titolo_; }

  // The one window, Form1 with its label "Attendere": shown modeless, then
  // repainted once so that the label is on screen before the long work.
  virtual void mostra_finestra() = 0;
  virtual void ridisegna_finestra() = 0;

  // A modal box with the text and a single OK button, no icon, the
  // program's default title; returns when OK is pressed.
  virtual void messaggio(const std::string& testo) = 0;

  // Reports a failure of the run (a file that cannot be written, ...)
  // to the user, naming the file and the reason.
  virtual void segnala_guasto(const std::string& testo) = 0;

  // Ends the program at once with the exit status given: open files are
  // closed, the window goes away, nothing else runs.
  [[noreturn]] void termina(int stato_uscita) {
    fine_programma(stato_uscita);
    std::abort();  // an implementation that returned would be a fault
  }

 protected:
  piattaforma();

  // Implementations end the process here (test doubles throw).
  virtual void fine_programma(int stato_uscita) = 0;

 private:
  std::string titolo_;
};

// The implementation for the platform this program was built for.
std::unique_ptr<piattaforma> crea_piattaforma();

}  // namespace gara
