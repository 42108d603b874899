#pragma once
// What the program settles with Qt around the application object: whether
// a display can be used at all (before it is built, since Qt aborts without
// one), and Qt's own texts in Italian (right after).

#include <optional>
#include <string>

class QTranslator;

namespace velmo {

// Why no display can be used, in Italian for the terminal; nullopt when the
// X11 display answers, or when the user chose another Qt platform. The game
// runs on X11 (XWayland on a Wayland desktop): its screen switch and its
// window rules are X11's.
std::optional<std::string> motivoSenzaDisplay();

// Loads Qt's Italian translations (file dialogs, standard buttons, context
// menus of text fields) and installs them in the application; the
// translator, owned by the application, or nullptr where the system has no
// translations installed.
QTranslator* caricaTraduzioniQt();

}  // namespace velmo
