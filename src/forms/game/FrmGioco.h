#pragma once
// The game window: the board with its cells and arrows, the side panel with
// the match figures, the credits panel, the menus and the four timers. The
// board and the match live here for as long as the window does.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "forms/Controlli.h"
#include "forms/Form.h"
#include "forms/Tasti.h"
#include "core/computer/MossaComputer.h"
#include "core/files/Leaderboard.h"
#include "core/rules/Grid.h"
#include "core/rules/MatchState.h"

namespace velmo {

struct PartitaSalvata;

// The captions of the turn label.
inline constexpr const char* testoTuoTurno = "E' IL TUO TURNO...";
inline constexpr const char* testoTurnoComputer = "E' IL TURNO DEL COMPUTER...";

class FrmGioco : public Form {
 public:
  FrmGioco();
  ~FrmGioco() override;

  // --- Board and round (the model; the cells and arrows mirror it) --------
  Grid grid;
  MoveHistory moveHistory;
  Quaterna winningCells{};
  bool roundOver = false;
  bool busy = false;
  MatchState match;
  bool altF4Pressed = false;
  // Set once the quit is confirmed: from then on the window takes no more
  // commands or board input until the program ends.
  bool uscitaConfermata = false;
  Leaderboard classifica;
  // The place entered by this run's last match, 0 for none; kept until the
  // program ends.
  std::int16_t lastEntryPlace = 0;

  // Draws the rule order of the computer's choice; tests may fix it.
  std::function<OrdineRegole()> ordineRegole;

  // --- Controls -------------------------------------------------------------
  Serie<Contenitore, 2> picContenitore;
  std::array<Figura, 2> picTabellone{Figura::tabelloneSenzaPartita, Figura::tabelloneInPartita};
  Serie<Immagine, tavola::celle> imgPedina;
  Serie<Immagine, tavola::colonne> imgFreccia;
  // The columns as the keyboard and a screen reader move over them.
  Serie<ZonaTastiera, tavola::colonne> zonaColonna;
  int colonnaConFuoco = 0;  // 0: the focus is on none
  Etichetta lblTurno;
  Etichetta lblTitoloTempo, lblTempo;
  Etichetta lblTitoloCaselleLibere, lblCaselleLibere;
  Etichetta lblTitoloVittorie, lblTitoloGiocatore, lblTitoloComputer;
  Serie<Etichetta, 2> lblVittorieGiocatore;
  Etichetta lblTitoloColorePedine, lblColorePedine;
  Etichetta lblTitoloPunteggio, lblPunteggio;
  Etichetta lblTitoloVite;
  Serie<Immagine, 3> imgVita;
  Serie<Contenitore, 2> picContenitoreCrediti;
  Serie<Etichetta, 12> lblCrediti;
  Immagine imgLink;
  // Stored pictures, never shown: the sources of cells, arrows and lives.
  Immagine imgNessuna, imgPedinaGialla, imgPedinaRossa, imgFrecciaNera, imgFrecciaRossa, imgVitaSi,
      imgVitaNo;
  Serie<Immagine, 2> imgMano;
  Timer tmrTempo, tmrIntermittenza, tmrCrediti, tmrWaveMp3;

  // --- Menus ----------------------------------------------------------------
  Serie<VoceMenu, 6> mnuMain;
  VoceMenu mnuPopUpInGioco1, mnuPopUpInGioco2, mnuFileNuova, mnuFilePausa, mnuFileTermina, mnuLinea1,
      mnuFileCarica, mnuFileSalva, mnuLinea2, mnuFileEsci;
  VoceMenu mnuPopUpFuoriGioco1, mnuPopUpFuoriGioco2;
  Serie<VoceMenu, 2> mnuImpostazioniAudio;
  VoceMenu mnuLinea7;
  Serie<VoceMenu, 2> mnuImpostazioniPedine;
  VoceMenu mnuLinea8;
  Serie<VoceMenu, 3> mnuImpostazioniVelocita;
  VoceMenu mnuAnnullaInserimento;
  VoceMenu mnuClassificaVisualizza, mnuLinea3, mnuClassificaResetta;
  VoceMenu mnuInfoCodice, mnuInfoRegole, mnuInfoTastiera, mnuLinea6, mnuInfoVelmo;

  // Credit lines 1..12 and their colour, read by the scroller.
  std::array<std::string, 12> creditLines;
  static constexpr int creditLineCount = 12;
  static constexpr Colore creditColour{255, 240, 50};
  // One unit of the credits panel's coordinates, in twips: a pixel, so the
  // lines crawl one pixel a tick.
  static constexpr int unitaCrediti = 15;

  // --- Window events --------------------------------------------------------
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Terminate();
  void Form_KeyDown(int codice, int shift) override;
  void Form_KeyUp(int codice, int shift) override;
  void Form_QueryClose() override;

  // --- State of the user interface ---------------------------------------
  void msubStatoGioco(const std::string& comando);
  void msubMenuRadio(VoceMenu& voce, int posizioneMenu, int posizioneVoce);
  void picContenitore_MouseUp(int indice, const EventoMouse& e);
  void picContenitore_MouseMove(int indice);

  // --- Menu commands --------------------------------------------------------
  void mnuFileNuova_Click();
  void mnuFilePausa_Click();
  void mnuFileTermina_Click();
  void mnuFileCarica_Click();
  void mnuFileSalva_Click();
  void mnuFileEsci_Click();
  void mnuAnnullaInserimento_Click();
  void mnuImpostazioniAudio_Click(int indice);
  void mnuImpostazioniPedine_Click(int indice);
  void mnuImpostazioniVelocita_Click(int indice);
  void mnuClassificaVisualizza_Click();
  void mnuClassificaResetta_Click();

  // --- Board and moves --------------------------------------------------------
  void msubInserisciPedina(int colonna, Side lato);
  void msubTogliPedina(int colonna, Side lato);
  void msubNuovoRound();
  void msubCercaQuattro(int cellaAtterraggio);

  // --- Rounds and match -------------------------------------------------------
  void msubFineRound(Risultato risultato);
  void tmrTempo_Timer();
  void msubChiediSalvataggio(bool chiedi);
  void msubCaricaClassifica();
  void msubAggiornaClassifica();

  // --- The computer ---------------------------------------------------------
  std::int16_t mfuncMossaComputer();
  void msubTurnoComputer();

  // --- Saved games --------------------------------------------------------------
  // The file dialog: mode 1 opens, any other saves. The chosen path, "" when
  // the user cancels.
  std::string mfuncApriSalvaDialog(std::int16_t modo, const std::string& titolo, const std::string& nomeIniziale,
                                   const std::string& descrizioneTipo, const std::string& cartellaIniziale,
                                   const std::string& estensione);

  // --- Column choice, animations and settings ---------------------------------
  void imgFreccia_Click(int i);
  void imgFreccia_MouseMove(int i);
  void imgFreccia_MouseDown(int i, const EventoMouse& e);
  void imgFreccia_MouseUp(int i);
  void tmrIntermittenza_Timer();
  void msubImpostaColorePedine(int i);
  void tmrWaveMp3_Timer();
  void tmrCrediti_Timer();

  // --- Information windows ----------------------------------------------------
  void mnuInfoCodice_Click();
  void mnuInfoRegole_Click();
  void mnuInfoTastiera_Click();
  void mnuInfoVelmo_Click();
  void mnuThanxTo_Click();

  // --- The board by keyboard and for a screen reader -------------------------
  // Moving over the columns, reading one column's cells or the whole board
  // row by row. False for a key it does not use.
  bool mfuncTastoTavola(int codice, int shift);
  // A column chosen by keyboard (its digit, or Space and Return on it) or
  // pressed by a screen reader: as a click on its arrow, when one is allowed.
  void msubColonnaDaTastiera(int colonna);
  std::string mfuncLeggiColonna(int colonna) const;
  std::string mfuncLeggiTavola() const;
  // The cells', lives' and columns' names from the board as it stands.
  void msubDescriviTavola();

  // The pause in seconds between two frames of a falling piece.
  float pfuncRitardoCaduta() const;
  // The picture of a side's pieces by the colour setting.
  Figura pfuncFiguraPedina(Side lato) const;

 private:
  // A handler of the user's input, silenced once the quit is confirmed.
  template <class F>
  auto mfuncInput(F gestore) {
    return [this, gestore](auto&&... argomenti) {
      if (!uscitaConfermata) gestore(argomenti...);
    };
  }
  void msubCreaMenu();
  // A new match's board and figures, without a word: a loaded match tells
  // its own.
  void msubIniziaPartita();
  void msubCreaPannello();
  void msubAnimaCaduta(int colonna, Side lato, int cellaAtterraggio, float ritardo);
  void msubAnimaRisalita(int colonna, Side lato, int cella);
  void msubAggiornaCaselleLibere();
  void msubFrecce(bool abilitate);
  void msubNascondiFrecce();
  void msubEvidenziaFreccia(int i);
  void msubMostraPunteggio();
  // The match as a saved game holds it, and a loaded one put back.
  PartitaSalvata mfuncPartitaSalvata() const;
  void msubApplicaPartita(const PartitaSalvata& partita);
  // Clicks in the sound cue guard window of the start-up music.
  void msubSuonoClic();
  // For a screen reader: the controls' names, the cells' and lives' names
  // from their pictures, and the events told as they happen.
  void msubNomiAccessibili();
  void msubAnnuncia(const std::string& testo);
  void msubAnnunciaPedina(Side lato, int colonna, int cella);
  void msubAnnunciaQuattro();
  void msubAnnunciaFineRound(Risultato risultato);
  void msubAnnunciaNuovoRound();

  // The clock and the free cells as they are said, not as they are shown.
  void msubLeggiValori();
  // Who dropped the round's last piece: the other side opens the next.
  Side latoUltimaPedina_ = Side::nessuna;
};

}  // namespace velmo
