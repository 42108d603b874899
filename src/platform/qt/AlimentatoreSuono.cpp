#include "platform/qt/AlimentatoreSuono.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>

#include "platform/qt/DecodificaSuono.h"

namespace velmo {

namespace {

using Orologio = std::chrono::steady_clock;

// What the output holds ahead of the speaker, and how often it is topped
// up: the top-up comes well before the held samples run out. The thread
// does nothing else, so this holds however busy the user interface is.
constexpr int millisecondiBuffer = 150;
constexpr int millisecondiAlimentazione = 40;
// Silence after the last sample. The server starts playing only once it
// holds a full buffer, which a sound shorter than that would never fill;
// and stopping the output cuts what it still holds, which by the time the
// silence has gone through is silence only.
constexpr int millisecondiCoda = millisecondiBuffer + 60;
// Past this after the end is written, the output is stopped even if it
// never reported itself empty.
constexpr int millisecondiMassimiAttesaFine = millisecondiCoda + millisecondiBuffer + 1000;

qint64 byteDi(int millisecondi, int frequenza, int canali) {
  return static_cast<qint64>(frequenza) * millisecondi / 1000 * canali * static_cast<qint64>(sizeof(std::int16_t));
}

}  // namespace

AlimentatoreSuono::AlimentatoreSuono() : alimentazione_(this) {
  alimentazione_.setInterval(millisecondiAlimentazione);
  alimentazione_.setTimerType(Qt::PreciseTimer);
  connect(&alimentazione_, &QTimer::timeout, this, &AlimentatoreSuono::alimenta);
}

AlimentatoreSuono::~AlimentatoreSuono() = default;

QAudioSink* AlimentatoreSuono::uscitaPer(int frequenza, int canali) {
  const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
  if (dispositivo.isNull()) return nullptr;
  if (dispositivo.id() != deviceUscite_) {
    // Another output device: the old sinks go once this thread's loop has
    // control again, not in the middle of a call.
    for (auto& [formato, uscita] : uscite_) uscita.release()->deleteLater();
    uscite_.clear();
    deviceUscite_ = dispositivo.id();
  }
  std::unique_ptr<QAudioSink>& uscita = uscite_[{frequenza, canali}];
  if (!uscita) {
    QAudioFormat formato;
    formato.setSampleRate(frequenza);
    formato.setChannelCount(canali);
    formato.setSampleFormat(QAudioFormat::Int16);
    uscita = std::make_unique<QAudioSink>(dispositivo, formato);
    uscita->setBufferSize(byteDi(millisecondiBuffer, frequenza, canali));
    QAudioSink* questa = uscita.get();
    // A server gone or a device lost: the sound ends there, silently.
    connect(questa, &QAudioSink::stateChanged, this, [this, questa](QAudio::State stato) {
      if (questa == uscita_ && stato == QAudio::StoppedState && questa->error() != QAudio::NoError) ferma();
    });
  }
  return uscita.get();
}

void AlimentatoreSuono::avvia(std::unique_ptr<DecodificaSuono> decodifica, QByteArray dati) {
  ferma();
  primoCampione_.reset();
  QAudioSink* uscita = uscitaPer(decodifica->frequenza(), decodifica->canali());
  if (!uscita) return;
  QIODevice* flusso = uscita->start();
  if (!flusso) return;
  uscita_ = uscita;
  flusso_ = flusso;
  decodifica_ = std::move(decodifica);
  dati_ = std::move(dati);
  finito_ = false;
  inRiproduzione_ = true;
  silenzioDaScrivere_ = byteDi(millisecondiCoda, decodifica_->frequenza(), decodifica_->canali());
  campioni_.assign(static_cast<std::size_t>(byteDi(millisecondiBuffer, decodifica_->frequenza(), decodifica_->canali())) /
                       sizeof(std::int16_t),
                   0);
  alimenta();
  if (uscita_) alimentazione_.start();
}

void AlimentatoreSuono::alimenta() {
  if (!uscita_) return;
  const int byteFotogramma = decodifica_->canali() * static_cast<int>(sizeof(std::int16_t));
  // Only what fits now, so that nothing decoded is ever left over.
  qint64 libero = uscita_->bytesFree();
  libero -= libero % byteFotogramma;
  while (libero > 0 && (!finito_ || silenzioDaScrivere_ > 0)) {
    const auto fotogrammi = std::min(static_cast<std::size_t>(libero / byteFotogramma),
                                     campioni_.size() / static_cast<std::size_t>(decodifica_->canali()));
    qint64 byte = 0;
    if (!finito_) {
      const std::size_t letti = decodifica_->leggi(campioni_.data(), fotogrammi);
      if (letti == 0) {
        finito_ = true;
        fineScritta_ = Orologio::now();
        continue;
      }
      byte = static_cast<qint64>(letti) * byteFotogramma;
    } else {
      byte = std::min<qint64>(silenzioDaScrivere_, static_cast<qint64>(fotogrammi) * byteFotogramma);
      std::fill_n(campioni_.begin(), byte / static_cast<qint64>(sizeof(std::int16_t)), std::int16_t{0});
      silenzioDaScrivere_ -= byte;
    }
    const qint64 scritti = flusso_->write(reinterpret_cast<const char*>(campioni_.data()), byte);
    if (scritti <= 0) break;
    if (!primoCampione_) primoCampione_ = Orologio::now();
    libero -= scritti;
  }
  // Everything written: the sound has played once the output has taken the
  // silence too.
  if (finito_ && silenzioDaScrivere_ == 0 &&
      (uscita_->bytesFree() >= uscita_->bufferSize() ||
       Orologio::now() - fineScritta_ > std::chrono::milliseconds(millisecondiMassimiAttesaFine)))
    ferma();
}

void AlimentatoreSuono::ferma() {
  alimentazione_.stop();
  if (QAudioSink* uscita = std::exchange(uscita_, nullptr)) {
    flusso_ = nullptr;  // the sink deletes it on stopping
    uscita->stop();
  }
  decodifica_.reset();
  dati_.clear();
  finito_ = false;
  silenzioDaScrivere_ = 0;
  inRiproduzione_ = false;
}

void AlimentatoreSuono::rilascia() {
  ferma();
  // Deleted by this thread as it ends, like the feeder itself.
  for (auto& [formato, uscita] : uscite_) uscita.release()->deleteLater();
  uscite_.clear();
}

}  // namespace velmo
