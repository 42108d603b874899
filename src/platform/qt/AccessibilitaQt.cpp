#include "platform/qt/AccessibilitaQt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

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

QAccessibleInterface* fabbrica(const QString&, QObject* oggetto) {
  if (auto* immagine = dynamic_cast<ImmagineQt*>(oggetto)) return new ImmagineAccessibile(immagine);
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
  auto* riga = finestra.findChild<QLabel*>(QStringLiteral("Annunci"), Qt::FindDirectChildrenOnly);
  if (!riga) {
    riga = new QLabel(&finestra);
    riga->setObjectName(QStringLiteral("Annunci"));
    riga->setGeometry(0, 0, 1, 1);
    riga->setAttribute(Qt::WA_TransparentForMouseEvents);
    riga->show();
  }
  // Only the name: nothing shows on the screen.
  if (riga->accessibleName() != testo) {
    riga->setAccessibleName(testo);  // which tells it
  } else {
    // The same words again (a second piece in the same column) are told again.
    QAccessibleEvent evento(riga, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&evento);
  }
}

}  // namespace velmo
