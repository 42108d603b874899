#include "platform/qt/VisibilitaQt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

namespace velmo {

VisibilitaQt::VisibilitaQt(QWidget& finestra, std::function<void(bool)> cambiata)
    : finestra_(finestra), cambiata_(std::move(cambiata)) {
  finestra_.installEventFilter(this);
  QCoreApplication::instance()->installNativeEventFilter(this);
  osservaFinestraNativa();
}

VisibilitaQt::~VisibilitaQt() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

void VisibilitaQt::osservaFinestraNativa() {
  QWindow* nativa = finestra_.windowHandle();
  if (!nativa || nativa == nativa_) return;
  nativa_ = nativa;
  nativa->installEventFilter(this);
  // Qt does not ask the X server for visibility notices: ask for them too,
  // keeping the events Qt selected.
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection()) {
    xcb_connection_t* c = x11->connection();
    const auto id = static_cast<xcb_window_t>(finestra_.winId());
    if (xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr)) {
      const std::uint32_t maschera = a->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
      xcb_change_window_attributes(c, id, XCB_CW_EVENT_MASK, &maschera);
      xcb_flush(c);
      std::free(a);
    }
  }
}

bool VisibilitaQt::eventFilter(QObject* oggetto, QEvent* e) {
  switch (e->type()) {
    case QEvent::Show:
    case QEvent::WinIdChange:
      osservaFinestraNativa();
      [[fallthrough]];
    case QEvent::Hide:
    case QEvent::Expose:
    case QEvent::WindowStateChange:
      // Qt tells the window's exposure after its own handling: look then.
      QMetaObject::invokeMethod(this, &VisibilitaQt::aggiorna, Qt::QueuedConnection);
      break;
    default: break;
  }
  return QObject::eventFilter(oggetto, e);
}

bool VisibilitaQt::nativeEventFilter(const QByteArray& tipo, void* messaggio, qintptr*) {
  if (tipo != "xcb_generic_event_t" || !nativa_) return false;
  const auto* evento = static_cast<const xcb_generic_event_t*>(messaggio);
  if ((evento->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY) return false;
  const auto* v = static_cast<const xcb_visibility_notify_event_t*>(messaggio);
  if (v->window != static_cast<xcb_window_t>(nativa_->winId())) return false;
  coperta_ = v->state == XCB_VISIBILITY_FULLY_OBSCURED;
  aggiorna();
  return false;
}

void VisibilitaQt::aggiorna() {
  const bool vista = finestra_.isVisible() && !finestra_.isMinimized() && nativa_ && nativa_->isExposed() &&
                     !coperta_;
  if (vista == vista_) return;
  vista_ = vista;
  if (cambiata_) cambiata_(vista);
}

}  // namespace velmo
