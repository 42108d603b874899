#include "forms/Controlli.h"

namespace velmo {

void Controllo::move(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  notifica();
}

void Linea::setEstremi(int x1, int y1, int x2, int y2) {
  if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return;
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  notifica();
}

bool VoceMenu::attivabile() const {
  for (const VoceMenu* v = this; v; v = v->menuPadre_)
    if (!v->enabled()) return false;
  return true;
}

}  // namespace velmo
