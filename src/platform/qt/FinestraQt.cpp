#include "platform/qt/FinestraQt.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QColor>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <string>
#include <utility>

#include "forms/Tasti.h"
#include "platform/qt/ControlliQt.h"
#include "platform/qt/FigureQt.h"
#include "platform/qt/FinestraX11.h"
#include "platform/qt/MenuQt.h"
#include "platform/qt/TastiQt.h"
#include "platform/qt/TestiQt.h"
#include "platform/qt/VisibilitaQt.h"

namespace velmo {

namespace {

// The frame of the original system's windows, in pixels (see the header).
constexpr int bordo = 3, titolo = 25, barraMenu = 20;

// Windowed controls lie above the lightweight ones (images, labels, lines)
// of the same container, as in the original toolkit.
bool finestrato(const Controllo& c) {
  return dynamic_cast<const Contenitore*>(&c) || dynamic_cast<const Pulsante*>(&c) ||
         dynamic_cast<const CasellaControllo*>(&c);
}

// X11 and Wayland report evdev key codes, which name the physical keys.
bool codiciHardwareAffidabili() {
  static const bool si = QGuiApplication::platformName() == QLatin1String("xcb") ||
                         QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
  return si;
}

}  // namespace

FinestraQt::FinestraQt(Form& form)
    : form_(form), superficie_(new QWidget(this)), timerRilascio_(new QTimer(this)), dialogo_(form.dialogo()) {
  setObjectName(testoQt(form.nome()));
  setCentralWidget(superficie_);
  superficie_->setObjectName(QStringLiteral("superficie"));
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  creaFigli(form.controlli(), superficie_, QString(), true);

  if (!form.menuBar().empty()) {
    menuBar()->setNativeMenuBar(false);  // in the window, as the original had it
    menu_ = std::make_unique<MenuQt>(*menuBar(), form.menuBar());
  }

  timerRilascio_->setSingleShot(true);
  timerRilascio_->setInterval(30);  // a repeat's press follows its release at once
  connect(timerRilascio_, &QTimer::timeout, this, &FinestraQt::consegnaRilascio);

  // A splash: no frame, no title, no taskbar entry; an ordinary window
  // named a splash at its first show (see x11::tipoSplash).
  if (form.senzaBordo()) setWindowFlags(Qt::Window | Qt::FramelessWindowHint);

  installEventFilter(this);
  superficie_->installEventFilter(this);
  visibilita_ = std::make_unique<VisibilitaQt>(*this, [this](bool) {
    if (staccata_) return;
    for (const auto& applica : applicaTimer_) applica();
  });
  form.osserva([this] { rispecchiaForm(); });
  rispecchiaForm();
}

FinestraQt::~FinestraQt() {
  stacca();
  if (cicloModale_) cicloModale_->quit();
}

void FinestraQt::creaFigli(const std::vector<Controllo*>& controlli, QWidget* padre, const QString& prefisso,
                           bool primoLivello) {
  std::vector<QWidget*> finestrati;
  int i = 0;
  for (Controllo* c : controlli)
    if (QWidget* w = crea(*c, padre, prefisso + QString::number(i++), primoLivello); w && finestrato(*c))
      finestrati.push_back(w);
  for (QWidget* w : finestrati) w->raise();
}

QWidget* FinestraQt::crea(Controllo& c, QWidget* padre, const QString& percorso, bool primoLivello) {
  QWidget* w = nullptr;
  SpecchioControllo* specchio = nullptr;
  QString tipo;
  auto usa = [&](auto* widget, const char* nome) {
    w = widget;
    specchio = widget;
    tipo = QLatin1String(nome);
  };
  if (auto* img = dynamic_cast<Immagine*>(&c))
    usa(new ImmagineQt(*img, padre), "Immagine");
  else if (auto* et = dynamic_cast<Etichetta*>(&c))
    usa(new EtichettaQt(*et, padre), "Etichetta");
  else if (auto* cont = dynamic_cast<Contenitore*>(&c); cont && cont->etichetteDipinte())
    usa(new PannelloEtichetteQt(*cont, padre), "Contenitore");
  else if (auto* cont = dynamic_cast<Contenitore*>(&c))
    usa(new ContenitoreQt(*cont, padre), "Contenitore");
  else if (auto* linea = dynamic_cast<Linea*>(&c))
    usa(new LineaQt(*linea, padre), "Linea");
  else if (auto* puls = dynamic_cast<Pulsante*>(&c))
    usa(new PulsanteQt(*puls, padre), "Pulsante");
  else if (auto* cas = dynamic_cast<CasellaControllo*>(&c))
    usa(new CasellaQt(*cas, padre), "Casella");
  else if (auto* zona = dynamic_cast<ZonaTastiera*>(&c))
    usa(new ZonaTastieraQt(*zona, padre), "Zona");
  else if (auto* t = dynamic_cast<Timer*>(&c))
    legaTimer(*t);
  if (!w) return nullptr;

  w->setObjectName(tipo + QLatin1Char(':') + percorso);
  w->installEventFilter(this);
  widget_[&c] = w;

  if (auto* pannello = dynamic_cast<PannelloEtichetteQt*>(w)) {
    // Its labels are painted by it: each change repaints their strip.
    std::vector<Controllo*> altri;
    for (Controllo* figlio : static_cast<Contenitore&>(c).figli()) {
      auto* l = dynamic_cast<Etichetta*>(figlio);
      if (!l) {
        altri.push_back(figlio);
        continue;
      }
      legati_.push_back(l);
      l->osserva([pannello, l] { pannello->etichettaCambiata(*l); });
      pannello->etichettaCambiata(*l);
    }
    creaFigli(altri, w, percorso + QLatin1Char('.'), false);
  } else if (auto* cont = dynamic_cast<Contenitore*>(&c)) {
    creaFigli(cont->figli(), w, percorso + QLatin1Char('.'), false);
  }

  legati_.push_back(&c);
  c.osserva([this, specchio, primoLivello] {
    specchio->rispecchia();
    if (primoLivello) adattaDimensione();
  });
  specchio->rispecchia();
  return w;
}

void FinestraQt::legaTimer(Timer& t) {
  auto* q = new QTimer(this);
  q->setTimerType(Qt::PreciseTimer);
  timer_.push_back(q);
  connect(q, &QTimer::timeout, this, [&t] {
    if (t.onTimer) {
      const auto gestore = t.onTimer;  // it may stop the timer or unload the form
      gestore();
    }
  });
  auto applica = [this, &t, q] {
    if (t.attivo() && (!t.soloSeVisibile() || (visibilita_ && visibilita_->vista()))) {
      // A hold does not restart a running timer: its ticks keep their pace.
      if (!q->isActive() || q->interval() != t.interval()) q->start(t.interval());
    } else {
      q->stop();
    }
  };
  applicaTimer_.push_back(applica);
  legati_.push_back(&t);
  // The one observer fires for every property; only the changes the timer
  // names restart it.
  t.osserva([&t, q, applica, prima = t.avvio()]() mutable {
    if (t.avvio() == prima) return;
    prima = t.avvio();
    q->stop();  // a new setting starts the count again
    applica();
  });
  applica();
}

QWidget* FinestraQt::widgetDi(const Controllo& c) const {
  auto it = widget_.find(&c);
  return it == widget_.end() ? nullptr : it->second;
}

QAction* FinestraQt::azioneDi(const VoceMenu& voce) const { return menu_ ? menu_->azione(voce) : nullptr; }

QMenu* FinestraQt::menuDi(const VoceMenu& voce) const { return menu_ ? menu_->menu(voce) : nullptr; }

QSize FinestraQt::dimensioneClient() const {
  const int menu = form_.menuBar().empty() ? 0 : barraMenu;
  const int cornice = form_.senzaBordo() ? 0 : bordo, testata = form_.senzaBordo() ? 0 : titolo;
  QSize d(pixel(form_.width()) - 2 * cornice, pixel(form_.height()) - 2 * cornice - testata - menu);
  for (const Controllo* c : form_.controlli())
    if (const QWidget* w = widgetDi(*c); w && c->visible())
      d = d.expandedTo(QSize(w->geometry().right() + 1, w->geometry().bottom() + 1));
  return d.expandedTo(QSize(1, 1));
}

void FinestraQt::adattaDimensione() {
  const QSize d = dimensioneClient();
  if (superficie_->size() != d || superficie_->minimumSize() != d) superficie_->setFixedSize(d);
}

void FinestraQt::rispecchiaForm() {
  setWindowTitle(testoQt(form_.caption()));
  if (const QString nome = testoQt(form_.nomeAccessibile()); accessibleName() != nome) setAccessibleName(nome);
  if (const QString d = testoQt(form_.descrizioneAccessibile()); accessibleDescription() != d)
    setAccessibleDescription(d);
  adattaDimensione();
  // The title bar offers what works: minimize, and the close command unless
  // the form removed it. Never maximize: no window of the program resizes.
  // Qt adds the system menu to any window with a title-bar button, so it is
  // named here too: flags that differ from Qt's own would hide and show the
  // window again on every change of the form.
  Qt::WindowFlags pulsanti = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
  if (form_.closeCommand()) pulsanti |= Qt::WindowCloseButtonHint;
  if (!form_.senzaBordo() && windowFlags() != pulsanti) {
    const bool visibile = isVisible();  // new flags hide a shown window
    setWindowFlags(pulsanti);
    if (visibile) show();
  }
  if (const auto sfondo = form_.backColor()) {
    QPalette tavolozza = superficie_->palette();
    tavolozza.setColor(QPalette::Window, QColor(sfondo->rosso, sfondo->verde, sfondo->blu));
    superficie_->setPalette(tavolozza);
    superficie_->setAutoFillBackground(true);
  }
  // The pointer covers the client area, as the form's pointer did; the menu
  // bar keeps the arrow.
  switch (form_.mousePointer()) {
    case Puntatore::predefinito: superficie_->unsetCursor(); break;
    case Puntatore::clessidra: superficie_->setCursor(Qt::WaitCursor); break;
    case Puntatore::vietato: superficie_->setCursor(Qt::ForbiddenCursor); break;
    case Puntatore::personalizzato:
      superficie_->setCursor(cursoreFigura(form_.mouseIcon(), devicePixelRatioF()));
      break;
  }
}

void FinestraQt::mostra(bool modale, QWidget* sopra) {
  const Qt::WindowModality modalita = modale ? Qt::ApplicationModal : Qt::NonModal;
  if (windowModality() != modalita) {
    if (isVisible()) hide();  // Qt applies a modality change at the next show
    setWindowModality(modalita);
  }
  if (!giaMostrata_) {
    giaMostrata_ = true;
    layout()->activate();
    if (form_.senzaBordo()) {
      winId();
      x11::tipoSplash(*this);
    }
    if (sopra) {
      winId();
      if (QWindow* w = windowHandle(); w && sopra->windowHandle()) w->setTransientParent(sopra->windowHandle());
    }
    const QRect area = sopra ? sopra->frameGeometry() : screen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
    // A window none of whose controls takes the focus (Qt gives it to the
    // first that does) holds it itself: the menu bar takes the focus for its
    // keyboard mode and gives it back only to a widget that held it before.
    // A link is reached by Tab, never stood on at opening, where Return
    // would open it instead of closing the window.
    const bool controlloConFocus = std::any_of(widget_.begin(), widget_.end(), [](const auto& cw) {
      const auto* zona = dynamic_cast<const ZonaTastieraQt*>(cw.second);
      return (cw.second->focusPolicy() & Qt::TabFocus) != 0 && !(zona && zona->zona().collegamento);
    });
    if (!focusWidget() && !controlloConFocus) setFocus(Qt::OtherFocusReason);
  }
  show();
  raise();
  activateWindow();
}

void FinestraQt::impostaCicloModale(QEventLoop* ciclo) { cicloModale_ = ciclo; }

void FinestraQt::congeda() {
  if (congedata_) return;
  congedata_ = true;
  stacca();
  if (cicloModale_) cicloModale_->quit();
  close();  // accepted now: see closeEvent
  deleteLater();
}

void FinestraQt::stacca() {
  if (staccata_) return;
  staccata_ = true;
  rilascio_.reset();
  timerRilascio_->stop();
  applicaTimer_.clear();
  for (QTimer* t : timer_) {
    t->stop();
    t->disconnect(this);
  }
  form_.osserva(nullptr);
  for (Controllo* c : legati_) c->osserva(nullptr);
  legati_.clear();
  if (menu_) menu_->stacca();
}

void FinestraQt::closeEvent(QCloseEvent* e) {
  if (congedata_) {
    e->accept();
    return;
  }
  // A close request from the window manager: the form decides, and unloads
  // itself if it agrees. Its Unload closes the window through congeda(),
  // whose own close() is swallowed while this one is running: accept here.
  e->ignore();
  const QPointer<FinestraQt> viva(this);
  form_.Form_QueryClose();
  if (viva && congedata_) e->accept();
}

bool FinestraQt::event(QEvent* e) {
  // A window counts as activated once shown: a window manager may never
  // activate a new window (focus-stealing prevention, or none at all), and
  // a form waiting for its activation, such as a self-running show, would
  // then hold its modal window open for good. The activation that follows
  // is then no news; a deactivation is.
  const bool attivata = e->type() == QEvent::WindowActivate || e->type() == QEvent::Show;
  if ((attivata || e->type() == QEvent::WindowDeactivate) && attivata != attiva_ && !staccata_) {
    attiva_ = attivata;
    // Delivered from the event loop, not from inside Qt's activation: the
    // handler may run a whole show with its waits and unload the window.
    QMetaObject::invokeMethod(
        this,
        [this, attivata] {
          if (staccata_) return;
          if (attivata)
            form_.Form_Activate();
          else
            form_.Form_Deactivate();
        },
        Qt::QueuedConnection);
  }
  return QMainWindow::event(e);
}

bool FinestraQt::eventFilter(QObject* oggetto, QEvent* e) {
  // A left press and release on the window between its controls: its Click.
  if (oggetto == superficie_ && !congedata_ &&
      (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)) {
    const auto* m = static_cast<QMouseEvent*>(e);
    if (m->button() != Qt::LeftButton) return false;
    if (e->type() == QEvent::MouseButtonPress) {
      premutoSuperficie_ = true;
    } else if (std::exchange(premutoSuperficie_, false) && superficie_->rect().contains(m->position().toPoint())) {
      form_.Form_Click();  // it may unload the form: touch nothing after it
    }
    return true;
  }
  const bool premuto = e->type() == QEvent::KeyPress;
  if ((premuto || e->type() == QEvent::KeyRelease) && !congedata_) {
    // The filter sits on every widget of the window and a key the focused
    // widget ignores travels up to its parents: take it at its first stop.
    // The menu bar is not filtered: it holds the focus in its keyboard mode
    // (Alt, or a menu closed with Escape), and the keys it does not use
    // itself (titles' letters, arrows, Return, Escape) travel on to the
    // window: take them there.
    QWidget* fuoco = focusWidget();
    QWidget* primo = fuoco && fuoco != menuWidget() ? fuoco : this;
    if (oggetto == primo && tasto(*static_cast<QKeyEvent*>(e), premuto)) return true;
  }
  return QMainWindow::eventFilter(oggetto, e);
}

bool FinestraQt::tasto(const QKeyEvent& e, bool premuto) {
  const unsigned hardware = codiciHardwareAffidabili() ? e.nativeScanCode() : 0;
  const int codice = codiceVirtuale(e.key(), e.modifiers(), hardware);
  if (codice == 0) return false;
  const int shift = bitShift(e.modifiers());
  if (premuto && premiPulsante(codice, shift)) return true;
  if (premuto) {
    if (rilascio_) {
      const qint64 dopo = static_cast<qint64>(e.timestamp()) - static_cast<qint64>(rilascio_->tempo);
      if (rilascio_->codice == codice && dopo >= 0 && dopo <= 2) {
        rilascio_.reset();  // the key never went up: this press is a repeat
        timerRilascio_->stop();
      } else {
        consegnaRilascio();
        if (congedata_) return false;
      }
    }
    // A function key that is some item's accelerator belongs to the menu,
    // also while the item is disabled and its key does nothing.
    if (form_.voceDelTasto(codice, shift)) return false;
    tastiPremuti_.insert(codice);  // an autorepeat press is another KeyDown
    form_.Form_KeyDown(codice, shift);
  } else {
    // One KeyUp, at the real release, and only for a key that went down here.
    if (e.isAutoRepeat()) return false;
    consegnaRilascio();
    if (congedata_ || tastiPremuti_.count(codice) == 0) return false;
    rilascio_ = Rilascio{codice, shift, e.timestamp()};
    timerRilascio_->start();
  }
  return false;
}

bool FinestraQt::premiPulsante(int codice, int shift) {
  // Return on a button presses that one, as in a dialog: a window that is
  // not one gets no such help from Qt.
  auto* fuoco = dynamic_cast<PulsanteQt*>(focusWidget());
  if (codice == codiceTasto::invio && shift == 0 && fuoco) {
    fuoco->click();
    return true;
  }
  Pulsante* pulsante = form_.pulsanteDelTasto(codice, shift);
  QWidget* w = pulsante ? widgetDi(*pulsante) : nullptr;
  if (!w || !w->isVisible() || !w->isEnabled()) return false;
  if (auto* b = dynamic_cast<PulsanteQt*>(w)) b->click();
  return true;
}

void FinestraQt::consegnaRilascio() {
  if (!rilascio_) return;
  const Rilascio r = *rilascio_;
  rilascio_.reset();
  timerRilascio_->stop();
  if (tastiPremuti_.erase(r.codice)) form_.Form_KeyUp(r.codice, r.shift);
}

}  // namespace velmo
