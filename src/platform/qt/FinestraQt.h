#pragma once
// The on-screen window of one Form: its controls as widgets, its menu bar,
// timers, key events, mouse pointer and close request, each bound to the
// model so that every property change shows at once.
//
// Size: a form's width and height are the outer size of a window of the
// original system, title bar, frame and menu bar included. The client area
// below the menu bar is that size less the frame those windows had (3 px
// each side, a 25 px title, a 20 px menu bar), and never smaller than the
// visible top-level controls, so the board fits exactly whichever height the
// program chose for its system. The window is not resizable.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "forms/Form.h"

class QEventLoop;
class QKeyEvent;
class QTimer;
class QAction;
class QMenu;

namespace velmo {

class MenuQt;
class SpecchioControllo;
class VisibilitaQt;

class FinestraQt : public QMainWindow {
  Q_OBJECT

 public:
  explicit FinestraQt(Form& form);
  ~FinestraQt() override;

  // The widget of a control (nullptr for timers), the action and menu of a
  // menu item. Widgets are also named "<Kind>:<path>", e.g. "Immagine:3" or
  // "Etichetta:2.0" (child 0 of top-level control 2), for tests to find.
  QWidget* widgetDi(const Controllo& c) const;
  QAction* azioneDi(const VoceMenu& voce) const;
  QMenu* menuDi(const VoceMenu& voce) const;
  QWidget* superficie() const { return superficie_; }
  // A dialog to a screen reader: fixed for the window's life.
  bool dialogo() const { return dialogo_; }
  // The form's table for a screen reader; nullptr once the window is let go.
  const TabellaAccessibile* tabellaAccessibile() const { return staccata_ ? nullptr : &form_.tabellaAccessibile(); }

  // The client area below the menu bar, in pixels (see above).
  QSize dimensioneClient() const;

  // Shows the window, centred over `sopra` (or the screen) the first time;
  // a modal one blocks input to every other window.
  void mostra(bool modale, QWidget* sopra);
  // A modal show's loop, quit when the window is let go.
  void impostaCicloModale(QEventLoop* ciclo);
  // Lets the window go for good, without asking the form: unbinds the model,
  // stops the timers, closes, and deletes the widgets once control is back
  // in the event loop (a handler of this window may still be running).
  void congeda();
  bool congedata() const { return congedata_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  // Activation and deactivation, passed to the form's handlers.
  bool event(QEvent* e) override;
  bool eventFilter(QObject* oggetto, QEvent* e) override;

 private:
  // The widgets of some controls inside `padre`, named after `prefisso`.
  void creaFigli(const std::vector<Controllo*>& controlli, QWidget* padre, const QString& prefisso,
                 bool primoLivello);
  QWidget* crea(Controllo& c, QWidget* padre, const QString& percorso, bool primoLivello);
  void legaTimer(Timer& t);
  void rispecchiaForm();
  void adattaDimensione();
  // A key for the form; true when it was taken (by a button) and goes no
  // further.
  bool tasto(const QKeyEvent& e, bool premuto);
  // Return or Escape pressing a button, as in a dialog; true when one did.
  bool premiPulsante(int codice, int shift);
  void consegnaRilascio();
  // Unbinds the model, once: the form may be gone by the time a window let
  // go is deleted.
  void stacca();

  Form& form_;
  QWidget* superficie_;
  std::unique_ptr<MenuQt> menu_;
  std::vector<Controllo*> legati_;  // every control bound, to unbind them
  std::map<const Controllo*, QWidget*> widget_;
  std::vector<QTimer*> timer_;
  // Starts or stops each timer as its control and the window's visibility
  // say (see Timer::soloSeVisibile).
  std::vector<std::function<void()>> applicaTimer_;
  std::unique_ptr<VisibilitaQt> visibilita_;
  std::set<int> tastiPremuti_;  // keys whose KeyDown was delivered
  // A release held back briefly: X11 and Wayland report a held key as
  // release-press pairs with one timestamp, not always flagged as repeats.
  struct Rilascio {
    int codice, shift;
    quint64 tempo;
  };
  std::optional<Rilascio> rilascio_;
  QTimer* timerRilascio_;
  QPointer<QEventLoop> cicloModale_;
  const bool dialogo_;
  bool congedata_ = false;
  bool staccata_ = false;  // the model is unbound: never touch the form again
  bool giaMostrata_ = false;
  bool attiva_ = false;
  bool premutoSuperficie_ = false;  // a left press on the window, for its Click
};

}  // namespace velmo
