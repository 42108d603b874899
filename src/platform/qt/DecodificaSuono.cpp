#include "platform/qt/DecodificaSuono.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace velmo {

std::unique_ptr<DecodificaSuono> DecodificaSuono::daMemoria(const void* dati, std::size_t byte) {
  if (!dati || byte == 0) return nullptr;
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
