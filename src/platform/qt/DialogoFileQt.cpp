#include "platform/qt/DialogoFileQt.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>

#include "core/common/Conversioni.h"
#include "platform/qt/TestiQt.h"

namespace velmo {

DialogoFileQt::DialogoFileQt(QWidget* padre, const DialogoFile& d, bool salva, Piattaforma& domande)
    : QFileDialog(padre), d_(d), salva_(salva), domande_(domande) {
  // Qt's own dialog on every desktop: the same look, and the checks below
  // run before it closes.
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::DontConfirmOverwrite);  // asked below, on the name with its extension
  setOption(QFileDialog::HideNameFilterDetails);  // the type reads as its description alone
  setWindowTitle(testoQt(d.titolo));
  setAcceptMode(salva ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  setFileMode(salva ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  setDirectory(testoQt(d.cartellaIniziale));
  // A pattern as the first name lists only the files it matches.
  const bool schema = d.nomeIniziale.find_first_of("*?") != std::string::npos;
  const QString filtro = schema ? testoQt(d.nomeIniziale) : QStringLiteral("*");
  setNameFilter(testoQt(d.descrizioneTipo) + QStringLiteral(" (") + filtro + QStringLiteral(")"));
  if (!schema) selectFile(testoQt(d.nomeIniziale));
  setLabelText(QFileDialog::LookIn, QStringLiteral("Cerca in:"));
  setLabelText(QFileDialog::FileName, QStringLiteral("Nome file:"));
  setLabelText(QFileDialog::FileType, QStringLiteral("Tipo file:"));
  setLabelText(QFileDialog::Accept, salva ? QStringLiteral("Salva") : QStringLiteral("Apri"));
  setLabelText(QFileDialog::Reject, QStringLiteral("Annulla"));
}

void DialogoFileQt::accept() {
  const QStringList scelti = selectedFiles();
  const QString testo = findChild<QLineEdit*>() ? findChild<QLineEdit*>()->text() : QString();
  // A folder opens, a pattern filters: Qt's own ways.
  if (scelti.isEmpty() || QFileInfo(scelti.first()).isDir() || testo.contains(QLatin1Char('*')) ||
      testo.contains(QLatin1Char('?'))) {
    QFileDialog::accept();
    return;
  }
  QString percorso = QDir::cleanPath(scelti.first());
  const std::string titolo = d_.titolo;
  // The message boxes may outlive this dialog's owner; ask through a guard.
  const QPointer<DialogoFileQt> io = this;
  if (salva_) {
    percorso = testoQt(conEstensione(percorso.toStdString(), d_.estensione));
    const QFileInfo info(percorso);
    if (!info.dir().exists()) {
      domande_.msgBox("Impossibile trovare la cartella:\r\n\r\n" + QDir::toNativeSeparators(info.path()).toStdString(),
                      Pulsanti::ok, Icona::esclamazione, titolo);
      return;
    }
    if (info.exists() &&
        domande_.msgBox("Il file " + percorso.toStdString() + " esiste già.\r\nSostituirlo ?", Pulsanti::siNo,
                        Icona::domanda, titolo) != Risposta::si)
      return;
  } else if (!QFileInfo(percorso).isFile()) {
    domande_.msgBox("Impossibile trovare il file:\r\n\r\n" + percorso.toStdString(), Pulsanti::ok,
                    Icona::esclamazione, titolo);
    return;
  }
  if (!io) return;
  scelto_ = percorso;
  QDialog::accept();
}

}  // namespace velmo
