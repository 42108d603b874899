// The file dialogs on Qt, offscreen: what they show, the name with its
// extension, the overwrite question and the existence checks.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <functional>

#include "AmbienteQt.h"
#include "platform/qt/AvvioQt.h"

namespace velmo::test {
namespace {

// Acts on the next modal window of the kind as soon as it is up, also from
// inside another one's handler.
template <class Finestra>
void appena(std::function<void(Finestra&)> azione) {
  auto* prova = new QTimer;
  QObject::connect(prova, &QTimer::timeout, [prova, azione] {
    auto* f = qobject_cast<Finestra*>(QApplication::activeModalWidget());
    if (!f || !f->isVisible()) return;
    prova->stop();
    prova->deleteLater();
    azione(*f);
  });
  prova->start(10);
}

void scrivi(QFileDialog& d, const QString& nome) {
  d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(nome);
  QMetaObject::invokeMethod(&d, "accept");
}

void rispondi(const QString& bottone, QString* testo) {
  appena<QMessageBox>([=](QMessageBox& box) {
    if (testo) *testo = box.text();
    for (QAbstractButton* b : box.buttons())
      if (b->text() == bottone) b->click();
  });
}

struct DialogoFileQtProva : AmbienteQt {
  QTemporaryDir cartella;
  DialogoFile d{"Salva gioco...", "*.vl2", "File di Brenvo Velmo 2.0", "", "vl2"};
  DialogoFileQtProva() { d.cartellaIniziale = cartella.path().toStdString(); }
  std::string in(const char* nome) const { return cartella.filePath(nome).toStdString(); }
};

TEST_F(DialogoFileQtProva, SalvaMostraTitoloTipoECartellaEAggiungeLEstensione) {
  QFile(cartella.filePath("vecchia.vl2")).open(QIODevice::WriteOnly);
  QFile(cartella.filePath("altro.txt")).open(QIODevice::WriteOnly);
  QString titolo, tipo, dir, bottone;
  QStringList filtri;
  appena<QFileDialog>([&](QFileDialog& f) {
    titolo = f.windowTitle();
    tipo = f.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
    dir = f.directory().absolutePath();
    filtri = f.nameFilters();
    bottone = f.labelText(QFileDialog::Accept);
    scrivi(f, "partita");
  });
  EXPECT_EQ(p.dialogoSalva(d), in("partita.vl2"));
  EXPECT_EQ(titolo, "Salva gioco...");
  EXPECT_EQ(tipo, "File di Brenvo Velmo 2.0");
  EXPECT_EQ(filtri, QStringList{"File di Brenvo Velmo 2.0 (*.vl2)"});
  EXPECT_EQ(dir, QDir(cartella.path()).absolutePath());
  EXPECT_EQ(bottone, "Salva");

  for (const char* nome : {"partita.VL2", "partitavl2"}) {
    appena<QFileDialog>([&](QFileDialog& f) { scrivi(f, nome); });
    EXPECT_EQ(p.dialogoSalva(d), in(nome));
  }
}

TEST_F(DialogoFileQtProva, SovrascrivereChiedeSulNomeConLEstensione) {
  QFile(cartella.filePath("partita.vl2")).open(QIODevice::WriteOnly);
  QString domanda;
  // "partita" would be written as partita.vl2, which is there: asked, No
  // keeps the dialog open, and another name closes it.
  appena<QFileDialog>([&](QFileDialog& f) {
    rispondi("&No", &domanda);
    scrivi(f, "partita");
    EXPECT_TRUE(f.isVisible());
    scrivi(f, "nuova");
  });
  EXPECT_EQ(p.dialogoSalva(d), in("nuova.vl2"));
  EXPECT_EQ(domanda, QString::fromStdString("Il file " + in("partita.vl2") + " esiste già.\nSostituirlo ?"));

  appena<QFileDialog>([&](QFileDialog& f) {
    rispondi("&Sì", nullptr);
    scrivi(f, "partita");
  });
  EXPECT_EQ(p.dialogoSalva(d), in("partita.vl2"));
}

TEST_F(DialogoFileQtProva, LaCartellaOIlFileDevonoEsistereEAnnullareNonDaNulla) {
  QString avviso;
  appena<QFileDialog>([&](QFileDialog& f) {
    rispondi("OK", &avviso);
    scrivi(f, cartella.filePath("manca/partita"));
    EXPECT_TRUE(f.isVisible());
    f.reject();
  });
  EXPECT_EQ(p.dialogoSalva(d), std::nullopt);
  EXPECT_EQ(avviso, QString::fromStdString("Impossibile trovare la cartella:\n\n" + in("manca")));

  d.titolo = "Carica gioco...";
  QFile(cartella.filePath("c'è.vl2")).open(QIODevice::WriteOnly);
  QString titolo, bottone;
  appena<QFileDialog>([&](QFileDialog& f) {
    titolo = f.windowTitle();
    bottone = f.labelText(QFileDialog::Accept);
    rispondi("OK", &avviso);
    scrivi(f, "non c'è.vl2");
    EXPECT_TRUE(f.isVisible());
    scrivi(f, "c'è.vl2");
  });
  EXPECT_EQ(p.dialogoApri(d), in("c'è.vl2"));
  EXPECT_EQ(titolo, "Carica gioco...");
  EXPECT_EQ(bottone, "Apri");
  EXPECT_EQ(avviso, QString::fromStdString("Impossibile trovare il file:\n\n" + in("non c'è.vl2")));
}

// Qt's own texts of the dialog (the columns of the file list, the places,
// the context menu) come from Qt's translations, loaded at start-up.
TEST_F(DialogoFileQtProva, ITestiDiQtSonoInItaliano) {
  QTranslator* traduttore = caricaTraduzioniQt();
  ASSERT_NE(traduttore, nullptr) << "Qt's Italian translations are not installed (qt6-translations-l10n)";
  QStringList colonne;
  appena<QFileDialog>([&](QFileDialog& f) {
    if (auto* modello = f.findChild<QFileSystemModel*>())
      for (int i = 0; i < modello->columnCount(); ++i) colonne << modello->headerData(i, Qt::Horizontal).toString();
    f.reject();
  });
  EXPECT_EQ(p.dialogoSalva(d), std::nullopt);
  QCoreApplication::removeTranslator(traduttore);
  delete traduttore;
  ASSERT_EQ(colonne.size(), 4);
  EXPECT_EQ(colonne[0], QStringLiteral("Nome"));
  EXPECT_EQ(colonne[1], QStringLiteral("Dimensione"));
  EXPECT_NE(colonne[3], QStringLiteral("Date Modified"));
}

}  // namespace
}  // namespace velmo::test
