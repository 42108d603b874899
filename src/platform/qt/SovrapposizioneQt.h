#pragma once
// Drawing on the screen outside any window: a frameless window above all
// others that takes no input and shows what was drawn on it. It opens at
// the first rectangle (the closing effect starts with the whole window) and
// goes when the screen under it is repainted.

#include <QImage>
#include <QWidget>

namespace velmo {

class SovrapposizioneQt : public QWidget {
 public:
  SovrapposizioneQt();

  // A rectangle in screen coordinates, filled and outlined in black, over
  // what was drawn before. Parts outside the first rectangle are not shown.
  void disegna(const QRect& r, const QColor& riempimento);
  // Everything drawn goes.
  void cancella();

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage disegno_;
};

}  // namespace velmo
