#include "platform/qt/AccessibilitaQt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <utility>

#include "platform/qt/ControlliQt.h"

namespace velmo {

namespace {

// Qt's AT-SPI bridge tells a reader the states of a widget when the reader
// first asks, and of a later show or hide only "showing", never "visible".
// A reader that asked while the window was still hidden (Orca started before
// the game, as a blind player does) kept "not visible" for every part, and
// its flat review and object navigation skipped them. Here a part is always
// "visible" and "showing", which never go stale, and a hidden one has no
// size on the screen, which readers ask afresh each time.
class WidgetAccessibile : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.invisible = false;
    s.offscreen = false;
    return s;
  }
  QRect rect() const override { return widget()->isVisible() ? QAccessibleWidget::rect() : QRect(); }
};

// A label read by its accessible name, or by its text when it has none.
class EtichettaAccessibile : public WidgetAccessibile {
 public:
  explicit EtichettaAccessibile(QLabel* w) : WidgetAccessibile(w, QAccessible::StaticText), w_(w) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && w_ && w_->accessibleName().isEmpty()) return w_->text();
    return WidgetAccessibile::text(t);
  }

 private:
  QPointer<QLabel> w_;
};

class ImmagineAccessibile : public WidgetAccessibile {
 public:
  explicit ImmagineAccessibile(ImmagineQt* w)
      : WidgetAccessibile(w, w->immagine().onClick ? QAccessible::Button : QAccessible::Graphic), w_(w) {}

  // A press is a click, with the same checks as the mouse's.
  void doAction(const QString& azione) override {
    if (azione != pressAction() || role() != QAccessible::Button) return WidgetAccessibile::doAction(azione);
    if (!w_ || !w_->isEnabled() || !w_->isVisible()) return;
    const auto gestore = w_->immagine().onClick;  // it may unload the window
    if (gestore) gestore();
  }
  QStringList actionNames() const override {
    return role() == QAccessible::Button ? QStringList{pressAction()} : WidgetAccessibile::actionNames();
  }

 private:
  QPointer<ImmagineQt> w_;
};

// A place the keyboard stands on: a button (a column of the board, which
// Orca reads "Colonna 5: 3 pedine, libera pulsante") or a link, pressed by
// Space or Return as by a screen reader's press.
class ZonaAccessibile : public WidgetAccessibile {
 public:
  explicit ZonaAccessibile(ZonaTastieraQt* w)
      : WidgetAccessibile(w, w->zona().collegamento ? QAccessible::Link : QAccessible::Button), w_(w) {}
  void doAction(const QString& azione) override {
    if (azione != pressAction()) return WidgetAccessibile::doAction(azione);
    if (!w_ || !w_->isEnabled() || !w_->isVisible()) return;
    const auto gestore = w_->zona().onClick;  // it may unload the window
    if (gestore) gestore();
  }
  QStringList actionNames() const override { return {pressAction()}; }

 private:
  QPointer<ZonaTastieraQt> w_;
};

// A menu item as Qt presents it, with its keys in the form a screen reader
// reads: "mnemonic;path;accelerator". Qt gives the accelerator alone, which
// Orca takes for a path and never speaks; this way it says "Nuova partita
// F2" as it says the items of any other desktop program.
class VoceMenuAccessibile : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  VoceMenuAccessibile(QAction* azione, QWidget* proprietario) : azione_(azione), proprietario_(proprietario) {}

  bool isValid() const override { return azione_ && proprietario_; }
  QObject* object() const override { return azione_; }
  QWindow* window() const override { return proprietario_ ? proprietario_->windowHandle() : nullptr; }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(proprietario_); }
  QAccessibleInterface* child(int indice) const override {
    return indice == 0 && sottomenu() ? QAccessible::queryAccessibleInterface(sottomenu()) : nullptr;
  }
  int childCount() const override { return sottomenu() ? 1 : 0; }
  int indexOfChild(const QAccessibleInterface* figlio) const override {
    return figlio && sottomenu() && figlio->object() == sottomenu() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAccessibleInterface* figlio = child(0);
    return figlio && figlio->rect().contains(x, y) ? figlio : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    if (!azione_) return {};
    if (t == QAccessible::Name) return senzaLettera(azione_->text());
    if (t == QAccessible::Accelerator)
      return azione_->shortcut().isEmpty() ? lettera() : azione_->shortcut().toString(QKeySequence::NativeText);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (auto* barra = qobject_cast<QMenuBar*>(proprietario_))
      return barra->actionGeometry(azione_).translated(barra->mapToGlobal(QPoint()));
    if (auto* menu = qobject_cast<QMenu*>(proprietario_))
      return menu->actionGeometry(azione_).translated(menu->mapToGlobal(QPoint()));
    return {};
  }
  QAccessible::Role role() const override {
    return azione_ && azione_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!azione_ || !proprietario_) return s;
    s.invisible = !proprietario_->isVisible() || !azione_->isVisible();
    s.focusable = true;
    if (auto* menu = qobject_cast<QMenu*>(proprietario_)) s.focused = menu->activeAction() == azione_;
    if (auto* barra = qobject_cast<QMenuBar*>(proprietario_)) s.focused = barra->activeAction() == azione_;
    s.disabled = azione_->isSeparator() || !azione_->isEnabled();
    s.checkable = azione_->isCheckable();
    s.checked = azione_->isChecked();
    s.hasPopup = sottomenu() != nullptr;
    return s;
  }

  QStringList actionNames() const override {
    if (!azione_ || azione_->isSeparator()) return {};
    return {sottomenu() ? showMenuAction() : pressAction()};
  }
  void doAction(const QString& nome) override {
    if (!azione_ || !azione_->isEnabled()) return;
    if (nome == pressAction()) {
      azione_->trigger();
    } else if (nome == showMenuAction()) {
      if (sottomenu() && sottomenu()->isVisible())
        sottomenu()->hide();
      else if (auto* barra = qobject_cast<QMenuBar*>(proprietario_))
        barra->setActiveAction(azione_);
      else if (auto* menu = qobject_cast<QMenu*>(proprietario_))
        menu->setActiveAction(azione_);
    }
  }
  QStringList keyBindingsForAction(const QString&) const override {
    if (!azione_ || azione_->isSeparator()) return {};
    // A title of the bar opens with Alt and its letter; an item with its
    // letter alone, once its menu is open.
    const QString conLettera = lettera();
    const QString tasto = conLettera.isEmpty() ? QString() : QString(conLettera.back()).toLower();
    const QString conAlt = qobject_cast<QMenuBar*>(proprietario_) && !tasto.isEmpty() ? "<Alt>" + tasto : tasto;
    const QString acceleratore = azione_->shortcut().toString(QKeySequence::PortableText);
    return {conAlt + ";;" + acceleratore};
  }

 private:
  QMenu* sottomenu() const { return azione_ ? azione_->menu<QMenu*>() : nullptr; }
  // The letter after a single "&", as "Alt+N" for "&Nuova partita"; "" for none.
  QString lettera() const {
    const QKeySequence m = QKeySequence::mnemonic(azione_->text());
    return m.isEmpty() ? QString() : m.toString(QKeySequence::NativeText);
  }
  static QString senzaLettera(QString testo) {
    QString nome;
    for (qsizetype i = 0; i < testo.size(); ++i) {
      if (testo[i] == '&' && i + 1 < testo.size()) ++i;  // "&&" is one "&"
      nome += testo[i];
    }
    return nome;
  }

  QPointer<QAction> azione_;
  QPointer<QWidget> proprietario_;
};

// One announcement: draws nothing, takes no input; its text is its
// accessible name.
class AnnuncioQt : public QWidget {
 public:
  explicit AnnuncioQt(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Annuncio"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
  }
};

class AnnuncioAccessibile : public WidgetAccessibile {
 public:
  explicit AnnuncioAccessibile(AnnuncioQt* w) : WidgetAccessibile(w, QAccessible::Notification) {}
};

// The latest wave of accessible name changes: when it began, how many.
struct Ondata {
  QElapsedTimer inizio;
  int nomi = 0;
};
Ondata& ondata() {
  static Ondata o;
  return o;
}
// Orca counts a flood past 50 events queued; a wave of this many names
// leaves little room for the window's own events that come with it.
constexpr int nomiDiUnOndata = 20;
constexpr int millisecondiOndata = 200, millisecondiAttesaOndata = 400;

bool inOndata() {
  const Ondata& o = ondata();
  return o.nomi >= nomiDiUnOndata && o.inizio.isValid() && o.inizio.elapsed() < millisecondiOndata;
}

// The announcements of one window, taken in turn.
class Annunci : public QObject {
 public:
  explicit Annunci(QWidget& finestra) : QObject(&finestra) {
    setObjectName(QStringLiteral("Annunci"));
    for (auto& v : voci_) v = new AnnuncioQt(&finestra);
    attesa_.setSingleShot(true);
    attesa_.setInterval(millisecondiAttesaOndata);
    connect(&attesa_, &QTimer::timeout, this, [this] {
      for (const QString& testo : std::exchange(inAttesa_, {})) mostra(testo);
    });
  }
  void annuncia(const QString& testo) {
    ultimo_ = testo;
    // During a wave of names, and after a text held back, texts wait in
    // their order.
    if (inOndata() || attesa_.isActive()) {
      inAttesa_ << testo;
      if (!attesa_.isActive()) attesa_.start();
      return;
    }
    mostra(testo);
  }
  const QString& ultimo() const { return ultimo_; }

 private:
  void mostra(const QString& testo) {
    AnnuncioQt* voce = voci_[prossima_];
    prossima_ = (prossima_ + 1) % voci_.size();
    // Named while hidden, so every reader's copy of the name is the new one;
    // shown anew, the notification is what the reader speaks.
    voce->hide();
    voce->setAccessibleName(testo);
    voce->show();
  }

  std::array<AnnuncioQt*, 4> voci_{};
  std::size_t prossima_ = 0;
  QString ultimo_;
  QStringList inAttesa_;
  QTimer attesa_;
};

QAccessibleInterface* fabbrica(const QString&, QObject* oggetto) {
  if (auto* zona = dynamic_cast<ZonaTastieraQt*>(oggetto)) return new ZonaAccessibile(zona);
  if (auto* etichetta = dynamic_cast<EtichettaQt*>(oggetto)) return new EtichettaAccessibile(etichetta);
  if (auto* contenitore = dynamic_cast<ContenitoreQt*>(oggetto)) return new WidgetAccessibile(contenitore);
  if (auto* immagine = dynamic_cast<ImmagineQt*>(oggetto)) return new ImmagineAccessibile(immagine);
  if (auto* annuncio = dynamic_cast<AnnuncioQt*>(oggetto)) return new AnnuncioAccessibile(annuncio);
  // The menus' items (named "Menu:..."), in the menu or bar that shows them.
  if (auto* azione = qobject_cast<QAction*>(oggetto); azione && azione->objectName().startsWith("Menu:"))
    for (QObject* dove : azione->associatedObjects())
      if (auto* w = qobject_cast<QWidget*>(dove); (qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) &&
                                                   w->actions().contains(azione))
        return new VoceMenuAccessibile(azione, w);
  return nullptr;
}

}  // namespace

void installaAccessibilita() {
  static const bool installata = [] {
    QAccessible::installFactory(fabbrica);
    return true;
  }();
  (void)installata;
}

void annunciaIn(QWidget& finestra, const QString& testo) {
  auto* annunci = finestra.findChild<Annunci*>(QStringLiteral("Annunci"), Qt::FindDirectChildrenOnly);
  if (!annunci) annunci = new Annunci(finestra);
  annunci->annuncia(testo);
}

void nomeAccessibileCambiato() {
  Ondata& o = ondata();
  if (!o.inizio.isValid() || o.inizio.elapsed() >= millisecondiOndata) {
    o.inizio.start();
    o.nomi = 0;
  }
  ++o.nomi;
}

QString ultimoAnnuncioIn(const QWidget& finestra) {
  const auto* annunci = finestra.findChild<const Annunci*>(QStringLiteral("Annunci"), Qt::FindDirectChildrenOnly);
  return annunci ? annunci->ultimo() : QString();
}

}  // namespace velmo
