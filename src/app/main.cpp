// The entry point: the real platform on Qt 6, then the program's own start.

#include <QApplication>
#include <cstdio>

#include "forms/ModGenerale.h"
#include "platform/qt/AvvioQt.h"
#include "platform/qt/PiattaformaQt.h"
#include "forms/startup/Main.h"
#include "forms/game/FrmGioco.h"

int main(int argc, char* argv[]) {
  // Without a display Qt aborts with a message of its own: say why, and stop.
  if (const auto motivo = velmo::motivoSenzaDisplay()) {
    std::fprintf(stderr, "%s\n", motivo->c_str());
    return 1;
  }
  // On a Wayland desktop the program runs through XWayland, whose display
  // can be switched; a platform the user chose stands.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  velmo::caricaTraduzioniQt();
  velmo::PiattaformaQt piattaforma;
  piattaforma.gestisciSegnaliDiUscita();
  velmo::modGenerale.piattaforma = &piattaforma;
  velmo::FrmGioco frmGioco;  // loaded by the start-up, under the splash
  velmo::Main(frmGioco);
  return QApplication::exec();
}
