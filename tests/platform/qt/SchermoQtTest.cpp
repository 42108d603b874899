// The real platform's share of the leaderboard window: a click on a window
// between its controls, and the closing effect drawn over the window by a
// frameless overlay that takes no input and goes with the repaint.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <chrono>
#include <ctime>

#include "AmbienteQt.h"
#include "forms/ChiusuraConEffetto.h"
#include "forms/Form.h"
#include "platform/qt/FinestraQt.h"

namespace velmo::test {
namespace {

class FormCliccabile : public Form {
 public:
  Etichetta lbl;
  Contenitore tavola;
  int clic = 0, clicEtichetta = 0;
  FormCliccabile() : Form("frmClic") {
    setSize(6000, 4500);
    setBackColor({250, 244, 222});
    lbl.move(0, 0, 1500, 300);
    lbl.onClick = [this] { ++clicEtichetta; };
    tavola.move(3000, 0, 1500, 1500);
    aggiungi(lbl);
    aggiungi(tavola);
  }
  void Form_Click() override { ++clic; }
};

using SchermoQt = AmbienteQt;

void mouse(QWidget* w, QEvent::Type tipo, QPoint dove, Qt::MouseButton pulsante) {
  const Qt::MouseButtons tenuti = tipo == QEvent::MouseButtonPress ? Qt::MouseButtons(pulsante) : Qt::NoButton;
  QMouseEvent e(tipo, QPointF(dove), w->mapToGlobal(QPointF(dove)), pulsante, tenuti, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

TEST_F(SchermoQt, UnClicSullaFinestraFraIControlliELoSuoClick) {
  FormCliccabile form;
  form.Show();
  QWidget* superficie = p.finestra(form)->superficie();
  auto clic = [](QWidget* w, QPoint dove, Qt::MouseButton pulsante = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonPress, dove, pulsante);
    mouse(w, QEvent::MouseButtonRelease, dove, pulsante);
  };
  clic(superficie, {50, 150});
  EXPECT_EQ(form.clic, 1);
  clic(superficie, {50, 150}, Qt::RightButton);
  mouse(superficie, QEvent::MouseButtonPress, {50, 150}, Qt::LeftButton);
  mouse(superficie, QEvent::MouseButtonRelease, {-5, 150}, Qt::LeftButton);  // released outside
  EXPECT_EQ(form.clic, 1);
  clic(p.finestra(form)->widgetDi(form.lbl), {10, 10});  // a label has its own
  EXPECT_EQ(form.clic, 1);
  EXPECT_EQ(form.clicEtichetta, 1);
  form.Unload();
}

TEST_F(SchermoQt, LEffettoDisegnaSopraLaFinestraSenzaPrendereInputEPoiSparisce) {
  FormCliccabile form;
  form.Show();
  const QRect finestra = p.finestra(form)->frameGeometry();
  ASSERT_FALSE(finestra.isEmpty());
  const Rettangolo r = p.rettangoloFinestra(form);
  EXPECT_EQ(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)), finestra);

  // Halfway through, the overlay lies on the window: the rectangles drawn so
  // far, black outlines closing in on the window's colour at the centre.
  QWidget* sopra = nullptr;
  QImage meta;
  QTimer::singleShot(200, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowTransparentForInput)) sopra = w;
    if (sopra) meta = sopra->grab().toImage();
  });
  const auto inizio = std::chrono::steady_clock::now();
  const std::clock_t cpu = std::clock();
  psubChiudiConEffetto(form, 450, form.tavola);
  const double durata = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  const double secondiCpu = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;

  ASSERT_NE(sopra, nullptr);
  EXPECT_EQ(sopra->geometry(), finestra);
  EXPECT_TRUE(sopra->testAttribute(Qt::WA_TransparentForMouseEvents));
  ASSERT_FALSE(meta.isNull());
  const QPoint centro = meta.rect().center();
  EXPECT_EQ(meta.pixelColor(centro), QColor(250, 244, 222));
  EXPECT_EQ(meta.pixelColor(2, centro.y()), QColor(Qt::black));
  EXPECT_FALSE(sopra->isVisible()) << "the drawing stays after the repaint";
  EXPECT_FALSE(form.loaded());
  std::printf("closing effect: %.3f s, %.3f s of CPU\n", durata, secondiCpu);
  EXPECT_NEAR(durata, 0.45, 0.15);
  EXPECT_LT(secondiCpu, durata / 2) << "the effect's pace must come from waiting, not spinning";
}

}  // namespace
}  // namespace velmo::test
