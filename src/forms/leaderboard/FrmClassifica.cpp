#include "forms/leaderboard/FrmClassifica.h"

#include <string>

#include "forms/ChiusuraConEffetto.h"
#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/Tasti.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

namespace {

// Layout in twips: the first place between the cup and the logo, a line,
// then a row for each of the other places.
constexpr int larghezza = 6300, altezza = 4380;
constexpr int sinistraPrimo = 1380, larghezzaPrimo = 3840;
constexpr int topRighe = 1680, altezzaRiga = 480, altezzaTesto = 300;

}  // namespace

FrmClassifica::FrmClassifica(FrmGioco& gioco) : Form("frmClassifica"), gioco_(gioco) {
  setDialogo(true);
  setSize(larghezza, altezza);
  setBackColor(coloreSfondo);

  imgCoppa.move(240, 240, 960, 960);
  imgCoppa.setFigura(Figura::coppa);
  imgLogo.move(5340, 240, 720, 720);
  imgLogo.setFigura(Figura::logoVelmo);
  imgCoppa.setNomeAccessibile("Coppa");
  imgLogo.setNomeAccessibile("Logo di Velmo");
  for (Immagine* img : {&imgCoppa, &imgLogo}) {
    img->onClick = [this] { Form_Click(); };
    aggiungi(*img);
  }

  lblNome[1].move(sinistraPrimo, 270, larghezzaPrimo, 420);
  lblNome[1].setFontSize(13.5);
  lblInfo[1].move(sinistraPrimo, 780, larghezzaPrimo / 2, 360);
  lblPunteggio[1].move(sinistraPrimo + larghezzaPrimo / 2, 780, larghezzaPrimo / 2, 360);
  for (Etichetta* l : {&lblNome[1], &lblInfo[1], &lblPunteggio[1]}) l->setAlignment(Etichetta::Allineamento::centro);
  for (Etichetta* l : {&lblInfo[1], &lblPunteggio[1]}) l->setFontSize(12);

  lnSeparatore.setEstremi(240, 1440, 5970, 1440);
  lnSeparatore.setColore({190, 160, 90});
  aggiungi(lnSeparatore);

  for (int p = 2; p <= 5; ++p) {
    const int top = topRighe + (p - 2) * altezzaRiga;
    lblPosto[p - 1].setCaption(std::to_string(p) + "°)");
    lblPosto[p - 1].move(360, top, 540, altezzaTesto);
    lblNome[p].move(960, top, 2280, altezzaTesto);
    lblInfo[p].move(3240, top, 1260, altezzaTesto);
    lblInfo[p].setAlignment(Etichetta::Allineamento::centro);
    lblPunteggio[p].move(4500, top, 1080, altezzaTesto);
    lblPunteggio[p].setAlignment(Etichetta::Allineamento::destra);
    for (Etichetta* l : {&lblPosto[p - 1], &lblNome[p], &lblInfo[p], &lblPunteggio[p]}) l->setFontSize(9.75);
  }

  for (auto* serie : {&lblNome, &lblInfo, &lblPunteggio})
    for (Etichetta& l : *serie) aggiungi(l);
  for (Etichetta& l : lblPosto) aggiungi(l);
  for (Controllo* c : controlli())
    if (auto* l = dynamic_cast<Etichetta*>(c)) {
      l->setForeColor(coloreTesto);
      l->onClick = [this] { Form_Click(); };
    }

  // To a screen reader a table of the places; a row's drawn number ("2°)",
  // the cup for the first) reads as a plain number.
  TabellaAccessibile tabella{"Classifica", {"Posto", "Nome", "Punteggio", "Vittorie"}, {}};
  for (int p = 1; p <= 5; ++p) {
    const Controllo* posto = p == 1 ? nullptr : &lblPosto[p - 1];
    tabella.righe.push_back({{posto, std::to_string(p)}, {&lblNome[p], {}}, {&lblPunteggio[p], {}}, {&lblInfo[p], {}}});
  }
  setTabellaAccessibile(std::move(tabella));
}

void FrmClassifica::msubDescriviClassifica() {
  // Read as the window opens: the whole leaderboard, in one go.
  std::string testo;
  for (int p = 1; p <= 5; ++p) {
    const std::string nome = lblNome[p].caption();
    testo += (p > 1 ? " " : "") + std::string("Posto ") + std::to_string(p) + ": ";
    if (nome == "vuoto")
      testo += "vuoto";
    else
      testo += nome + ", punteggio " + lblPunteggio[p].caption() + ", " + lblInfo[p].caption();
    if (p == gioco_.lastEntryPlace) testo += ", appena inserito";
    testo += ".";
  }
  setDescrizioneAccessibile(testo);
}

void FrmClassifica::Form_Load() {
  setCaption(pfuncCaptionBase() + " - Classifica");
  if (gioco_.tmrWaveMp3.interval() == 0) psubSuonaCue("id_14");
  gioco_.msubCaricaClassifica();
  for (int p = 1; p <= 5; ++p) {
    const LeaderboardEntry& voce = gioco_.classifica[static_cast<std::size_t>(p - 1)];
    lblNome[p].setCaption(taglia(voce.Nome));
    lblInfo[p].setCaption(taglia(voce.Info));
    lblPunteggio[p].setCaption(taglia(voce.Punteggio));
  }
  if (const int p = gioco_.lastEntryPlace; p != 0)
    for (Etichetta* l : {&lblNome[p], &lblInfo[p], &lblPunteggio[p]}) {
      l->setForeColor(coloreUltimoInserito);
      l->setBold(true);
    }
  msubDescriviClassifica();
}

void FrmClassifica::Form_Click() {
  // The effect's waits let more clicks in: the window closes once.
  if (chiudendo_) return;
  chiudendo_ = true;
  if (gioco_.tmrWaveMp3.interval() == 0) {
    psubFermaSuono();
    psubSuonaCue("id_02");
  }
  psubChiudiConEffetto(*this, passiChiusura, gioco_.picContenitore[1]);
}

void FrmClassifica::Form_KeyDown(int codice, int shift) {
  if (shift == 0 && (codice == codiceTasto::esc || codice == codiceTasto::invio)) Form_Click();
}

void FrmClassifica::Form_QueryClose() {
  // The close command closes at once, except while the effect is closing it.
  if (!chiudendo_) Unload();
}

}  // namespace velmo
