// Plays a script of cues through the real platform, for the recording in
// suono_e2e.py: each argument is a cue id (played with psubSuonaWave), a
// file of sound to play from disk ("file:PATH"), a number of seconds to
// wait, "ferma" (psubFermaSuono), or "blocca:SECONDS", which holds the user
// interface's thread that long without processing any event, as a slow
// handler would. Prints the monotonic time of each step but the waits, in
// seconds, one per line.
//
//   velmo_suona id_09 0.5 id_15 0.5 id_06 0.4 ferma 0.6
//   velmo_suona file:build/Velmo.002 1.5 blocca:0.3 1.0 ferma

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "forms/ModGenerale.h"
#include "platform/qt/PiattaformaQt.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  velmo::modGenerale.piattaforma = &piattaforma;
  velmo::modGenerale.noSoundDevice = piattaforma.dispositiviAudio() < 1;
  auto adesso = [] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  };
  for (int i = 1; i < argc; ++i) {
    const std::string passo = argv[i];
    if (passo == "ferma") {
      std::printf("%.4f ferma\n", adesso());
      velmo::psubFermaSuono();
    } else if (passo.rfind("id_", 0) == 0) {
      std::printf("%.4f %s\n", adesso(), passo.c_str());
      velmo::psubSuonaWave(passo, velmo::sorgenteRisorse, 0);
    } else if (passo.rfind("file:", 0) == 0) {
      std::printf("%.4f file\n", adesso());
      velmo::psubSuonaWave(passo.substr(5), velmo::sorgenteDisco, 0);
    } else if (passo.rfind("blocca:", 0) == 0) {
      std::printf("%.4f blocca\n", adesso());
      std::this_thread::sleep_for(std::chrono::duration<double>(std::strtod(passo.c_str() + 7, nullptr)));
    } else {
      velmo::psubAttendi(std::strtof(passo.c_str(), nullptr));
    }
  }
  velmo::modGenerale.piattaforma = nullptr;
  return 0;
}
