// The WAVE decoding of a sound from memory, as the start-up music and the
// cues are played. Properties: bytes that open give one or two channels at
// a rate a sound card takes; each read fills at most what was asked (the
// buffer is exactly that size, so the sanitizer sees any overrun); the end,
// once reached, stays the end; and the decoding stops within a bound, how
// ever large a size the header claims.

#include <cstdint>
#include <vector>

#include "Verifica.h"
#include "platform/qt/DecodificaSuono.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t byte) {
  const auto d = velmo::DecodificaSuono::daMemoria(dati, byte);
  if (!d) return 0;
  VERIFICA(d->canali() >= 1 && d->canali() <= 2);
  VERIFICA(d->frequenza() >= 1000 && d->frequenza() <= 192000);
  constexpr std::size_t passo = 4096;  // frames, as the player asks for them
  // No codec of the formats read here makes more than a few thousand frames
  // of a byte (ADPCM: 2 a byte; a compressed MPEG frame: at most 1152 from
  // a few bytes); far more means a decoder that runs on without data.
  const std::size_t limite = 4096 * (byte + 1);
  std::size_t totale = 0;
  for (;;) {
    std::vector<std::int16_t> campioni(passo * static_cast<std::size_t>(d->canali()));
    const std::size_t letti = d->leggi(campioni.data(), passo);
    VERIFICA(letti <= passo);
    if (letti == 0) break;
    totale += letti;
    VERIFICA(totale <= limite);
  }
  std::vector<std::int16_t> ancora(static_cast<std::size_t>(d->canali()));
  VERIFICA(d->leggi(ancora.data(), 1) == 0);
  return 0;
}
