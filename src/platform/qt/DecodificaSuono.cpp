#include "platform/qt/DecodificaSuono.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <functional>

namespace velmo {

namespace {

// A RIFF file whose chunks before "data" claim more bytes than the file
// holds is damaged, and libsndfile 1.2 may never return from opening one
// (a LIST chunk of 4 GB in a file of 138 bytes loops for minutes; so does a
// LIST whose own sub-chunk claims 4 GB). Such a file is no sound: it is
// refused before libsndfile sees it. The data chunk itself may claim more
// than there is (a truncated sound plays what is there).
// Only RIFF WAVE files are sounds here, since the cues and the music are
// nothing else: RF64 and RIFX walk the same chunks through the same loops
// (an RF64 with that LIST hangs just the same), and libsndfile's many
// other parsers are more of its code that no sound of the game needs.
// `leggi(pos, dest, n)` reads n bytes at pos, false past the end.
using Leggi = std::function<bool(std::int64_t, char*, std::size_t)>;

// The little-endian 32-bit number at pos.
bool letto32(std::int64_t pos, std::int64_t& valore, const Leggi& leggi) {
  std::array<unsigned char, 4> b{};
  if (!leggi(pos, reinterpret_cast<char*>(b.data()), b.size())) return false;
  valore = b[0] | b[1] << 8 | b[2] << 16 | std::int64_t{b[3]} << 24;
  return true;
}

// A LIST's payload, walked the way libsndfile walks it: "INFO" and "adtl"
// stand alone wherever they come (so a LIST's type is just one more
// marker), four zero bytes end the walk, anything else is followed by its
// size. libsndfile adds those sizes in 32 bits, so one that runs past the
// LIST wraps the sum and can send it backwards for ever: refused here. So
// are "data" (it backs libsndfile out mid-LIST, off the chunk boundaries
// this walk has checked) and "exif" (a walk of its own).
bool listaEntro(std::int64_t pos, std::int64_t fine, const Leggi& leggi) {
  while (pos + 4 <= fine) {
    std::array<char, 4> marcatore{};
    if (!leggi(pos, marcatore.data(), marcatore.size())) return false;
    const auto e = [&](const char* nome) { return std::memcmp(marcatore.data(), nome, 4) == 0; };
    if (e("INFO") || e("adtl")) {
      pos += 4;
      continue;
    }
    if (e("\0\0\0\0")) return true;
    if (e("data") || e("exif")) return false;
    std::int64_t dimensione = 0;
    if (pos + 8 > fine || !letto32(pos + 4, dimensione, leggi)) return false;
    dimensione += dimensione & 1;
    if (pos + 8 + dimensione > fine) return false;
    pos += 8 + dimensione;
  }
  return true;
}

// The chunks from `pos` to `fine` each end before `fine`, up to "data";
// a LIST must hold at least its type, and its payload passes listaEntro.
bool chunkEntro(std::int64_t pos, std::int64_t fine, const Leggi& leggi) {
  while (pos + 8 <= fine) {
    std::array<char, 4> marcatore{};
    if (!leggi(pos, marcatore.data(), marcatore.size())) return false;
    if (std::memcmp(marcatore.data(), "data", 4) == 0) return true;
    std::int64_t dimensione = 0;
    if (!letto32(pos + 4, dimensione, leggi) || pos + 8 + dimensione > fine) return false;
    if (std::memcmp(marcatore.data(), "LIST", 4) == 0 &&
        (dimensione < 4 || !listaEntro(pos + 8, pos + 8 + dimensione, leggi)))
      return false;
    pos += 8 + dimensione + (dimensione & 1);
  }
  return true;
}

bool unaWaveEntro(std::int64_t byte, const Leggi& leggi) {
  std::array<char, 12> intestazione{};
  if (!leggi(0, intestazione.data(), intestazione.size()) || std::memcmp(intestazione.data(), "RIFF", 4) != 0 ||
      std::memcmp(intestazione.data() + 8, "WAVE", 4) != 0)
    return false;
  return chunkEntro(12, byte, leggi);
}

}  // namespace

std::unique_ptr<DecodificaSuono> DecodificaSuono::daMemoria(const void* dati, std::size_t byte) {
  if (!dati || byte == 0) return nullptr;
  const auto* inizio = static_cast<const char*>(dati);
  if (!unaWaveEntro(static_cast<std::int64_t>(byte), [&](std::int64_t pos, char* dest, std::size_t n) {
        if (pos + static_cast<std::int64_t>(n) > static_cast<std::int64_t>(byte)) return false;
        std::memcpy(dest, inizio + pos, n);
        return true;
      }))
    return nullptr;
  std::unique_ptr<DecodificaSuono> d(new DecodificaSuono);
  d->memoria_ = {static_cast<const unsigned char*>(dati), static_cast<std::int64_t>(byte), 0};
  // libsndfile's virtual I/O over the block of memory, read only.
  static SF_VIRTUAL_IO io{
      [](void* m) -> sf_count_t { return static_cast<Memoria*>(m)->byte; },
      [](sf_count_t scarto, int da, void* m) -> sf_count_t {
        auto* mem = static_cast<Memoria*>(m);
        const sf_count_t base = da == SEEK_SET ? 0 : da == SEEK_CUR ? mem->pos : mem->byte;
        mem->pos = std::clamp<sf_count_t>(base + scarto, 0, mem->byte);
        return mem->pos;
      },
      [](void* dest, sf_count_t n, void* m) -> sf_count_t {
        auto* mem = static_cast<Memoria*>(m);
        n = std::clamp<sf_count_t>(n, 0, mem->byte - mem->pos);
        if (n > 0) std::memcpy(dest, mem->dati + mem->pos, static_cast<std::size_t>(n));
        mem->pos += n;
        return n;
      },
      [](const void*, sf_count_t, void*) -> sf_count_t { return 0; },
      [](void* m) -> sf_count_t { return static_cast<Memoria*>(m)->pos; }};
  SF_INFO info{};
  SNDFILE* f = sf_open_virtual(&io, SFM_READ, &info, &d->memoria_);
  return d->apri(f) ? std::move(d) : nullptr;
}

std::unique_ptr<DecodificaSuono> DecodificaSuono::daFile(const std::string& percorso) {
  std::ifstream file(percorso, std::ios::binary | std::ios::ate);
  if (!file) return nullptr;
  const std::int64_t byte = file.tellg();
  if (!unaWaveEntro(byte, [&](std::int64_t pos, char* dest, std::size_t n) {
        file.seekg(pos);
        return static_cast<bool>(file.read(dest, static_cast<std::streamsize>(n)));
      }))
    return nullptr;
  std::unique_ptr<DecodificaSuono> d(new DecodificaSuono);
  SF_INFO info{};
  SNDFILE* f = sf_open(percorso.c_str(), SFM_READ, &info);
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
