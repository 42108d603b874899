#pragma once
// The sound player of the real platform: one sound at a time, decoded with
// libsndfile as it plays and pushed to a Qt Multimedia QAudioSink, both on
// the player's own thread (AlimentatoreSuono), so a busy user interface
// never leaves a gap in the sound. Playing and stopping return at once:
// the player's thread opens the output, which a sound server still starting
// may hold for many seconds, and hands it the first samples, while the
// windows go on. A sound that cannot be played is skipped without a sound
// or a message: no output device, an unknown cue, an unreadable file. Used
// from the user-interface thread.

#include <QByteArray>
#include <QThread>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace velmo {

class AlimentatoreSuono;
class DecodificaSuono;

class SuonoQt {
 public:
  SuonoQt();
  // Stops the sound and ends the thread, waiting for it.
  ~SuonoQt();
  SuonoQt(const SuonoQt&) = delete;
  SuonoQt& operator=(const SuonoQt&) = delete;

  // A cue of the program's resources by its id ("id_15", in any case).
  void suonaRisorsa(const std::string& id);
  void suonaFile(const std::string& percorso);
  // Stops the sound at once; nothing when none plays.
  void ferma();
  // A sound asked for and not yet begun counts as playing.
  bool inRiproduzione() const;

  static int dispositivi();

  // For the benchmark: from the last play call to the moment its first
  // samples went to the output; nothing while none has.
  std::optional<std::chrono::nanoseconds> ritardoPrimoCampione() const;

 private:
  void avvia(std::unique_ptr<DecodificaSuono> decodifica, QByteArray dati);
  // Runs `f` on the player's thread and waits for it.
  template <class F>
  void sulFilo(F f) const;
  // Runs `f` on the player's thread, after what was asked before it.
  template <class F>
  void inCoda(F f) const;

  QThread filo_;
  AlimentatoreSuono* alimentatore_;  // lives on filo_, deleted there as it ends
  std::chrono::steady_clock::time_point chiamata_;
  std::atomic<int> avviiInCoda_ = 0;  // sounds asked for, not yet begun or refused
};

}  // namespace velmo
