// Makes the program's sounds at build time: the 24 cues as WAVE files named
// after their resources (ID_01.wav ...) in one folder, and the start-up
// music file.
//
//   genera_suoni <cue folder> <start-up music file>

#include <cstdio>
#include <exception>
#include <filesystem>

#include "Ricette.h"
#include "Wave.h"

int main(int argc, char* argv[]) {
  using namespace velmo;
  using namespace velmo::suoni;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <cue folder> <start-up music file>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path cartella = argv[1];
    std::filesystem::create_directories(cartella);
    for (const SoundCue& cue : soundCues)
      psubScriviFile(cartella / (pfuncNomeRisorsa(cue) + ".wav"), pfuncCodificaWave(pfuncComponiCue(cue), cue.formato));
    psubScriviFile(argv[2], pfuncCodificaWave(pfuncComponiMusicaAvvio(), FormatoSuono::mp3));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "genera_suoni: %s\n", e.what());
    return 1;
  }
  return 0;
}
