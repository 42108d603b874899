#pragma once
// The 24 sound cues the program carries inside itself, as resources of type
// "WAVE" named "ID_01".."ID_24": the format, rate, channels and length of
// each. The build synthesises them to this table and the tests hold the
// built resources against it.

#include <array>
#include <string>
#include <string_view>

namespace velmo {

enum class FormatoSuono { pcm8, pcm16, msAdpcm, mp3 };

struct SoundCue {
  const char* id;  // "id_01": the program's own name for it
  int bytes;       // the resource size of the cue set this one replaces; a guide
  FormatoSuono formato;
  int canali;
  int frequenza;  // sample frames per second
  double durata;  // seconds
};

// Bits per sample in the format chunk: 4 for MS ADPCM, 0 for MPEG layer 3.
constexpr int pfuncBitCampione(FormatoSuono f) {
  switch (f) {
    case FormatoSuono::pcm8: return 8;
    case FormatoSuono::pcm16: return 16;
    case FormatoSuono::msAdpcm: return 4;
    case FormatoSuono::mp3: return 0;
  }
  return 0;
}

// "id_10" is MPEG layer 3 at a constant 128 kbit/s.
inline constexpr int byteAlSecondoMp3 = 16000;

inline constexpr const char* tipoRisorsaSuono = "WAVE";

// clang-format off
inline constexpr std::array<SoundCue, 24> soundCues{{
    {"id_01",   936, FormatoSuono::pcm8,    1, 11025, 0.08},  // a settings item is chosen
    {"id_02",  1840, FormatoSuono::pcm8,    1, 11025, 0.16},  // leaderboard closes; intro typing
    {"id_03", 36008, FormatoSuono::pcm8,    1, 22050, 1.63},  // the match is lost
    {"id_04", 20536, FormatoSuono::pcm8,    1, 22050, 0.93},  // the pause window opens
    {"id_05",  4204, FormatoSuono::msAdpcm, 1, 11025, 0.72},  // the pause ends
    {"id_06", 69492, FormatoSuono::pcm8,    1, 11025, 6.30},  // the leaderboard is reset
    {"id_07", 22088, FormatoSuono::pcm16,   1, 22050, 0.50},  // the player wins a round
    {"id_08", 13588, FormatoSuono::pcm8,    1, 11025, 1.23},  // the computer wins a round
    {"id_09", 83852, FormatoSuono::pcm8,    1, 22050, 3.80},  // four in a row
    {"id_10", 32128, FormatoSuono::mp3,     2, 44100, 2.00},  // the program quits
    {"id_11", 82028, FormatoSuono::pcm8,    1, 22050, 3.72},  // source code window
    {"id_12", 25476, FormatoSuono::pcm8,    1, 11025, 2.31},  // rules window
    {"id_13", 13216, FormatoSuono::pcm8,    1, 11025, 1.19},  // about window
    {"id_14", 18112, FormatoSuono::pcm8,    1, 11025, 1.64},  // the leaderboard opens
    {"id_15",   816, FormatoSuono::pcm8,    1, 11025, 0.07},  // a piece is dropped
    {"id_16", 11472, FormatoSuono::pcm16,   1, 22050, 0.26},  // intro: "- CONTATTAMI -"
    {"id_17",  9964, FormatoSuono::pcm16,   1, 22050, 0.18},  // intro: the disc lights up
    {"id_18", 31060, FormatoSuono::pcm8,    1, 11025, 2.81},  // intro: the line shoots out
    {"id_19", 37720, FormatoSuono::pcm8,    1, 10989, 3.43},  // intro: the logo blinks
    {"id_20", 21480, FormatoSuono::msAdpcm, 1, 22050, 1.81},  // intro: the show has ended
    {"id_21",  6028, FormatoSuono::msAdpcm, 1, 22050, 0.45},  // undo lifts the computer's piece
    {"id_22",  6944, FormatoSuono::msAdpcm, 1, 22050, 0.53},  // undo lifts the player's piece
    {"id_23", 43120, FormatoSuono::pcm8,    1, 22050, 1.86},  // keyboard window
    {"id_24",  5996, FormatoSuono::pcm8,    1, 11025, 0.54},  // thanks window
}};
// clang-format on

// The cue of a name, whatever its case ("id_15", "ID_15"); nullptr for none.
const SoundCue* pfuncCercaCue(std::string_view id);

// The resource name of a cue: its id in capitals, "ID_15".
std::string pfuncNomeRisorsa(const SoundCue& cue);

}  // namespace velmo
