#pragma once
// The open and save dialogs on Qt: Qt's own dialog with Italian labels, one
// file type, the program's existence tests and the overwrite question on
// the name that will be written.

#include <QFileDialog>
#include <string>

#include "forms/Piattaforma.h"

namespace velmo {

class DialogoFileQt : public QFileDialog {
  Q_OBJECT

 public:
  // `domande` asks the questions of the dialog (the overwrite question, a
  // missing file or folder) with the program's message boxes.
  DialogoFileQt(QWidget* padre, const DialogoFile& d, bool salva, Piattaforma& domande);

  // The path chosen once the dialog was accepted.
  std::string scelto() const { return scelto_.toStdString(); }

 protected:
  void accept() override;

 private:
  DialogoFile d_;
  bool salva_;
  Piattaforma& domande_;
  QString scelto_;
};

}  // namespace velmo
