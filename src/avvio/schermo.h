#pragma once

#include <string>

namespace gara {

// The package's window and message box on a display, for Linux: drawn by a
// module of their own (schermo_fltk.cpp) that the program loads only once
// it knows a display is there, so that a run without one loads no GUI
// library at all. The program and the module share this interface and
// nothing else.
class schermo {
 public:
  virtual ~schermo() = default;
  // The one window with its label, shown modeless under that title.
  virtual void mostra_finestra(const std::string& titolo) = 0;
  // Puts the window on the screen once, before the long work; no event is
  // handled after it.
  virtual void ridisegna_finestra() = 0;
  // A modal box with the text and a single OK button; returns when OK is
  // pressed (or the box is closed).
  virtual void messaggio(const std::string& titolo, const std::string& testo) = 0;
};

// The module's one entry point, looked up by this name: the display named
// by DISPLAY opened, or nullptr when it cannot be.
using apri_schermo_fn = schermo* (*)();
inline constexpr const char* nome_apri_schermo = "gara_apri_schermo";

}  // namespace gara
