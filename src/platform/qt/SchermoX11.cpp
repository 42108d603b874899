#include "platform/qt/SchermoX11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

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
  const XRRScreenSize& t = c->taglie[attuale];
  // A screen turned a quarter shows its size the other way round.
  const bool girato = rotazione & (RR_Rotate_90 | RR_Rotate_270);
  return girato ? Dimensioni{t.height, t.width} : Dimensioni{t.width, t.height};
}

std::vector<Dimensioni> modi() {
  std::vector<Dimensioni> elenco;
  if (const auto c = configurazione())
    for (int i = 0; i < c->numero; ++i) elenco.push_back({c->taglie[i].width, c->taglie[i].height});
  return elenco;
}

bool cambiaRisoluzione(Dimensioni d) {
  const auto c = configurazione();
  if (!c) return false;
  int scelta = -1;
  for (int i = 0; i < c->numero && scelta < 0; ++i)
    if (c->taglie[i].width == d.larghezza && c->taglie[i].height == d.altezza) scelta = i;
  if (scelta < 0) return false;
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
