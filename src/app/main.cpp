// The entry point: the real platform on Qt 6 and the game window.

#include <QApplication>

#include "common/ModGenerale.h"
#include "persistence/FileImpostazioni.h"
#include "platform/qt/PiattaformaQt.h"
#include "sound/Suono.h"
#include "ui/FrmGioco.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  velmo::modGenerale.piattaforma = &piattaforma;
  velmo::psubImpostaPercorsi();
  velmo::psubRilevaSchedaAudio();
  velmo::FrmGioco frmGioco;
  frmGioco.Show();
  return QApplication::exec();
}
