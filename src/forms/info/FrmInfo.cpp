#include "forms/info/FrmInfo.h"

#include "forms/ModGenerale.h"
#include "forms/Tasti.h"
#include "core/common/Prodotto.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

FrmInfo::FrmInfo(FrmGioco& gioco, std::string nome, std::string cue, std::string titolo)
    : Form(std::move(nome)), gioco_(gioco), cue_(std::move(cue)) {
  setDialogo(true);
  setSize(larghezza, altezza);
  setBackColor(coloreSfondo);
  picCornice.move(0, 0, larghezza, altezza);
  picCornice.setFigura(Figura::sfondoInfo);
  picCornice.setBackColor(coloreSfondo);
  picCornice.onMouseUp = [this](const EventoMouse& e) {
    if (e.pulsante == 1) Unload();
  };
  aggiungi(picCornice);

  imgLogo.move(300, 300, 720, 720);
  imgLogo.setFigura(Figura::logoVelmo);
  imgLogo.onClick = [this] { Unload(); };
  imgLogo.setNomeAccessibile("Logo di Velmo");
  picCornice.aggiungi(imgLogo);

  aggiungiTesto(lblTitolo, 1200, 450, 4800, 450, 13.5);
  lblTitolo.setBold(true);
  lblTitolo.setCaption(std::move(titolo));
}

void FrmInfo::aggiungiTesto(Etichetta& l, int left, int top, int width, int height, double fontSize) {
  l.move(left, top, width, height);
  l.setFontSize(fontSize);
  l.setForeColor(coloreTesto);
  l.onClick = [this] { Unload(); };
  picCornice.aggiungi(l);
}

void FrmInfo::aggiungiLink(Etichetta& l, int left, int top, int width, int height) {
  l.move(left, top, width, height);
  l.setFontSize(9.75);
  l.setBold(true);
  l.setForeColor(coloreLink);
  l.setCaption("Brenvo Web Site");
  l.setToolTipText(prodotto::sitoWeb);
  l.onMouseMove = [this, &l](const EventoMouse&) {
    l.setMouseIcon(gioco_.imgLink.figura());
    l.setMousePointer(Puntatore::personalizzato);
  };
  l.onMouseDown = [](const EventoMouse& e) {
    if (e.pulsante != 2) pfuncGoUrl(prodotto::sitoWeb);
  };
  picCornice.aggiungi(l);
  aggiungiZona(zonaLink, l, [] { pfuncGoUrl(prodotto::sitoWeb); });
}

void FrmInfo::aggiungiZona(ZonaTastiera& z, const Etichetta& l, std::function<void()> azione) {
  // A little larger than the label, so the focus mark rings the text.
  z.move(l.left() - 120, l.top() - 60, l.width() + 240, l.height() + 120);
  z.setNomeAccessibile(l.caption());
  z.collegamento = true;
  z.coloreSegno = coloreLink;
  z.onGotFocus = [this, &z] { zonaConFuoco_ = &z; };
  z.onClick = std::move(azione);
  picCornice.aggiungi(z);
}

bool FrmInfo::mfuncMusicaFinita() const { return gioco_.tmrWaveMp3.interval() == 0; }

void FrmInfo::Form_Load() {
  setCaption(pfuncCaptionBase());
  // The five share their caption, with the pause window too: each is told
  // apart by its own title.
  setNomeAccessibile(pfuncCaptionBase() + " - " + (lblTitolo.caption().empty() ? "Informazioni" : lblTitolo.caption()));
  // A clock already stopped (a round ending) stays stopped when the window
  // closes.
  if (modGenerale.matchInProgress && gioco_.tmrTempo.interval() != 0) {
    gioco_.tmrTempo.setInterval(0);
    orologioFermato_ = true;
  }
  if (!cue_.empty() && mfuncMusicaFinita()) psubSuonaCue(cue_);
  msubTestiPropri();
}

void FrmInfo::Form_KeyDown(int codice, int shift) {
  if (shift != 0) return;
  // A link acts as the key goes up, once, however long it is held.
  if (codice == codiceTasto::invio && zonaConFuoco_) return;
  if (codice == codiceTasto::esc || codice == codiceTasto::invio) Form_Click();
}

void FrmInfo::Form_KeyUp(int codice, int shift) {
  if (zonaConFuoco_) zonaConFuoco_->premiConTasto(codice, shift);
}

void FrmInfo::Form_Unload() {
  if (orologioFermato_ && modGenerale.matchInProgress) gioco_.tmrTempo.setInterval(1000);
  orologioFermato_ = false;
  if (mfuncMusicaFinita()) psubFermaSuono();
}

}  // namespace velmo
