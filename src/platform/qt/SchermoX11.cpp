#include "platform/qt/SchermoX11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

#include "core/system/RegoleSistema.h"

namespace velmo::x11 {

namespace {

Display* schermoX() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

struct Configurazione {
  Display* d = nullptr;
  std::unique_ptr<XRRScreenConfiguration, decltype(&XRRFreeScreenConfigInfo)> conf{nullptr, &XRRFreeScreenConfigInfo};
  XRRScreenSize* taglie = nullptr;
  int numero = 0;

  // The sizes as the server lists them, unturned.
  std::vector<Dimensioni> elenco() const {
    std::vector<Dimensioni> e;
    for (int i = 0; i < numero; ++i) e.push_back({taglie[i].width, taglie[i].height});
    return e;
  }
  // Whether the screen is turned a quarter.
  bool girato() const {
    Rotation rotazione = 0;
    XRRConfigCurrentConfiguration(conf.get(), &rotazione);
    return rotazione & (RR_Rotate_90 | RR_Rotate_270);
  }
};

// The server's screen configuration, read anew each time: another program
// may have changed it.
std::optional<Configurazione> configurazione() {
  Configurazione c;
  c.d = schermoX();
  if (!c.d) return std::nullopt;
  int evento = 0, errore = 0;
  if (!XRRQueryExtension(c.d, &evento, &errore)) return std::nullopt;
  c.conf.reset(XRRGetScreenInfo(c.d, DefaultRootWindow(c.d)));
  if (!c.conf) return std::nullopt;
  c.taglie = XRRConfigSizes(c.conf.get(), &c.numero);
  if (!c.taglie || c.numero <= 0) return std::nullopt;
  return c;
}

}  // namespace

std::optional<Dimensioni> dimensione() {
  const auto c = configurazione();
  if (!c) return std::nullopt;
  Rotation rotazione = 0;
  const SizeID attuale = XRRConfigCurrentConfiguration(c->conf.get(), &rotazione);
  if (attuale >= c->numero) return std::nullopt;
  return pfuncDimensioniVisibili(c->elenco()[attuale], c->girato());
}

std::vector<Dimensioni> modi() {
  std::vector<Dimensioni> elenco;
  if (const auto c = configurazione())
    for (const Dimensioni& m : c->elenco()) elenco.push_back(pfuncDimensioniVisibili(m, c->girato()));
  return elenco;
}

bool cambiaRisoluzione(Dimensioni d) {
  const auto c = configurazione();
  if (!c) return false;
  // The list is unturned and `d` is as the screen shows it: compared in the
  // screen's orientation, so a turned screen finds its start-up size again.
  const auto modo = pfuncModoCheMostra(c->elenco(), d, c->girato());
  if (!modo) return false;
  const auto scelta = static_cast<SizeID>(*modo);
  Rotation rotazione = 0;
  const SizeID attuale = XRRConfigCurrentConfiguration(c->conf.get(), &rotazione);
  if (attuale == scelta) return true;
  const short frequenza = XRRConfigCurrentRate(c->conf.get());
  int numeroFrequenze = 0;
  const short* frequenze = XRRConfigRates(c->conf.get(), scelta, &numeroFrequenze);
  bool stessaFrequenza = false;
  for (int i = 0; i < numeroFrequenze; ++i) stessaFrequenza = stessaFrequenza || frequenze[i] == frequenza;
  const Window radice = DefaultRootWindow(c->d);
  const Status esito =
      stessaFrequenza
          ? XRRSetScreenConfigAndRate(c->d, c->conf.get(), radice, scelta, rotazione, frequenza, CurrentTime)
          : XRRSetScreenConfig(c->d, c->conf.get(), radice, scelta, rotazione, CurrentTime);
  XSync(c->d, False);
  return esito == RRSetConfigSuccess;
}

}  // namespace velmo::x11
