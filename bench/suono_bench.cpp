// How soon a cue starts: the time from psubSuonaWave to the first samples
// handed to the sound output, for every cue and for the start-up music file,
// on the real platform. The target is under 30 ms. It needs a sound server;
// bench/suono_bench.py starts a private one with a null sink and runs this.
//
//   suono_bench [start-up music file]

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "forms/ModGenerale.h"
#include "platform/qt/PiattaformaQt.h"
#include "platform/qt/SuonoQt.h"
#include "core/sound/SoundCue.h"

namespace {

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Milliseconds from the call to the first samples written; -1 if none were.
double ritardo(velmo::PiattaformaQt& p, const std::string& suono, const char* sorgente) {
  velmo::psubSuonaWave(suono, sorgente, 0);
  const auto r = p.suono().ritardoPrimoCampione();
  // Let it play a little, as a game would, before the next one cuts it.
  velmo::psubAttendi(0.15f);
  return r ? std::chrono::duration<double, std::milli>(*r).count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  velmo::modGenerale.piattaforma = &piattaforma;
  if (piattaforma.dispositiviAudio() < 1) {
    std::printf("no audio output: run bench/suono_bench.py, which starts a sound server\n");
    return 1;
  }

  constexpr int giri = 5;
  std::vector<double> tutti;
  std::printf("time from psubSuonaWave to the first sample written, median of %d plays:\n", giri);
  for (const velmo::SoundCue& cue : velmo::soundCues) {
    std::vector<double> misure;
    for (int i = 0; i < giri; ++i) misure.push_back(ritardo(piattaforma, cue.id, velmo::sorgenteRisorse));
    if (std::ranges::any_of(misure, [](double m) { return m < 0; })) {
      std::printf("  %s: no sample was written\n", cue.id);
      return 1;
    }
    tutti.insert(tutti.end(), misure.begin(), misure.end());
    std::printf("  %s  %6.2f ms\n", cue.id, mediana(misure));
  }
  std::printf("all cues: median %.2f ms, slowest %.2f ms (target under 30 ms)\n", mediana(tutti),
              *std::ranges::max_element(tutti));

  if (argc > 1) {
    std::vector<double> misure;
    for (int i = 0; i < giri; ++i) misure.push_back(ritardo(piattaforma, argv[1], velmo::sorgenteDisco));
    std::printf("start-up music from its file: median %.2f ms\n", mediana(misure));
  }
  velmo::psubFermaSuono();
  velmo::modGenerale.piattaforma = nullptr;
  return 0;
}
