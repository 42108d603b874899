#include "platform/qt/FigureQt.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPointer>
#include <QSvgRenderer>
#include <QtMath>

namespace velmo {

QString percorsoFigura(Figura f) {
  const char* nome = nullptr;
  switch (f) {
    case Figura::nessuna: return {};
    case Figura::tabelloneSenzaPartita: nome = "tabellone_senza_partita"; break;
    case Figura::tabelloneInPartita: nome = "tabellone_in_partita"; break;
    case Figura::pannello: nome = "pannello"; break;
    case Figura::cellaVuota: nome = "nessuna"; break;
    case Figura::pedinaGialla: nome = "pedina_gialla"; break;
    case Figura::pedinaRossa: nome = "pedina_rossa"; break;
    case Figura::frecciaNera: nome = "freccia_nera"; break;
    case Figura::frecciaRossa: nome = "freccia_rossa"; break;
    case Figura::vitaSi: nome = "vita_si"; break;
    case Figura::vitaNo: nome = "vita_no"; break;
    case Figura::manoAperta: nome = "mano_aperta"; break;
    case Figura::manoChiusa: nome = "mano_chiusa"; break;
    case Figura::link: nome = "link"; break;
    case Figura::logoVelmo: nome = "logo_velmo"; break;
    case Figura::coppa: nome = "coppa"; break;
    case Figura::avvioSfondo: nome = "avvio_sfondo"; break;
    case Figura::avvioLogo: nome = "avvio_logo"; break;
    case Figura::avvioFascia: nome = "avvio_fascia"; break;
    case Figura::avvioTavola: nome = "avvio_tavola"; break;
    case Figura::avvioNota: nome = "avvio_nota"; break;
    case Figura::sfondoInfo: nome = "sfondo_info"; break;
    case Figura::discoSpento: nome = "disco_spento"; break;
    case Figura::discoAcceso: nome = "disco_acceso"; break;
    case Figura::logoBrenvo: nome = "logo_brenvo"; break;
    case Figura::logoBrenvoAcceso: nome = "logo_brenvo_acceso"; break;
  }
  return QStringLiteral(":/immagini/%1.svg").arg(QLatin1String(nome));
}

namespace {

// One parsed renderer per picture for the whole run; a missing or broken
// file is remembered as null so it is neither retried nor reported twice.
QSvgRenderer* renderer(Figura f) {
  static QHash<int, QPointer<QSvgRenderer>> cache;
  const int chiave = static_cast<int>(f);
  if (auto trovato = cache.constFind(chiave); trovato != cache.constEnd()) return trovato->data();
  QSvgRenderer* r = nullptr;
  const QString percorso = percorsoFigura(f);
  if (!percorso.isEmpty() && QFile::exists(percorso)) {
    // Owned by the application, so it goes with it rather than after it.
    r = new QSvgRenderer(percorso, QCoreApplication::instance());
    if (!r->isValid()) {
      delete r;
      r = nullptr;
    }
  }
  cache.insert(chiave, r);
  return r;
}

// The picture rasterised once per size in device pixels: repaints of the
// board then only copy pixels.
QPixmap pixmap(Figura f, QSize logica, qreal rapporto) {
  const QSize dispositivo(qCeil(logica.width() * rapporto), qCeil(logica.height() * rapporto));
  if (dispositivo.isEmpty()) return {};
  QSvgRenderer* r = renderer(f);
  if (!r) return {};
  const QString chiave = QStringLiteral("velmo:%1:%2x%3")
                             .arg(static_cast<int>(f))
                             .arg(dispositivo.width())
                             .arg(dispositivo.height());
  QPixmap pm;
  if (!QPixmapCache::find(chiave, &pm)) {
    pm = QPixmap(dispositivo);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    r->render(&p, QRectF(QPointF(0, 0), QSizeF(dispositivo)));
    p.end();
    QPixmapCache::insert(chiave, pm);
  }
  pm.setDevicePixelRatio(rapporto);
  return pm;
}

}  // namespace

void disegnaFigura(QPainter& pittore, const QRectF& dove, Figura f, qreal rapportoPixel) {
  if (f == Figura::nessuna) return;
  const QPixmap pm = pixmap(f, dove.size().toSize(), rapportoPixel);
  if (!pm.isNull()) pittore.drawPixmap(dove, pm, QRectF(pm.rect()));
}

QCursor cursoreFigura(Figura f, qreal rapportoPixel) {
  const QPixmap pm = pixmap(f, QSize(32, 32), rapportoPixel);
  if (pm.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(pm);  // hot spot in the middle, where the hands' palms are
}

}  // namespace velmo
