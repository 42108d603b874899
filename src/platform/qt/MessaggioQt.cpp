#include "platform/qt/MessaggioQt.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>

namespace velmo {

MessaggioQt::MessaggioQt(QWidget* padre, const QString& testo, Pulsanti pulsanti, Icona icona,
                         const QString& titolo)
    : QMessageBox(padre), pulsanti_(pulsanti) {
  setWindowTitle(titolo);
  setTextFormat(Qt::PlainText);
  setText(testo);
  switch (icona) {
    case Icona::nessuna: setIcon(QMessageBox::NoIcon); break;
    case Icona::informazione: setIcon(QMessageBox::Information); break;
    case Icona::domanda: setIcon(QMessageBox::Question); break;
    case Icona::esclamazione: setIcon(QMessageBox::Warning); break;
    case Icona::critica: setIcon(QMessageBox::Critical); break;
  }
  if (pulsanti == Pulsanti::ok) {
    setDefaultButton(addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    return;
  }
  si_ = addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
  addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  setDefaultButton(si_);
  // No close command in the title bar: the original system's Yes/No box had
  // none, and the window manager then offers none either.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

Risposta MessaggioQt::risposta() const {
  if (pulsanti_ == Pulsanti::ok) return Risposta::ok;
  return clickedButton() && clickedButton() == si_ ? Risposta::si : Risposta::no;
}

void MessaggioQt::keyPressEvent(QKeyEvent* e) {
  // Qt would press "No" as the box's escape button.
  if (pulsanti_ == Pulsanti::siNo && e->matches(QKeySequence::Cancel)) {
    e->accept();
    return;
  }
  QMessageBox::keyPressEvent(e);
}

void MessaggioQt::closeEvent(QCloseEvent* e) {
  // Qt would answer "No" to the window manager's close request.
  if (pulsanti_ == Pulsanti::siNo) {
    e->ignore();
    return;
  }
  QMessageBox::closeEvent(e);
}

}  // namespace velmo
