#pragma once
// The feeding side of the sound player, living on the player's own thread:
// it decodes the sound playing piece by piece and keeps its Qt Multimedia
// QAudioSink topped up, so a user interface busy for a while (a long
// handler, a modal dialog being built) never leaves the output empty.
// Every member runs on that thread, where SuonoQt queues its calls.

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QAudioSink;
class QIODevice;

namespace velmo {

class DecodificaSuono;

class AlimentatoreSuono : public QObject {
  Q_OBJECT

 public:
  AlimentatoreSuono();
  ~AlimentatoreSuono() override;

  // Plays a sound from the start, cutting the one playing; its first
  // samples are with the output when this returns. `dati` holds the bytes
  // a decoder from memory reads (empty for a file).
  void avvia(std::unique_ptr<DecodificaSuono> decodifica, QByteArray dati);
  // Stops the sound at once; nothing when none plays.
  void ferma();
  // Stops and lets every output go, before the thread ends.
  void rilascia();

  // Read from any thread.
  bool inRiproduzione() const { return inRiproduzione_; }
  // When the first samples of the last sound started went to the output.
  std::optional<std::chrono::steady_clock::time_point> primoCampione() const { return primoCampione_; }

 private:
  void alimenta();
  QAudioSink* uscitaPer(int frequenza, int canali);

  QByteArray dati_;  // the bytes of a cue being decoded (in place, never copied)
  std::unique_ptr<DecodificaSuono> decodifica_;
  QAudioSink* uscita_ = nullptr;  // the output of the sound playing, one of uscite_
  QIODevice* flusso_ = nullptr;   // where its samples go
  // One output per format, made on first use and kept: a sink is stopped
  // and started again, never deleted while the program runs (deleting one
  // runs the event loop).
  std::map<std::pair<int, int>, std::unique_ptr<QAudioSink>> uscite_;
  QByteArray deviceUscite_;
  QTimer alimentazione_;  // tops the output up while a sound plays
  std::vector<std::int16_t> campioni_;  // one buffer's worth, decoded and written at once
  qint64 silenzioDaScrivere_ = 0;  // bytes of silence after the end
  bool finito_ = false;            // everything decoded; silence and play-out to come
  std::chrono::steady_clock::time_point fineScritta_;
  std::optional<std::chrono::steady_clock::time_point> primoCampione_;
  std::atomic<bool> inRiproduzione_ = false;
};

}  // namespace velmo
