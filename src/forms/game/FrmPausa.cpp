#include "forms/game/FrmPausa.h"

#include "forms/ModGenerale.h"
#include "forms/Tasti.h"

namespace velmo {

FrmPausa::FrmPausa(Timer& orologio) : Form("frmPausa"), tmrTempo_(orologio) {
  setSize(4200, 2100);
  lblPausa.setCaption("Il Brenvo è in pausa...");
  lblPausa.move(240, 300, 3600, 400);
  lblPausa.setFontSize(12);
  lblPausa.setBold(true);
  lblPausa.setAlignment(Etichetta::Allineamento::centro);
  cmdRiprendi.setCaption("&Riprendi");
  cmdRiprendi.move(1290, 960, 1500, 450);
  cmdRiprendi.onClick = [this] { cmdRiprendi_Click(); };
  // Return and Escape resume, as the window's only way out.
  cmdRiprendi.setPredefinito(true);
  cmdRiprendi.setAnnullamento(true);
  setDialogo(true);
  aggiungi(lblPausa);
  aggiungi(cmdRiprendi);
}

void FrmPausa::Form_Load() {
  setCaption(pfuncCaptionBase());
  // The caption is the game window's and the about window's too.
  setNomeAccessibile(pfuncCaptionBase() + " - Pausa");
  psubFermaSuono();
  psubSuonaCue("id_04");
  orologioInCorso_ = tmrTempo_.interval() != 0;
  tmrTempo_.setInterval(0);
}

void FrmPausa::Form_KeyDown(int codice, int /*shift*/) {
  if (codice == codiceTasto::F3) cmdRiprendi_Click();
}

void FrmPausa::cmdRiprendi_Click() {
  // The jingle's wait lets a second click or F3 in; resume once.
  if (riprendendo_) return;
  riprendendo_ = true;
  psubSuonaCue("id_05", 0.6f);
  if (orologioInCorso_) tmrTempo_.setInterval(1000);
  Unload();
}

}  // namespace velmo
