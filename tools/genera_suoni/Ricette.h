#pragma once
// What each sound of the program is: the 24 cues and the start-up music,
// composed from the instruments of Sintesi.h.

#include "Sintesi.h"
#include "core/sound/SoundCue.h"

namespace velmo::suoni {

// The cue at the rate, channels and length of its table entry, finished.
Traccia pfuncComponiCue(const SoundCue& cue);

// The start-up music: about 22 seconds of a tune with its harmony, stereo
// at 44100 Hz, finished.
Traccia pfuncComponiMusicaAvvio();

}  // namespace velmo::suoni
