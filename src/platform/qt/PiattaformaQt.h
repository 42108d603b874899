#pragma once
// The real platform, on Qt 6. Create it after the QApplication and before
// the first form; it must outlive every form it shows.

#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <optional>

#include "forms/Form.h"
#include "forms/Piattaforma.h"

class QLockFile;
class QSocketNotifier;
class QTimer;

namespace velmo {

class FinestraQt;
class SovrapposizioneQt;
class SuonoQt;

class PiattaformaQt : public Piattaforma {
 public:
  PiattaformaQt();
  ~PiattaformaQt() override;
  PiattaformaQt(const PiattaformaQt&) = delete;
  PiattaformaQt& operator=(const PiattaformaQt&) = delete;

  // The window of a loaded form, nullptr for one not loaded.
  FinestraQt* finestra(const Form& form) const;
  // The single-instance lock file: Velmo.lock in the program's folder,
  // beside the settings file it keeps to one writer.
  QString percorsoBlocco();
  // SIGTERM, SIGINT and SIGHUP end the program as its other exits do,
  // putting the display back first. For the program, not for tests.
  void gestisciSegnaliDiUscita();
  // The least width of a dialog whose title must show whole in the window
  // manager's title bar: the text in the title font, bold, and room for
  // the window icon, three buttons and the margins. Message boxes and the
  // input box are never narrower, as on the system the program was
  // written for; a short message under a long title would cut it.
  static int larghezzaPerIlTitolo(const QString& titolo);
  // The sound player, made on first use.
  SuonoQt& suono();

  double secondiMonotoni() override;
  double oraDelGiorno() override;

  void elaboraEventi() override;
  void attendiEventi(double scadenza) override;

  void creaForm(Form& form) override;
  void mostraForm(Form& form, bool modale) override;
  void distruggiForm(Form& form) override;
  void mostraMenuPopup(Form& form, VoceMenu& menu) override;
  Risposta msgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
  std::optional<std::string> inputBox(const std::string& testo, const std::string& titolo,
                                      const std::string& predefinito) override;
  std::optional<std::string> dialogoApri(const DialogoFile& d) override;
  std::optional<std::string> dialogoSalva(const DialogoFile& d) override;
  void annuncia(const Form& form, const std::string& testo) override;
  void daiFuoco(const Form& form, ZonaTastiera& zona) override;

  void suonaRisorsa(const std::string& id) override;
  void suonaFile(const std::string& percorso) override;
  void fermaSuono() override;
  int dispositiviAudio() override;
  void beep() override;

  Dimensioni schermo() override;
  int profonditaColore() override;
  std::vector<Dimensioni> modiDisplay() override;
  bool cambiaRisoluzione(Dimensioni d) override;
  Rettangolo rettangoloFinestra(const Form& form) override;
  void disegnaRettangolo(const Rettangolo& r, Colore riempimento) override;
  void ridisegna(const Controllo& c) override;

  VersioneSistema versioneSistema() override;
  bool altraIstanzaAttiva() override;
  std::string cartellaProgramma() override;
  std::optional<std::uintmax_t> dimensioneFile(const std::string& percorso) override;
  bool impostaSolaLettura(const std::string& percorso) override;
  bool togliSolaLettura(const std::string& percorso) override;
  std::string leggiFile(const std::string& percorso) override;
  bool sostituisciFile(const std::string& percorso, const std::string& contenuto) override;
  bool apriIndirizzo(const std::string& indirizzo) override;
  void spostaMouse(int x, int y) override;
  [[noreturn]] void termina(int codice) override;

 private:
  // Puts back the display mode found before the first switch, if any.
  void ripristinaSchermo();

  std::unique_ptr<QTimer> sveglia_;  // wakes a wait at its deadline
  std::map<const Form*, QPointer<FinestraQt>> finestre_;
  std::unique_ptr<QLockFile> blocco_;
  std::optional<bool> altraIstanza_;
  std::optional<std::string> cartella_;
  std::optional<Dimensioni> schermoOriginale_;
  std::unique_ptr<QSocketNotifier> segnali_;
  std::unique_ptr<SovrapposizioneQt> sovrapposizione_;  // what is drawn on the screen
  std::unique_ptr<SuonoQt> suono_;
};

}  // namespace velmo
