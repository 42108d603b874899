#pragma once
// The program's folder on this machine: the facts the rule needs, read
// from the executable's place and the environment, and the player's own
// folder made and seeded on first use.

#include "core/system/CartellaProgramma.h"

namespace velmo {

SceltaCartella sceltaCartellaQt();

// Makes the folder and copies into it each of the two files it lacks from
// the seed folder. A file already there is never replaced, whatever it
// holds: it is the player's. False when the folder cannot be made or a
// copy fails; the start-up check then names the file that is missing.
bool preparaCartella(const SceltaCartella& scelta);

}  // namespace velmo
