#include "platform/qt/AccessibilitaQt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <array>

#include "platform/qt/ControlliQt.h"

namespace velmo {

namespace {

class ImmagineAccessibile : public QAccessibleWidget {
 public:
  explicit ImmagineAccessibile(ImmagineQt* w)
      : QAccessibleWidget(w, w->immagine().onClick ? QAccessible::Button : QAccessible::Graphic), w_(w) {}

  QStringList actionNames() const override {
    return role() == QAccessible::Button ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
  }

  // A press is a click, with the same checks as the mouse's.
  void doAction(const QString& azione) override {
    if (azione != pressAction() || role() != QAccessible::Button) return QAccessibleWidget::doAction(azione);
    if (!w_ || !w_->isEnabled() || !w_->isVisible()) return;
    const auto gestore = w_->immagine().onClick;  // it may unload the window
    if (gestore) gestore();
  }

 private:
  QPointer<ImmagineQt> w_;
};

// One announcement: draws nothing, takes no input, and holds its text for
// the reader.
class AnnuncioQt : public QWidget {
 public:
  explicit AnnuncioQt(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Annuncio"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
  }
  QString testo;
};

class AnnuncioAccessibile : public QAccessibleWidget {
 public:
  explicit AnnuncioAccessibile(AnnuncioQt* w) : QAccessibleWidget(w, QAccessible::Notification), w_(w) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && w_ ? w_->testo : QAccessibleWidget::text(t);
  }

 private:
  QPointer<AnnuncioQt> w_;
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
    voce->testo = testo;
    // Shown anew, the notification is what the reader speaks.
    voce->hide();
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
  if (auto* zona = dynamic_cast<ZonaTastieraQt*>(oggetto)) return new QAccessibleWidget(zona, QAccessible::StaticText);
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

void rinnovaPerIlLettore(QWidget& w) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent descritto(&w, QAccessible::ObjectCreated);
  QAccessible::updateAccessibility(&descritto);
}

QString ultimoAnnuncioIn(const QWidget& finestra) {
  const auto* annunci = finestra.findChild<const Annunci*>(QStringLiteral("Annunci"), Qt::FindDirectChildrenOnly);
  return annunci ? annunci->ultimo() : QString();
}

}  // namespace velmo
