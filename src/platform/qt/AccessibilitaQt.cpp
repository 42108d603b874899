#include "platform/qt/AccessibilitaQt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>

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

// The announcements of one window, taken in turn.
class Annunci : public QObject {
 public:
  explicit Annunci(QWidget& finestra) : QObject(&finestra) {
    setObjectName(QStringLiteral("Annunci"));
    for (auto& v : voci_) v = new AnnuncioQt(&finestra);
  }
  void annuncia(const QString& testo) {
    AnnuncioQt* voce = voci_[prossima_];
    prossima_ = (prossima_ + 1) % voci_.size();
    ultimo_ = testo;
    // Named while hidden, so every reader's copy of the name is the new one;
    // shown anew, the notification is what the reader speaks.
    voce->hide();
    voce->setAccessibleName(testo);
    voce->show();
  }
  const QString& ultimo() const { return ultimo_; }

 private:
  std::array<AnnuncioQt*, 4> voci_{};
  std::size_t prossima_ = 0;
  QString ultimo_;
};

QAccessibleInterface* fabbrica(const QString&, QObject* oggetto) {
  // A part the focus moves over (a column of the board) is read by its name
  // alone, as the text it is, with no role word after it.
  if (auto* zona = dynamic_cast<ZonaTastieraQt*>(oggetto)) return new WidgetAccessibile(zona, QAccessible::StaticText);
  if (auto* etichetta = dynamic_cast<EtichettaQt*>(oggetto)) return new EtichettaAccessibile(etichetta);
  if (auto* contenitore = dynamic_cast<ContenitoreQt*>(oggetto)) return new WidgetAccessibile(contenitore);
  if (auto* immagine = dynamic_cast<ImmagineQt*>(oggetto)) return new ImmagineAccessibile(immagine);
  if (auto* annuncio = dynamic_cast<AnnuncioQt*>(oggetto)) return new AnnuncioAccessibile(annuncio);
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

QString ultimoAnnuncioIn(const QWidget& finestra) {
  const auto* annunci = finestra.findChild<const Annunci*>(QStringLiteral("Annunci"), Qt::FindDirectChildrenOnly);
  return annunci ? annunci->ultimo() : QString();
}

}  // namespace velmo
