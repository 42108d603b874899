#include "platform/qt/CartellaQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "forms/ModGenerale.h"

namespace velmo {

namespace {

std::optional<std::string> variabile(const char* nome) {
  if (!qEnvironmentVariableIsSet(nome)) return std::nullopt;
  return qEnvironmentVariable(nome).toStdString();
}

}  // namespace

SceltaCartella sceltaCartellaQt() {
  const QString eseguibile = QCoreApplication::applicationDirPath();
  // The build tells where an installation puts the defaults, relative to
  // the executable, so a package installed under any prefix finds them.
  const QString dati = QDir::cleanPath(eseguibile + QStringLiteral("/" VELMO_DATI_INSTALLATI));
  const bool installata = QFileInfo::exists(dati + "/" + ModGenerale::nomeFileIni);
  return pfuncSceltaCartella({eseguibile.toStdString(), QFileInfo(eseguibile).isWritable(),
                              installata ? dati.toStdString() : std::string(), variabile("XDG_DATA_HOME"),
                              variabile("HOME")});
}

bool preparaCartella(const SceltaCartella& scelta) {
  if (scelta.cartellaSemi.empty()) return true;
  const QDir cartella(QString::fromStdString(scelta.cartella));
  if (!cartella.mkpath(QStringLiteral("."))) return false;
  const QDir semi(QString::fromStdString(scelta.cartellaSemi));
  bool riuscita = true;
  for (const char* nome : {ModGenerale::nomeFileIni, ModGenerale::nomeFileMusica}) {
    const QString destinazione = cartella.filePath(nome);
    // exists() is false for a dangling link too: leave that alone as well.
    if (QFileInfo(destinazione).exists() || QFileInfo(destinazione).isSymLink()) continue;
    // QFile::copy never replaces an existing file, so a second copy of the
    // program starting at the same moment cannot overwrite the first's.
    QFile sorgente(semi.filePath(nome));
    if (!sorgente.copy(destinazione)) {
      riuscita = false;
      continue;
    }
    // The player's copy is theirs to write, whatever the installed mode.
    QFile(destinazione).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                       QFileDevice::ReadOther);
  }
  return riuscita;
}

}  // namespace velmo
