#include "platform/qt/PiattaformaQt.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLayout>
#include <QLockFile>
#include <QMenu>
#include <QWindow>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QSocketNotifier>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/qt/AccessibilitaQt.h"
#include "platform/qt/CartellaQt.h"
#include "platform/qt/ControlliQt.h"
#include "platform/qt/DialogoFileQt.h"
#include "platform/qt/FinestraAccessibileQt.h"
#include "platform/qt/FinestraQt.h"
#include "platform/qt/MessaggioQt.h"
#include "platform/qt/SchermoX11.h"
#include "platform/qt/SovrapposizioneQt.h"
#include "platform/qt/SuonoQt.h"
#include "platform/qt/TestiQt.h"

namespace velmo {

namespace {

// Dialogs belong to the window the user is looking at; never to one already
// let go, which Qt may still call active until the next events. Without an
// active window (none yet, or a window manager that never activated one) a
// window of the program on screen will do: a dialog names its owner to the
// window manager, and an owner that is not mapped is an invalid one.
QWidget* finestraInPrimoPiano() {
  auto valida = [](QWidget* w) {
    const auto* f = qobject_cast<const FinestraQt*>(w);
    return w && w->isVisible() && !(f && f->congedata());
  };
  for (QWidget* w : {QApplication::activeModalWidget(), QApplication::activeWindow()})
    if (valida(w)) return w;
  QWidget* scelta = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<FinestraQt*>(w) && valida(w) && w->windowHandle() && w->windowHandle()->isExposed() &&
        (!scelta || w->isModal()))
      scelta = w;  // a modal one first: it blocks the others
  return scelta;
}

// A dialog without an owner is an ordinary top-level window for the window
// manager: Qt would name its hidden client-leader window as the owner of a
// dialog that has none, which desktops report as an invalid WM_TRANSIENT_FOR.
void senzaPadreFinestraNormale(QWidget& dialogo) {
  if (!dialogo.parentWidget())
    dialogo.setWindowFlags((dialogo.windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
}

// A signal's number travels from its handler to the event loop through a
// socket pair: the handler may only write a byte.
int canaleSegnali[2] = {-1, -1};

void alSegnale(int numero) {
  const char byte = static_cast<char>(numero);
  [[maybe_unused]] const ssize_t scritti = ::write(canaleSegnali[0], &byte, 1);
}

// Widens a dialog's layout to the width its title needs (see the header).
void allargaPerIlTitolo(QLayout& layout, const QString& titolo) {
  auto* spazio = new QSpacerItem(PiattaformaQt::larghezzaPerIlTitolo(titolo), 0, QSizePolicy::Fixed,
                                 QSizePolicy::Minimum);
  if (auto* griglia = qobject_cast<QGridLayout*>(&layout))
    griglia->addItem(spazio, griglia->rowCount(), 0, 1, griglia->columnCount());
  else
    layout.addItem(spazio);
}

std::optional<std::string> sceltaFile(const DialogoFile& d, bool salva, Piattaforma& domande) {
  const QPointer<DialogoFileQt> dialogo = new DialogoFileQt(finestraInPrimoPiano(), d, salva, domande);  // as in msgBox
  senzaPadreFinestraNormale(*dialogo);
  const bool accettato = dialogo->exec() == QDialog::Accepted && dialogo;
  std::optional<std::string> scelta;
  if (accettato) scelta = dialogo->scelto();
  delete dialogo.data();
  return scelta;
}

}  // namespace

PiattaformaQt::PiattaformaQt() : sveglia_(std::make_unique<QTimer>()) {
  sveglia_->setSingleShot(true);
  sveglia_->setTimerType(Qt::PreciseTimer);
  installaAccessibilita();
  installaFinestreAccessibili();
}

PiattaformaQt::~PiattaformaQt() {
  for (auto& [form, finestra] : finestre_) delete finestra.data();  // unbinds the forms' controls
}

int PiattaformaQt::larghezzaPerIlTitolo(const QString& titolo) {
  QFont carattere = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  carattere.setBold(true);  // as title bars draw it, and never narrower
  const QFontMetrics metriche(carattere);
  const int pulsante = metriche.height() + 6;  // a title bar's button is about as high as the bar
  return metriche.horizontalAdvance(titolo) + 4 * pulsante + 2 * 10;
}

FinestraQt* PiattaformaQt::finestra(const Form& form) const {
  auto it = finestre_.find(&form);
  return it == finestre_.end() ? nullptr : it->second.data();
}

// --- Time and events ------------------------------------------------------------

double PiattaformaQt::secondiMonotoni() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double PiattaformaQt::oraDelGiorno() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void PiattaformaQt::elaboraEventi() { QCoreApplication::processEvents(); }

void PiattaformaQt::attendiEventi(double scadenza) {
  const double restano = scadenza - secondiMonotoni();
  if (restano <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  // The timer's event ends the blocking wait at the deadline at the latest;
  // rounding up wakes it at or just after the deadline, never just before.
  sveglia_->start(static_cast<int>(std::min(std::ceil(restano * 1000.0), 2.0e9)));
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  sveglia_->stop();
}

// --- Windows --------------------------------------------------------------------

void PiattaformaQt::creaForm(Form& form) {
  if (FinestraQt* vecchia = finestra(form)) vecchia->congeda();
  finestre_[&form] = new FinestraQt(form);
}

void PiattaformaQt::mostraForm(Form& form, bool modale) {
  FinestraQt* f = finestra(form);
  if (!f || f->congedata()) return;
  QWidget* sopra = finestraInPrimoPiano();  // the owner a modal window is centred on
  f->mostra(modale, sopra == f ? nullptr : sopra);
  if (!modale) return;
  QEventLoop ciclo;
  f->impostaCicloModale(&ciclo);
  ciclo.exec();  // until distruggiForm lets the window go
}

void PiattaformaQt::distruggiForm(Form& form) {
  auto it = finestre_.find(&form);
  if (it == finestre_.end()) return;
  QPointer<FinestraQt> f = it->second;
  finestre_.erase(it);
  if (f) f->congeda();
}

void PiattaformaQt::mostraMenuPopup(Form& form, VoceMenu& menu) {
  FinestraQt* f = finestra(form);
  if (QMenu* m = f ? f->menuDi(menu) : nullptr) m->exec(QCursor::pos());
}

Risposta PiattaformaQt::msgBox(const std::string& testo, Pulsanti pulsanti, Icona icona,
                               const std::string& titolo) {
  // On the heap behind a guard: its owner window may be unloaded, and so
  // deleted, while the box waits for an answer.
  const QPointer<MessaggioQt> box =
      new MessaggioQt(finestraInPrimoPiano(), testoQt(righeUnix(testo)), pulsanti, icona, testoQt(titolo));
  senzaPadreFinestraNormale(*box);
  // Last: the box rebuilds its layout whenever its icon or buttons change.
  allargaPerIlTitolo(*box->layout(), box->windowTitle());
  box->exec();
  // Gone with its owner: no answer was given, and "No" is the safe one.
  const Risposta risposta = box ? box->risposta() : pulsanti == Pulsanti::ok ? Risposta::ok : Risposta::no;
  delete box.data();
  return risposta;
}

std::optional<std::string> PiattaformaQt::inputBox(const std::string& testo, const std::string& titolo,
                                                   const std::string& predefinito) {
  const QPointer<QInputDialog> dialogo = new QInputDialog(finestraInPrimoPiano());  // as in msgBox
  senzaPadreFinestraNormale(*dialogo);
  dialogo->setWindowTitle(testoQt(titolo));
  dialogo->setLabelText(testoQt(righeUnix(testo)));
  dialogo->setTextValue(testoQt(predefinito));
  dialogo->setOkButtonText(QStringLiteral("OK"));
  dialogo->setCancelButtonText(QStringLiteral("Annulla"));
  dialogo->minimumSizeHint();  // builds the dialog's layout, which its own size then follows
  if (QLayout* layout = dialogo->layout()) allargaPerIlTitolo(*layout, dialogo->windowTitle());
  const bool accettato = dialogo->exec() == QDialog::Accepted && dialogo;
  std::optional<std::string> testoScritto;
  if (accettato) testoScritto = dialogo->textValue().toStdString();
  delete dialogo.data();
  return testoScritto;
}

std::optional<std::string> PiattaformaQt::dialogoApri(const DialogoFile& d) { return sceltaFile(d, false, *this); }

std::optional<std::string> PiattaformaQt::dialogoSalva(const DialogoFile& d) { return sceltaFile(d, true, *this); }

void PiattaformaQt::annuncia(const Form& form, const std::string& testo) {
  if (FinestraQt* f = finestra(form)) annunciaIn(*f->superficie(), testoQt(testo));
}

void PiattaformaQt::daiFuoco(const Form& form, ZonaTastiera& zona) {
  if (FinestraQt* f = finestra(form))
    if (QWidget* w = f->widgetDi(zona)) w->setFocus(Qt::TabFocusReason);  // moved by a key: the mark shows
}

// --- Sound ----------------------------------------------------------------------

SuonoQt& PiattaformaQt::suono() {
  if (!suono_) suono_ = std::make_unique<SuonoQt>();
  return *suono_;
}

void PiattaformaQt::suonaRisorsa(const std::string& id) { suono().suonaRisorsa(id); }
void PiattaformaQt::suonaFile(const std::string& percorso) { suono().suonaFile(percorso); }

void PiattaformaQt::fermaSuono() {
  if (suono_) suono_->ferma();
}

int PiattaformaQt::dispositiviAudio() { return SuonoQt::dispositivi(); }

void PiattaformaQt::beep() { QApplication::beep(); }

// --- Display --------------------------------------------------------------------

// Physical pixels: a 2x-scaled screen of 3840 reports 3840.
Dimensioni PiattaformaQt::schermo() {
  if (const auto x = x11::dimensione()) return *x;
  const QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {};
  const QSize pixel = s->size() * s->devicePixelRatio();
  return {pixel.width(), pixel.height()};
}

int PiattaformaQt::profonditaColore() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->depth() : 0;
}

std::vector<Dimensioni> PiattaformaQt::modiDisplay() {
  std::vector<Dimensioni> modi = x11::modi();
  if (modi.empty()) modi.push_back(schermo());
  return modi;
}

// On X11 a real switch; elsewhere only the mode in use can be "switched to".
// The first switch away remembers the mode to put back at any exit.
bool PiattaformaQt::cambiaRisoluzione(Dimensioni d) {
  const Dimensioni prima = schermo();
  if (d == prima) return true;
  if (!x11::cambiaRisoluzione(d)) return false;
  if (!schermoOriginale_) schermoOriginale_ = prima;
  return true;
}

void PiattaformaQt::ripristinaSchermo() {
  if (schermoOriginale_ && schermo() != *schermoOriginale_) x11::cambiaRisoluzione(*schermoOriginale_);
}

Rettangolo PiattaformaQt::rettangoloFinestra(const Form& form) {
  const FinestraQt* f = finestra(form);
  if (!f || f->congedata()) return {};
  const QRect r = f->frameGeometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void PiattaformaQt::disegnaRettangolo(const Rettangolo& r, Colore riempimento) {
  if (!sovrapposizione_) sovrapposizione_ = std::make_unique<SovrapposizioneQt>();
  sovrapposizione_->disegna(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom) - QPoint(1, 1)),
                            coloreQt(riempimento));
}

// On a desktop of today the system repaints at once whatever lay under the
// drawing when it goes, so all of it goes with the repaint.
void PiattaformaQt::ridisegna(const Controllo& c) {
  if (sovrapposizione_) sovrapposizione_->cancella();
  for (const auto& [form, f] : finestre_)
    if (QWidget* w = f ? f->widgetDi(c) : nullptr) w->repaint();
}

// --- System ---------------------------------------------------------------------

VersioneSistema PiattaformaQt::versioneSistema() {
  VersioneSistema v;
  const QString tipo = QSysInfo::kernelType();
  v.famiglia = tipo == QLatin1String("linux") ? "Linux" : tipo.toStdString();
  static const QRegularExpression numeri(QStringLiteral("^(\\d+)\\.(\\d+)"));
  if (const auto m = numeri.match(QSysInfo::kernelVersion()); m.hasMatch()) {
    v.maggiore = m.captured(1).toInt();
    v.minore = m.captured(2).toInt();
  }
  return v;
}

QString PiattaformaQt::percorsoBlocco() {
  return QDir(QString::fromStdString(cartellaProgramma())).filePath(QStringLiteral("Velmo.lock"));
}

bool PiattaformaQt::altraIstanzaAttiva() {
  if (altraIstanza_) return *altraIstanza_;
  blocco_ = std::make_unique<QLockFile>(percorsoBlocco());
  // Never stale by age: a game left open for hours still holds its lock.
  // A lock whose process has died is taken over all the same.
  blocco_->setStaleLockTime(0);
  altraIstanza_ = !blocco_->tryLock(0) && blocco_->error() == QLockFile::LockFailedError;
  return *altraIstanza_;
}

std::string PiattaformaQt::cartellaProgramma() {
  // Chosen, made and seeded once: a file the player deletes while the game
  // runs is not brought back behind their back.
  if (!cartella_) {
    const SceltaCartella scelta = sceltaCartellaQt();
    const bool fatta = preparaCartella(scelta) || QDir(QString::fromStdString(scelta.cartella)).exists();
    // A folder that cannot be made (a home the player may not write) leaves
    // the program with its files where they lie: it plays, and the first
    // write it cannot make is reported as such.
    cartella_ = fatta || scelta.cartellaSemi.empty() ? scelta.cartella : scelta.cartellaSemi;
  }
  return *cartella_;
}

std::optional<std::uintmax_t> PiattaformaQt::dimensioneFile(const std::string& percorso) {
  std::error_code errore;
  if (!std::filesystem::is_regular_file(percorso, errore)) return std::nullopt;
  const std::uintmax_t dimensione = std::filesystem::file_size(percorso, errore);
  if (errore) return std::nullopt;
  return dimensione;
}

bool PiattaformaQt::impostaSolaLettura(const std::string& percorso) {
  using std::filesystem::perms;
  std::error_code errore;
  std::filesystem::permissions(percorso, perms::owner_write | perms::group_write | perms::others_write,
                               std::filesystem::perm_options::remove, errore);
  return !errore;
}

// Read-only is the owner's missing write permission, the flag a player can
// set on a file; it is tested by its bits, so it holds for root as well.
bool PiattaformaQt::togliSolaLettura(const std::string& percorso) {
  std::error_code errore;
  std::filesystem::permissions(percorso, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                               errore);
  return !errore;
}

std::string PiattaformaQt::leggiFile(const std::string& percorso) {
  QFile file(testoQt(percorso));
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error(file.errorString().toStdString());
  const QByteArray dati = file.readAll();
  if (file.error() != QFileDevice::NoError) throw std::runtime_error(file.errorString().toStdString());
  return dati.toStdString();
}

bool PiattaformaQt::sostituisciFile(const std::string& percorso, const std::string& contenuto) {
  std::error_code errore;
  const auto stato = std::filesystem::status(percorso, errore);
  if (std::filesystem::exists(stato) &&
      (stato.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
    return false;
  // A temporary file in the same folder, renamed over the old one on commit.
  // Unbuffered, so that a full disk fails the write itself: Qt 6.4's commit
  // renames even when flushing its buffer failed, leaving an empty file. The
  // data reach the disk before the rename, so a system crash cannot leave
  // the new name on missing data either.
  QSaveFile file(testoQt(percorso));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  const auto dimensione = static_cast<qint64>(contenuto.size());
  if (file.write(contenuto.data(), dimensione) != dimensione || ::fsync(file.handle()) != 0) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool PiattaformaQt::apriIndirizzo(const std::string& indirizzo) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(testoQt(indirizzo)));
}

void PiattaformaQt::spostaMouse(int x, int y) { QCursor::setPos(x, y); }

void PiattaformaQt::gestisciSegnaliDiUscita() {
  if (segnali_ || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, canaleSegnali) != 0) return;
  segnali_ = std::make_unique<QSocketNotifier>(canaleSegnali[1], QSocketNotifier::Read);
  QObject::connect(segnali_.get(), &QSocketNotifier::activated, segnali_.get(), [this] {
    char numero = 0;
    if (::read(canaleSegnali[1], &numero, 1) != 1) return;
    termina(128 + numero);
  });
  struct sigaction azione {};
  azione.sa_handler = alSegnale;
  sigemptyset(&azione.sa_mask);
  azione.sa_flags = SA_RESTART;
  for (int segnale : {SIGTERM, SIGINT, SIGHUP}) sigaction(segnale, &azione, nullptr);
}

void PiattaformaQt::termina(int codice) {
  // However the program ends, a user's screen is never left switched.
  ripristinaSchermo();
  std::fflush(nullptr);
  std::_Exit(codice);
}

}  // namespace velmo
