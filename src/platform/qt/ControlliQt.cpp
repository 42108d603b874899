#include "platform/qt/ControlliQt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPointer>
#include <QTextOption>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "platform/qt/AccessibilitaQt.h"
#include "platform/qt/FigureQt.h"
#include "platform/qt/TastiQt.h"
#include "platform/qt/TestiQt.h"

namespace velmo {

int pixel(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

QRect rettangoloPixel(const Controllo& c) {
  const int x = pixel(c.left()), y = pixel(c.top());
  return {x, y, std::max(0, pixel(c.left() + c.width()) - x), std::max(0, pixel(c.top() + c.height()) - y)};
}

QColor coloreQt(Colore c) {
  auto canale = [](int v) { return std::clamp(v, 0, 255); };
  return {canale(c.rosso), canale(c.verde), canale(c.blu)};
}

namespace {

// Sets the accessible name only when it changed: each set tells the screen
// reader again.
void nomeAccessibile(QWidget& w, const QString& nome) {
  if (w.accessibleName() == nome) return;
  w.setAccessibleName(nome);
  nomeAccessibileCambiato();
}

// Geometry, visibility, the enabled state and the accessible name, common
// to every kind. A label's name is followed by the value it shows
// ("Punteggio: 1200"), read together.
void rispecchiaComune(QWidget& w, const Controllo& c, const QString& valore = {}) {
  w.setGeometry(rettangoloPixel(c));
  w.setEnabled(c.enabled());
  w.setVisible(c.visible());
  if (c.nomeAccessibile().empty()) return;
  const QString nome = testoQt(c.nomeAccessibile());
  const QString detto = c.valoreAccessibile().empty() ? valore : testoQt(c.valoreAccessibile());
  nomeAccessibile(w, detto.isEmpty() ? nome : nome + QStringLiteral(": ") + detto);
}

int twips(qreal pixel) { return static_cast<int>(std::lround(pixel * 15)); }

EventoMouse eventoMouse(const QMouseEvent& e, Qt::MouseButtons pulsanti) {
  return {bitPulsanti(pulsanti), bitShift(e.modifiers()), twips(e.position().x()), twips(e.position().y())};
}

// Handlers may run a nested wait, show a modal window or unload the whole
// form: they are called on a copy, and the widget checks it still exists.
template <class F, class... A>
void chiama(const F& gestore, A&&... argomenti) {
  if (!gestore) return;
  const F copia = gestore;
  copia(std::forward<A>(argomenti)...);
}

}  // namespace

// --- WidgetMouse --------------------------------------------------------------

WidgetMouse::WidgetMouse(QWidget* padre, Gestori gestori) : QWidget(padre), gestori_(gestori) {
  setMouseTracking(true);  // MouseMove also with no button held
}

void WidgetMouse::mousePressEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() == Qt::LeftButton) premutoSinistro_ = true;
  chiama(*gestori_.giu, eventoMouse(*e, e->button()));
}

void WidgetMouse::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  const bool clic = e->button() == Qt::LeftButton && premutoSinistro_ && rect().contains(e->position().toPoint());
  if (e->button() == Qt::LeftButton) premutoSinistro_ = false;
  QPointer<WidgetMouse> vivo(this);
  chiama(*gestori_.su, eventoMouse(*e, e->button()));
  // MouseUp may have disabled or hidden the control: then no Click.
  if (clic && vivo && gestori_.clic && isEnabled() && isVisible()) chiama(*gestori_.clic);
}

void WidgetMouse::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  chiama(*gestori_.movimento, eventoMouse(*e, e->buttons()));
}

// --- ImmagineQt ---------------------------------------------------------------

ImmagineQt::ImmagineQt(Immagine& img, QWidget* padre)
    : WidgetMouse(padre, {&img.onMouseDown, &img.onMouseUp, &img.onMouseMove, &img.onClick}), img_(img) {}

void ImmagineQt::rispecchia() {
  rispecchiaComune(*this, img_);
  if (figura_ != img_.figura()) {
    figura_ = img_.figura();
    update();
  }
}

void ImmagineQt::paintEvent(QPaintEvent*) {
  QPainter p(this);
  disegnaFigura(p, rect(), figura_, devicePixelRatioF());
}

// --- ContenitoreQt ------------------------------------------------------------

ContenitoreQt::ContenitoreQt(Contenitore& cont, QWidget* padre)
    : WidgetMouse(padre, {&cont.onMouseDown, &cont.onMouseUp, &cont.onMouseMove, nullptr}), cont_(cont) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // it covers itself entirely
}

void ContenitoreQt::rispecchia() {
  rispecchiaComune(*this, cont_);
  update();
}

void ContenitoreQt::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  dipingiFondo(p, e->rect());
}

void ContenitoreQt::dipingiFondo(QPainter& p, const QRect& dove) {
  // The back colour also shows where a missing picture would be.
  p.fillRect(dove, coloreQt(cont_.backColor()));
  disegnaFigura(p, rect(), cont_.figura(), devicePixelRatioF());
}

// --- PannelloEtichetteQt -----------------------------------------------------

namespace {

QFont carattereDi(const Etichetta& l) {
  // Sizes in points on the same 96-dpi scale as the twips of the layout, so
  // the text keeps its place in the window whatever the desktop's font dpi.
  QFont carattere(QStringLiteral("DejaVu Sans"));
  carattere.setPixelSize(std::max(1, static_cast<int>(std::lround(l.fontSize() * 96.0 / 72.0))));
  carattere.setBold(l.bold());
  return carattere;
}

Qt::Alignment allineamentoDi(const Etichetta& l) {
  Qt::Alignment orizzontale = Qt::AlignLeft;
  if (l.alignment() == Etichetta::Allineamento::destra) orizzontale = Qt::AlignRight;
  if (l.alignment() == Etichetta::Allineamento::centro) orizzontale = Qt::AlignHCenter;
  return orizzontale | Qt::AlignTop;
}

}  // namespace

PannelloEtichetteQt::PannelloEtichetteQt(Contenitore& cont, QWidget* padre) : ContenitoreQt(cont, padre) {}

PannelloEtichetteQt::Testo& PannelloEtichetteQt::testo(const Etichetta& l) {
  Testo& t = testi_[&l];
  const qreal scala = devicePixelRatioF();
  const QSize misura = rettangoloPixel(l).size();
  // The mask is made once and kept while only the place and the colour
  // change, which is all a crawl does.
  if (t.caption != l.caption() || t.fontSize != l.fontSize() || t.bold != l.bold() || t.misura != misura ||
      t.allineamento != l.alignment() || t.scala != scala) {
    t.caption = l.caption();
    t.fontSize = l.fontSize();
    t.bold = l.bold();
    t.misura = misura;
    t.allineamento = l.alignment();
    t.scala = scala;
    // One line each: a line wider than its label is set smaller to fit, so
    // no word is cut or wrapped out of sight.
    const QString testo = testoQt(l.caption());
    t.tinta = t.maschera = QImage();
    t.colore = QColor();
    t.inchiostro = QRect();
    if (misura.isEmpty()) return t;  // not laid out yet: nothing to set
    QFont carattere = carattereDi(l);
    while (carattere.pixelSize() > 6 && QFontMetricsF(carattere).horizontalAdvance(testo) > misura.width())
      carattere.setPixelSize(carattere.pixelSize() - 1);
    t.maschera = QImage(misura * scala, QImage::Format_ARGB32_Premultiplied);
    t.maschera.setDevicePixelRatio(scala);
    t.maschera.fill(Qt::transparent);
    QPainter p(&t.maschera);
    p.setFont(carattere);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(), misura), static_cast<int>(allineamentoDi(l) | Qt::TextSingleLine), testo);
    p.end();
    t.tinta = QImage(t.maschera.size(), t.maschera.format());
    t.tinta.setDevicePixelRatio(scala);
    // The ink's bounds, so a move repaints the letters and not the blank
    // ends of a line.
    QRect inchiostro;
    for (int y = 0; y < t.maschera.height(); ++y) {
      const auto* riga = reinterpret_cast<const QRgb*>(t.maschera.constScanLine(y));
      for (int x = 0; x < t.maschera.width(); ++x)
        if (qAlpha(riga[x]) != 0) inchiostro |= QRect(x, y, 1, 1);
    }
    // Back to the layout's pixels, rounded outwards.
    t.inchiostro = inchiostro.isEmpty() ? QRect()
                                        : QRectF(QPointF(inchiostro.topLeft()) / scala,
                                                 QSizeF(inchiostro.size()) / scala)
                                              .toAlignedRect();
  }
  return t;
}

QRect PannelloEtichetteQt::areaDi(const Etichetta& l) {
  if (!l.visible()) return {};
  const QRect dove = rettangoloPixel(l);
  if (!l.backTrasparente() && l.backColor() != contenitore().backColor()) return dove;
  // Ink of the panel's own colour shows nothing: a line faded out to black
  // moves without a pixel changing.
  if (l.foreColor() == contenitore().backColor()) return {};
  return testo(l).inchiostro.translated(dove.topLeft()) & dove;
}

void PannelloEtichetteQt::etichettaCambiata(const Etichetta& l) {
  const QRect ora = areaDi(l);
  QRect& dove = testi_[&l].dove;
  if (ora == dove) {
    if (!ora.isEmpty()) update(ora & rect());  // a colour or a caption
    return;
  }
  const QRect sporco = dove.united(ora) & rect();
  dove = ora;
  if (!sporco.isEmpty()) update(sporco);
}

void PannelloEtichetteQt::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  dipingiFondo(p, e->rect());
  for (Controllo* c : contenitore().figli()) {
    const auto* l = dynamic_cast<const Etichetta*>(c);
    if (!l || !l->visible()) continue;
    const QRect dove = rettangoloPixel(*l);
    if (!dove.intersects(e->rect())) continue;
    Testo& t = testo(*l);
    if (!l->backTrasparente() && l->backColor() != contenitore().backColor())
      p.fillRect(dove, coloreQt(l->backColor()));
    const QColor colore = coloreQt(l->foreColor());
    if (t.colore != colore) {
      // The mask tinted is what drawing the glyphs in that colour gives.
      QPainter tinta(&t.tinta);
      tinta.setCompositionMode(QPainter::CompositionMode_Source);
      tinta.drawImage(0, 0, t.maschera);
      tinta.setCompositionMode(QPainter::CompositionMode_SourceIn);
      tinta.fillRect(QRect(QPoint(), dove.size()), colore);
      t.colore = colore;
    }
    p.drawImage(dove.topLeft(), t.tinta);
  }
}

// --- EtichettaQt --------------------------------------------------------------

EtichettaQt::EtichettaQt(Etichetta& etichetta, QWidget* padre) : QLabel(padre), etichetta_(etichetta) {
  setTextFormat(Qt::PlainText);  // a caption is text, never markup
  setWordWrap(true);
  setMouseTracking(true);  // MouseMove also with no button held
}

void EtichettaQt::rispecchia() {
  const QString testo = testoQt(etichetta_.caption());
  if (text() != testo) setText(testo);
  rispecchiaComune(*this, etichetta_, testo.trimmed());
  const QString suggerimento = testoQt(etichetta_.toolTipText());
  if (toolTip() != suggerimento) setToolTip(suggerimento);

  const QFont carattere = carattereDi(etichetta_);
  if (font() != carattere) setFont(carattere);

  QPalette colori = palette();
  colori.setColor(QPalette::WindowText, coloreQt(etichetta_.foreColor()));
  colori.setColor(QPalette::Window, coloreQt(etichetta_.backColor()));
  if (palette() != colori) setPalette(colori);
  setAutoFillBackground(!etichetta_.backTrasparente());

  Qt::Alignment orizzontale = Qt::AlignLeft;
  if (etichetta_.alignment() == Etichetta::Allineamento::destra) orizzontale = Qt::AlignRight;
  if (etichetta_.alignment() == Etichetta::Allineamento::centro) orizzontale = Qt::AlignHCenter;
  setAlignment(orizzontale | Qt::AlignTop);

  // The label's own pointer, or the window's when it has none.
  const bool proprio = etichetta_.mousePointer() == Puntatore::personalizzato;
  const Figura icona = proprio ? etichetta_.mouseIcon() : Figura::nessuna;
  if (proprio != puntatoreProprio_ || icona != iconaPuntatore_) {
    puntatoreProprio_ = proprio;
    iconaPuntatore_ = icona;
    if (proprio)
      setCursor(cursoreFigura(icona, devicePixelRatioF()));
    else
      unsetCursor();
  }
}

void EtichettaQt::mousePressEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() == Qt::LeftButton) premutoSinistro_ = true;
  chiama(etichetta_.onMouseDown, eventoMouse(*e, e->button()));
}

void EtichettaQt::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  const bool sinistro = e->button() == Qt::LeftButton;
  const bool clic = sinistro && premutoSinistro_ && rect().contains(e->position().toPoint());
  if (sinistro) premutoSinistro_ = false;
  // MouseUp may show a modal window, or unload this one with its labels.
  QPointer<EtichettaQt> vivo(this);
  chiama(etichetta_.onMouseUp, eventoMouse(*e, e->button()));
  if (clic && vivo && isEnabled() && isVisible()) chiama(etichetta_.onClick);
}

void EtichettaQt::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  chiama(etichetta_.onMouseMove, eventoMouse(*e, e->buttons()));
}

// --- LineaQt ------------------------------------------------------------------

LineaQt::LineaQt(Linea& linea, QWidget* padre) : QWidget(padre), linea_(linea) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineaQt::rispecchia() {
  // The rectangle spans both end points, ends included.
  setGeometry(QRect(QPoint(pixel(linea_.x1()), pixel(linea_.y1())), QPoint(pixel(linea_.x2()), pixel(linea_.y2())))
                  .normalized());
  setEnabled(linea_.enabled());
  setVisible(linea_.visible());
  update();
}

void LineaQt::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(coloreQt(linea_.colore()), 1));
  const QPoint origine = pos();
  p.drawLine(QPoint(pixel(linea_.x1()), pixel(linea_.y1())) - origine,
             QPoint(pixel(linea_.x2()), pixel(linea_.y2())) - origine);
}

// --- PulsanteQt ---------------------------------------------------------------

PulsanteQt::PulsanteQt(Pulsante& pulsante, QWidget* padre) : QPushButton(padre), pulsante_(pulsante) {
  connect(this, &QPushButton::clicked, this, [this] { chiama(pulsante_.onClick); });
}

void PulsanteQt::rispecchia() {
  rispecchiaComune(*this, pulsante_);
  setText(testoQt(pulsante_.caption()));  // '&' marks the access letter, as in the model
}

// --- ZonaTastieraQt -----------------------------------------------------------

namespace {
// Set on a window once the keyboard moved its focus.
constexpr const char* segnoTastiera = "velmoFuocoDaTastiera";
}  // namespace

ZonaTastieraQt::ZonaTastieraQt(ZonaTastiera& zona, QWidget* padre) : QWidget(padre), zona_(zona) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::TabFocus);
}

void ZonaTastieraQt::rispecchia() { rispecchiaComune(*this, zona_); }

void ZonaTastieraQt::focusInEvent(QFocusEvent* e) {
  if (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason)
    window()->setProperty(segnoTastiera, true);
  update();
  chiama(zona_.onGotFocus);
}

void ZonaTastieraQt::focusOutEvent(QFocusEvent*) { update(); }

void ZonaTastieraQt::paintEvent(QPaintEvent*) {
  if (!hasFocus() || !window()->property(segnoTastiera).toBool()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(coloreQt(zona_.coloreSegno), 3));
  p.setBrush(Qt::NoBrush);
  const qreal raggio = std::min(10.0, height() / 4.0);  // a column's corners, a link's smaller
  p.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), raggio, raggio);
}

// --- CasellaQt ----------------------------------------------------------------

CasellaQt::CasellaQt(CasellaControllo& casella, QWidget* padre) : QCheckBox(padre), casella_(casella) {
  connect(this, &QCheckBox::toggled, this, [this](bool spuntata) {
    if (spuntata != casella_.value()) casella_.setValue(spuntata);
  });
}

void CasellaQt::rispecchia() {
  rispecchiaComune(*this, casella_);
  setText(testoQt(casella_.caption()));
  const QSignalBlocker senzaEco(this);  // the model already holds this value
  setChecked(casella_.value());
}

}  // namespace velmo
