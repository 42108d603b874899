#pragma once
// The sound player of the real platform: one sound at a time, decoded with
// libsndfile as it plays and pushed to a Qt Multimedia QAudioSink. Playing
// returns at once; the first samples are handed to the output before it
// does. A sound that cannot be played is skipped without a sound or a
// message: no output device, an unknown cue, an unreadable file.

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAudioSink;
class QIODevice;

namespace velmo {

class DecodificaSuono;

class SuonoQt : public QObject {
  Q_OBJECT

 public:
  SuonoQt();
  ~SuonoQt() override;

  // A cue of the program's resources by its id ("id_15", in any case).
  void suonaRisorsa(const std::string& id);
  void suonaFile(const std::string& percorso);
  // Stops the sound at once; nothing when none plays.
  void ferma();
  bool inRiproduzione() const { return decodifica_ != nullptr; }

  static int dispositivi();

  // For the benchmark: from the last play call to the moment its first
  // samples went to the output; nothing while none has.
  std::optional<std::chrono::nanoseconds> ritardoPrimoCampione() const;

 private:
  void avvia(std::unique_ptr<DecodificaSuono> decodifica, QByteArray dati);
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
  std::chrono::steady_clock::time_point chiamata_;
  std::optional<std::chrono::steady_clock::time_point> primoCampione_;
};

}  // namespace velmo
