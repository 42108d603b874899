#pragma once
// A message box of the program: its text, icon and title, and either an OK
// button or the Yes/No pair "&Sì" and "&No", whose letters answer without
// Alt as well. A Yes/No box has no implicit answer: Escape and the window
// manager's close request do nothing, and its title bar offers no close
// command, so a stray key never answers a question such as whether to save
// the match. An OK box closes on Escape and on close, as OK.

#include <QMessageBox>

#include "forms/Piattaforma.h"

class QCloseEvent;
class QKeyEvent;

namespace velmo {

class MessaggioQt : public QMessageBox {
  Q_OBJECT

 public:
  MessaggioQt(QWidget* padre, const QString& testo, Pulsanti pulsanti, Icona icona, const QString& titolo);

  // The button pressed; for a box let go without one, No (the safe answer
  // to every question the program asks) or OK.
  Risposta risposta() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  Pulsanti pulsanti_;
  QPushButton* si_ = nullptr;
};

}  // namespace velmo
