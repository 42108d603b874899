// The game window: construction, layout, menus, the two states of the user
// interface, the pop-up menus, the pointer and the quit sequence.

#include "forms/game/FrmGioco.h"

#include "forms/ModGenerale.h"
#include "forms/game/FrmPausa.h"

namespace velmo {

namespace {

// Layout in twips.
constexpr int larghezzaFinestra = 10245;
constexpr int larghezzaTavola = 7935, altezzaTavola = 6930;
constexpr int leftPannello = 7980, larghezzaPannello = 2175;
constexpr int larghezzaCella = 630, altezzaCella = 645;
constexpr int larghezzaFreccia = 480;
constexpr int altezzaCrediti = 4560, topCrediti = 1060;
constexpr int altezzaRigaCrediti = 255;

int altezzaFinestra(const std::string& sistema) {
  if (sistema == "WinXP" || sistema == "Sconosciuto") return 7695;
  if (sistema == "Win95/98/ME") return 7590;
  return 7615;
}

constexpr Colore nero{0, 0, 0};
constexpr Colore bianco{255, 255, 255};
constexpr Colore coloreTitoli{255, 255, 192};

}  // namespace

FrmGioco::FrmGioco() : Form("frmGioco") {
  ordineRegole = [] { return pfuncOrdineRegole(modGenerale.casuale); };
  setBackColor({11, 26, 52});  // the board's surround shows between board and panel

  // Board area with its cells and arrows.
  picContenitore[1].move(0, 0, larghezzaTavola, altezzaTavola);
  picContenitore[1].setFigura(picTabellone[0]);
  aggiungi(picContenitore[1]);
  for (int i = 1; i <= tavola::celle; ++i) {
    picContenitore[1].aggiungi(imgPedina[i]);
    imgPedina[i].setTag("nessuna");
    // The cells are part of the board: the pop-up menu and the pointer
    // answer over them as over the board between them.
    imgPedina[i].onMouseUp = mfuncInput([this](const EventoMouse& e) { picContenitore_MouseUp(1, e); });
    imgPedina[i].onMouseMove = mfuncInput([this](const EventoMouse&) { picContenitore_MouseMove(1); });
  }
  for (int i = 1; i <= tavola::colonne; ++i) {
    Immagine& f = imgFreccia[i];
    picContenitore[1].aggiungi(f);
    f.setTag("nera");
    f.onClick = mfuncInput([this, i] { imgFreccia_Click(i); });
    f.onMouseMove = mfuncInput([this, i](const EventoMouse&) { imgFreccia_MouseMove(i); });
    f.onMouseDown = mfuncInput([this, i](const EventoMouse& e) { imgFreccia_MouseDown(i, e); });
    f.onMouseUp = mfuncInput([this, i](const EventoMouse&) { imgFreccia_MouseUp(i); });
  }
  for (int i = 1; i <= tavola::colonne; ++i) {
    picContenitore[1].aggiungi(zonaColonna[i]);
    zonaColonna[i].onGotFocus = [this, i] { colonnaConFuoco = i; };
    zonaColonna[i].onClick = mfuncInput([this, i] { msubColonnaDaTastiera(i); });
  }
  for (int i = 1; i <= 2; ++i) {
    picContenitore[i].onMouseUp = mfuncInput([this, i](const EventoMouse& e) { picContenitore_MouseUp(i, e); });
    picContenitore[i].onMouseMove = mfuncInput([this, i](const EventoMouse&) { picContenitore_MouseMove(i); });
  }

  msubCreaPannello();

  // Stored pictures; the load sequence hides them.
  const std::pair<Immagine*, Figura> depositi[] = {
      {&imgNessuna, Figura::nessuna},          {&imgPedinaGialla, Figura::pedinaGialla},
      {&imgPedinaRossa, Figura::pedinaRossa},  {&imgFrecciaNera, Figura::frecciaNera},
      {&imgFrecciaRossa, Figura::frecciaRossa}, {&imgVitaSi, Figura::vitaSi},
      {&imgVitaNo, Figura::vitaNo},            {&imgMano[1], Figura::manoAperta},
      {&imgMano[2], Figura::manoChiusa}};
  for (auto [img, figura] : depositi) img->setFigura(figura);

  tmrTempo.onTimer = [this] { tmrTempo_Timer(); };
  tmrIntermittenza.onTimer = [this] { tmrIntermittenza_Timer(); };
  tmrWaveMp3.onTimer = [this] { tmrWaveMp3_Timer(); };
  // Set going and stopped by the state of the window.
  tmrCrediti.onTimer = [this] { tmrCrediti_Timer(); };
  tmrCrediti.setSoloSeVisibile(true);  // the crawl is only drawing: no work while nobody looks
  for (Timer* t : {&tmrTempo, &tmrIntermittenza, &tmrCrediti, &tmrWaveMp3}) aggiungi(*t);

  msubCreaMenu();
}

FrmGioco::~FrmGioco() {
  if (modGenerale.audioOff == &mnuImpostazioniAudio[2]) modGenerale.audioOff = nullptr;
}

void FrmGioco::msubCreaPannello() {
  Contenitore& pannello = picContenitore[2];
  pannello.move(leftPannello, 0, larghezzaPannello, altezzaTavola);
  pannello.setFigura(Figura::pannello);
  aggiungi(pannello);

  auto titolo = [&](Etichetta& l, const char* testo, int top) {
    l.setCaption(testo);
    l.move(120, top, larghezzaPannello - 240, 270);
    l.setForeColor(coloreTitoli);
    l.setBold(true);
    pannello.aggiungi(l);
  };
  auto valore = [&](Etichetta& l, int top) {
    l.move(120, top, larghezzaPannello - 240, 330);
    l.setForeColor(bianco);
    l.setFontSize(12);
    l.setBold(true);
    l.setAlignment(Etichetta::Allineamento::centro);
    pannello.aggiungi(l);
  };
  // Sections of the panel's picture, top to bottom: clock, free cells,
  // victories, piece colour, score, lives.
  titolo(lblTitoloTempo, "Tempo", 90);
  valore(lblTempo, 390);
  lblTempo.setCaption(testoOrologioIniziale);
  titolo(lblTitoloCaselleLibere, "Caselle Libere", 990);
  valore(lblCaselleLibere, 1290);
  lblCaselleLibere.setCaption(testoCaselleLibereIniziale);
  titolo(lblTitoloVittorie, "Riepilogo Vittorie", 1890);
  for (auto [l, testo, top] : {std::tuple{&lblTitoloGiocatore, "  Giocatore:", 2310},
                               std::tuple{&lblTitoloComputer, "  Computer:", 2790}}) {
    l->setCaption(testo);
    l->move(120, top, 1300, 300);
    l->setForeColor(bianco);
    pannello.aggiungi(*l);
  }
  for (int i = 1; i <= 2; ++i) {
    Etichetta& l = lblVittorieGiocatore[i];
    l.setCaption("0");
    l.move(1320, i == 1 ? 2310 : 2790, 660, 300);
    l.setForeColor(bianco);
    l.setBold(true);
    l.setAlignment(Etichetta::Allineamento::destra);
    pannello.aggiungi(l);
  }
  titolo(lblTitoloColorePedine, "Colore Pedine", 3540);
  valore(lblColorePedine, 3840);
  lblColorePedine.setCaption("gialle");
  lblColorePedine.setForeColor({192, 192, 0});
  titolo(lblTitoloPunteggio, "Punteggio", 4440);
  valore(lblPunteggio, 4740);
  lblPunteggio.setCaption("0");
  titolo(lblTitoloVite, "Vite", 5340);
  for (int i = 1; i <= 3; ++i) {
    imgVita[i].move(270 + 570 * (i - 1), 5700, 480, 480);
    imgVita[i].setFigura(Figura::vitaSi);
    pannello.aggiungi(imgVita[i]);
  }
  imgLink.move((larghezzaPannello - 480) / 2, 6330, 480, 480);
  imgLink.setFigura(Figura::link);
  pannello.aggiungi(imgLink);
  for (Immagine* img : {&imgVita[1], &imgVita[2], &imgVita[3], &imgLink})
    img->onMouseMove = mfuncInput([this](const EventoMouse&) { picContenitore_MouseMove(2); });

  // Whose turn it is, on the board's base below the bottom row.
  lblTurno.move(950, 6000, 6210, 300);
  lblTurno.setForeColor({255, 240, 50});
  lblTurno.setBold(true);
  lblTurno.setFontSize(10);
  lblTurno.setAlignment(Etichetta::Allineamento::centro);
  picContenitore[1].aggiungi(lblTurno);

  // The credits panel lies over the side panel while no match runs.
  Contenitore& crediti = picContenitoreCrediti[1];
  crediti.setBackColor(nero);
  aggiungi(crediti);
  crediti.aggiungi(picContenitoreCrediti[2]);
  picContenitoreCrediti[2].setBackColor(nero);
  picContenitoreCrediti[2].setEtichetteDipinte(true);  // they move 40 times a second
  for (Etichetta& l : lblCrediti) {
    picContenitoreCrediti[2].aggiungi(l);
    l.setForeColor(creditColour);
    l.setAlignment(Etichetta::Allineamento::centro);
  }
}

void FrmGioco::msubCreaMenu() {
  struct Voce {
    VoceMenu* voce;
    const char* caption;
    const char* tasto;
    std::function<void()> azione;
  };
  auto riempi = [this](VoceMenu& menu, const char* caption, std::initializer_list<Voce> voci) {
    menu.setCaption(caption);
    for (const Voce& v : voci) {
      v.voce->setCaption(v.caption);
      v.voce->setTasto(v.tasto);
      if (v.azione) v.voce->onClick = mfuncInput(v.azione);
      menu.aggiungi(*v.voce);
    }
  };
  riempi(mnuMain[1], " &File ",
         {{&mnuPopUpInGioco1, "Comandi della &tastiera", "", [this] { mnuInfoTastiera_Click(); }},
          {&mnuPopUpInGioco2, "-", "", {}},
          {&mnuFileNuova, "&Nuova partita", "F2", [this] { mnuFileNuova_Click(); }},
          {&mnuFilePausa, "&Pausa", "F3", [this] { mnuFilePausa_Click(); }},
          {&mnuFileTermina, "&Termina partita", "F4", [this] { mnuFileTermina_Click(); }},
          {&mnuLinea1, "-", "", {}},
          {&mnuFileCarica, "&Carica partita", "", [this] { mnuFileCarica_Click(); }},
          {&mnuFileSalva, "&Salva", "", [this] { mnuFileSalva_Click(); }},
          {&mnuLinea2, "-", "", {}},
          {&mnuFileEsci, "&Esci", "", [this] { mnuFileEsci_Click(); }}});
  riempi(mnuMain[2], " &Impostazioni ",
         {{&mnuPopUpFuoriGioco1, "Comandi della &tastiera", "", [this] { mnuInfoTastiera_Click(); }},
          {&mnuPopUpFuoriGioco2, "-", "", {}},
          {&mnuImpostazioniAudio[1], "Audio o&n", "", [this] { mnuImpostazioniAudio_Click(1); }},
          {&mnuImpostazioniAudio[2], "Audio &off", "", [this] { mnuImpostazioniAudio_Click(2); }},
          {&mnuLinea7, "-", "", {}},
          {&mnuImpostazioniPedine[1], "Pedine &gialle", "", [this] { mnuImpostazioniPedine_Click(1); }},
          {&mnuImpostazioniPedine[2], "Pedine &rosse", "", [this] { mnuImpostazioniPedine_Click(2); }},
          {&mnuLinea8, "-", "", {}},
          {&mnuImpostazioniVelocita[1], "Velocità m&inima", "", [this] { mnuImpostazioniVelocita_Click(1); }},
          {&mnuImpostazioniVelocita[2], "Velocità m&edia", "", [this] { mnuImpostazioniVelocita_Click(2); }},
          {&mnuImpostazioniVelocita[3], "Velocità m&assima", "", [this] { mnuImpostazioniVelocita_Click(3); }}});
  riempi(mnuMain[3], " &Annulla ",
         {{&mnuAnnullaInserimento, "&Ultimo inserimento", "F7", [this] { mnuAnnullaInserimento_Click(); }}});
  riempi(mnuMain[4], " &Classifica ",
         {{&mnuClassificaVisualizza, "&Visualizza", "F5", [this] { mnuClassificaVisualizza_Click(); }},
          {&mnuLinea3, "-", "", {}},
          {&mnuClassificaResetta, "&Resetta", "F6", [this] { mnuClassificaResetta_Click(); }}});
  riempi(mnuMain[5], " &Informazioni su... ",
         {{&mnuInfoCodice, "&Codice sorgente", "", [this] { mnuInfoCodice_Click(); }},
          {&mnuInfoRegole, "&Regole del gioco", "", [this] { mnuInfoRegole_Click(); }},
          {&mnuInfoTastiera, "Comandi della &tastiera", "", [this] { mnuInfoTastiera_Click(); }},
          {&mnuLinea6, "-", "", {}},
          {&mnuInfoVelmo, "Brenvo &Velmo", "F1", [this] { mnuInfoVelmo_Click(); }}});
  riempi(mnuMain[6], " &Thanx to...", {});
  mnuMain[6].onClick = mfuncInput([this] { mnuThanxTo_Click(); });
  for (VoceMenu& m : mnuMain) aggiungiMenu(m);

  // The window design's marks, which the load sequence overrides.
  mnuImpostazioniAudio[1].setChecked(true);
  mnuImpostazioniPedine[1].setChecked(true);
  mnuImpostazioniVelocita[2].setChecked(true);
  modGenerale.audioOff = &mnuImpostazioniAudio[2];
}

void FrmGioco::Form_Load() {
  pTrappaErrori("frmGioco.Form_Load", [&] {
    setSize(larghezzaFinestra, altezzaFinestra(modGenerale.nomeSistema));
    setCaption(pfuncCaptionBase());
    // The window allows the close command: GNOME and KDE take Alt+F4
    // themselves and send the request only to a window that allows it. The
    // request, from the key or a title-bar button, takes the Alt+F4 path
    // (Form_QueryClose), so quitting still asks its questions.
    setCloseCommand(true);
    mnuPopUpFuoriGioco1.setVisible(false);
    mnuPopUpInGioco1.setVisible(false);
    mnuPopUpFuoriGioco2.setVisible(false);
    mnuPopUpInGioco2.setVisible(false);
    for (int i = 1; i <= 3; ++i) msubMenuRadio(mnuImpostazioniVelocita[i], 1, 5 + i);

    if (modGenerale.noSoundDevice) {
      mnuImpostazioniAudio[2].setChecked(true);
      mnuImpostazioniAudio[1].setChecked(false);
      mnuImpostazioniAudio[1].setEnabled(false);
      mnuImpostazioniAudio[2].setEnabled(false);
    } else {
      mnuImpostazioniAudio[1].setChecked(true);
      mnuImpostazioniAudio[2].setChecked(false);
    }
    mnuImpostazioniPedine[2].setChecked(true);
    mnuImpostazioniPedine[1].setChecked(false);
    mnuImpostazioniVelocita[3].setChecked(true);
    mnuImpostazioniVelocita[1].setChecked(false);
    mnuImpostazioniVelocita[2].setChecked(false);

    for (int i = 1; i <= tavola::celle; ++i) {
      const int c = tavola::colonnaDi(i) - 1, r = tavola::rigaDi(i) - 1;
      imgPedina[i].move(950 + 690 * c, 5270 - 720 * r, larghezzaCella, altezzaCella);
    }
    for (int i = 1; i <= tavola::colonne; ++i)
      imgFreccia[i].move(300 + 700 * i, 240, larghezzaFreccia, larghezzaFreccia);
    // From the arrow to the bottom cell, edge to edge with the next column.
    for (int i = 1; i <= tavola::colonne; ++i) zonaColonna[i].move(915 + 690 * (i - 1), 180, 690, 5790);

    const Contenitore& pannello = picContenitore[2];
    picContenitoreCrediti[1].move(pannello.left(), pannello.top(), pannello.width(), pannello.height());
    picContenitoreCrediti[2].move(0, topCrediti, pannello.width(), altezzaCrediti);
    // The first line spans the inner width, so centring it leaves it at 0; it
    // starts just below the visible area.
    const int larghezzaRiga = picContenitoreCrediti[2].width();
    lblCrediti[1].move(0, altezzaCrediti, larghezzaRiga, altezzaRigaCrediti);
    lblCrediti[1].setBackColor(nero);

    creditLines = {std::string(ModGenerale::nomeProdotto) + " " + ModGenerale::versione,
                   "programma realizzato da",
                   prodotto::autore,
                   "",
                   "Per informazioni, commenti,",
                   "errori o altro scrivete a:",
                   std::string(" - ") + prodotto::emailAutore + " - ",
                   "oppure visitate il sito:",
                   prodotto::sitoWeb,
                   "",
                   "",
                   "Premere F2 per iniziare..."};
    for (int i = 2; i <= creditLineCount; ++i) {
      const Etichetta& prima = lblCrediti[i - 1];
      lblCrediti[i].move(prima.left(), prima.top() + prima.height(), prima.width(), prima.height());
      lblCrediti[i].setBackColor(nero);
      lblCrediti[i].setVisible(true);
    }
    for (int i = 1; i <= creditLineCount; ++i) lblCrediti[i].setCaption(creditLines[static_cast<std::size_t>(i - 1)]);

    for (Immagine* img : {&imgNessuna, &imgFrecciaNera, &imgFrecciaRossa, &imgPedinaGialla, &imgPedinaRossa,
                          &imgVitaSi, &imgVitaNo})
      img->setVisible(false);
    for (Immagine& f : imgFreccia) f.setFigura(imgFrecciaNera.figura());
    msubStatoGioco("gioco_off");
    msubNomiAccessibili();
  });
}

void FrmGioco::msubMenuRadio(VoceMenu& voce, int /*posizioneMenu*/, int /*posizioneVoce*/) {
  // The positions address the item in the native menu; here the item itself
  // carries the style.
  voce.setRadio(true);
}

void FrmGioco::msubStatoGioco(const std::string& comando) {
  const bool on = comando == "gioco_on";
  if (!on && comando != "gioco_off") return;

  mnuFileNuova.setEnabled(!on);
  mnuFilePausa.setEnabled(on);
  mnuFileTermina.setEnabled(on);
  mnuFileSalva.setEnabled(on);
  mnuFileCarica.setEnabled(!on);
  mnuMain[3].setEnabled(on);
  for (VoceMenu& v : mnuImpostazioniPedine) v.setEnabled(!on);
  picContenitore[1].setFigura(picTabellone[on ? 1 : 0]);
  if (!on) {
    grid.svuota();
    for (Immagine& cella : imgPedina) {
      cella.setTag("nessuna");
      cella.setFigura(imgNessuna.figura());
    }
    msubDescriviTavola();
  }
  for (Immagine& f : imgFreccia) f.setVisible(on);
  // The turn label lies on the board's base and speaks only of a match.
  lblTurno.setVisible(on);
  if (on) {
    match.lives = MatchState::viteIniziali;
    for (Immagine& v : imgVita) v.setFigura(imgVitaSi.figura());
    msubImpostaColorePedine(mnuImpostazioniPedine[1].checked() ? 1 : 2);
    match.victories = {0, 0};
    for (Etichetta& l : lblVittorieGiocatore) l.setCaption("0");
    match.score = 0;
    lblPunteggio.setCaption("0");
    setMouseIcon(imgMano[1].figura());
    setMousePointer(Puntatore::personalizzato);
  } else {
    setMousePointer(Puntatore::predefinito);
  }
  modGenerale.matchInProgress = on;
  setCaption(on ? pfuncCaptionBase() + " - [Partita non salvata]" : pfuncCaptionBase());
  if (on) {
    psubFermaSuono();
    tmrWaveMp3.setInterval(0);
  } else {
    tmrTempo.setInterval(0);
    tmrIntermittenza.setInterval(0);
  }
  picContenitoreCrediti[1].setVisible(!on);
  tmrCrediti.setEnabled(!on);
  tmrCrediti.setInterval(on ? 0 : modGenerale.nomeSistema == "Win95/98/ME" ? 1 : 25);
}

void FrmGioco::picContenitore_MouseUp(int indice, const EventoMouse& e) {
  if (indice != 1 || e.pulsante != 2) return;
  const bool inGioco = modGenerale.matchInProgress;
  VoceMenu& primo = inGioco ? mnuPopUpInGioco1 : mnuPopUpFuoriGioco1;
  VoceMenu& secondo = inGioco ? mnuPopUpInGioco2 : mnuPopUpFuoriGioco2;
  primo.setVisible(true);
  secondo.setVisible(true);
  piattaforma().mostraMenuPopup(*this, mnuMain[inGioco ? 1 : 2]);
  primo.setVisible(false);
  secondo.setVisible(false);
}

void FrmGioco::picContenitore_MouseMove(int indice) {
  if (!modGenerale.matchInProgress) return;
  setMousePointer(indice == 1 ? Puntatore::personalizzato : Puntatore::vietato);
}

void FrmGioco::mnuFilePausa_Click() {
  msubAnnuncia("Partita in pausa, orologio fermo.");
  FrmPausa pausa(tmrTempo);
  pausa.Show(true);
  msubAnnuncia("Partita ripresa.");
}

void FrmGioco::mnuFileEsci_Click() {
  if (!altF4Pressed) {
    if (mousePointer() == Puntatore::clessidra) return;
    if (piattaforma().msgBox("Sicuro di voler uscire ?", Pulsanti::siNo, Icona::domanda, titoloService) ==
        Risposta::no)
      return;
  }
  uscitaConfermata = true;
  tmrCrediti.setInterval(0);
  if (modGenerale.matchInProgress &&
      piattaforma().msgBox("Salvare la partita in corso ?", Pulsanti::siNo, Icona::domanda, titoloService) ==
          Risposta::si) {
    setMousePointer(Puntatore::predefinito);
    mnuFileSalva_Click();
    setMousePointer(Puntatore::clessidra);
  }
  psubSuonaCue("id_10", 1.9f);
  Unload();
  psubFermaSuono();
  piattaforma().termina(0);
}

void FrmGioco::Form_QueryClose() {
  if (uscitaConfermata) return;
  // On Linux the window manager's close request is the Alt+F4 of the
  // original: the same path as the key.
  Form_KeyDown(codiceTasto::F4, altMask);
}

void FrmGioco::Form_KeyDown(int codice, int shift) {
  if (uscitaConfermata) return;
  if (mfuncTastoTavola(codice, shift)) return;
  if (codice == codiceTasto::F4 && (shift & altMask)) {
    altF4Pressed = true;
    mnuFileEsci_Click();
  }
}

void FrmGioco::Form_Unload() { Form_Terminate(); }

void FrmGioco::Form_Terminate() {
  try {
    psubFermaSuono();
    if (modGenerale.schermoAvvio.larghezza > 0) piattaforma().cambiaRisoluzione(modGenerale.schermoAvvio);
  } catch (...) {
    // Leaving the window: nothing left to report to.
  }
}

void FrmGioco::mnuImpostazioniAudio_Click(int indice) {
  msubSuonoClic();
  if (mnuImpostazioniAudio[indice].checked()) return;
  mnuImpostazioniAudio[indice].setChecked(true);
  mnuImpostazioniAudio[3 - indice].setChecked(false);
  if (indice == 2) {
    psubFermaSuono();
    tmrWaveMp3.setInterval(0);
  }
}

void FrmGioco::tmrWaveMp3_Timer() { tmrWaveMp3.setInterval(0); }

void FrmGioco::msubSuonoClic() {
  if (tmrWaveMp3.interval() == 0) psubSuonaCue("id_01");
}

}  // namespace velmo
