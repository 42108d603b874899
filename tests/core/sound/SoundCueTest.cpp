// The cue table row by row, written out here apart from the table the build
// synthesises from, so that a slip in either shows.

#include "core/sound/SoundCue.h"

#include <gtest/gtest.h>

#include <string>

namespace velmo {
namespace {

struct Riga {
  const char* id;
  int bytes;
  FormatoSuono formato;
  int canali, frequenza;
  double durata;
};

using F = FormatoSuono;
// clang-format off
constexpr Riga righe[] = {
    {"id_01",   936, F::pcm8,    1, 11025, 0.08},
    {"id_02",  1840, F::pcm8,    1, 11025, 0.16},
    {"id_03", 36008, F::pcm8,    1, 22050, 1.63},
    {"id_04", 20536, F::pcm8,    1, 22050, 0.93},
    {"id_05",  4204, F::msAdpcm, 1, 11025, 0.72},
    {"id_06", 69492, F::pcm8,    1, 11025, 6.30},
    {"id_07", 22088, F::pcm16,   1, 22050, 0.50},
    {"id_08", 13588, F::pcm8,    1, 11025, 1.23},
    {"id_09", 83852, F::pcm8,    1, 22050, 3.80},
    {"id_10", 32128, F::mp3,     2, 44100, 2.00},
    {"id_11", 82028, F::pcm8,    1, 22050, 3.72},
    {"id_12", 25476, F::pcm8,    1, 11025, 2.31},
    {"id_13", 13216, F::pcm8,    1, 11025, 1.19},
    {"id_14", 18112, F::pcm8,    1, 11025, 1.64},
    {"id_15",   816, F::pcm8,    1, 11025, 0.07},
    {"id_16", 11472, F::pcm16,   1, 22050, 0.26},
    {"id_17",  9964, F::pcm16,   1, 22050, 0.18},
    {"id_18", 31060, F::pcm8,    1, 11025, 2.81},
    {"id_19", 37720, F::pcm8,    1, 10989, 3.43},
    {"id_20", 21480, F::msAdpcm, 1, 22050, 1.81},
    {"id_21",  6028, F::msAdpcm, 1, 22050, 0.45},
    {"id_22",  6944, F::msAdpcm, 1, 22050, 0.53},
    {"id_23", 43120, F::pcm8,    1, 22050, 1.86},
    {"id_24",  5996, F::pcm8,    1, 11025, 0.54},
};
// clang-format on

TEST(SoundCue, LaTabellaRigaPerRiga) {
  static_assert(std::size(righe) == soundCues.size());
  for (std::size_t i = 0; i < soundCues.size(); ++i) {
    const Riga& r = righe[i];
    const SoundCue& c = soundCues[i];
    SCOPED_TRACE(r.id);
    EXPECT_EQ(std::string(c.id), r.id);
    EXPECT_EQ(c.bytes, r.bytes);
    EXPECT_EQ(c.formato, r.formato);
    EXPECT_EQ(c.canali, r.canali);
    EXPECT_EQ(c.frequenza, r.frequenza);
    EXPECT_EQ(c.durata, r.durata);
  }
  EXPECT_EQ(byteAlSecondoMp3, 16000);
}

}  // namespace
}  // namespace velmo
