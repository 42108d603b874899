// A form on screen: controls mirrored as widgets, mouse and keys forwarded
// to the handlers, the menu bar, close requests, modal shows and pointers.

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>
#include <QElapsedTimer>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "AmbienteQt.h"
#include "forms/Form.h"
#include "platform/qt/FinestraQt.h"

namespace velmo::test {
namespace {

std::string testo(const EventoMouse& e) {
  return std::to_string(e.pulsante) + " " + std::to_string(e.shift) + " " + std::to_string(e.x) + "," +
         std::to_string(e.y);
}

class FormProva : public Form {
 public:
  Immagine img, figlio;
  Etichetta lbl;
  Contenitore cont;
  Timer tmr;
  VoceMenu mnuFile, mnuNascosta, mnuNuova, mnuVelocita, mnuGrazie;
  std::vector<std::string> eventi;
  bool chiudeSeChiesto = false;

  FormProva() : Form("frmProva") {
    setSize(6000, 4500);  // 400 x 300 px outside
    img.move(150, 300, 450, 600);
    img.setFigura(Figura::frecciaNera);
    lbl.move(0, 1500, 1200, 300);
    lbl.setCaption("Tempo");
    cont.move(1500, 0, 3000, 3000);
    figlio.move(300, 450, 600, 600);
    cont.aggiungi(figlio);
    aggiungi(img);
    aggiungi(lbl);
    aggiungi(cont);
    aggiungi(tmr);

    mnuFile.setCaption(" &File ");
    mnuNascosta.setCaption("Comandi della &tastiera");
    mnuNascosta.setVisible(false);
    mnuNuova.setCaption("&Nuova partita");
    mnuNuova.setTasto("F2");
    mnuVelocita.setCaption("Velocità m&assima");
    mnuGrazie.setCaption(" &Thanx to...");
    mnuFile.aggiungi(mnuNascosta);
    mnuFile.aggiungi(mnuNuova);
    mnuFile.aggiungi(mnuVelocita);
    aggiungiMenu(mnuFile);
    aggiungiMenu(mnuGrazie);

    img.onMouseDown = [this](const EventoMouse& e) { eventi.push_back("img giu " + testo(e)); };
    img.onMouseUp = [this](const EventoMouse& e) { eventi.push_back("img su " + testo(e)); };
    img.onMouseMove = [this](const EventoMouse& e) { eventi.push_back("img muove " + testo(e)); };
    img.onClick = [this] { eventi.push_back("img clic"); };
    figlio.onMouseDown = [this](const EventoMouse& e) { eventi.push_back("figlio giu " + testo(e)); };
    cont.onMouseDown = [this](const EventoMouse& e) { eventi.push_back("cont giu " + testo(e)); };
    mnuNuova.onClick = [this] { eventi.push_back("nuova"); };
    mnuVelocita.onClick = [this] { eventi.push_back("velocita"); };  // leaves its tick alone
    mnuGrazie.onClick = [this] { eventi.push_back("grazie"); };
  }

  void Form_KeyDown(int codice, int shift) override {
    eventi.push_back("KeyDown " + std::to_string(codice) + " " + std::to_string(shift));
  }
  void Form_KeyUp(int codice, int shift) override {
    eventi.push_back("KeyUp " + std::to_string(codice) + " " + std::to_string(shift));
  }
  void Form_QueryClose() override {
    eventi.push_back("QueryClose");
    if (chiudeSeChiesto) Unload();
  }
  void Form_Activate() override { ++attivazioni; }
  void Form_Deactivate() override { ++disattivazioni; }
  int attivazioni = 0, disattivazioni = 0;
};

class FinestraQtProva : public AmbienteQt {
 protected:
  FinestraQtProva() {
    form.Show();
    f = p.finestra(form);
  }
  ~FinestraQtProva() override { form.Unload(); }

  template <class W = QWidget>
  W* widget(const char* nome) const {
    return f->findChild<W*>(QString::fromLatin1(nome));
  }

  static void mouse(QWidget* w, QEvent::Type tipo, QPoint dove, Qt::MouseButton pulsante,
                    Qt::KeyboardModifiers modificatori = Qt::NoModifier) {
    const Qt::MouseButtons tenuti = tipo == QEvent::MouseButtonPress ? Qt::MouseButtons(pulsante) : Qt::NoButton;
    QMouseEvent e(tipo, QPointF(dove), w->mapToGlobal(QPointF(dove)), pulsante, tenuti, modificatori);
    QCoreApplication::sendEvent(w, &e);
  }

  void tasto(QEvent::Type tipo, int k, Qt::KeyboardModifiers m = Qt::NoModifier, bool ripetuto = false,
             quint64 tempo = 0) const {
    QKeyEvent e(tipo, k, m, QString(), ripetuto);
    e.setTimestamp(tempo);
    QCoreApplication::sendEvent(f, &e);
  }

  FormProva form;
  FinestraQt* f = nullptr;
};

TEST_F(FinestraQtProva, ControlsArePlacedInPixelsAndFollowEveryChangeAtOnce) {
  ASSERT_NE(f, nullptr);
  QWidget* img = widget("Immagine:0");
  QWidget* cont = widget("Contenitore:2");
  QWidget* figlio = widget("Immagine:2.0");
  auto* lbl = widget<QLabel>("Etichetta:1");
  ASSERT_TRUE(img && cont && figlio && lbl);

  EXPECT_EQ(img->geometry(), QRect(10, 20, 30, 40));
  EXPECT_EQ(figlio->parentWidget(), cont);
  EXPECT_EQ(figlio->geometry(), QRect(20, 30, 40, 40));  // inside the container

  // No event processing between a change and its check: the mirror is synchronous.
  form.img.move(300, 450, 600, 750);
  EXPECT_EQ(img->geometry(), QRect(20, 30, 40, 50));
  form.figlio.setVisible(false);
  EXPECT_TRUE(figlio->isHidden());
  form.figlio.setEnabled(false);
  EXPECT_FALSE(figlio->isEnabled());

  form.lbl.setCaption("Punti <b>1</b>");
  form.lbl.setForeColor({255, 240, 50});
  form.lbl.setBold(true);
  EXPECT_EQ(lbl->text(), "Punti <b>1</b>");
  EXPECT_EQ(lbl->textFormat(), Qt::PlainText);  // shown as typed, not as markup
  EXPECT_EQ(lbl->palette().color(QPalette::WindowText), QColor(255, 240, 50));
  EXPECT_TRUE(lbl->font().bold());
  EXPECT_FALSE(lbl->autoFillBackground());
  form.lbl.setBackColor({0, 0, 0});
  EXPECT_TRUE(lbl->autoFillBackground());

  form.setCaption(" Brenvo Velmo 2.0");
  EXPECT_EQ(f->windowTitle(), " Brenvo Velmo 2.0");
}

TEST_F(FinestraQtProva, ClientAreaIsTheOuterSizeLessTheFrameButNeverClipsAControl) {
  // 400 x 300 outside, less 3 + 3 px of frame, a 25 px title and a 20 px menu bar.
  EXPECT_EQ(f->superficie()->size(), QSize(394, 249));
  form.setSize(7500, 6000);
  EXPECT_EQ(f->superficie()->size(), QSize(494, 349));

  form.cont.move(1500, 0, 9000, 6000);  // reaches x 700, y 400
  EXPECT_EQ(f->superficie()->size(), QSize(700, 400));
  form.cont.setVisible(false);
  EXPECT_EQ(f->superficie()->size(), QSize(494, 349));

  QApplication::processEvents();
  EXPECT_EQ(f->size(), QSize(494, 349 + f->menuBar()->height()));
}

TEST_F(FinestraQtProva, MouseReachesTheHandlersInTwipsAndClickFollowsALeftRelease) {
  QWidget* img = widget("Immagine:0");
  mouse(img, QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  mouse(img, QEvent::MouseButtonRelease, {3, 4}, Qt::LeftButton);
  mouse(img, QEvent::MouseButtonPress, {1, 1}, Qt::RightButton);
  mouse(img, QEvent::MouseButtonRelease, {1, 1}, Qt::RightButton);
  mouse(img, QEvent::MouseMove, {2, 0}, Qt::NoButton);
  mouse(img, QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton);
  mouse(img, QEvent::MouseButtonRelease, {500, 4}, Qt::LeftButton);  // released elsewhere
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"img giu 1 3 45,60", "img su 1 0 45,60", "img clic",
                                                    "img giu 2 0 15,15", "img su 2 0 15,15", "img muove 0 0 30,0",
                                                    "img giu 1 0 45,60", "img su 1 0 7500,60"}));
}

TEST_F(FinestraQtProva, DisabledOrHiddenControlsGetNoMouseAndTheirContainerDoes) {
  QWidget* figlio = widget("Immagine:2.0");
  mouse(figlio, QEvent::MouseButtonPress, {1, 2}, Qt::LeftButton);
  form.figlio.setEnabled(false);
  mouse(figlio, QEvent::MouseButtonPress, {1, 2}, Qt::LeftButton);
  form.img.setEnabled(false);
  mouse(widget("Immagine:0"), QEvent::MouseButtonPress, {1, 2}, Qt::LeftButton);
  mouse(widget("Immagine:0"), QEvent::MouseButtonRelease, {1, 2}, Qt::LeftButton);
  // The container's coordinates: the child lies at (20, 30) px inside it.
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"figlio giu 1 0 15,30", "cont giu 1 0 315,480"}));
}

TEST_F(FinestraQtProva, KeysGiveVirtualKeyCodesWithOneKeyUpPerRealRelease) {
  const auto nessuno = Qt::NoModifier;
  tasto(QEvent::KeyPress, Qt::Key_1, nessuno, false, 100);
  tasto(QEvent::KeyRelease, Qt::Key_1, nessuno, true, 600);  // a repeat flagged as such
  tasto(QEvent::KeyPress, Qt::Key_1, nessuno, true, 600);
  tasto(QEvent::KeyRelease, Qt::Key_1, nessuno, false, 640);  // a repeat as X11 often reports it
  tasto(QEvent::KeyPress, Qt::Key_1, nessuno, false, 640);
  tasto(QEvent::KeyRelease, Qt::Key_1, nessuno, false, 900);  // the real release
  tasto(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier, false, 1000);
  tasto(QEvent::KeyRelease, Qt::Key_1, Qt::KeypadModifier, false, 1100);
  tasto(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier, false, 1200);
  tasto(QEvent::KeyRelease, Qt::Key_X, nessuno, false, 1300);  // never went down here
  tasto(QEvent::KeyPress, Qt::Key_A, nessuno, false, 1400);
  tasto(QEvent::KeyRelease, Qt::Key_A, nessuno, false, 1500);
  psubAttendi(0.1f);  // the last release is told once it is surely not a repeat
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"KeyDown 49 0", "KeyDown 49 0", "KeyDown 49 0", "KeyUp 49 0",
                                                    "KeyDown 97 0", "KeyUp 97 0", "KeyDown 115 4", "KeyDown 65 0",
                                                    "KeyUp 65 0"}));
}

TEST_F(FinestraQtProva, AcceleratorRunsItsItemOnlyWhileTheItemAndItsMenuAreEnabled) {
  ASSERT_TRUE(attiva(f));
  auto premiF2 = [&] {
    tasto(QEvent::KeyPress, Qt::Key_F2);
    tasto(QEvent::KeyRelease, Qt::Key_F2);
  };
  premiF2();
  form.mnuNuova.setEnabled(false);
  premiF2();
  form.mnuNuova.setEnabled(true);
  form.mnuFile.setEnabled(false);
  premiF2();
  form.mnuFile.setEnabled(true);
  premiF2();
  // The key belongs to the menu: never a KeyDown or KeyUp of the form.
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"nuova", "nuova"}));
}

TEST_F(FinestraQtProva, MenuMirrorsItsItemsAndTheModelAloneDecidesTheTicks) {
  QAction* nuova = f->azioneDi(form.mnuNuova);
  QAction* velocita = f->azioneDi(form.mnuVelocita);
  QAction* nascosta = f->azioneDi(form.mnuNascosta);
  QAction* grazie = f->azioneDi(form.mnuGrazie);
  ASSERT_TRUE(nuova && velocita && nascosta && grazie);

  EXPECT_EQ(nuova->text(), "&Nuova partita");
  EXPECT_EQ(nuova->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_FALSE(nascosta->isVisible());
  form.mnuNascosta.setVisible(true);
  EXPECT_TRUE(nascosta->isVisible());
  form.mnuNuova.setCaption("&Nuova");
  EXPECT_EQ(nuova->text(), "&Nuova");

  form.mnuVelocita.setRadio(true);
  form.mnuVelocita.setChecked(true);
  ASSERT_NE(velocita->actionGroup(), nullptr);
  EXPECT_TRUE(velocita->actionGroup()->isExclusive());  // drawn with a round bullet
  EXPECT_TRUE(velocita->isChecked());
  velocita->trigger();  // its handler leaves the tick: Qt must not toggle it off
  EXPECT_TRUE(velocita->isChecked());
  form.mnuVelocita.setChecked(false);
  EXPECT_FALSE(velocita->isChecked());

  grazie->trigger();  // a top-level command without items
  EXPECT_EQ(form.eventi, (std::vector<std::string>{"velocita", "grazie"}));
}

TEST_F(FinestraQtProva, PopUpShowsTheVisibleItemsAndReturnsWhenClosed) {
  QStringList voci;
  QTimer::singleShot(50, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* a : menu->actions())
        if (a->isVisible()) voci << a->text();
      menu->close();
    }
  });
  p.mostraMenuPopup(form, form.mnuFile);
  EXPECT_EQ(voci, (QStringList{"&Nuova partita", "Velocità m&assima"}));
}

TEST_F(FinestraQtProva, CloseRequestAsksTheFormAndOnlyTheFormUnloads) {
  f->close();
  EXPECT_EQ(form.eventi, std::vector<std::string>{"QueryClose"});
  EXPECT_TRUE(form.loaded());
  EXPECT_TRUE(f->isVisible());

  form.chiudeSeChiesto = true;
  f->close();
  EXPECT_FALSE(form.loaded());
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(p.finestra(form), nullptr);
  form.img.move(0, 0, 15, 15);  // the model outlives its window harmlessly
}

TEST_F(FinestraQtProva, AFormMayBeDestroyedRightAfterItsUnload) {
  // A window created when its command runs, gone when it closes. Its memory
  // is scribbled over after the destructor, so a late touch crashes here
  // instead of passing by luck.
  alignas(FormProva) std::byte memoria[sizeof(FormProva)];
  auto* breve = new (memoria) FormProva;
  breve->Show();
  breve->Unload();
  breve->~FormProva();
  std::memset(memoria, 0xA5, sizeof memoria);
  // The window is deleted only now, in an event loop: it must not touch the form.
  QEventLoop ciclo;
  QTimer::singleShot(20, &ciclo, &QEventLoop::quit);
  ciclo.exec();
  SUCCEED();
}

TEST_F(FinestraQtProva, AMessageBoxWhoseWindowIsUnloadedMeanwhileAnswersNo) {
  ASSERT_TRUE(attiva(f));
  bool sopraLaFinestra = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    sopraLaFinestra = box && box->parentWidget() == f;
    form.Unload();  // a timer of the program may do this while the box waits
  });
  EXPECT_EQ(p.msgBox("Salvare la partita in corso ?", Pulsanti::siNo, Icona::domanda, "t"), Risposta::no);
  EXPECT_TRUE(sopraLaFinestra);
}

TEST_F(FinestraQtProva, ModalShowBlocksOtherWindowsAndReturnsOnceUnloaded) {
  FormProva modale;
  Qt::WindowModality modalita = Qt::NonModal;
  QTimer::singleShot(50, [&] {
    if (FinestraQt* fm = p.finestra(modale)) modalita = fm->windowModality();
    modale.Unload();
  });
  QElapsedTimer t;
  t.start();
  modale.Show(true);
  EXPECT_GE(t.elapsed(), 45);
  EXPECT_EQ(modalita, Qt::ApplicationModal);
  EXPECT_FALSE(modale.loaded());
}

TEST_F(FinestraQtProva, TitleBarOffersMinimizeAndCloseButNeverMaximizeOfAFixedSizeWindow) {
  for (const bool chiusura : {true, false}) {
    form.setCloseCommand(chiusura);
    QApplication::processEvents();
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(f->windowFlags().testFlag(Qt::WindowMaximizeButtonHint)) << chiusura;
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowMinimizeButtonHint)) << chiusura;
    EXPECT_EQ(f->windowFlags().testFlag(Qt::WindowCloseButtonHint), chiusura);
    // The window manager reads a fixed size from equal minimum and maximum.
    EXPECT_EQ(f->minimumSize(), f->maximumSize());
    EXPECT_EQ(f->minimumSize(), f->size());
  }
}

// A shown window that hides and shows again is unmapped and mapped: it
// flickers, loses the focus, and a window manager may lose it for good.
TEST_F(FinestraQtProva, AShownWindowFollowsItsFormWithoutBeingHidden) {
  struct ContaNascosti : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Hide) ++n;
      return false;
    }
  } nascosti;
  form.setCloseCommand(false);  // a title bar without the close button
  QApplication::processEvents();
  f->installEventFilter(&nascosti);
  const WId prima = f->winId();
  form.setCaption("Brenvo Velmo 2.0 - [Partita non salvata]");
  form.setSize(6015, 4515);
  form.setCaption("Brenvo Velmo 2.0");
  QApplication::processEvents();
  EXPECT_EQ(nascosti.n, 0);
  EXPECT_EQ(f->winId(), prima);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Brenvo Velmo 2.0"));
  f->removeEventFilter(&nascosti);
}

TEST_F(FinestraQtProva, PointerCoversTheClientArea) {
  struct Caso {
    Puntatore puntatore;
    Qt::CursorShape forma;
  };
  for (const Caso& c : {Caso{Puntatore::clessidra, Qt::WaitCursor}, Caso{Puntatore::vietato, Qt::ForbiddenCursor},
                        Caso{Puntatore::personalizzato, Qt::BitmapCursor},
                        Caso{Puntatore::predefinito, Qt::ArrowCursor}}) {
    form.setMouseIcon(Figura::manoAperta);
    form.setMousePointer(c.puntatore);
    EXPECT_EQ(f->superficie()->cursor().shape(), c.forma) << static_cast<int>(c.puntatore);
  }
}

// A close request of the window manager (Alt+F4 on GNOME and KDE, the
// title bar's button) arrives as the window system's close event.
TEST_F(FinestraQtProva, TheWindowSystemsCloseRequestAsksTheForm) {
  form.eventi.clear();
  f->windowHandle()->close();
  EXPECT_EQ(form.eventi, std::vector<std::string>{"QueryClose"});
  EXPECT_TRUE(form.loaded());
}

// A window manager may never activate a new window: shown counts as
// activated, once; a deactivation then comes through, and so does the
// activation after it.
TEST_F(FinestraQtProva, AShownWindowIsActivatedOnceEvenWithoutTheWindowManager) {
  QApplication::processEvents();
  ASSERT_TRUE(attiva(f));
  QApplication::processEvents();
  EXPECT_EQ(form.attivazioni, 1);
  QWidget altra;
  altra.show();
  ASSERT_TRUE(attiva(&altra));
  QApplication::processEvents();
  ASSERT_TRUE(attiva(f));
  QApplication::processEvents();
  EXPECT_EQ(form.attivazioni, 2);
  EXPECT_EQ(form.disattivazioni, 1);
}

// A timer that only moves what the window shows holds while the window is
// minimised and goes on when it shows again; any other timer keeps going.
TEST_F(FinestraQtProva, ATimerForTheEyesHoldsWhileTheWindowIsMinimised) {
  int tickSolo = 0, tickAltro = 0;
  form.tmr.onTimer = [&] { ++tickAltro; };
  form.tmr.setInterval(10);
  FormProva conTimer;
  conTimer.tmr.setSoloSeVisibile(true);
  conTimer.tmr.onTimer = [&] { ++tickSolo; };
  conTimer.tmr.setInterval(10);
  conTimer.Show();
  FinestraQt* w = p.finestra(conTimer);
  auto aspetta = [](int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  };
  aspetta(100);
  EXPECT_GT(tickSolo, 0);
  w->showMinimized();
  aspetta(30);
  const int fermo = tickSolo, altro = tickAltro;
  aspetta(150);
  EXPECT_EQ(tickSolo, fermo);
  EXPECT_GT(tickAltro, altro);
  w->showNormal();
  aspetta(100);
  EXPECT_GT(tickSolo, fermo);
  conTimer.Unload();
}

}  // namespace
}  // namespace velmo::test
