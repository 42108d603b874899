#pragma once
// The named pictures as drawn on screen: each Figura is an SVG of the
// program's resources, rendered at the screen's device pixel ratio so it
// stays crisp on high-resolution displays.

#include <QCursor>
#include <QRectF>
#include <QString>

#include "forms/Controlli.h"

class QPainter;

namespace velmo {

// ":/immagini/<name>.svg"; empty for Figura::nessuna.
QString percorsoFigura(Figura f);

// Draws the picture stretched over `dove` (logical pixels); draws nothing
// when there is no picture or its file is missing.
void disegnaFigura(QPainter& pittore, const QRectF& dove, Figura f, qreal rapportoPixel);

// A 32x32 pointer showing the picture, hot spot in the middle; the arrow
// when the picture is missing.
QCursor cursoreFigura(Figura f, qreal rapportoPixel);

}  // namespace velmo
