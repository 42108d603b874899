#pragma once
// The sound settings of the start-up sequence: counting the sound outputs
// and starting the start-up music with its guard. The player itself is
// psubSuonaWave of the general module; the sound items and the guard's timer
// belong to the game window.

namespace velmo {

class FrmGioco;

// The start-up music guard, in milliseconds: while the game window's
// tmrWaveMp3 has this interval the music may still be playing, and the
// guarded cues stay silent.
inline constexpr int intervalloGuardiaMusica = 22500;

// Sets `noSoundDevice` when the system reports no sound output. An
// unexpected error shows "Errore inaspettato nella configurazione audio..."
// and counts as no device.
void psubRilevaSchedaAudio();

// Starts the start-up music from its file (source "Disco", no wait), then
// loads the game window if need be and arms its guard.
void psubSuonaMusicaAvvio(FrmGioco& frmGioco);

}  // namespace velmo
