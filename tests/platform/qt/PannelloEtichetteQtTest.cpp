// The panel that paints its labels itself repaints only what changed: what
// the screen holds after many small moves and colour changes must be what a
// whole repaint gives, and only the letters' strips are asked for.

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include "AmbienteQt.h"
#include "forms/Form.h"
#include "platform/qt/FinestraQt.h"

namespace velmo::test {
namespace {

constexpr int righe = 5;

class FormCrediti : public Form {
 public:
  Contenitore pannello;
  Serie<Etichetta, righe> riga;

  FormCrediti() : Form("frmCrediti") {
    setSize(4000, 5000);
    pannello.move(300, 300, 2250, 3600);  // 150 x 240 px
    pannello.setBackColor({0, 0, 0});
    pannello.setEtichetteDipinte(true);
    aggiungi(pannello);
    const char* testi[righe] = {"Brenvo Velmo 2.0", "", "informazioni, iiii", "F2 per iniziare...", "- bv -"};
    for (int i = 1; i <= righe; ++i) {
      Etichetta& l = riga[i];
      // Stacked without gaps, the way a crawl lays them.
      l.move(0, 1200 + (i - 1) * 255, 2250, 255);
      l.setCaption(testi[i - 1]);
      l.setFontSize(i == 1 ? 9.75 : 8.25);
      l.setBold(i == 1);
      l.setAlignment(Etichetta::Allineamento::centro);
      l.setBackColor({0, 0, 0});
      l.setForeColor({255, 240, 50});
      pannello.aggiungi(l);
    }
  }
};

class PannelloEtichetteQtProva : public AmbienteQt {
 protected:
  PannelloEtichetteQtProva() {
    form.Show();
    f = p.finestra(form);
    pannello = f->findChild<QWidget*>(QStringLiteral("Contenitore:0"));
  }
  ~PannelloEtichetteQtProva() override { form.Unload(); }

  // What the window system was given, against a paint of the whole panel.
  void confronta(int passo) const {
    QApplication::processEvents();
    const QRect dove(pannello->mapTo(f, QPoint()), pannello->size());
    const QImage schermo = f->screen()->grabWindow(f->winId(), dove.x(), dove.y(), dove.width(), dove.height())
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);
    const QImage intero = pannello->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(schermo.size(), intero.size()) << "step " << passo;
    for (int y = 0; y < intero.height(); ++y)
      for (int x = 0; x < intero.width(); ++x)
        ASSERT_EQ(schermo.pixel(x, y), intero.pixel(x, y)) << "step " << passo << " at " << x << "," << y;
  }

  FormCrediti form;
  FinestraQt* f = nullptr;
  QWidget* pannello = nullptr;
};

TEST_F(PannelloEtichetteQtProva, DopoOgniPassoLoSchermoEQuelloDiUnaPitturaIntera) {
  ASSERT_TRUE(f && pannello);
  f->show();
  confronta(0);
  // Every line up a pixel a step, each in a shade of its own, some leaving
  // at the top and one coming back from below, like the crawl.
  for (int passo = 1; passo <= 40; ++passo) {
    for (int i = 1; i <= righe; ++i) {
      Etichetta& l = form.riga[i];
      const int f = (passo * 7 + i * 40) % 256;
      l.setForeColor({f, f * 9 / 10, f / 5});
      l.setTop(l.top() - 15);
    }
    if (passo == 20) form.riga[1].setTop(3600);
    if (passo == 30) form.riga[3].setCaption("Premere F2");
    if (passo == 35) form.riga[2].setVisible(false);
    confronta(passo);
  }
}

}  // namespace
}  // namespace velmo::test
