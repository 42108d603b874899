#include "platform/qt/MenuQt.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/TestiQt.h"

namespace velmo {

MenuQt::MenuQt(QMenuBar& barra, const std::vector<VoceMenu*>& menu) {
  for (VoceMenu* m : menu) {
    if (m->voci().empty()) {
      // A top-level entry without items is a command of its own.
      nuovaAzione(*m, barra.addAction(QString()));
      continue;
    }
    auto* tendina = new QMenu(&barra);
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
