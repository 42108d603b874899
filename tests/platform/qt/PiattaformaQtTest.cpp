// The real platform's services: the wait and the timers, the system facts,
// and the conversions between the program's and Qt's keys and texts.

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QLockFile>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "AmbienteQt.h"
#include "forms/Form.h"
#include "platform/qt/FigureQt.h"
#include "platform/qt/TastiQt.h"
#include "platform/qt/TestiQt.h"

namespace velmo::test {
namespace {

using Orologio = std::chrono::steady_clock;

double secondiDa(Orologio::time_point inizio) {
  return std::chrono::duration<double>(Orologio::now() - inizio).count();
}

class FormConTimer : public Form {
 public:
  Timer tmr;
  std::vector<double> scatti;  // seconds from `inizio`
  Orologio::time_point inizio = Orologio::now();
  FormConTimer() : Form("frmTimer") {
    aggiungi(tmr);
    tmr.onTimer = [this] { scatti.push_back(secondiDa(inizio)); };
  }
};

using PiattaformaQtProva = AmbienteQt;

TEST_F(PiattaformaQtProva, WaitEndsJustAfterItsTimeUsesNoCpuAndRunsTimersMeanwhile) {
  FormConTimer form;
  form.Load();
  form.tmr.setInterval(50);
  // A pending deletion that the wait may not perform must not make it spin.
  (new QObject)->deleteLater();

  const std::clock_t cpuPrima = std::clock();
  const auto inizio = Orologio::now();
  psubAttendi(0.3f);
  const double durata = secondiDa(inizio);
  const double cpu = static_cast<double>(std::clock() - cpuPrima) / CLOCKS_PER_SEC;

  EXPECT_GE(durata, 0.3);
  EXPECT_LT(durata, 0.35);
  EXPECT_LT(cpu, 0.03) << "a blocking wait uses a few milliseconds of CPU at most";
  EXPECT_GE(form.scatti.size(), 5u);
  form.Unload();
}

TEST_F(PiattaformaQtProva, TimerStopsAtIntervalZeroOrDisabledAndRestartsOnlyOnSetInterval) {
  FormConTimer form;
  form.Load();
  form.tmr.onTimer = [&] {
    form.scatti.push_back(secondiDa(form.inizio));
    if (form.scatti.size() == 3) form.tmr.setInterval(0);
  };
  form.tmr.setInterval(30);
  psubAttendi(0.25f);
  EXPECT_EQ(form.scatti.size(), 3u);

  form.scatti.clear();
  form.tmr.setInterval(30);
  form.tmr.setEnabled(false);
  psubAttendi(0.1f);
  EXPECT_TRUE(form.scatti.empty());
  form.Unload();

  // 60 ms into a 100 ms count: the same interval again restarts it, a new
  // tag does not.
  struct Caso {
    const char* cosa;
    void (*cambia)(Timer&);
    double primoScattoMin, primoScattoMax;
  };
  const Caso casi[] = {
      {"setInterval", [](Timer& t) { t.setInterval(100); }, 0.155, 0.2},
      {"setTag", [](Timer& t) { t.setTag("x"); }, 0.095, 0.14},
  };
  for (const Caso& c : casi) {
    FormConTimer f2;
    f2.Load();
    f2.inizio = Orologio::now();
    f2.tmr.setInterval(100);
    QTimer::singleShot(60, [&] { c.cambia(f2.tmr); });
    psubAttendi(0.22f);
    ASSERT_FALSE(f2.scatti.empty()) << c.cosa;
    EXPECT_GE(f2.scatti.front(), c.primoScattoMin) << c.cosa;
    EXPECT_LT(f2.scatti.front(), c.primoScattoMax) << c.cosa;
    f2.Unload();
  }
}

TEST_F(PiattaformaQtProva, UnloadedFormsTimersNeverTickAgain) {
  FormConTimer form;
  form.Load();
  form.tmr.setInterval(20);
  form.Unload();
  psubAttendi(0.1f);
  EXPECT_TRUE(form.scatti.empty());
}

// Acts on the dialog as soon as its own event loop runs.
template <class Dialogo>
void quandoAperto(std::function<void(Dialogo&)> azione) {
  QTimer::singleShot(0, [azione] {
    if (auto* d = qobject_cast<Dialogo*>(QApplication::activeModalWidget())) azione(*d);
  });
}

TEST_F(PiattaformaQtProva, MessageBoxShowsTheTextAsGivenAndReturnsTheButtonPressed) {
  struct Caso {
    Pulsanti pulsanti;
    Icona icona;
    const char* premi;  // a button's text
    Risposta attesa;
    QMessageBox::Icon iconaQt;
    QStringList bottoni;
  };
  const Caso casi[] = {
      {Pulsanti::ok, Icona::esclamazione, "OK", Risposta::ok, QMessageBox::Warning, {"OK"}},
      {Pulsanti::siNo, Icona::domanda, "&Sì", Risposta::si, QMessageBox::Question, {"&No", "&Sì"}},
      {Pulsanti::siNo, Icona::domanda, "&No", Risposta::no, QMessageBox::Question, {"&No", "&Sì"}},
  };
  for (const Caso& c : casi) {
    QString titolo, testo;
    QMessageBox::Icon icona{};
    QStringList bottoni;
    quandoAperto<QMessageBox>([&](QMessageBox& box) {
      titolo = box.windowTitle();
      testo = box.text();
      icona = box.icon();
      for (QAbstractButton* b : box.buttons()) bottoni << b->text();
      bottoni.sort();
      for (QAbstractButton* b : box.buttons())
        if (b->text() == c.premi) b->click();
    });
    const Risposta r = p.msgBox("Sicuro di\r\nvoler uscire ?\r<b>", c.pulsanti, c.icona, " Brenvo Info Service...");
    EXPECT_EQ(r, c.attesa) << c.premi;
    EXPECT_EQ(titolo, " Brenvo Info Service...");
    EXPECT_EQ(testo, "Sicuro di\nvoler uscire ?\n<b>");
    EXPECT_EQ(icona, c.iconaQt);
    EXPECT_EQ(bottoni, c.bottoni);
  }
}

// The keys a keyboard user answers with. A Yes/No box has no implicit
// answer: Escape and the window manager's close leave it open and waiting,
// its title bar offers no close, and only a key that picks a button answers.
TEST_F(PiattaformaQtProva, MessageBoxAnswersToItsLettersTabAndReturnButNeverToEscapeOrClose) {
  struct Caso {
    Pulsanti pulsanti;
    std::vector<std::string> tasti;  // "Esc", "chiudi", "Tab", "Invio" or a letter
    Risposta attesa;
  };
  const Caso casi[] = {
      {Pulsanti::siNo, {"S"}, Risposta::si},
      {Pulsanti::siNo, {"N"}, Risposta::no},
      {Pulsanti::siNo, {"Invio"}, Risposta::si},
      {Pulsanti::siNo, {"Tab", "Invio"}, Risposta::no},
      {Pulsanti::siNo, {"Esc", "chiudi", "Esc", "S"}, Risposta::si},
      {Pulsanti::siNo, {"chiudi", "Esc", "N"}, Risposta::no},
      {Pulsanti::ok, {"Esc"}, Risposta::ok},
      {Pulsanti::ok, {"chiudi"}, Risposta::ok},
      {Pulsanti::ok, {"Invio"}, Risposta::ok},
  };
  for (const Caso& c : casi) {
    std::string tracciato;
    bool chiusuraNelTitolo = true;
    quandoAperto<QMessageBox>([&](QMessageBox& box) {
      chiusuraNelTitolo = box.windowFlags().testFlag(Qt::WindowCloseButtonHint);
      const QPointer<QMessageBox> viva(&box);
      for (const std::string& t : c.tasti) {
        if (!viva || !box.isVisible()) {
          tracciato += "chiusa prima di " + t;
          return;
        }
        if (t == "chiudi") {
          box.close();
        } else {
          const Qt::Key k = t == "Esc" ? Qt::Key_Escape : t == "Tab" ? Qt::Key_Tab : t == "Invio" ? Qt::Key_Return
                                                                                                  : Qt::Key(t[0]);
          QWidget* fuoco = box.focusWidget() ? box.focusWidget() : &box;
          QTest::keyClick(fuoco, k, Qt::NoModifier);
        }
        QTest::qWait(250);  // a button's letter presses it with a 100 ms animation
      }
      if (viva && box.isVisible()) {
        tracciato += "ancora aperta";
        box.reject();  // leave the box for the next case
      }
    });
    const Risposta r = p.msgBox("Salvare la partita in corso ?", c.pulsanti, Icona::domanda, " Brenvo Info Service...");
    const std::string caso = c.tasti.front() + "..." + c.tasti.back();
    EXPECT_EQ(tracciato, "") << caso;
    EXPECT_EQ(r, c.attesa) << caso;
    EXPECT_EQ(chiusuraNelTitolo, c.pulsanti == Pulsanti::ok) << caso;
  }
}

TEST_F(PiattaformaQtProva, InputBoxReturnsTheTypedTextOrNothingWhenCancelled) {
  QString richiesta;
  quandoAperto<QInputDialog>([&](QInputDialog& d) {
    richiesta = d.labelText() + "|" + d.textValue();
    d.setTextValue("Marco");
    d.accept();
  });
  EXPECT_EQ(p.inputBox("Inserisci il tuo nome", " Brenvo Info Service...", "vuoto"), "Marco");
  EXPECT_EQ(richiesta, "Inserisci il tuo nome|vuoto");

  quandoAperto<QInputDialog>([](QInputDialog& d) { d.reject(); });
  EXPECT_EQ(p.inputBox("Nome", "Titolo", ""), std::nullopt);
}

TEST_F(PiattaformaQtProva, DialogsAreWideEnoughForTheirWholeTitle) {
  // The least a title bar needs: the title in its font, bold, and three
  // buttons about as wide as the bar is high.
  QFont carattere = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  carattere.setBold(true);
  const QFontMetrics metriche(carattere);
  auto necessaria = [&](const QString& titolo) { return metriche.horizontalAdvance(titolo) + 3 * metriche.height(); };

  struct Caso {
    const char* testo;
    const char* titolo;
    bool input;
  };
  const Caso casi[] = {
      {"Non posso ora..", " Brenvo Info Center...", false},
      {"Salvare la partita in corso ?", " Brenvo Info Service...", false},
      {"?", " Brenvo Info Service - un titolo molto più lungo del testo del messaggio", false},
      {"Nome", " Brenvo Info Service...", true},
  };
  for (const Caso& c : casi) {
    int larghezza = 0;
    auto misura = [&](QDialog& d) {
      larghezza = d.width();
      d.reject();
    };
    if (c.input) {
      quandoAperto<QInputDialog>(misura);
      p.inputBox(c.testo, c.titolo, "");
    } else {
      quandoAperto<QMessageBox>(misura);
      p.msgBox(c.testo, Pulsanti::ok, Icona::nessuna, c.titolo);
    }
    EXPECT_GE(larghezza, necessaria(QString::fromUtf8(c.titolo))) << c.titolo;
  }
}

TEST_F(PiattaformaQtProva, FilesAndDisplayFacts) {
  namespace fs = std::filesystem;
  const fs::path cartella = fs::temp_directory_path() / ("velmo-prova-" + std::to_string(::getpid()));
  fs::create_directories(cartella);
  const fs::path file = cartella / "Velmo.001";
  std::ofstream(file) << "12345";

  EXPECT_EQ(p.dimensioneFile(file.string()), std::optional<std::uintmax_t>(5));
  EXPECT_EQ(p.dimensioneFile((cartella / "manca").string()), std::nullopt);
  EXPECT_EQ(p.dimensioneFile(cartella.string()), std::nullopt);

  EXPECT_TRUE(p.impostaSolaLettura(file.string()));
  const auto scrittura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  EXPECT_EQ(fs::status(file).permissions() & scrittura, fs::perms::none);
  EXPECT_FALSE(p.impostaSolaLettura((cartella / "manca").string()));
  fs::remove_all(cartella);

  const Dimensioni schermo = p.schermo();
  EXPECT_GT(schermo.larghezza, 0);
  EXPECT_TRUE(p.cambiaRisoluzione(schermo));
  EXPECT_FALSE(p.cambiaRisoluzione({schermo.larghezza + 1, schermo.altezza}));
  EXPECT_EQ(p.modiDisplay(), std::vector<Dimensioni>{schermo});
  EXPECT_EQ(p.versioneSistema().famiglia, "Linux");
  EXPECT_GT(p.versioneSistema().maggiore, 0);
}

TEST_F(PiattaformaQtProva, AnotherInstanceIsSeenThroughItsLock) {
  QLockFile altra(p.percorsoBlocco());
  altra.setStaleLockTime(0);
  if (!altra.tryLock(0)) GTEST_SKIP() << "a running game holds the lock";
  EXPECT_TRUE(p.altraIstanzaAttiva());
}

TEST_F(PiattaformaQtProva, EndsTheProcessAtOnceWithItsCode) {
  EXPECT_EXIT(p.termina(3), ::testing::ExitedWithCode(3), "");
}

TEST_F(PiattaformaQtProva, PicturesRenderAtTheDevicePixelRatio) {
  auto disegnate = [](Figura f) {
    QImage immagine(80, 80, QImage::Format_ARGB32_Premultiplied);
    immagine.setDevicePixelRatio(2);
    immagine.fill(Qt::transparent);
    QPainter pittore(&immagine);
    disegnaFigura(pittore, QRectF(0, 0, 40, 40), f, 2);
    pittore.end();
    int opachi = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 80; ++x) opachi += qAlpha(immagine.pixel(x, y)) > 0;
    return opachi;
  };
  EXPECT_GT(disegnate(Figura::frecciaNera), 0);
  EXPECT_EQ(disegnate(Figura::nessuna), 0);
  EXPECT_EQ(percorsoFigura(Figura::cellaVuota), ":/immagini/nessuna.svg");
}

TEST(TastiQt, VirtualKeyCodes) {
  struct Caso {
    int tasto;
    Qt::KeyboardModifiers mod;
    unsigned hardware;
    int codice;
  };
  const Qt::KeyboardModifiers nessuno = Qt::NoModifier, tn = Qt::KeypadModifier;
  const Caso casi[] = {
      {Qt::Key_1, nessuno, 0, 49},          {Qt::Key_9, nessuno, 0, 57},
      {Qt::Key_0, tn, 0, 96},               {Qt::Key_9, tn, 0, 105},
      {Qt::Key_Exclam, Qt::ShiftModifier, 10, 49},  // Shift+1: the key, not the character
      {Qt::Key_Agrave, nessuno, 19, 48},    // a layout printing something else on 0
      {Qt::Key_7, tn, 16, 103},             // keypad digits are never the main row
      {Qt::Key_Home, tn, 0, 36},            // keypad 7 with Num Lock off
      {Qt::Key_A, Qt::ShiftModifier, 0, 65}, {Qt::Key_Z, nessuno, 0, 90},
      {Qt::Key_F1, nessuno, 0, 112},        {Qt::Key_F12, nessuno, 0, 123},
      {Qt::Key_Escape, nessuno, 0, 27},     {Qt::Key_Return, nessuno, 0, 13},
      {Qt::Key_Enter, tn, 0, 13},           {Qt::Key_Space, nessuno, 0, 32},
      {Qt::Key_Left, nessuno, 0, 37},       {Qt::Key_Down, nessuno, 0, 40},
      {Qt::Key_Plus, tn, 0, 107},           {Qt::Key_Exclam, Qt::ShiftModifier, 0, 0},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(codiceVirtuale(c.tasto, c.mod, c.hardware), c.codice) << std::hex << c.tasto << " hw " << c.hardware;
  EXPECT_EQ(bitShift(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier), 7);
  EXPECT_EQ(bitPulsanti(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton), 7);
}

TEST(TestiQt, WindowsLineBreaksBecomeNewlines) {
  const std::pair<std::string, std::string> casi[] = {
      {"a\r\nb", "a\nb"},
      {"è necessaria\runa risoluzione", "è necessaria\nuna risoluzione"},
      {"x\r\n\r\n(y)\r", "x\n\n(y)\n"},
      {"\r\r\n", "\n\n"},
      {"niente", "niente"},
  };
  for (const auto& [dentro, fuori] : casi) EXPECT_EQ(righeUnix(dentro), fuori) << dentro;
}

}  // namespace
}  // namespace velmo::test
