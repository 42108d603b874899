// What the windows rely on from a platform, written once and run against
// both: the deterministic test platform and the real one on Qt (offscreen).
// Timers restart only when told, a click is MouseDown, MouseUp and Click,
// function keys that are accelerators belong to the menu, and a modal window
// or a message box blocks the input of the others while their timers go on.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "Ambiente.h"
#include "AmbienteQt.h"
#include "forms/Form.h"
#include "forms/ModGenerale.h"
#include "forms/Tasti.h"
#include "platform/qt/AccessibilitaQt.h"
#include "platform/qt/FinestraQt.h"

namespace velmo::test {
namespace {

class FormContratto : public Form {
 public:
  Immagine img;
  Etichetta lbl;
  Pulsante cmdChiudi;
  Timer tmr;
  VoceMenu mnuFile, mnuAttiva, mnuSpenta, mnuTredici;
  std::vector<std::string> eventi;
  int tick = 0;

  explicit FormContratto(std::string nome) : Form(std::move(nome)) {
    setSize(6000, 4500);
    img.move(150, 300, 900, 900);
    img.setFigura(Figura::frecciaNera);
    cmdChiudi.move(1500, 300, 1500, 450);
    cmdChiudi.setCaption("&Chiudi");
    lbl.move(150, 1500, 1800, 450);
    lbl.setCaption("Etichetta");
    aggiungi(img);
    aggiungi(lbl);
    aggiungi(cmdChiudi);
    aggiungi(tmr);
    mnuFile.setCaption(" &File ");
    for (auto [voce, caption, tasto] : {std::tuple{&mnuAttiva, "&Attiva", "F2"}, std::tuple{&mnuSpenta, "&Spenta", "F4"},
                                        std::tuple{&mnuTredici, "&Tredici", "F13"}}) {
      voce->setCaption(caption);
      voce->setTasto(tasto);
      voce->onClick = [this, caption] { eventi.push_back(caption); };
      mnuFile.aggiungi(*voce);
    }
    mnuSpenta.setEnabled(false);
    aggiungiMenu(mnuFile);
    img.onMouseDown = [this](const EventoMouse& e) { eventi.push_back("giu " + std::to_string(e.pulsante)); };
    img.onMouseUp = [this](const EventoMouse& e) { eventi.push_back("su " + std::to_string(e.pulsante)); };
    img.onClick = [this] { eventi.push_back("clic"); };
    lbl.onMouseDown = [this](const EventoMouse& e) { eventi.push_back("etichetta giu " + std::to_string(e.pulsante)); };
    lbl.onMouseUp = [this](const EventoMouse& e) { eventi.push_back("etichetta su " + std::to_string(e.pulsante)); };
    lbl.onClick = [this] { eventi.push_back("etichetta clic"); };
    cmdChiudi.onClick = [this] { Unload(); };
    tmr.onTimer = [this] { ++tick; };
  }
  void Form_Activate() override { eventi.push_back("attiva"); }
  void Form_KeyDown(int codice, int) override { eventi.push_back("KeyDown " + std::to_string(codice)); }
  void Form_KeyUp(int codice, int) override { eventi.push_back("KeyUp " + std::to_string(codice)); }
};

// The user and the clock, as each platform knows them.
class Pilota {
 public:
  virtual ~Pilota() = default;
  virtual void mostra(Form& f) = 0;
  virtual void clic(Form& f, Controllo& c, int pulsante = 1) = 0;
  virtual void tasto(Form& f, int codice) = 0;
  // An event `secondi` from now, also while a modal window waits.
  virtual void tra(double secondi, std::function<void()> evento) = 0;
  // The next message box is answered `secondi` after it appears.
  virtual void rispondiMessaggio(double secondi) = 0;
  // The last thing a screen reader was told about a window ("" for none).
  virtual std::string ultimoAnnuncio(Form& f) = 0;
  void avanza(double secondi) { psubAttendi(static_cast<float>(secondi)); }
};

class PilotaProva : public Pilota {
 public:
  void mostra(Form& f) override { f.Show(); }
  void clic(Form&, Controllo& c, int pulsante = 1) override {
    if (auto* img = dynamic_cast<Immagine*>(&c)) pulsante == 1 ? a_.p.clic(*img) : a_.p.clicDestro(*img);
    if (auto* cmd = dynamic_cast<Pulsante*>(&c)) a_.p.clic(*cmd);
    if (auto* l = dynamic_cast<Etichetta*>(&c)) pulsante == 1 ? a_.p.clic(*l) : a_.p.clicDestro(*l);
  }
  void tasto(Form& f, int codice) override { a_.p.tasto(f, codice); }
  void tra(double secondi, std::function<void()> evento) override { a_.p.tra(secondi, std::move(evento)); }
  void rispondiMessaggio(double secondi) override { a_.p.rispondi(Risposta::ok, secondi); }
  std::string ultimoAnnuncio(Form&) override { return a_.p.annunci.empty() ? "" : a_.p.annunci.back(); }

 private:
  Ambiente a_;
};

class PilotaQt : public Pilota {
 public:
  PilotaQt() {
    applicazioneQt();
    modGenerale = ModGenerale{};
    modGenerale.piattaforma = &p_;
  }
  ~PilotaQt() override { modGenerale.piattaforma = nullptr; }
  // The text of the window's last notification, which AT-SPI carries.
  std::string ultimoAnnuncio(Form& f) override { return ultimoAnnuncioIn(*p_.finestra(f)->superficie()).toStdString(); }

  void mostra(Form& f) override {
    f.Show();
    QWidget* w = p_.finestra(f);
    w->activateWindow();
    // The contract's keys and clicks go to the active window: a window that
    // never became active would fail them for the wrong reason.
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }
  // Through the window system's queue, as a real user's input, so that a
  // modal window blocks it.
  void clic(Form& f, Controllo& c, int pulsante = 1) override {
    QWidget* w = p_.finestra(f)->widgetDi(c);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->window()->windowHandle(), pulsante == 1 ? Qt::LeftButton : Qt::RightButton, {},
                      w->mapTo(w->window(), w->rect().center()));
  }
  void tasto(Form& f, int codice) override {
    const int qt = codice == codiceTasto::invio  ? Qt::Key_Return
                   : codice == codiceTasto::esc  ? Qt::Key_Escape
                   : codiceTasto::funzione(codice) ? Qt::Key_F1 + (codice - codiceTasto::F1)
                                                 : Qt::Key_0 + (codice - codiceTasto::cifra0);
    QTest::keyClick(p_.finestra(f)->windowHandle(), static_cast<Qt::Key>(qt));
    avanza(0.1);  // a release reaches the form a moment later (autorepeat is told apart)
  }
  void tra(double secondi, std::function<void()> evento) override {
    QTimer::singleShot(static_cast<int>(secondi * 1000), qApp, std::move(evento));
  }
  void rispondiMessaggio(double secondi) override {
    QTimer::singleShot(static_cast<int>(secondi * 1000), qApp, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->defaultButton()->click();
    });
  }

 private:
  PiattaformaQt p_;
};

template <class P>
class Contratto : public testing::Test {
 protected:
  P pilota;
  FormContratto f{"frmContratto"};
  void SetUp() override {
    pilota.mostra(f);
    pilota.avanza(0.1);  // the activation arrives
    std::erase(f.eventi, "attiva");
  }
  void TearDown() override { f.Unload(); }
};

struct NomiPiloti {
  template <class P>
  static std::string GetName(int) {
    return std::is_same_v<P, PilotaQt> ? "Qt" : "Prova";
  }
};
using Piloti = testing::Types<PilotaProva, PilotaQt>;
TYPED_TEST_SUITE(Contratto, Piloti, NomiPiloti);

using Eventi = std::vector<std::string>;

TYPED_TEST(Contratto, UnClicEGiuSuEClicIlDestroSoloGiuESu) {
  this->pilota.clic(this->f, this->f.img, 1);
  this->pilota.clic(this->f, this->f.img, 2);
  this->f.img.setEnabled(false);
  this->pilota.clic(this->f, this->f.img, 1);
  this->f.img.setEnabled(true);
  this->f.img.setVisible(false);
  this->pilota.clic(this->f, this->f.img, 1);
  EXPECT_EQ(this->f.eventi, (Eventi{"giu 1", "su 1", "clic", "giu 2", "su 2"}));
}

TYPED_TEST(Contratto, UnEtichettaHaGiuSuEClicComeUnImmagine) {
  this->pilota.clic(this->f, this->f.lbl, 1);
  this->pilota.clic(this->f, this->f.lbl, 2);
  this->f.lbl.setVisible(false);
  this->pilota.clic(this->f, this->f.lbl, 1);
  EXPECT_EQ(this->f.eventi, (Eventi{"etichetta giu 1", "etichetta su 1", "etichetta clic", "etichetta giu 2",
                                    "etichetta su 2"}));
}

TYPED_TEST(Contratto, UnaFinestraMostrataVieneAttivataUnaVolta) {
  FormContratto altra{"frmAltra"};
  this->pilota.mostra(altra);
  this->pilota.avanza(0.2);
  EXPECT_EQ(std::count(altra.eventi.begin(), altra.eventi.end(), "attiva"), 1);
  altra.Unload();
}

TYPED_TEST(Contratto, ITastiDiFunzioneAcceleratoriSonoDelMenu) {
  using namespace codiceTasto;
  this->pilota.tasto(this->f, cifra1 + 4);
  this->pilota.tasto(this->f, F2);                    // an enabled item's key
  this->pilota.tasto(this->f, F4);                    // a disabled item's key: nothing at all
  this->pilota.tasto(this->f, F1 + 12);               // F13 is a key like the others
  this->pilota.tasto(this->f, F1 + 8);                // F9 belongs to no item
  EXPECT_EQ(this->f.eventi, (Eventi{"KeyDown 53", "KeyUp 53", "&Attiva", "&Tredici", "KeyDown 120", "KeyUp 120"}));
}

// A dialog's keys: Return presses the default button (here also the one
// with the focus, which Qt gives the first), Escape the cancel one; neither
// key reaches the form's handlers, and other keys do.
class FormDialogo : public FormContratto {
 public:
  Pulsante cmdSi, cmdNo;
  FormDialogo() : FormContratto("frmDialogo") {
    for (auto [pulsante, caption, x] : {std::tuple{&cmdSi, "&Sì", 150}, std::tuple{&cmdNo, "&No", 1800}}) {
      pulsante->setCaption(caption);
      pulsante->move(x, 2400, 1500, 450);
      pulsante->onClick = [this, caption] { eventi.push_back(caption); };
      aggiungi(*pulsante);
    }
    cmdSi.setPredefinito(true);
    cmdNo.setAnnullamento(true);
    cmdChiudi.setVisible(false);  // the focus goes to the first button shown
    for (VoceMenu* v : mnuFile.voci()) v->setTasto("");
  }
};

TYPED_TEST(Contratto, InvioEdEscPremonoIPulsantiPredefinitoEDiAnnullamento) {
  FormDialogo dialogo;
  this->pilota.mostra(dialogo);
  this->pilota.avanza(0.2);
  std::erase(dialogo.eventi, "attiva");
  this->pilota.tasto(dialogo, codiceTasto::invio);
  this->pilota.tasto(dialogo, codiceTasto::esc);
  this->pilota.tasto(dialogo, codiceTasto::F1 + 8);
  EXPECT_EQ(dialogo.eventi, (Eventi{"&Sì", "&No", "KeyDown 120", "KeyUp 120"}));
  dialogo.Unload();
}

TYPED_TEST(Contratto, UnTimerRiparteSoloSeGlieloSiDice) {
  // Ticks every 0.6 s; margins of 0.2 s either side for a loaded machine.
  this->f.tmr.setInterval(600);
  this->pilota.avanza(0.4);
  this->f.tmr.setTag("altro");  // not a restart: the tick comes at 0.6
  this->f.tmr.move(15, 15, 15, 15);
  this->pilota.avanza(0.4);
  EXPECT_EQ(this->f.tick, 1);
  this->f.tmr.setInterval(600);  // the same value restarts the count: next tick 0.6 s from now
  this->pilota.avanza(0.4);
  EXPECT_EQ(this->f.tick, 1);
  this->pilota.avanza(0.4);
  EXPECT_EQ(this->f.tick, 2);
  this->f.tmr.setEnabled(false);
  this->pilota.avanza(0.8);
  EXPECT_EQ(this->f.tick, 2);
  this->f.tmr.setEnabled(true);  // enabled again: a fresh count
  this->pilota.avanza(0.4);
  EXPECT_EQ(this->f.tick, 2);
  this->pilota.avanza(0.4);
  EXPECT_EQ(this->f.tick, 3);
  this->f.tmr.setInterval(0);
  this->pilota.avanza(0.8);
  EXPECT_EQ(this->f.tick, 3);
}

TYPED_TEST(Contratto, UnaFinestraModaleBloccaLeAltreMaNonILoroTimer) {
  FormContratto modale("frmModale");
  // Keys go to the active window, here the modal one: its own accelerators
  // would answer any key the test sends, so it has none.
  for (VoceMenu* v : modale.mnuFile.voci()) v->setTasto("");
  auto& p = this->pilota;
  auto& f = this->f;
  f.tmr.setInterval(200);
  p.tra(0.3, [&] {
    p.clic(f, f.img);
    p.tasto(f, codiceTasto::cifra1);
    p.tasto(f, codiceTasto::F2);
    p.clic(modale, modale.img);
  });
  p.tra(1.1, [&] { p.clic(modale, modale.cmdChiudi); });
  modale.Show(true);
  EXPECT_TRUE(f.eventi.empty());
  EXPECT_EQ(modale.eventi, (Eventi{"attiva", "giu 1", "su 1", "clic"}));  // shown, it became active
  EXPECT_GE(f.tick, 4);
  p.clic(f, f.img);  // free again once the modal window is gone
  EXPECT_EQ(f.eventi, (Eventi{"giu 1", "su 1", "clic"}));
}

TYPED_TEST(Contratto, UnMessaggioBloccaTutteLeFinestreMaNonITimer) {
  auto& p = this->pilota;
  auto& f = this->f;
  f.tmr.setInterval(200);
  p.tra(0.3, [&] {
    p.clic(f, f.img);
    p.tasto(f, codiceTasto::cifra1);
  });
  p.rispondiMessaggio(1.0);
  piattaforma().msgBox("Non posso ora..", Pulsanti::ok, Icona::nessuna, titoloCenter);
  EXPECT_TRUE(f.eventi.empty());
  EXPECT_GE(f.tick, 3);
}

}  // namespace
}  // namespace velmo::test

namespace velmo::test {
namespace {

TYPED_TEST(Contratto, UnAnnuncioArrivaSoloDaUnaFinestraCaricata) {
  Piattaforma& p = piattaforma();
  EXPECT_EQ(this->pilota.ultimoAnnuncio(this->f), "");
  p.annuncia(this->f, "Giocatore: pedina rossa in colonna 5, riga 1");
  p.annuncia(this->f, "Computer: pedina gialla in colonna 5, riga 2");
  FormContratto nonCaricata{"frmNonCaricata"};
  p.annuncia(nonCaricata, "mai");
  EXPECT_EQ(this->pilota.ultimoAnnuncio(this->f), "Computer: pedina gialla in colonna 5, riga 2");
}

}  // namespace
}  // namespace velmo::test
