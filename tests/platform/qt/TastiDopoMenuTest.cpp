// Keys after a menu: whichever way a menu of the bar or the pop-up menu was
// opened and closed, the window's keys reach the form again, while the keys
// the menu itself uses (its navigation, its accelerators) stay the menu's.
// Events travel Qt's own way from the window system (QTest on the QWindow),
// so focus and the menu bar's keyboard mode act as on a real display.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "AmbienteQt.h"
#include "forms/Form.h"
#include "platform/qt/FinestraQt.h"

namespace velmo::test {
namespace {

class FormMenu : public Form {
 public:
  VoceMenu mnuFile, mnuNuova, mnuEsci, mnuImpostazioni, mnuRosse, mnuMinima, mnuInfo, mnuRegole;
  std::vector<std::string> eventi;

  FormMenu() : Form("frmMenu") {
    setSize(6000, 4500);
    mnuFile.setCaption(" &File ");
    mnuNuova.setCaption("&Nuova partita");
    mnuNuova.setTasto("F2");
    mnuEsci.setCaption("&Esci");
    mnuImpostazioni.setCaption(" &Impostazioni ");
    mnuRosse.setCaption("Pedine &rosse");
    mnuMinima.setCaption("Velocità m&inima");
    mnuInfo.setCaption(" &Informazioni su... ");  // the same letter as " &Impostazioni "
    mnuRegole.setCaption("&Regole del gioco");
    mnuFile.aggiungi(mnuNuova);
    mnuFile.aggiungi(mnuEsci);
    mnuImpostazioni.aggiungi(mnuRosse);
    mnuImpostazioni.aggiungi(mnuMinima);
    mnuInfo.aggiungi(mnuRegole);
    aggiungiMenu(mnuFile);
    aggiungiMenu(mnuImpostazioni);
    aggiungiMenu(mnuInfo);
    mnuNuova.onClick = [this] { eventi.push_back("nuova"); };
    mnuEsci.onClick = [this] { eventi.push_back("esci"); };
    mnuRosse.onClick = [this] { eventi.push_back("rosse"); };
    mnuMinima.onClick = [this] { eventi.push_back("minima"); };
  }
  void Form_KeyDown(int codice, int) override { eventi.push_back("KeyDown " + std::to_string(codice)); }
  void Form_KeyUp(int codice, int) override { eventi.push_back("KeyUp " + std::to_string(codice)); }
};

class TastiDopoMenu : public AmbienteQt {
 protected:
  // A fresh window for each case: a fault may last for the rest of the run.
  FinestraQt* apri(FormMenu& form) {
    form.Show();
    f = p.finestra(form);
    return f && attiva(f) ? f : nullptr;
  }

  static QWindow* finestraDi(QWidget* w) { return w->window()->windowHandle(); }

  // A key as the window system delivers it: to the window that has the
  // keyboard (the open pop-up, if any), then on to Qt's focus widget.
  void premi(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* destinatario = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : f;
    QTest::keyClick(finestraDi(destinatario), k, m);
    psubAttendi(0.06f);  // past the hold-back of a release
  }

  void clicSulMenu(const VoceMenu& menu) {
    QMenuBar* barra = f->menuBar();
    const QPoint centro = barra->actionGeometry(f->azioneDi(menu)).center();
    QTest::mouseClick(finestraDi(f), Qt::LeftButton, {}, barra->mapTo(f, centro));
    psubAttendi(0.05f);
  }

  static QMenu* aperto() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

  FinestraQt* f = nullptr;
};

TEST_F(TastiDopoMenu, DigitsReachTheFormWhateverMenuWasOpenedAndClosedBefore) {
  struct Caso {
    const char* nome;
    std::function<void(FormMenu&)> apriEChiudi;
  };
  const std::vector<Caso> casi = {
      {"click, Escape",
       [&](FormMenu& form) {
         clicSulMenu(form.mnuFile);
         ASSERT_NE(aperto(), nullptr);
         premi(Qt::Key_Escape);
       }},
      {"click, Escape, Escape",
       [&](FormMenu& form) {
         clicSulMenu(form.mnuImpostazioni);
         premi(Qt::Key_Escape);
         premi(Qt::Key_Escape);
       }},
      {"Alt+F, Escape, Escape",
       [&](FormMenu&) {
         premi(Qt::Key_F, Qt::AltModifier);
         ASSERT_NE(aperto(), nullptr);
         premi(Qt::Key_Escape);
         premi(Qt::Key_Escape);
       }},
      {"Alt+F, Escape, Right, Escape",  // wandering along the bar first
       [&](FormMenu&) {
         premi(Qt::Key_F, Qt::AltModifier);
         premi(Qt::Key_Escape);
         premi(Qt::Key_Right);
         premi(Qt::Key_Escape);
       }},
      {"click, click on the title again",
       [&](FormMenu& form) {
         clicSulMenu(form.mnuFile);
         clicSulMenu(form.mnuFile);
       }},
      {"pop-up, Escape",
       [&](FormMenu& form) {
         QTimer::singleShot(30, [&] { premi(Qt::Key_Escape); });
         p.mostraMenuPopup(form, form.mnuFile);
       }},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    FormMenu form;
    ASSERT_NE(apri(form), nullptr);
    c.apriEChiudi(form);
    EXPECT_EQ(aperto(), nullptr);
    form.eventi.clear();
    premi(Qt::Key_5);
    premi(Qt::Key_9);
    EXPECT_EQ(form.eventi, (std::vector<std::string>{"KeyDown 53", "KeyUp 53", "KeyDown 57", "KeyUp 57"}));
    form.Unload();
  }
}

TEST_F(TastiDopoMenu, TheBarKeepsItsOwnKeysOnlyWhileInKeyboardMode) {
  FormMenu form;
  ASSERT_NE(apri(form), nullptr);
  clicSulMenu(form.mnuFile);
  premi(Qt::Key_Escape);  // the menu closes, its title stays lit
  form.eventi.clear();
  premi(Qt::Key_5);
  premi(Qt::Key_F2);  // an accelerator runs its item, never the form's key
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"KeyDown 53", "KeyUp 53", "nuova"}));

  // The bar's own navigation: Right lights the next title, Down opens it,
  // Return chooses; none of them is a key of the form.
  clicSulMenu(form.mnuFile);
  premi(Qt::Key_Escape);
  form.eventi.clear();
  premi(Qt::Key_Right);
  premi(Qt::Key_Down);
  ASSERT_NE(aperto(), nullptr);
  premi(Qt::Key_Return);
  EXPECT_EQ(form.eventi, std::vector<std::string>{"rosse"});

  // Once the mode ends, a title's letter is the form's key again and opens
  // nothing: the bar has given the focus back.
  clicSulMenu(form.mnuFile);
  premi(Qt::Key_Escape);
  premi(Qt::Key_Escape);
  form.eventi.clear();
  premi(Qt::Key_F);
  EXPECT_EQ(aperto(), nullptr);
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"KeyDown 70", "KeyUp 70"}));
  form.Unload();
}

// Two titles with one letter: Alt and the letter again moves to the next
// one, as menu bars do, and never picks the open menu's item that has the
// letter too.
TEST_F(TastiDopoMenu, AltConLaLetteraDiDueTitoliPassaDaUnoAllAltro) {
  FormMenu form;
  ASSERT_NE(apri(form), nullptr);
  auto titoloAperto = [&] { return f->menuBar()->activeAction() ? f->menuBar()->activeAction()->text() : QString(); };
  premi(Qt::Key_I, Qt::AltModifier);
  ASSERT_NE(aperto(), nullptr);
  const QString primo = titoloAperto();
  premi(Qt::Key_I, Qt::AltModifier);
  ASSERT_NE(aperto(), nullptr);
  const QString secondo = titoloAperto();
  premi(Qt::Key_I, Qt::AltModifier);
  const QString terzo = titoloAperto();
  EXPECT_EQ(QStringList({primo, secondo, terzo}),
            QStringList({" &Impostazioni ", " &Informazioni su... ", " &Impostazioni "}));
  premi(Qt::Key_Escape);
  premi(Qt::Key_Escape);
  EXPECT_EQ(std::count(form.eventi.begin(), form.eventi.end(), "minima"), 0);  // never chosen by its letter
  form.Unload();
}

}  // namespace
}  // namespace velmo::test
