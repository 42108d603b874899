#include "Wave.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace velmo::suoni {

namespace {

// libsndfile picks the MS ADPCM block from the rate: 512 bytes (1012
// samples, 46 ms) at 22050 Hz, too coarse for cues of half a second, whose
// length must be whole blocks. It is told 11025 Hz instead, which gives
// 256-byte blocks of 500 samples, valid at any rate, and the real rate is
// written into the format chunk afterwards.
constexpr int frequenzaBloccoAdpcm = 11025;
constexpr int campioniBloccoAdpcm = 500, byteBloccoAdpcm = 256;

// A file in memory for libsndfile's virtual I/O.
struct Memoria {
  Byte dati;
  sf_count_t pos = 0;
};

sf_count_t lunghezza(void* m) { return static_cast<sf_count_t>(static_cast<Memoria*>(m)->dati.size()); }

sf_count_t cerca(sf_count_t scarto, int da, void* m) {
  auto* mem = static_cast<Memoria*>(m);
  const sf_count_t base = da == SEEK_SET ? 0 : da == SEEK_CUR ? mem->pos : static_cast<sf_count_t>(mem->dati.size());
  mem->pos = std::max<sf_count_t>(0, base + scarto);
  return mem->pos;
}

sf_count_t leggi(void* dest, sf_count_t n, void* m) {
  auto* mem = static_cast<Memoria*>(m);
  const sf_count_t disponibili = std::max<sf_count_t>(0, static_cast<sf_count_t>(mem->dati.size()) - mem->pos);
  n = std::min(n, disponibili);
  if (n > 0) std::memcpy(dest, mem->dati.data() + mem->pos, static_cast<std::size_t>(n));
  mem->pos += n;
  return n;
}

sf_count_t scrivi(const void* sorgente, sf_count_t n, void* m) {
  auto* mem = static_cast<Memoria*>(m);
  const auto fine = static_cast<std::size_t>(mem->pos + n);
  if (fine > mem->dati.size()) mem->dati.resize(fine);
  std::memcpy(mem->dati.data() + mem->pos, sorgente, static_cast<std::size_t>(n));
  mem->pos += n;
  return n;
}

sf_count_t dove(void* m) { return static_cast<Memoria*>(m)->pos; }

// The track's samples interleaved, as libsndfile takes them.
std::vector<float> intercalati(const Traccia& t) {
  const std::size_t canali = t.stereo() ? 2 : 1;
  std::vector<float> v(t.campioni() * canali);
  for (std::size_t i = 0; i < t.campioni(); ++i) {
    v[i * canali] = static_cast<float>(t.sinistra[i]);
    if (canali == 2) v[i * canali + 1] = static_cast<float>(t.destra[i]);
  }
  return v;
}

Byte codificaSndfile(const Traccia& t, int formato, bool mp3, int frequenza) {
  SF_VIRTUAL_IO io{lunghezza, cerca, leggi, scrivi, dove};
  Memoria mem;
  SF_INFO info{};
  info.samplerate = frequenza;
  info.channels = t.stereo() ? 2 : 1;
  info.format = formato;
  SNDFILE* f = sf_open_virtual(&io, SFM_WRITE, &info, &mem);
  if (!f) throw std::runtime_error(std::string("libsndfile: ") + sf_strerror(nullptr));
  sf_command(f, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  if (mp3) {
    int modo = SF_BITRATE_MODE_CONSTANT;
    sf_command(f, SFC_SET_BITRATE_MODE, &modo, sizeof modo);
    // libsndfile maps the level 0..1 linearly onto 320..32 kbit/s.
    double livello = (320.0 - 128.0) / (320.0 - 32.0);
    sf_command(f, SFC_SET_COMPRESSION_LEVEL, &livello, sizeof livello);
  }
  const std::vector<float> campioni = intercalati(t);
  const auto fotogrammi = static_cast<sf_count_t>(t.campioni());
  if (sf_writef_float(f, campioni.data(), fotogrammi) != fotogrammi)
    throw std::runtime_error(std::string("libsndfile: ") + sf_strerror(f));
  if (sf_close(f) != 0) throw std::runtime_error("libsndfile: close failed");
  return std::move(mem.dati);
}

unsigned long leggi32(const Byte& b, std::size_t i) {
  return static_cast<unsigned long>(b.at(i)) | static_cast<unsigned long>(b.at(i + 1)) << 8 |
         static_cast<unsigned long>(b.at(i + 2)) << 16 | static_cast<unsigned long>(b.at(i + 3)) << 24;
}

void scrivi32(Byte& b, std::size_t i, unsigned long v) {
  for (int k = 0; k < 4; ++k) b.at(i + static_cast<std::size_t>(k)) = static_cast<unsigned char>((v >> (8 * k)) & 0xFF);
}

// Sets the rate and byte rate of a WAVE's format chunk.
void impostaFrequenza(Byte& wav, int frequenza, int byteBlocco, int campioniBlocco) {
  for (std::size_t i = 12; i + 8 <= wav.size(); i += 8 + ((leggi32(wav, i + 4) + 1) & ~1ul)) {
    if (std::memcmp(&wav[i], "fmt ", 4) != 0) continue;
    scrivi32(wav, i + 12, static_cast<unsigned long>(frequenza));
    scrivi32(wav, i + 16, static_cast<unsigned long>(frequenza) * byteBlocco / campioniBlocco);
    return;
  }
  throw std::runtime_error("no format chunk");
}

void aggiungi16(Byte& b, unsigned v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void aggiungi32(Byte& b, unsigned long v) {
  aggiungi16(b, static_cast<unsigned>(v & 0xFFFF));
  aggiungi16(b, static_cast<unsigned>((v >> 16) & 0xFFFF));
}

void aggiungiId(Byte& b, const char* id) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(id[i]));
}

// RIFF, an MPEGLAYER3WAVEFORMAT format chunk (30 bytes), a fact chunk with
// the number of sample frames, and the MPEG stream as the data chunk.
Byte avvolgiMp3(const Byte& flusso, const Traccia& t) {
  constexpr unsigned long byteAlSecondo = byteAlSecondoMp3;
  const unsigned canali = t.stereo() ? 2 : 1;
  Byte fmt;
  aggiungi16(fmt, 0x0055);  // WAVE_FORMAT_MPEGLAYER3
  aggiungi16(fmt, canali);
  aggiungi32(fmt, static_cast<unsigned long>(t.frequenza));
  aggiungi32(fmt, byteAlSecondo);
  aggiungi16(fmt, 1);   // block align: a byte stream
  aggiungi16(fmt, 0);   // bits per sample: not PCM
  aggiungi16(fmt, 12);  // size of what follows
  aggiungi16(fmt, 1);   // MPEGLAYER3_ID_MPEG
  aggiungi32(fmt, 0);   // MPEGLAYER3_FLAG_PADDING_ISO: frames padded as the standard says
  // The average frame: 1152 samples at the byte rate.
  aggiungi16(fmt, static_cast<unsigned>(1152 * byteAlSecondo / static_cast<unsigned long>(t.frequenza)));
  aggiungi16(fmt, 1);     // frames per block
  aggiungi16(fmt, 1105);  // codec delay: LAME's 576 samples plus the decoder's 529

  Byte wav;
  aggiungiId(wav, "RIFF");
  const std::size_t pad = flusso.size() % 2;
  aggiungi32(wav, 4 + (8 + fmt.size()) + (8 + 4) + (8 + flusso.size() + pad));
  aggiungiId(wav, "WAVE");
  aggiungiId(wav, "fmt ");
  aggiungi32(wav, fmt.size());
  wav.insert(wav.end(), fmt.begin(), fmt.end());
  aggiungiId(wav, "fact");
  aggiungi32(wav, 4);
  aggiungi32(wav, t.campioni());
  aggiungiId(wav, "data");
  aggiungi32(wav, flusso.size());
  wav.insert(wav.end(), flusso.begin(), flusso.end());
  if (pad) wav.push_back(0);
  return wav;
}

}  // namespace

std::size_t pfuncFotogrammi(const SoundCue& cue) {
  const double fotogrammi = cue.durata * cue.frequenza;
  if (cue.formato != FormatoSuono::msAdpcm) return static_cast<std::size_t>(std::lround(fotogrammi));
  return static_cast<std::size_t>(std::lround(fotogrammi / campioniBloccoAdpcm)) * campioniBloccoAdpcm;
}

Byte pfuncCodificaWave(const Traccia& t, FormatoSuono formato) {
  switch (formato) {
    case FormatoSuono::pcm8: return codificaSndfile(t, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, false, t.frequenza);
    case FormatoSuono::pcm16: return codificaSndfile(t, SF_FORMAT_WAV | SF_FORMAT_PCM_16, false, t.frequenza);
    case FormatoSuono::msAdpcm: {
      if (t.stereo() || t.campioni() % campioniBloccoAdpcm != 0)
        throw std::invalid_argument("MS ADPCM cues are mono and whole blocks long");
      Byte wav = codificaSndfile(t, SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, false, frequenzaBloccoAdpcm);
      impostaFrequenza(wav, t.frequenza, byteBloccoAdpcm, campioniBloccoAdpcm);
      return wav;
    }
    case FormatoSuono::mp3:
      return avvolgiMp3(codificaSndfile(t, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, true, t.frequenza), t);
  }
  throw std::invalid_argument("unknown sound format");
}

void psubScriviFile(const std::filesystem::path& percorso, const Byte& dati) {
  namespace fs = std::filesystem;
  std::error_code errore;
  // The game makes its start-up music read-only at every start.
  if (fs::exists(percorso, errore))
    fs::permissions(percorso, fs::perms::owner_write, fs::perm_options::add, errore);
  fs::path provvisorio = percorso;
  provvisorio += ".nuovo";
  {
    std::ofstream f(provvisorio, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(dati.data()), static_cast<std::streamsize>(dati.size()));
    if (!f.flush()) throw std::runtime_error("cannot write " + provvisorio.string());
  }
  fs::rename(provvisorio, percorso);
}

}  // namespace velmo::suoni
