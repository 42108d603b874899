#pragma once
// A WAVE sound decoded piece by piece with libsndfile, from bytes in memory
// (a cue of the program's resources) or from a file: 8- and 16-bit PCM,
// Microsoft ADPCM and MPEG layer 3 in a WAVE wrapper, all read as 16-bit
// samples. Decoding as the sound plays keeps every step short, so the
// window never waits for a whole sound to be decoded.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct sf_private_tag;  // libsndfile's SNDFILE

namespace velmo {

class DecodificaSuono {
 public:
  // nullptr when the bytes or the file are no RIFF WAVE sound libsndfile
  // can read.
  // The bytes must outlive the decoder.
  static std::unique_ptr<DecodificaSuono> daMemoria(const void* dati, std::size_t byte);
  static std::unique_ptr<DecodificaSuono> daFile(const std::string& percorso);
  ~DecodificaSuono();
  DecodificaSuono(const DecodificaSuono&) = delete;
  DecodificaSuono& operator=(const DecodificaSuono&) = delete;

  int canali() const { return canali_; }
  int frequenza() const { return frequenza_; }
  std::int64_t fotogrammi() const { return fotogrammi_; }  // as the header says
  // Decodes up to `fotogrammi` frames of interleaved samples; 0 at the end
  // or on a damaged stream, whose rest is then silence: every later call
  // gives 0 too.
  std::size_t leggi(std::int16_t* destinazione, std::size_t fotogrammi);

 private:
  struct Sorgente;  // the bytes libsndfile reads through its callbacks
  DecodificaSuono();
  static std::unique_ptr<DecodificaSuono> daSorgente(std::unique_ptr<Sorgente> sorgente);
  bool apri(sf_private_tag* f);

  std::unique_ptr<Sorgente> sorgente_;
  sf_private_tag* file_ = nullptr;
  int canali_ = 0, frequenza_ = 0;
  std::int64_t fotogrammi_ = 0;
  bool finito_ = false;
};

}  // namespace velmo
