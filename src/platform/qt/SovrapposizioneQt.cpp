#include "platform/qt/SovrapposizioneQt.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace velmo {

SovrapposizioneQt::SovrapposizioneQt()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the first rectangle covers it all
}

void SovrapposizioneQt::disegna(const QRect& r, const QColor& riempimento) {
  if (!isVisible()) {
    if (r.isEmpty()) return;
    setGeometry(r);
    // At the screen's scale, so the thin outline stays one device pixel.
    const qreal rapporto = screen() ? screen()->devicePixelRatio() : 1.0;
    disegno_ = QImage(r.size() * rapporto, QImage::Format_RGB32);
    disegno_.setDevicePixelRatio(rapporto);
    disegno_.fill(riempimento);
    show();
  }
  QPainter p(&disegno_);
  const QRect locale = r.translated(-pos());
  p.fillRect(locale, riempimento);
  if (!locale.isEmpty()) {
    p.setPen(QPen(Qt::black, 0));  // cosmetic: one device pixel at any scale
    p.drawRect(locale.adjusted(0, 0, -1, -1));
  }
  update(locale);
}

void SovrapposizioneQt::cancella() {
  hide();
  disegno_ = QImage();
}

void SovrapposizioneQt::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.drawImage(e->rect(), disegno_, QRectF(e->rect().topLeft() * disegno_.devicePixelRatio(),
                                          e->rect().size() * disegno_.devicePixelRatio()));
}

}  // namespace velmo
