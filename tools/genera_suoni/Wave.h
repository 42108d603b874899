#pragma once
// A finished track written as a complete RIFF WAVE in one of the cue
// formats, and files written so that a build stopped half way never leaves
// half a file.

#include <filesystem>
#include <vector>

#include "Sintesi.h"
#include "core/sound/SoundCue.h"

namespace velmo::suoni {

using Byte = std::vector<unsigned char>;

// The number of sample frames a cue is made of: its length at its rate,
// rounded to whole blocks for MS ADPCM, so that no block is left half full.
std::size_t pfuncFotogrammi(const SoundCue& cue);

// PCM and MS ADPCM through libsndfile; MPEG layer 3 (constant 128 kbit/s)
// encoded by libsndfile as a bare stream and wrapped here in a WAVE with
// format tag 0x55, as libsndfile does not write that wrapper itself.
Byte pfuncCodificaWave(const Traccia& t, FormatoSuono formato);

// Writes beside the target and renames over it; a read-only target is made
// writable first.
void psubScriviFile(const std::filesystem::path& percorso, const Byte& dati);

}  // namespace velmo::suoni
