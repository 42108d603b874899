// What any 40-frames-a-second animation costs this process on this X
// display, to set the credits' crawl against: a bare 25 ms timer; a widget
// repainting a 120x12 strip each tick through Qt's backing store; the same
// strip drawn by hand with XRender requests into a native window (one flush
// a tick, nothing read back). Each runs for 20 s, measured by the process's
// CPU clock. Below them all, a plain sleep loop without Qt: what forty
// wakeups a second cost on this machine whatever runs in them. Run under an
// X server:
//
//     xvfb-run -s "-screen 0 1280x1024x24" build/bench/animazione_minima_bench [--finestra LxA]
//
// The windows are 145x304, or L x A pixels with --finestra: a compositor's
// cost grows with the window's size whatever changes in it, so the credits
// are set against the same strip in a window the game's size too.

#include <QApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>

// After Qt's headers: Xlib's macros (Bool, Status) clash with them.
#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

namespace {

double secondiCpu() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

constexpr int passoMs = 25, durataMs = 20000;
QSize misuraFinestra{145, 304};

// A strip that drops one pixel a tick, painted by Qt.
class StrisciaQt : public QWidget {
 public:
  StrisciaQt() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(misuraFinestra);
  }
  int y = 0;

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.fillRect(e->rect(), Qt::black);
    p.fillRect(QRect(10, y % 290, 120, 12), QColor(200, 180, 30));
  }
};

// The same strip by hand: an offscreen pixmap on the server, a fill to clear,
// a fill to draw, one copy to the window, one flush.
class StrisciaX : public QWidget {
 public:
  StrisciaX() {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    resize(misuraFinestra);
  }
  ~StrisciaX() override {
    if (!d_) return;
    XRenderFreePicture(d_, fuoriSchermo_);
    XFreePixmap(d_, pixmap_);
  }
  QPaintEngine* paintEngine() const override { return nullptr; }
  void passo(int y) {
    if (!d_) {
      d_ = qApp->nativeInterface<QNativeInterface::QX11Application>()->display();
      const int schermo = DefaultScreen(d_);
      pixmap_ = XCreatePixmap(d_, winId(), 145, 304, static_cast<unsigned>(DefaultDepth(d_, schermo)));
      fuoriSchermo_ = XRenderCreatePicture(d_, pixmap_, XRenderFindVisualFormat(d_, DefaultVisual(d_, schermo)), 0,
                                           nullptr);
    }
    const XRenderColor nero{0, 0, 0, 0xffff}, giallo{0xc8c8, 0xb4b4, 0x1e1e, 0xffff};
    XRenderFillRectangle(d_, PictOpSrc, fuoriSchermo_, &nero, 10, (y - 1) % 290, 120, 12);
    XRenderFillRectangle(d_, PictOpSrc, fuoriSchermo_, &giallo, 10, y % 290, 120, 12);
    XCopyArea(d_, pixmap_, winId(), DefaultGC(d_, DefaultScreen(d_)), 0, 0, 145, 304, 0, 0);
    XFlush(d_);
  }

 protected:
  void paintEvent(QPaintEvent*) override {}

 private:
  Display* d_ = nullptr;
  Pixmap pixmap_ = 0;
  Picture fuoriSchermo_ = 0;
};

struct Prova {
  const char* nome;
  std::function<std::function<void(int)>()> prepara;  // gives what each tick does
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--finestra") == 0 &&
        std::sscanf(argv[i + 1], "%dx%d", &misuraFinestra.rwidth(), &misuraFinestra.rheight()) != 2) {
      std::fprintf(stderr, "--finestra takes WIDTHxHEIGHT\n");
      return 2;
    }
  QApplication app(argc, argv);
  std::unique_ptr<QWidget> finestra;
  const Prova prove[] = {
      {"bare 25 ms timer", [&]() -> std::function<void(int)> { return [](int) {}; }},
      {"Qt widget, 120x12 strip repainted",
       [&]() -> std::function<void(int)> {
         auto* w = new StrisciaQt;
         finestra.reset(w);
         w->show();
         return [w](int y) {
           w->y = y;
           w->update(10, 0, 120, 304);
         };
       }},
      {"XRender by hand, one flush a tick",
       [&]() -> std::function<void(int)> {
         auto* w = new StrisciaX;
         finestra.reset(w);
         w->show();
         return [w](int y) { w->passo(y); };
       }},
  };
  std::printf("one process's CPU for a 40 Hz animation, 20 s each (%% of one core):\n");
  {
    const double inizio = secondiCpu();
    for (int i = 0; i < durataMs / passoMs; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(passoMs));
    std::printf("  %-36s %.3f%%\n", "sleep loop, no Qt", (secondiCpu() - inizio) / (durataMs / 1000.0) * 100);
    std::fflush(stdout);
  }
  for (const Prova& prova : prove) {
    const auto passo = prova.prepara();
    // Past the window's first paints.
    QTimer::singleShot(1000, [] { QCoreApplication::exit(); });
    app.exec();
    QTimer orologio;
    orologio.setInterval(passoMs);
    int y = 0;
    QObject::connect(&orologio, &QTimer::timeout, [&] { passo(++y); });
    orologio.start();
    const double inizio = secondiCpu();
    QTimer::singleShot(durataMs, [] { QCoreApplication::exit(); });
    app.exec();
    std::printf("  %-36s %.3f%%\n", prova.nome, (secondiCpu() - inizio) / (durataMs / 1000.0) * 100);
    std::fflush(stdout);
    finestra.reset();
  }
  return 0;
}
