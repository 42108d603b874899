#pragma once
// The menu bar of a window, built from the form's menu items and kept a
// mirror of them: caption, visible, enabled, tick, radio style and the
// accelerator shown at the right. The model decides every tick; Qt's own
// toggling on a click is undone before the handler runs. Where two titles
// share their letter, Alt and the letter again, with one of them open,
// moves to the next, as menu bars do (Qt would give the key to the open
// menu, which may choose one of its items by that letter).

#include <QPointer>
#include <map>
#include <vector>

#include "forms/Controlli.h"

class QAction;
class QMenu;
class QMenuBar;

namespace velmo {

class MenuQt {
 public:
  MenuQt(QMenuBar& barra, const std::vector<VoceMenu*>& menu);
  ~MenuQt();
  MenuQt(const MenuQt&) = delete;
  MenuQt& operator=(const MenuQt&) = delete;

  // The action of an item (for a menu with items, its entry in the bar or
  // its parent menu); the menu of an item that has items.
  QAction* azione(const VoceMenu& voce) const;
  QMenu* menu(const VoceMenu& voce) const;

  // Stops mirroring: the items outlive the window.
  void stacca();

 private:
  void aggiungiVoci(QMenu& dove, VoceMenu& menu);
  QAction* nuovaAzione(VoceMenu& voce, QAction* azione);
  void rispecchia(VoceMenu& voce);
  void scegli(VoceMenu& voce);

  std::vector<VoceMenu*> voci_;  // every item bound, to unbind them
  std::map<const VoceMenu*, QPointer<QAction>> azioni_;
  std::map<const VoceMenu*, QPointer<QMenu>> menu_;
};

}  // namespace velmo
