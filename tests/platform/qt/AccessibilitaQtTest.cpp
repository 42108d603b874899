// What a screen reader gets from the real platform: announcements as
// notifications that show, parts of the board that take the focus by
// keyboard only, and values read as the forms word them.

#include <QAccessible>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "AmbienteQt.h"
#include "forms/Form.h"
#include "platform/qt/AccessibilitaQt.h"
#include "platform/qt/FinestraQt.h"

namespace velmo::test {
namespace {

class FormTavola : public Form {
 public:
  Serie<ZonaTastiera, 2> zona;
  Immagine sotto;
  Etichetta tempo;
  std::vector<std::string> eventi;

  FormTavola() : Form("frmTavola") {
    setSize(6000, 4500);
    sotto.move(0, 0, 1500, 1500);
    sotto.onClick = [this] { eventi.push_back("clic"); };
    aggiungi(sotto);
    for (int i = 1; i <= 2; ++i) {
      zona[i].move(1500 * (i - 1), 0, 1500, 1500);
      zona[i].setNomeAccessibile("Colonna " + std::to_string(i));
      zona[i].onGotFocus = [this, i] { eventi.push_back("fuoco " + std::to_string(i)); };
      zona[i].onClick = [this, i] { eventi.push_back("premuta " + std::to_string(i)); };
      aggiungi(zona[i]);
    }
    tempo.move(0, 2000, 1500, 300);
    tempo.setCaption("00 : 31");
    tempo.setNomeAccessibile("Tempo");
    aggiungi(tempo);
  }
};

struct AccessibilitaQt : AmbienteQt {
  FormTavola f;
  AccessibilitaQt() {
    f.Show();
    EXPECT_TRUE(attiva(p.finestra(f)));
  }
  ~AccessibilitaQt() override { f.Unload(); }
  QWidget* widget(const Controllo& c) { return p.finestra(f)->widgetDi(c); }
};

TEST_F(AccessibilitaQt, UnAnnuncioEUnaNotificaCheSiMostraConIlSuoTesto) {
  p.annuncia(f, "Tu: colonna 5, riga 1.");
  p.annuncia(f, "Computer: colonna 4, riga 1.");
  const auto notifiche = p.finestra(f)->superficie()->findChildren<QWidget*>("Annuncio");
  ASSERT_FALSE(notifiche.empty());
  QStringList visti;
  for (QWidget* w : notifiche) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->role(), QAccessible::Notification);
    if (w->isVisible()) visti << i->text(QAccessible::Name);
  }
  // Each text keeps its own notification, so the reader fetches the right one.
  EXPECT_TRUE(visti.contains("Tu: colonna 5, riga 1.")) << visti.join('|').toStdString();
  EXPECT_TRUE(visti.contains("Computer: colonna 4, riga 1.")) << visti.join('|').toStdString();
  EXPECT_EQ(ultimoAnnuncioIn(*p.finestra(f)->superficie()), "Computer: colonna 4, riga 1.");
}

// A wave of names (a board cleared) floods the reader's queue, which drops
// a notification that comes with it: the text waits for the wave to pass,
// less than half a second, and texts keep their order.
TEST_F(AccessibilitaQt, UnAnnuncioAspettaCheUnOndataDiNomiPassi) {
  auto visibili = [this] {
    QStringList testi;
    for (QWidget* w : p.finestra(f)->superficie()->findChildren<QWidget*>("Annuncio"))
      if (w->isVisible()) testi << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    return testi;
  };
  for (int i = 0; i < 30; ++i) f.tempo.setNomeAccessibile("Tempo " + std::to_string(i));
  p.annuncia(f, "Nuovo round, tavola vuota.");
  p.annuncia(f, "Tocca a te.");
  EXPECT_FALSE(visibili().contains("Nuovo round, tavola vuota."));
  EXPECT_EQ(ultimoAnnuncioIn(*p.finestra(f)->superficie()), "Tocca a te.");
  QTest::qWait(600);
  EXPECT_TRUE(visibili().contains("Nuovo round, tavola vuota.")) << visibili().join('|').toStdString();
  EXPECT_TRUE(visibili().contains("Tocca a te.")) << visibili().join('|').toStdString();
  // Past the wave, a text is told at once.
  p.annuncia(f, "Partita in pausa.");
  EXPECT_TRUE(visibili().contains("Partita in pausa."));
}

TEST_F(AccessibilitaQt, UnaZonaEUnPulsanteChePrendeIlFuocoDaTastieraENonDalMouse) {
  QWidget* prima = widget(f.zona[1]);
  QWidget* seconda = widget(f.zona[2]);
  ASSERT_TRUE(prima && seconda);
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(prima);
  EXPECT_EQ(i->text(QAccessible::Name), "Colonna 1");
  // A button a screen reader can press, as Space and Return do.
  EXPECT_EQ(i->role(), QAccessible::Button);
  ASSERT_NE(i->actionInterface(), nullptr);
  i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(f.eventi.back(), "premuta 1");

  p.daiFuoco(f, f.zona[2]);
  EXPECT_TRUE(seconda->hasFocus());
  EXPECT_EQ(f.eventi.back(), "fuoco 2");
  QTest::keyClick(seconda, Qt::Key_Tab);  // Tab goes round the zones
  EXPECT_TRUE(prima->hasFocus());
  EXPECT_EQ(f.eventi.back(), "fuoco 1");

  // A click over the first zone reaches the picture under it.
  QTest::mouseClick(p.finestra(f)->windowHandle(), Qt::LeftButton, {},
                    widget(f.sotto)->mapTo(p.finestra(f), widget(f.sotto)->rect().center()));
  EXPECT_EQ(f.eventi.back(), "clic");
}

TEST_F(AccessibilitaQt, UnValoreSiLeggeComeLoDiconoLeForme) {
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(widget(f.tempo));
  EXPECT_EQ(i->text(QAccessible::Name), "Tempo: 00 : 31");
  f.tempo.setValoreAccessibile("0 minuti e 31 secondi");
  EXPECT_EQ(i->text(QAccessible::Name), "Tempo: 0 minuti e 31 secondi");
  EXPECT_EQ(widget(f.tempo)->property("text").toString(), "00 : 31");  // the caption stays
}

}  // namespace
}  // namespace velmo::test
