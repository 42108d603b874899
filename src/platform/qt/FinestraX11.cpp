#include "platform/qt/FinestraX11.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace velmo::x11 {

void tipoSplash(QWidget& finestra) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return;
  Display* d = x11->display();
  const Atom tipo = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
  const Atom splash = XInternAtom(d, "_NET_WM_WINDOW_TYPE_SPLASH", False);
  XChangeProperty(d, static_cast<Window>(finestra.winId()), tipo, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&splash), 1);
  XFlush(d);
}

}  // namespace velmo::x11
