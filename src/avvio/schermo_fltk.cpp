// The window module: the package's window and message box drawn with FLTK
// on the X server named by DISPLAY. Built as a shared object that the
// program carries and loads only when there is a display (see
// piattaforma_linux.cpp).
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "avvio/finestra.h"
#include "avvio/schermo.h"

namespace gara {

namespace {

// The message box: the text at the top left, one OK button below it, no
// icon. Sizes in pixels, as a box of this kind usually has them.
constexpr int margine = 12;
constexpr int dimensione_testo_messaggio = 14;
constexpr int larghezza_bottone = 80;
constexpr int altezza_bottone = 26;
constexpr int larghezza_minima_messaggio = 200;

// How long ridisegna_finestra waits for the X server to put the new window
// on the screen (a window manager may take a moment to map it): at most
// passi_attesa waits of secondi_passo each.
constexpr int passi_attesa = 100;
constexpr double secondi_passo = 0.01;

// The resolution the desktop asks programs to draw at (the Xft.dpi
// resource of the X server), 96 dots per inch when it sets none.
int dpi_desktop(Display* d) {
  const char* valore = XGetDefault(d, "Xft", "dpi");
  if (valore == nullptr) return finestra::dpi_normale;
  const int dpi = std::atoi(valore);
  return dpi >= 48 && dpi <= 480 ? dpi : finestra::dpi_normale;
}

// Form1: remembers whether it has been drawn since the X server mapped it.
class finestra_attesa final : public Fl_Window {
 public:
  using Fl_Window::Fl_Window;
  bool disegnata = false;

 protected:
  void draw() override {
    Fl_Window::draw();
    disegnata = true;
  }
};

void chiudi_messaggio(Fl_Widget* bottone, void*) { bottone->window()->hide(); }

class schermo_fltk final : public schermo {
 public:
  void mostra_finestra(const std::string& titolo) override {
    const int dpi = dpi_desktop(fl_display);
    finestra_ = std::make_unique<finestra_attesa>(finestra::in_pixel(finestra::larghezza_area, dpi),
                                                  finestra::in_pixel(finestra::altezza_area, dpi));
    finestra_->copy_label(titolo.c_str());
    auto* etichetta = new Fl_Box(finestra::in_pixel(finestra::sinistra_etichetta, dpi),
                                 finestra::in_pixel(finestra::alto_etichetta, dpi),
                                 finestra::in_pixel(finestra::larghezza_etichetta, dpi),
                                 finestra::in_pixel(finestra::altezza_etichetta, dpi));
    etichetta->copy_label(std::string(finestra::testo_etichetta).c_str());
    // The font of the layout does not exist here; the desktop's bold sans
    // serif stands in for it, at the same size.
    etichetta->labelfont(FL_HELVETICA_BOLD);
    etichetta->labelsize(finestra::altezza_carattere(finestra::punti_carattere, dpi));
    etichetta->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
    finestra_->end();
    finestra_->show();
  }

  void ridisegna_finestra() override {
    if (!finestra_) return;
    // FLTK draws a new window only once the X server has mapped it; wait
    // for that (briefly) so that "Attendere" is on the screen before the
    // long work begins. No event is handled after this.
    finestra_->redraw();
    for (int i = 0; i < passi_attesa && !finestra_->disegnata; ++i) Fl::wait(secondi_passo);
    Fl::flush();
    XSync(fl_display, False);
  }

  void messaggio(const std::string& titolo, const std::string& testo) override {
    fl_font(FL_HELVETICA, dimensione_testo_messaggio);
    int larghezza_testo = 0;
    int altezza_testo = 0;
    fl_measure(testo.c_str(), larghezza_testo, altezza_testo, 0);
    const int larghezza = std::max(larghezza_minima_messaggio, larghezza_testo + 2 * margine);
    const int altezza = margine + altezza_testo + margine + altezza_bottone + margine;

    Fl_Window scatola(larghezza, altezza, titolo.c_str());
    Fl_Box testo_box(margine, margine, larghezza - 2 * margine, altezza_testo);
    testo_box.copy_label(testo.c_str());
    testo_box.labelfont(FL_HELVETICA);
    testo_box.labelsize(dimensione_testo_messaggio);
    testo_box.align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
    Fl_Return_Button ok((larghezza - larghezza_bottone) / 2, altezza - margine - altezza_bottone,
                        larghezza_bottone, altezza_bottone, "OK");
    ok.callback(chiudi_messaggio);
    scatola.end();
    scatola.set_modal();
    scatola.show();
    while (scatola.shown()) Fl::wait();
  }

 private:
  std::unique_ptr<finestra_attesa> finestra_;
};

}  // namespace

}  // namespace gara

// FLTK would end the program if it could not open a display itself, so the
// display is opened here and handed to it.
extern "C" __attribute__((visibility("default"))) gara::schermo* gara_apri_schermo();
extern "C" gara::schermo* gara_apri_schermo() {
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return nullptr;
  fl_open_display(d);
  return new gara::schermo_fltk();
}
