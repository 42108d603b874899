#pragma once
// The widgets that mirror the controls: one class per kind of control.
// Each holds its control and copies every property onto itself when asked
// (rispecchia); the window calls that from the control's change observer,
// so the screen follows the model at once. User input goes the other way,
// to the control's handlers.

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QColor>
#include <QImage>
#include <map>
#include <QWidget>

#include "forms/Controlli.h"

class QMouseEvent;

namespace velmo {

// Twips to device-independent pixels (15 twips a pixel at 96 dpi).
int pixel(int twips);
// Edges are rounded one by one, so neighbouring controls never gap.
QRect rettangoloPixel(const Controllo& c);
QColor coloreQt(Colore c);

class SpecchioControllo {
 public:
  virtual ~SpecchioControllo() = default;
  virtual void rispecchia() = 0;
};

// A widget forwarding its mouse to the down/up/move handlers of an image or
// a container, coordinates in twips. Click is a left press and release on
// the same widget, after MouseUp, as the original toolkit orders them.
class WidgetMouse : public QWidget {
 protected:
  struct Gestori {
    std::function<void(const EventoMouse&)>*giu, *su, *movimento;
    std::function<void()>* clic;  // nullptr: the kind has no Click
  };
  WidgetMouse(QWidget* padre, Gestori gestori);

  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  Gestori gestori_;
  bool premutoSinistro_ = false;
};

class ImmagineQt : public WidgetMouse, public SpecchioControllo {
 public:
  ImmagineQt(Immagine& img, QWidget* padre);
  void rispecchia() override;
  Immagine& immagine() const { return img_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Immagine& img_;
  Figura figura_ = Figura::nessuna;
};

// Paints its picture stretched to its size over its back colour; its
// children lie inside it, positioned relative to it.
class ContenitoreQt : public WidgetMouse, public SpecchioControllo {
 public:
  ContenitoreQt(Contenitore& cont, QWidget* padre);
  void rispecchia() override;

 protected:
  void paintEvent(QPaintEvent*) override;
  // The back colour and the picture over `dove`.
  void dipingiFondo(QPainter& p, const QRect& dove);
  const Contenitore& contenitore() const { return cont_; }

 private:
  Contenitore& cont_;
};

class EtichettaQt : public QLabel, public SpecchioControllo {
 public:
  EtichettaQt(Etichetta& etichetta, QWidget* padre);
  void rispecchia() override;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  Etichetta& etichetta_;
  bool premutoSinistro_ = false;
  bool puntatoreProprio_ = false;
  Figura iconaPuntatore_ = Figura::nessuna;
};

// A container that paints its labels itself, each as its control says
// (place, caption, colours, font), instead of a widget each: for labels that
// move every few milliseconds, one repaint of the changed strip. Each text is
// set once into a mask at the screen's resolution; a move only copies it and
// a new colour only tints it, so no glyph is laid out 40 times a second. The
// labels take no mouse input here.
class PannelloEtichetteQt : public ContenitoreQt {
 public:
  PannelloEtichetteQt(Contenitore& cont, QWidget* padre);
  // A label inside changed: repaints where it was and where it is.
  void etichettaCambiata(const Etichetta& l);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  struct Testo {
    // What the layout was made from, as the control holds it.
    std::string caption;
    double fontSize = 0;
    bool bold = false;
    QSize misura{-1, -1};  // in pixels, as the layout places it
    Etichetta::Allineamento allineamento{};
    qreal scala = 0;  // the device pixel ratio the mask was made at
    QImage maschera;  // the text in opaque white on transparent
    QColor colore;    // what `tinta` is tinted in
    QImage tinta;     // the mask in the label's fore colour
    QRect inchiostro;  // what the text covers, from the label's top left
    QRect dove;        // what was last painted of it
  };
  Testo& testo(const Etichetta& l);
  // What a label paints over the panel's own back: the text alone, or the
  // whole label when its back is of another colour.
  QRect areaDi(const Etichetta& l);
  std::map<const Etichetta*, Testo> testi_;
};

// A line between two end points in its container's coordinates; it takes
// no mouse input, as the original line shape.
class LineaQt : public QWidget, public SpecchioControllo {
 public:
  LineaQt(Linea& linea, QWidget* padre);
  void rispecchia() override;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Linea& linea_;
};

class PulsanteQt : public QPushButton, public SpecchioControllo {
 public:
  PulsanteQt(Pulsante& pulsante, QWidget* padre);
  void rispecchia() override;

 private:
  Pulsante& pulsante_;
};

// A part that takes the focus by Tab or by the form's keys, never by the
// mouse, which goes through to the pictures under it. It draws a frame in the
// board's yellow while it has the focus, once the keyboard has moved the
// focus in its window: a player who only clicks never sees it.
class ZonaTastieraQt : public QWidget, public SpecchioControllo {
 public:
  ZonaTastieraQt(ZonaTastiera& zona, QWidget* padre);
  void rispecchia() override;
  ZonaTastiera& zona() const { return zona_; }

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent*) override;

 private:
  ZonaTastiera& zona_;
};

// Synced both ways: a click sets the control's value, a value set by the
// program moves the tick.
class CasellaQt : public QCheckBox, public SpecchioControllo {
 public:
  CasellaQt(CasellaControllo& casella, QWidget* padre);
  void rispecchia() override;

 private:
  CasellaControllo& casella_;
};

}  // namespace velmo
