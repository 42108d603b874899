#include "platform/qt/AvvioQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <X11/Xlib.h>

namespace velmo {

namespace {

// Qt's X11 platform plugin where Qt looks for it: its own plugin folder, the
// folders of QT_PLUGIN_PATH and QT_QPA_PLATFORM_PLUGIN_PATH, and beside the
// program.
bool pluginX11Presente() {
  QStringList cartelle{QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms")};
  for (const QString& c : qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
    cartelle << c + QStringLiteral("/platforms");
  cartelle << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
  cartelle << QStringLiteral("platforms");
  for (const QString& c : cartelle)
    if (QFileInfo::exists(c + QStringLiteral("/libqxcb.so"))) return true;
  return false;
}

}  // namespace

std::optional<std::string> motivoSenzaDisplay() {
  const QByteArray scelta = qgetenv("QT_QPA_PLATFORM");
  if (!scelta.isEmpty() && scelta != "xcb") return std::nullopt;  // offscreen for tests, or the user's own
  const QByteArray display = qgetenv("DISPLAY");
  if (display.isEmpty()) {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
      return "Velmo: questo desktop Wayland non offre un display X11 (la variabile DISPLAY non è impostata).\n"
             "Velmo funziona su X11: sotto Wayland gli serve XWayland, che il desktop avvia da sé "
             "o va attivato nelle sue impostazioni.";
    return "Velmo: nessun display disponibile (la variabile DISPLAY non è impostata).\n"
           "Avviare Velmo da una sessione grafica, oppure in un server X virtuale:\n"
           "  xvfb-run -s \"-screen 0 1280x1024x24\" velmo";
  }
  if (!pluginX11Presente())
    return "Velmo: manca il modulo X11 (xcb) di Qt 6: installare il pacchetto qt6-qpa-plugins.";
  Display* d = XOpenDisplay(display.constData());
  if (!d) return "Velmo: impossibile collegarsi al display X11 \"" + display.toStdString() + "\".";
  XCloseDisplay(d);
  return std::nullopt;
}

QTranslator* caricaTraduzioniQt() {
  auto* traduttore = new QTranslator(QCoreApplication::instance());
  // Italian whatever the user's locale: every text of the program is.
  if (traduttore->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(traduttore))
    return traduttore;
  delete traduttore;
  return nullptr;
}

}  // namespace velmo
