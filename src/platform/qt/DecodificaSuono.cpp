#include "platform/qt/DecodificaSuono.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace velmo {

// libsndfile 1.2 walks every chunk of a WAVE file, its metadata too, and
// damaged metadata can send that walk round for ever: a LIST or a bare
// INFO whose entry sizes wrap its 32-bit sums, a LIST of 4 GB in a file of
// 138 bytes. A sound needs only its format and its data, so libsndfile is
// given just those: a head of three chunks rebuilt from the file's own
// "fmt " chunk, followed by the file's data read in place. Lists, cue
// points, loops and whatever follows the data never reach it, and a sound
// whose metadata is damaged still plays.
// Only RIFF WAVE files are sounds here, since the cues and the music are
// nothing else: RF64, RIFX and libsndfile's many other parsers are more of
// its code that no sound of the game needs.
struct DecodificaSuono::Sorgente {
  // The file as it is: in memory, or on disk.
  const char* memoria = nullptr;
  std::ifstream disco;
  std::int64_t byteFile = 0;

  // What libsndfile sees: the rebuilt head, then the data's span of the file.
  std::vector<char> testa;
  std::int64_t inizioDati = 0, byteDati = 0, pos = 0;

  // Up to n bytes of the file from `da`; how many were read.
  std::size_t dalFile(std::int64_t da, char* dest, std::size_t n) {
    if (n == 0 || da < 0 || da >= byteFile) return 0;  // memcpy wants real pointers even for nothing
    n = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(n), byteFile - da));
    if (memoria) {
      std::memcpy(dest, memoria + da, n);
      return n;
    }
    disco.clear();
    disco.seekg(da);
    disco.read(dest, static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(disco.gcount());
  }

  bool letto(std::int64_t da, char* dest, std::size_t n) { return dalFile(da, dest, n) == n; }

  std::int64_t byteVisti() const { return static_cast<std::int64_t>(testa.size()) + byteDati; }

  bool ricostruisci();
  sf_count_t leggi(char* dest, sf_count_t n);
};

namespace {

std::int64_t le32(const char* b) {
  const auto u = [&](int i) { return std::int64_t{static_cast<unsigned char>(b[i])}; };
  return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

void aggiungi32(std::vector<char>& v, std::int64_t n) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<char>(n >> (8 * i)));
}

void aggiungi(std::vector<char>& v, const char* marcatore) { v.insert(v.end(), marcatore, marcatore + 4); }

// WAVEFORMATEX and the longest extension its cbSize can announce.
constexpr std::int64_t fmtMassimo = 18 + 65535;

}  // namespace

// Walks the chunks up to "data" with 64-bit sums, each step at least eight
// bytes on: the first "fmt " is kept (a second one is ignored, as
// libsndfile ignores it). Nothing to play: no "data", or no "fmt " before
// it, or a chunk before it that runs past the end.
bool DecodificaSuono::Sorgente::ricostruisci() {
  std::array<char, 12> riff{};
  if (!letto(0, riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
      std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
    return false;
  std::optional<std::vector<char>> fmt;
  std::int64_t da = 12, dimensione = 0;
  for (;;) {
    std::array<char, 8> blocco{};
    if (da + 8 > byteFile || !letto(da, blocco.data(), blocco.size())) return false;
    dimensione = le32(blocco.data() + 4);
    if (std::memcmp(blocco.data(), "data", 4) == 0) break;
    if (da + 8 + dimensione > byteFile) return false;
    if (std::memcmp(blocco.data(), "fmt ", 4) == 0 && !fmt) {
      if (dimensione > fmtMassimo) return false;
      // Kept even, so the data's chunk starts on the boundary libsndfile
      // expects; the pad byte lies past what cbSize announces.
      fmt.emplace(static_cast<std::size_t>(dimensione + (dimensione & 1)), '\0');
      if (!letto(da + 8, fmt->data(), static_cast<std::size_t>(dimensione))) return false;
    }
    da += 8 + dimensione + (dimensione & 1);
  }
  if (!fmt) return false;
  inizioDati = da + 8;
  // A data chunk that claims more than there is plays what is there; a
  // recording never closed (RIFF size 8, data size 0) plays it all, as
  // libsndfile plays it.
  byteDati = dimensione == 0 && le32(riff.data() + 4) == 8 ? byteFile - inizioDati
                                                           : std::min(dimensione, byteFile - inizioDati);
  const auto byteFmt = static_cast<std::int64_t>(fmt->size());
  aggiungi(testa, "RIFF");
  aggiungi32(testa, std::min<std::int64_t>(4 + 8 + byteFmt + 8 + byteDati, 0xffffffff));
  aggiungi(testa, "WAVE");
  aggiungi(testa, "fmt ");
  aggiungi32(testa, byteFmt);
  testa.insert(testa.end(), fmt->begin(), fmt->end());
  aggiungi(testa, "data");
  aggiungi32(testa, byteDati);
  return true;
}

sf_count_t DecodificaSuono::Sorgente::leggi(char* dest, sf_count_t n) {
  n = std::clamp<sf_count_t>(n, 0, byteVisti() - pos);
  if (n == 0) return 0;
  sf_count_t fatti = 0;
  const auto inTesta = static_cast<sf_count_t>(testa.size());
  if (pos < inTesta) {
    fatti = std::min(n, inTesta - pos);
    std::memcpy(dest, testa.data() + pos, static_cast<std::size_t>(fatti));
  }
  if (fatti < n)
    fatti += static_cast<sf_count_t>(
        dalFile(inizioDati + pos + fatti - inTesta, dest + fatti, static_cast<std::size_t>(n - fatti)));
  pos += fatti;
  return fatti;
}

DecodificaSuono::DecodificaSuono() = default;

std::unique_ptr<DecodificaSuono> DecodificaSuono::daMemoria(const void* dati, std::size_t byte) {
  if (!dati || byte == 0) return nullptr;
  auto s = std::make_unique<Sorgente>();
  s->memoria = static_cast<const char*>(dati);
  s->byteFile = static_cast<std::int64_t>(byte);
  return daSorgente(std::move(s));
}

std::unique_ptr<DecodificaSuono> DecodificaSuono::daFile(const std::string& percorso) {
  auto s = std::make_unique<Sorgente>();
  s->disco.open(percorso, std::ios::binary | std::ios::ate);
  if (!s->disco) return nullptr;
  s->byteFile = s->disco.tellg();
  return daSorgente(std::move(s));
}

std::unique_ptr<DecodificaSuono> DecodificaSuono::daSorgente(std::unique_ptr<Sorgente> sorgente) {
  if (sorgente->byteFile <= 0 || !sorgente->ricostruisci()) return nullptr;
  std::unique_ptr<DecodificaSuono> d(new DecodificaSuono);
  d->sorgente_ = std::move(sorgente);
  // libsndfile's virtual I/O over the rebuilt sound, read only.
  static SF_VIRTUAL_IO io{
      [](void* s) -> sf_count_t { return static_cast<Sorgente*>(s)->byteVisti(); },
      [](sf_count_t scarto, int da, void* s) -> sf_count_t {
        auto* src = static_cast<Sorgente*>(s);
        const sf_count_t base = da == SEEK_SET ? 0 : da == SEEK_CUR ? src->pos : src->byteVisti();
        src->pos = std::clamp<sf_count_t>(base + scarto, 0, src->byteVisti());
        return src->pos;
      },
      [](void* dest, sf_count_t n, void* s) -> sf_count_t {
        return static_cast<Sorgente*>(s)->leggi(static_cast<char*>(dest), n);
      },
      [](const void*, sf_count_t, void*) -> sf_count_t { return 0; },
      [](void* s) -> sf_count_t { return static_cast<Sorgente*>(s)->pos; }};
  SF_INFO info{};
  SNDFILE* f = sf_open_virtual(&io, SFM_READ, &info, d->sorgente_.get());
  return d->apri(f) ? std::move(d) : nullptr;
}

bool DecodificaSuono::apri(SNDFILE* f) {
  if (!f) return false;
  file_ = f;
  SF_INFO info{};
  sf_command(f, SFC_GET_CURRENT_SF_INFO, &info, sizeof info);
  canali_ = info.channels;
  frequenza_ = info.samplerate;
  fotogrammi_ = info.frames;
  // Only what a sound card takes: one or two channels at a real rate.
  return canali_ >= 1 && canali_ <= 2 && frequenza_ >= 1000 && frequenza_ <= 192000;
}

DecodificaSuono::~DecodificaSuono() {
  if (file_) sf_close(file_);
}

std::size_t DecodificaSuono::leggi(std::int16_t* destinazione, std::size_t fotogrammi) {
  if (finito_) return 0;
  // libsndfile's MPEG decoder may give more frames after a read that gave
  // none (a damaged stream that it resynchronises on): the end is the end.
  const sf_count_t letti = sf_readf_short(file_, destinazione, static_cast<sf_count_t>(fotogrammi));
  if (letti <= 0) {
    finito_ = true;
    return 0;
  }
  return static_cast<std::size_t>(letti);
}

}  // namespace velmo
