#pragma once
// What a screen reader sees of the windows, through Qt's accessibility
// (AT-SPI on Linux): images with a Click handler are buttons that can be
// pressed, the other images are pictures; names come from the controls.

class QLabel;
class QString;
class QWidget;

namespace velmo {

// Installs the interfaces of the images; once per program, more calls do
// nothing.
void installaAccessibilita();

// Tells a screen reader `testo` through the window's announcement line: a
// label of one pixel without text, whose name changes to the text. Qt
// 6.4 has no announcement event; a name change on a shown label is what
// its AT-SPI bridge sends and screen readers speak. Made on first use.
void annunciaIn(QWidget& finestra, const QString& testo);

}  // namespace velmo
