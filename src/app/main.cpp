// The entry point: the real platform on Qt 6, then the program's own start.

#include <QApplication>

#include "forms/ModGenerale.h"
#include "platform/qt/PiattaformaQt.h"
#include "forms/startup/Main.h"
#include "forms/game/FrmGioco.h"

int main(int argc, char* argv[]) {
  // On a Wayland desktop the program runs through XWayland, whose display
  // can be switched; a platform the user chose stands.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  piattaforma.gestisciSegnaliDiUscita();
  velmo::modGenerale.piattaforma = &piattaforma;
  velmo::FrmGioco frmGioco;  // loaded by the start-up, under the splash
  velmo::Main(frmGioco);
  return QApplication::exec();
}
