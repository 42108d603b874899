#include "platform/qt/SuonoQt.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QResource>

#include "core/sound/SoundCue.h"
#include "platform/qt/AlimentatoreSuono.h"
#include "platform/qt/DecodificaSuono.h"

namespace velmo {

SuonoQt::SuonoQt() : alimentatore_(new AlimentatoreSuono) {
  filo_.setObjectName(QStringLiteral("suono"));
  alimentatore_->moveToThread(&filo_);
  QObject::connect(&filo_, &QThread::finished, alimentatore_, &QObject::deleteLater);
  filo_.start(QThread::TimeCriticalPriority);  // where the system allows: a late top-up is a gap
}

SuonoQt::~SuonoQt() {
  sulFilo([this] { alimentatore_->rilascia(); });
  filo_.quit();
  filo_.wait();
}

template <class F>
void SuonoQt::sulFilo(F f) const {
  QMetaObject::invokeMethod(alimentatore_, std::move(f), Qt::BlockingQueuedConnection);
}

template <class F>
void SuonoQt::inCoda(F f) const {
  QMetaObject::invokeMethod(alimentatore_, std::move(f), Qt::QueuedConnection);
}

int SuonoQt::dispositivi() { return static_cast<int>(QMediaDevices::audioOutputs().size()); }

void SuonoQt::suonaRisorsa(const std::string& id) {
  chiamata_ = std::chrono::steady_clock::now();
  ferma();
  const SoundCue* cue = pfuncCercaCue(id);
  if (!cue) return;
  const QResource risorsa(QStringLiteral(":/%1/%2")
                              .arg(QLatin1String(tipoRisorsaSuono), QString::fromStdString(pfuncNomeRisorsa(*cue))));
  // Stored uncompressed, so these are the program's own bytes, not a copy.
  QByteArray dati = risorsa.uncompressedData();
  if (auto d = DecodificaSuono::daMemoria(dati.constData(), static_cast<std::size_t>(dati.size())))
    avvia(std::move(d), std::move(dati));
}

void SuonoQt::suonaFile(const std::string& percorso) {
  chiamata_ = std::chrono::steady_clock::now();
  ferma();
  if (auto d = DecodificaSuono::daFile(percorso)) avvia(std::move(d), {});
}

void SuonoQt::avvia(std::unique_ptr<DecodificaSuono> decodifica, QByteArray dati) {
  // From here on the decoder and its bytes belong to the player's thread.
  auto suono = std::make_shared<std::pair<std::unique_ptr<DecodificaSuono>, QByteArray>>(std::move(decodifica),
                                                                                         std::move(dati));
  ++avviiInCoda_;
  inCoda([this, suono] {
    alimentatore_->avvia(std::move(suono->first), std::move(suono->second));
    --avviiInCoda_;
  });
}

void SuonoQt::ferma() {
  if (inRiproduzione()) inCoda([this] { alimentatore_->ferma(); });
}

bool SuonoQt::inRiproduzione() const { return avviiInCoda_ > 0 || alimentatore_->inRiproduzione(); }

std::optional<std::chrono::nanoseconds> SuonoQt::ritardoPrimoCampione() const {
  std::optional<std::chrono::steady_clock::time_point> primo;
  sulFilo([this, &primo] { primo = alimentatore_->primoCampione(); });
  if (!primo || *primo < chiamata_) return std::nullopt;  // none yet, or an earlier sound's
  return std::chrono::duration_cast<std::chrono::nanoseconds>(*primo - chiamata_);
}

}  // namespace velmo
