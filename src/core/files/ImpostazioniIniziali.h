#pragma once
// The settings file of a fresh installation: launch counter 0, the sound
// device reminder on, and an empty leaderboard ("vuoto" in every place).
// The build writes it beside the program when none is there.

#include <string>

namespace velmo {

// Sections and keys of the settings file.
namespace impostazioni {
inline constexpr const char* sezioneAvvii = "Toob";
inline constexpr const char* chiaveAvvii = "k";
inline constexpr const char* sezioneAvvisoAudio = "frmSchedaAudioAssente.chkRicordamelo";
inline constexpr const char* chiaveAvvisoAudio = "value";
inline constexpr const char* sezioneNome = "Nome";
inline constexpr const char* sezioneInfo = "Info";
inline constexpr const char* sezionePunteggio = "Punteggio";
// An empty place of the leaderboard.
inline constexpr const char* vuoto = "vuoto";
}  // namespace impostazioni

// The file's bytes, lines ending with CR LF.
std::string testoImpostazioniIniziali();

}  // namespace velmo
