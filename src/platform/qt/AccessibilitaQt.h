#pragma once
// What a screen reader sees of the windows, through Qt's accessibility
// (AT-SPI on Linux): images with a Click handler are buttons that can be
// pressed, the other images are pictures; names come from the controls.

class QString;
class QWidget;

namespace velmo {

// Installs the interfaces of the images and the announcements; once per
// program, more calls do nothing. Call it once the QApplication exists:
// before, Qt Widgets' own interfaces win over these.
void installaAccessibilita();

// Tells a screen reader `testo` wherever the keyboard focus is. Orca speaks
// a notification that shows ("notifica ..."), and no name change of a
// label nobody focuses: each text goes to a small widget of the window
// whose role is Notification, shown anew. A few such widgets take the
// texts in turn, so a text the reader has not fetched yet is never
// overwritten by the next one. Made on first use.
void annunciaIn(QWidget& finestra, const QString& testo);

// The last text told through `finestra`, "" for none.
QString ultimoAnnuncioIn(const QWidget& finestra);

// An accessible name was changed: counted, since a wave of them (a board
// cleared) floods Orca's queue, which then drops notifications that come
// with it. A text told during a wave waits for it to pass, still within
// half a second.
void nomeAccessibileCambiato();

}  // namespace velmo
