#include "platform/qt/MenuQt.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/TestiQt.h"

namespace velmo {

namespace {

// Sits on each menu of the bar: Alt and a letter of the bar's titles moves
// to the next title with that letter after the one open.
class LetteraDeiTitoli : public QObject {
 public:
  explicit LetteraDeiTitoli(QMenuBar& barra) : QObject(&barra), barra_(barra) {}

 protected:
  bool eventFilter(QObject* oggetto, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return QObject::eventFilter(oggetto, e);
    const auto* tasto = static_cast<QKeyEvent*>(e);
    if ((tasto->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return false;
    const QKeySequence lettera(QKeyCombination(Qt::AltModifier, Qt::Key(tasto->key())));
    QList<QAction*> titoli;
    for (QAction* a : barra_.actions())
      if (a->isVisible() && a->isEnabled() && QKeySequence::mnemonic(a->text()) == lettera) titoli << a;
    if (titoli.isEmpty()) return false;
    const auto aperto = titoli.indexOf(barra_.activeAction());
    barra_.setActiveAction(titoli.at((aperto + 1) % titoli.size()));
    return true;
  }

 private:
  QMenuBar& barra_;
};

}  // namespace

MenuQt::MenuQt(QMenuBar& barra, const std::vector<VoceMenu*>& menu) {
  auto* lettera = new LetteraDeiTitoli(barra);
  for (VoceMenu* m : menu) {
    if (m->voci().empty()) {
      // A top-level entry without items is a command of its own.
      nuovaAzione(*m, barra.addAction(QString()));
      continue;
    }
    auto* tendina = new QMenu(&barra);
    tendina->installEventFilter(lettera);
    menu_[m] = tendina;
    nuovaAzione(*m, barra.addMenu(tendina));
    aggiungiVoci(*tendina, *m);
  }
}

MenuQt::~MenuQt() { stacca(); }

void MenuQt::aggiungiVoci(QMenu& dove, VoceMenu& menu) {
  for (VoceMenu* v : menu.voci()) {
    if (v->voci().empty()) {
      nuovaAzione(*v, dove.addAction(QString()));
      continue;
    }
    auto* sottomenu = new QMenu(&dove);
    menu_[v] = sottomenu;
    nuovaAzione(*v, dove.addMenu(sottomenu));
    aggiungiVoci(*sottomenu, *v);
  }
}

QAction* MenuQt::nuovaAzione(VoceMenu& voce, QAction* azione) {
  azioni_[&voce] = azione;
  voci_.push_back(&voce);
  azione->setObjectName(QStringLiteral("Menu:") + testoQt(voce.caption()));
  if (!menu_.count(&voce))
    QObject::connect(azione, &QAction::triggered, azione, [this, &voce] { scegli(voce); });
  voce.osserva([this, &voce] { rispecchia(voce); });
  rispecchia(voce);
  return azione;
}

void MenuQt::rispecchia(VoceMenu& voce) {
  QAction* azione = azioni_[&voce];
  if (!azione) return;
  if (QMenu* m = menu_[&voce]) m->setTitle(testoQt(voce.caption()));
  azione->setSeparator(voce.separatore());
  // Some styles print a separator's text beside its line: "-" is no label.
  azione->setText(voce.separatore() ? QString() : testoQt(voce.caption()));
  azione->setShortcut(QKeySequence(testoQt(voce.tasto())));
  if (voce.radio() != (azione->actionGroup() != nullptr)) {
    if (voce.radio()) {
      // A group of its own gives the round bullet without letting Qt untick
      // the item's siblings: the model alone decides.
      auto* gruppo = new QActionGroup(azione);
      gruppo->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
      gruppo->addAction(azione);
    } else {
      delete azione->actionGroup();
    }
  }
  // Only a ticked item is checkable: an unticked one shows no empty box.
  azione->setCheckable(voce.checked());
  azione->setChecked(voce.checked());
  azione->setEnabled(voce.enabled());
  azione->setVisible(voce.visible());
}

void MenuQt::scegli(VoceMenu& voce) {
  if (QAction* azione = azioni_[&voce]) azione->setChecked(voce.checked());
  if (voce.attivabile() && voce.onClick) {
    const auto gestore = voce.onClick;  // it may unload the window and this menu with it
    gestore();
  }
}

QAction* MenuQt::azione(const VoceMenu& voce) const {
  auto it = azioni_.find(&voce);
  return it == azioni_.end() ? nullptr : it->second.data();
}

QMenu* MenuQt::menu(const VoceMenu& voce) const {
  auto it = menu_.find(&voce);
  return it == menu_.end() ? nullptr : it->second.data();
}

void MenuQt::stacca() {
  for (VoceMenu* voce : voci_) voce->osserva(nullptr);
  for (const auto& [voce, azione] : azioni_)
    if (azione) QObject::disconnect(azione, &QAction::triggered, nullptr, nullptr);
  voci_.clear();
  azioni_.clear();
  menu_.clear();
}

}  // namespace velmo
