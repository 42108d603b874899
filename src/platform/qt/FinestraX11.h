#pragma once
// A window's type as X11 window managers read it, set by hand where Qt's
// own would mislead them. Nothing off X11.

class QWidget;

namespace velmo::x11 {

// Names an ordinary top-level window a splash (_NET_WM_WINDOW_TYPE_SPLASH):
// centred, without frame or taskbar entry. Qt's splash type would also make
// it transient for Qt's hidden client-leader window, which desktops report
// as an invalid WM_TRANSIENT_FOR. Call after the native window exists and
// before it is shown.
void tipoSplash(QWidget& finestra);

}  // namespace velmo::x11
