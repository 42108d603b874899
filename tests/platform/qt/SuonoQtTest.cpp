// The sounds as the build made them and the program carries them: the 24
// cues read back from the program's resources, held against the cue table,
// and decoded; the start-up music beside the program; and the player's
// silence for what it cannot play.

#include <QApplication>
#include <QMessageBox>
#include <QResource>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "AmbienteQt.h"
#include "platform/qt/DecodificaSuono.h"
#include "platform/qt/SuonoQt.h"
#include "core/sound/SoundCue.h"

namespace velmo::test {
namespace {

// What a WAVE's header says: the format chunk and the length in frames
// (the fact chunk's for compressed data, else the data chunk's).
struct IntestazioneWave {
  int formato = 0, canali = 0, frequenza = 0, byteAlSecondo = 0, bit = 0;
  std::int64_t fotogrammi = 0;
};

std::optional<IntestazioneWave> leggiIntestazione(const QByteArray& dati) {
  auto n32 = [&](qsizetype i) {
    std::uint32_t v = 0;
    std::memcpy(&v, dati.constData() + i, 4);
    return static_cast<std::int64_t>(v);
  };
  auto n16 = [&](qsizetype i) {
    std::uint16_t v = 0;
    std::memcpy(&v, dati.constData() + i, 2);
    return static_cast<int>(v);
  };
  if (dati.size() < 12 || !dati.startsWith("RIFF") || dati.mid(8, 4) != "WAVE") return std::nullopt;
  if (n32(4) + 8 != dati.size()) return std::nullopt;  // the RIFF size covers the whole file
  IntestazioneWave w;
  std::optional<std::int64_t> fact, data;
  int blocco = 0;
  for (qsizetype i = 12; i + 8 <= dati.size();) {
    const QByteArray id = dati.mid(i, 4);
    const std::int64_t n = n32(i + 4);
    if (i + 8 + n > dati.size()) return std::nullopt;
    if (id == "fmt ") {
      w.formato = n16(i + 8);
      w.canali = n16(i + 10);
      w.frequenza = static_cast<int>(n32(i + 12));
      w.byteAlSecondo = static_cast<int>(n32(i + 16));
      blocco = n16(i + 20);
      w.bit = n16(i + 22);
    } else if (id == "fact") {
      fact = n32(i + 8);
    } else if (id == "data") {
      data = n;
    }
    i += 8 + n + (n & 1);
  }
  if (!data || blocco == 0) return std::nullopt;
  w.fotogrammi = w.formato == 1 ? *data / blocco : fact.value_or(-1);
  return w;
}

int tagDi(FormatoSuono f) {
  switch (f) {
    case FormatoSuono::pcm8:
    case FormatoSuono::pcm16: return 0x0001;
    case FormatoSuono::msAdpcm: return 0x0002;
    case FormatoSuono::mp3: return 0x0055;
  }
  return 0;
}

// All of a sound, decoded; with its peak and its first and last samples.
struct Decodificato {
  std::int64_t fotogrammi = 0;
  double piccoDbfs = -200, primo = 0, ultimo = 0;
};

Decodificato decodifica(DecodificaSuono& d) {
  Decodificato r;
  std::vector<std::int16_t> buf(4096 * static_cast<std::size_t>(d.canali()));
  int picco = 0;
  bool inizio = true;
  while (const std::size_t n = d.leggi(buf.data(), 4096)) {
    const std::size_t campioni = n * static_cast<std::size_t>(d.canali());
    for (std::size_t i = 0; i < campioni; ++i) picco = std::max(picco, std::abs(static_cast<int>(buf[i])));
    if (inizio) r.primo = std::abs(buf[0]) / 32768.0;
    r.ultimo = std::abs(buf[campioni - 1]) / 32768.0;
    inizio = false;
    r.fotogrammi += static_cast<std::int64_t>(n);
  }
  if (picco > 0) r.piccoDbfs = 20 * std::log10(picco / 32768.0);
  return r;
}

using SuonoQtProva = AmbienteQt;

TEST(RisorseSuono, Le24CueSonoQuelleDellaTabellaESiDecodificano) {
  std::printf("cue    tag    ch  rate   bits  length   table   bytes (table)   peak\n");
  for (const SoundCue& cue : soundCues) {
    SCOPED_TRACE(cue.id);
    const QResource risorsa(QStringLiteral(":/WAVE/") + QString::fromStdString(pfuncNomeRisorsa(cue)));
    ASSERT_TRUE(risorsa.isValid());
    EXPECT_EQ(risorsa.compressionAlgorithm(), QResource::NoCompression);  // read in place
    const QByteArray dati = risorsa.uncompressedData();
    const auto w = leggiIntestazione(dati);
    ASSERT_TRUE(w) << "not a complete RIFF WAVE";
    EXPECT_EQ(w->formato, tagDi(cue.formato));
    EXPECT_EQ(w->canali, cue.canali);
    EXPECT_EQ(w->frequenza, cue.frequenza);
    EXPECT_EQ(w->bit, pfuncBitCampione(cue.formato));
    if (cue.formato == FormatoSuono::mp3) {
      EXPECT_EQ(w->byteAlSecondo, byteAlSecondoMp3);
    }
    const double durata = static_cast<double>(w->fotogrammi) / w->frequenza;
    EXPECT_NEAR(durata, cue.durata, 0.02 * cue.durata);

    const auto d = DecodificaSuono::daMemoria(dati.constData(), static_cast<std::size_t>(dati.size()));
    ASSERT_TRUE(d) << "libsndfile cannot open it";
    const Decodificato letto = decodifica(*d);
    EXPECT_EQ(letto.fotogrammi, d->fotogrammi());
    EXPECT_NEAR(static_cast<double>(letto.fotogrammi) / d->frequenza(), cue.durata, 0.02 * cue.durata);
    // Shaped ends (no click), peaks around -3 dBFS and nothing clipped.
    EXPECT_LT(letto.primo, 0.01);
    EXPECT_LT(letto.ultimo, 0.01);
    EXPECT_GT(letto.piccoDbfs, -8.0);
    EXPECT_LT(letto.piccoDbfs, -1.0);
    std::printf("%s  0x%04x  %d  %5d  %2d    %.3f s  %.2f s  %6lld (%5d)  %5.1f dBFS\n", cue.id, w->formato, w->canali,
                w->frequenza, w->bit, durata, cue.durata, static_cast<long long>(dati.size()), cue.bytes,
                letto.piccoDbfs);
  }
}

TEST(RisorseSuono, LaMusicaInizialeStaAccantoAlProgramma) {
  const auto d = DecodificaSuono::daFile(VELMO_MUSICA_AVVIO);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->canali(), 2);
  const Decodificato letto = decodifica(*d);
  EXPECT_NEAR(static_cast<double>(letto.fotogrammi) / d->frequenza(), 22.0, 0.5);
  EXPECT_GT(letto.piccoDbfs, -6.0);
  EXPECT_LT(letto.piccoDbfs, -1.0);
  std::ifstream f(VELMO_MUSICA_AVVIO, std::ios::binary);
  char riff[4] = {};
  f.read(riff, 4);
  EXPECT_EQ(std::string(riff, 4), "RIFF");
}

TEST(RisorseSuono, CioCheNonESuonoNonSiApre) {
  const char testo[] = "RIFF per finta, WAVE per finta";
  EXPECT_FALSE(DecodificaSuono::daMemoria(testo, sizeof testo));
  // A real sound of the game, its container's name changed: only RIFF
  // WAVE is a sound (an RF64 with a runaway LIST hangs libsndfile).
  const QByteArray vera = QResource(QStringLiteral(":/WAVE/") + QString::fromStdString(pfuncNomeRisorsa(soundCues[0])))
                             .uncompressedData();
  ASSERT_TRUE(DecodificaSuono::daMemoria(vera.constData(), static_cast<std::size_t>(vera.size())));
  for (const auto& [inizio, forma] : {std::pair{"RF64", "WAVE"}, {"RIFX", "WAVE"}, {"RIFF", "AVI "}, {"FORM", "AIFF"}}) {
    QByteArray altra = vera;
    altra.replace(0, 4, inizio).replace(8, 4, forma);
    EXPECT_FALSE(DecodificaSuono::daMemoria(altra.constData(), static_cast<std::size_t>(altra.size())))
        << inizio << ' ' << forma;
  }
  EXPECT_FALSE(DecodificaSuono::daMemoria(nullptr, 0));
  EXPECT_FALSE(DecodificaSuono::daFile("/nessuna/cartella/Velmo.002"));
  EXPECT_FALSE(DecodificaSuono::daFile(VELMO_CARTELLA_SORGENTI "/README.md"));
}

// Only the format and the data reach libsndfile, so metadata around a
// sound, whole or damaged (sizes that wrap libsndfile's 32-bit sums and
// once sent its walk round for ever), leaves the same samples playing.
// What has no data to play, or no format before it, does not open.
TEST(RisorseSuono, IMetadatiIntornoAlSuonoNonCambianoCiCheSuona) {
  const auto le32 = [](std::uint32_t n) {
    return std::string{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                       static_cast<char>(n >> 24)};
  };
  const std::string fmt = std::string("fmt ") + le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(8000) +
                          le32(16000) + std::string("\x02\x00\x10\x00", 4);
  const std::vector<std::int16_t> campioni{1000, -2000, 3000, -4000};
  const std::string data =
      "data" + le32(8) + std::string(reinterpret_cast<const char*>(campioni.data()), 2 * campioni.size());
  const auto wave = [&](const std::string& corpo) {
    return "RIFF" + le32(static_cast<std::uint32_t>(corpo.size() + 4)) + "WAVE" + corpo;
  };
  const auto blocco = [&](const char* marcatore, const std::string& payload) {
    return marcatore + le32(static_cast<std::uint32_t>(payload.size())) + payload;
  };
  const std::string voceCheRiavvolge = std::string("\x01&VE", 4) + le32(0xfffffff7) + std::string(8, '\0');
  const struct {
    const char* caso;
    std::string file;
    bool siApre;
  } casi[] = {
      {"no metadata", wave(fmt + data), true},
      {"a LIST INFO with two entries",
       wave(fmt + blocco("LIST", "INFO" + blocco("ISFT", std::string("Velmo\0", 6)) + blocco("INAM", "nota")) + data),
       true},
      {"a LIST adtl with a label", wave(fmt + blocco("LIST", "adtl" + blocco("labl", le32(1) + "uno" + '\0')) + data),
       true},
      {"a LIST entry whose size wraps", wave(fmt + blocco("LIST", "INFO" + ("ISFT" + le32(0xfffffff8) + "abcd")) + data),
       true},
      {"a bare INFO whose entry wraps", wave(blocco("INFO", voceCheRiavvolge) + fmt + data), true},
      {"a LIST after the data whose entry wraps", wave(fmt + data + blocco("LIST", "INFO" + voceCheRiavvolge)), true},
      {"data inside a LIST", wave(fmt + blocco("LIST", "INFO" + blocco("data", "")) + data), true},
      {"cue points and a second format", wave(fmt + blocco("cue ", le32(0)) + fmt + data), true},
      {"a recording never closed: RIFF size 8, data size 0",
       "RIFF" + le32(8) + "WAVE" + fmt + "data" + le32(0) + data.substr(8), true},
      {"a LIST of 4 GB before the data", wave(fmt + "LIST" + le32(0xfffffff0) + "INFO" + data), false},
      {"the data before the format", wave(data + fmt), false},
      {"no data", wave(fmt), false},
      {"an empty format", wave(blocco("fmt ", "") + data), false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    const auto d = DecodificaSuono::daMemoria(c.file.data(), c.file.size());
    ASSERT_EQ(d != nullptr, c.siApre);
    if (!d) continue;
    std::vector<std::int16_t> letti(16);
    letti.resize(d->leggi(letti.data(), letti.size()));
    EXPECT_EQ(letti, campioni);
  }
}

// What cannot be played is skipped with no sound and no message, whether
// or not the machine has a sound device.
TEST_F(SuonoQtProva, CioCheNonSiPuoSuonareSiSaltaInSilenzio) {
  for (const char* id : {"id_25", "", "ID_1"}) {
    p.suonaRisorsa(id);
    EXPECT_FALSE(p.suono().inRiproduzione()) << id;
  }
  for (const char* file : {"/nessuna/cartella/Velmo.002", VELMO_CARTELLA_SORGENTI "/README.md"}) {
    p.suonaFile(file);
    EXPECT_FALSE(p.suono().inRiproduzione()) << file;
  }
  p.fermaSuono();
  QApplication::processEvents();
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<QMessageBox*>(w), nullptr);
}

}  // namespace
}  // namespace velmo::test
