#pragma once
// The two files beside the program: their paths, the check that they are
// there before the program starts, the launch counter and the reminder about
// a missing sound device, both kept in the settings file.

#include <cstdint>

namespace velmo {

// The settings and start-up music paths: the program's folder, "/" and the
// file name.
void psubImpostaPercorsi();

// Both files must hold at least one byte, or the missing-file message (with
// the "." after the path) names the first one absent and the program ends.
// The music file is then made read-only.
void psubVerificaFileAvvio();

// Counts this start in the settings file and returns the new count: the
// stored one rounded to a whole number (halves to even), plus one up to the
// ceiling 32767. A stored text that holds no number, or one outside the
// 16-bit range, counts as 0.
std::int16_t pfuncContaAvvio();

// Whether to warn again about a missing sound device: the stored value is
// exactly "si", blanks around it aside.
bool pfuncRicordaSchedaAudio();

}  // namespace velmo
