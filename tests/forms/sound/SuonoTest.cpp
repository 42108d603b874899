// The rules that silence the sounds, in virtual time: the sound switch, the
// start-up music guard, a system without a sound device; and the cue names.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "Gioco.h"
#include "core/sound/SoundCue.h"
#include "forms/sound/Suono.h"

namespace velmo::test {
namespace {

constexpr int F2 = 113;
constexpr const char* musica = "/opt/velmo/Velmo.002";

bool suonato(const PiattaformaTest& p, const std::string& suono) {
  return std::ranges::any_of(p.suoni, [&](const SuonoSuonato& s) { return s.suono == suono; });
}

TEST(NomiDeiCue, SiCercanoSenzaBadareAlleMaiuscole) {
  for (const char* nome : {"id_15", "ID_15", "Id_15", "iD_15"}) {
    const SoundCue* cue = pfuncCercaCue(nome);
    ASSERT_NE(cue, nullptr) << nome;
    EXPECT_EQ(pfuncNomeRisorsa(*cue), "ID_15");
  }
  for (const char* nome : {"", "id_1", "id_00", "id_25", "id_015", "wave", "id_15 "})
    EXPECT_EQ(pfuncCercaCue(nome), nullptr) << nome;
  EXPECT_EQ(pfuncNomeRisorsa(soundCues.front()), "ID_01");
  EXPECT_EQ(pfuncNomeRisorsa(soundCues.back()), "ID_24");
}

// Quitting plays the farewell and waits 1.9 s for it, unless the sound is
// off: then neither the cue nor the wait.
TEST(InterruttoreDelSuono, AudioOffTaceEToglieAncheLAttesa) {
  for (const bool spento : {false, true}) {
    Gioco g;
    if (spento) g.p.scegli(g.f.mnuImpostazioniAudio[2]);
    g.p.rispondi(Risposta::si);  // "Sicuro di voler uscire ?"
    const double inizio = g.p.adesso();
    EXPECT_THROW(g.f.mnuFileEsci_Click(), ProgrammaTerminato);
    EXPECT_NEAR(g.p.adesso() - inizio, spento ? 0.0 : 1.9, 1e-6) << spento;
    EXPECT_EQ(suonato(g.p, "id_10"), !spento);
    // Choosing "Audio &off" still clicks, as the switch is on until then.
    EXPECT_EQ(suonato(g.p, "id_01"), spento);
  }
}

TEST(InterruttoreDelSuono, AudioOnGiaSegnatoFaSoloIlClic) {
  Gioco g;
  const int fermate = g.p.fermate;
  g.p.scegli(g.f.mnuImpostazioniAudio[1]);
  ASSERT_EQ(g.p.suoni.size(), 1u);
  EXPECT_EQ(g.p.suoni[0].suono, "id_01");
  EXPECT_TRUE(g.f.mnuImpostazioniAudio[1].checked());
  EXPECT_FALSE(g.f.mnuImpostazioniAudio[2].checked());
  EXPECT_EQ(g.p.fermate, fermate + 1);  // only the stop before the click itself
}

struct MusicaIniziale : testing::Test, Gioco {
  MusicaIniziale() {
    modGenerale.percorsoMusica = musica;
    psubSuonaMusicaAvvio(f);
  }
};

TEST_F(MusicaIniziale, SuonaDalDiscoEArmaLaGuardiaPer22SecondiEMezzo) {
  ASSERT_EQ(p.suoni.size(), 1u);
  EXPECT_EQ(p.suoni[0].suono, musica);
  EXPECT_EQ(p.adesso(), 0);  // no wait after it
  EXPECT_EQ(f.tmrWaveMp3.interval(), 22500);
  p.avanza(22.499);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 22500);
  p.avanza(0.002);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);
  p.avanza(60);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);  // once, never again
  EXPECT_EQ(p.suoni.size(), 1u);
}

// The settings items click only once the guard is over, and never cut the
// music; what they set, they set all the same.
TEST_F(MusicaIniziale, LaGuardiaZittisceLeVociDelleImpostazioniSenzaFermareLaMusica) {
  const int fermate = p.fermate;
  for (VoceMenu* v : {&f.mnuImpostazioniVelocita[1], &f.mnuImpostazioniPedine[1], &f.mnuImpostazioniAudio[1]})
    p.scegli(*v);
  EXPECT_EQ(p.suoni.size(), 1u);
  EXPECT_EQ(p.fermate, fermate);
  EXPECT_TRUE(f.mnuImpostazioniVelocita[1].checked());
  EXPECT_EQ(f.lblColorePedine.caption(), "gialle");

  p.avanza(22.5);
  p.scegli(f.mnuImpostazioniVelocita[2]);
  ASSERT_EQ(p.suoni.size(), 2u);
  EXPECT_EQ(p.suoni[1].suono, "id_01");
}

// A new match stops the music and ends the guard; its cues then play.
TEST_F(MusicaIniziale, UnaPartitaFermaLaMusicaEFinisceLaGuardia) {
  p.avanza(5);
  const int fermate = p.fermate;
  p.tasto(f, F2);
  EXPECT_GT(p.fermate, fermate);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);
  p.tasto(f, codiceTasto::cifra1);
  EXPECT_TRUE(suonato(p, "id_15"));
}

TEST_F(MusicaIniziale, AudioOffDuranteLaMusicaLaFermaSubitoEAudioOnNonLaRiprende) {
  p.avanza(3);
  const int fermate = p.fermate;
  p.scegli(f.mnuImpostazioniAudio[2]);
  EXPECT_EQ(p.fermate, fermate + 1);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);
  EXPECT_TRUE(f.mnuImpostazioniAudio[2].checked());
  EXPECT_EQ(p.suoni.size(), 1u);  // no click: the guard was still set

  // Back on: its click goes through the switch, still off at that moment.
  p.scegli(f.mnuImpostazioniAudio[1]);
  EXPECT_TRUE(f.mnuImpostazioniAudio[1].checked());
  EXPECT_FALSE(f.mnuImpostazioniAudio[2].checked());
  EXPECT_EQ(p.suoni.size(), 1u);
  p.avanza(30);
  EXPECT_EQ(p.suoni.size(), 1u);  // the music does not come back
}

// Without a sound device: the items are locked on "Audio &off", nothing
// plays and nothing waits for a sound, from the music to the farewell.
TEST(SenzaSchedaAudio, NessunSuonoENessunaAttesa) {
  Ambiente a;
  a.p.numeroDispositiviAudio = 0;
  psubRilevaSchedaAudio();
  ASSERT_TRUE(modGenerale.noSoundDevice);
  modGenerale.percorsoMusica = musica;
  FrmGioco f;
  psubSuonaMusicaAvvio(f);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 22500);  // armed all the same
  EXPECT_FALSE(f.mnuImpostazioniAudio[1].enabled());
  EXPECT_FALSE(f.mnuImpostazioniAudio[2].enabled());
  EXPECT_TRUE(f.mnuImpostazioniAudio[2].checked());
  a.p.scegli(f.mnuImpostazioniAudio[1]);
  EXPECT_TRUE(f.mnuImpostazioniAudio[2].checked());

  a.p.tasto(f, F2);
  a.p.tasto(f, codiceTasto::cifra1 + 4);
  a.p.rispondi(Risposta::no);  // "Salvare la partita in corso ?"
  const double inizio = a.p.adesso();
  EXPECT_THROW(a.p.tasto(f, 115, Form::altMask), ProgrammaTerminato);
  EXPECT_EQ(a.p.adesso(), inizio);
  EXPECT_TRUE(a.p.suoni.empty());
}

// A platform whose device count fails.
struct PiattaformaSenzaConteggio : PiattaformaTest {
  int dispositiviAudio() override { throw std::runtime_error("nessun servizio audio"); }
};

TEST(RilevaSchedaAudio, DaiDispositiviContati) {
  const std::pair<int, bool> casi[] = {{0, true}, {1, false}, {3, false}};
  for (auto [dispositivi, senza] : casi) {
    Ambiente a;
    a.p.numeroDispositiviAudio = dispositivi;
    psubRilevaSchedaAudio();
    EXPECT_EQ(modGenerale.noSoundDevice, senza) << dispositivi;
    EXPECT_TRUE(a.p.messaggi.empty());
  }

  Ambiente a;
  PiattaformaSenzaConteggio guasta;
  modGenerale.piattaforma = &guasta;
  psubRilevaSchedaAudio();
  EXPECT_TRUE(modGenerale.noSoundDevice);
  ASSERT_EQ(guasta.messaggi.size(), 1u);
  EXPECT_EQ(guasta.messaggi[0].testo, "Errore inaspettato nella configurazione audio...\r\n");
  EXPECT_EQ(guasta.messaggi[0].icona, Icona::esclamazione);
  EXPECT_EQ(guasta.messaggi[0].pulsanti, Pulsanti::ok);
  EXPECT_EQ(guasta.messaggi[0].titolo, " Brenvo Info Service...");
}

}  // namespace
}  // namespace velmo::test
