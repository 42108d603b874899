#pragma once
// The start of the program: one copy only, the display and system checks,
// the sound device, the two files, the splash with the launch counter, the
// start-up music, and the game window.

namespace velmo {

class FrmGioco;

// Runs the start-up and returns with the game window shown; the program
// then lives in it. A failed check ends the program after its message.
void Main(FrmGioco& frmGioco);

}  // namespace velmo
