// Saved games: "&Salva" writes the match into a file of the player's
// choice, "&Carica partita" reads one back and shows it, both through the
// file dialog of the game window.

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/FileIni.h"
#include "core/files/PartitaSalvata.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

namespace {

constexpr std::int16_t modoApri = 1;
constexpr std::int16_t modoSalva = 2;
constexpr const char* estensione = "vl2";
constexpr const char* schemaFile = "*.vl2";

std::string nomeEVersione() { return std::string(ModGenerale::nomeProdotto) + " " + ModGenerale::versione; }
std::string sezione() { return nomeEVersione() + suffissoSezionePartita; }
std::string descrizioneTipo() { return "File di " + nomeEVersione(); }

std::string testoRifiuto(const std::string& percorso) {
  return "Impossibile caricare il file:\r\n\r\n" + percorso +
         "\r\n\r\nIl file che si sta cercando di caricare è stato manomesso\r\noppure non appartiene a " +
         nomeEVersione() + ".";
}

// In place of the confirmation when the system refused the write.
std::string testoNonSalvata(const std::string& percorso) {
  return "Impossibile scrivere nel file:\r\n\r\n" + percorso + "\r\n\r\nLa partita non è stata salvata... :(";
}

// The saved game in the file, read over the new match's state; a file that
// cannot be a saved game is refused at the first step.
LetturaPartita leggiFilePartita(const std::string& percorso, const PartitaSalvata& nuova) {
  const auto chiavi = chiaviLettePartita();
  const auto valori = pfuncLeggiValoriIni(percorso, sezione(), chiavi);
  if (!valori) return {nuova, PassoLettura::colonne};
  return leggiPartita(
      [&](const std::string& chiave) {
        for (std::size_t k = 0; k < chiavi.size(); ++k)
          if (chiavi[k] == chiave) return (*valori)[k];
        return std::string();
      },
      nuova);
}

}  // namespace

std::string FrmGioco::mfuncApriSalvaDialog(std::int16_t modo, const std::string& titolo,
                                           const std::string& nomeIniziale, const std::string& descrizioneTipo,
                                           const std::string& cartellaIniziale, const std::string& estensione) {
  std::string percorso;
  pTrappaErrori("frmGioco.mfuncApriSalvaDialog", [&] {
    const DialogoFile d{titolo, nomeIniziale, descrizioneTipo, cartellaIniziale, estensione};
    Piattaforma& p = piattaforma();
    percorso = (modo == modoApri ? p.dialogoApri(d) : p.dialogoSalva(d)).value_or("");
    percorso = percorso.substr(0, percorso.find('\0'));
  });
  return percorso;
}

void FrmGioco::mnuFileSalva_Click() {
  if (mousePointer() == Puntatore::clessidra) return;
  if (busy) {
    psubNonPossoOra();
    return;
  }
  if (modGenerale.matchInProgress) tmrTempo.setInterval(0);
  setMousePointer(Puntatore::clessidra);

  std::string percorso = mfuncApriSalvaDialog(modoSalva, "Salva gioco...", schemaFile, descrizioneTipo(),
                                              piattaforma().cartellaProgramma(), estensione);
  if (!taglia(percorso).empty()) {
    percorso = conEstensione(percorso, estensione);
    // One rewrite of the whole file: a crash leaves the old file or the
    // saved game, never half of it.
    if (pfuncScriviValoriIni(percorso, sezione(), valoriPartita(mfuncPartitaSalvata()))) {
      setCaption(pfuncCaptionBase() + " - [" + percorso + "]");
      piattaforma().msgBox("La partita viene salvata nel file: \r\n" + percorso, Pulsanti::ok, Icona::informazione,
                           titoloService);
      msubAnnuncia("Partita salvata.");
    } else {
      piattaforma().msgBox(testoNonSalvata(percorso), Pulsanti::ok, Icona::esclamazione, titoloService);
    }
  }

  setMousePointer(Puntatore::predefinito);
  if (modGenerale.matchInProgress) tmrTempo.setInterval(1000);
}

void FrmGioco::mnuFileCarica_Click() {
  const std::string percorso = mfuncApriSalvaDialog(modoApri, "Carica gioco...", schemaFile, descrizioneTipo(),
                                                    piattaforma().cartellaProgramma(), estensione);
  if (taglia(percorso).empty()) return;
  msubIniziaPartita();
  tmrTempo.setInterval(0);

  const LetturaPartita lettura = leggiFilePartita(percorso, mfuncPartitaSalvata());
  // What was read before a refusal stays, as the next new match resets it.
  msubApplicaPartita(lettura.partita);
  if (lettura.rifiuto) {
    piattaforma().msgBox(testoRifiuto(percorso), Pulsanti::ok, Icona::critica, titoloService);
    msubChiediSalvataggio(false);
    return;
  }

  for (int i = 1; i <= tavola::celle; ++i)
    imgPedina[i].setFigura(grid[i] == Side::nessuna ? imgNessuna.figura() : pfuncFiguraPedina(grid[i]));
  for (int i = 1; i <= 3; ++i) imgVita[i].setFigura(i <= match.lives ? imgVitaSi.figura() : imgVitaNo.figura());
  msubDescriviTavola();
  for (int chi : {2, 1}) lblVittorieGiocatore[chi].setCaption(taglia(testoNumero(match.vittorie(chi))));
  msubMostraPunteggio();
  msubAggiornaCaselleLibere();
  lblTempo.setCaption(testoOrologio(match.clockMinutes, match.clockSeconds));
  lblTempo.setVisible(true);
  lblTurno.setCaption(testoTuoTurno);
  setCaption(pfuncCaptionBase() + " - [" + percorso + "]");

  // The board shows before the message. A click or a command meanwhile
  // would play into a match not yet handed over: they are refused as
  // during a move.
  busy = true;
  psubAttendi(0.35f);
  piattaforma().msgBox("La partita è stata caricata !\r\rPreparati ad iniziare...", Pulsanti::ok,
                       Icona::informazione, titoloService);
  busy = false;
  msubAnnuncia("Partita caricata: hai " + std::to_string(match.lives) + (match.lives == 1 ? " vita" : " vite") +
               ", punteggio " + std::to_string(match.score) + ", caselle libere " + std::to_string(grid.freeCells) +
               ". Tocca a te.");
  tmrTempo.setInterval(1000);
}

PartitaSalvata FrmGioco::mfuncPartitaSalvata() const {
  PartitaSalvata p;
  for (int c = 1; c <= tavola::colonne; ++c) p.colonneAperte[static_cast<std::size_t>(c - 1)] = imgFreccia[c].visible();
  p.grid = grid;
  p.moveHistory = moveHistory;
  p.annullaAbilitato = mnuAnnullaInserimento.enabled();
  p.gialle = taglia(lblColorePedine.caption()) == "gialle";
  p.match = match;
  return p;
}

void FrmGioco::msubApplicaPartita(const PartitaSalvata& p) {
  for (int c = 1; c <= tavola::colonne; ++c) {
    const bool aperta = p.colonneAperte[static_cast<std::size_t>(c - 1)];
    imgFreccia[c].setEnabled(aperta);
    imgFreccia[c].setVisible(aperta);
  }
  grid = p.grid;
  for (int i = 1; i <= tavola::celle; ++i) imgPedina[i].setTag(std::string(testoLato(grid[i])));
  moveHistory = p.moveHistory;
  mnuAnnullaInserimento.setEnabled(p.annullaAbilitato);
  msubImpostaColorePedine(p.gialle ? 1 : 2);
  match = p.match;
}

}  // namespace velmo
