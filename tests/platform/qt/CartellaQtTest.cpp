// The player's own folder: made on first use, seeded with the files it
// lacks, and a file already there is never replaced.

#include "platform/qt/CartellaQt.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "AmbienteQt.h"

namespace velmo::test {
namespace {

QByteArray contenuto(const QString& percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<assente>");
}

void scrivi(const QString& percorso, const QByteArray& byte) {
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(byte);
}

struct CartellaQt : testing::Test {
  QTemporaryDir radice;
  QString semi = radice.path() + "/share/velmo", giocatore = radice.path() + "/dati/velmo";
  SceltaCartella scelta{giocatore.toStdString(), semi.toStdString()};
  CartellaQt() {
    applicazioneQt();
    QDir().mkpath(semi);
    scrivi(semi + "/Velmo.001", "[Toob]\r\nk=0\r\n");
    scrivi(semi + "/Velmo.002", "RIFF musica");
    QFile(semi + "/Velmo.002").setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadOther);
  }
};

TEST_F(CartellaQt, LaPrimaVoltaCreaECopiaIDueFileScrivibili) {
  ASSERT_TRUE(preparaCartella(scelta));
  EXPECT_EQ(contenuto(giocatore + "/Velmo.001"), "[Toob]\r\nk=0\r\n");
  EXPECT_EQ(contenuto(giocatore + "/Velmo.002"), "RIFF musica");
  EXPECT_TRUE(QFile(giocatore + "/Velmo.002").permissions() & QFileDevice::WriteOwner);
}

TEST_F(CartellaQt, IFileDelGiocatoreNonSonoMaiSostituiti) {
  QDir().mkpath(giocatore);
  scrivi(giocatore + "/Velmo.001", "[Toob]\r\nk=41\r\n");
  scrivi(giocatore + "/Velmo.002", "");  // even an empty one is the player's
  ASSERT_TRUE(preparaCartella(scelta));
  EXPECT_EQ(contenuto(giocatore + "/Velmo.001"), "[Toob]\r\nk=41\r\n");
  EXPECT_EQ(contenuto(giocatore + "/Velmo.002"), "");

  QFile::remove(giocatore + "/Velmo.002");  // a file gone comes back; the other stays
  ASSERT_TRUE(preparaCartella(scelta));
  EXPECT_EQ(contenuto(giocatore + "/Velmo.001"), "[Toob]\r\nk=41\r\n");
  EXPECT_EQ(contenuto(giocatore + "/Velmo.002"), "RIFF musica");
}

TEST_F(CartellaQt, UnaCartellaImpossibileOSemiMancantiSonoUnFallimento) {
  scrivi(radice.path() + "/file", "x");  // a file where a folder should be: refused even to root
  EXPECT_FALSE(preparaCartella({(radice.path() + "/file/velmo").toStdString(), semi.toStdString()}));
  EXPECT_FALSE(preparaCartella({giocatore.toStdString(), (radice.path() + "/nessuna").toStdString()}));
  EXPECT_EQ(contenuto(giocatore + "/Velmo.001"), "<assente>");
}

TEST_F(CartellaQt, DallaCartellaDiBuildNullaCambia) {
  // The test program runs from a writable build folder with no installation.
  const SceltaCartella s = sceltaCartellaQt();
  EXPECT_EQ(s.cartella, QCoreApplication::applicationDirPath().toStdString());
  EXPECT_TRUE(s.cartellaSemi.empty());
  EXPECT_TRUE(preparaCartella(s));
}

}  // namespace
}  // namespace velmo::test
