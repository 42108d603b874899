#include "forms/ModGenerale.h"

#include <gtest/gtest.h>

#include "Ambiente.h"
#include "forms/Controlli.h"

namespace velmo::test {
namespace {

TEST(Attendi, RitornaSubitoPerUnTempoNonPositivo) {
  Ambiente a;
  bool eseguito = false;
  a.p.alle(0, [&] { eseguito = true; });
  for (float t : {0.0f, -1.0f}) psubAttendi(t);
  EXPECT_EQ(a.p.adesso(), 0);
  EXPECT_FALSE(eseguito);
}

TEST(Attendi, ElaboraGliEventiEdEsceAllaScadenza) {
  Ambiente a;
  std::vector<double> quando;
  a.p.alle(0.5, [&] { quando.push_back(a.p.adesso()); });
  a.p.alle(1.5, [&] { quando.push_back(a.p.adesso()); });
  psubAttendi(1.0f);
  EXPECT_DOUBLE_EQ(a.p.adesso(), 1.0);
  EXPECT_EQ(quando, std::vector<double>{0.5});
}

TEST(Attendi, UnaAttesaACavalloDellaMezzanotteFinisceInTempo) {
  Ambiente a;
  a.p.inizioGiorno = 86400 - 0.3;
  psubAttendi(1.0f);
  EXPECT_DOUBLE_EQ(a.p.adesso(), 1.0);
  EXPECT_NEAR(a.p.oraDelGiorno(), 0.7, 1e-9);
}

TEST(Suoni, UnCueSuonaEAttendeSoloConIlSuonoAcceso) {
  Ambiente a;
  VoceMenu audioOff;
  modGenerale.audioOff = &audioOff;
  psubSuonaCue("id_03", 2.0f);
  ASSERT_EQ(a.p.suoni.size(), 1u);
  EXPECT_EQ(a.p.suoni[0].suono, "id_03");
  EXPECT_DOUBLE_EQ(a.p.adesso(), 2.0);

  audioOff.setChecked(true);
  psubSuonaCue("id_10", 1.9f);
  modGenerale.audioOff = nullptr;
  modGenerale.noSoundDevice = true;
  psubSuonaCue("id_10", 1.9f);
  EXPECT_EQ(a.p.suoni.size(), 1u);
  EXPECT_DOUBLE_EQ(a.p.adesso(), 2.0);
}

TEST(ErroreImprevisto, MostraIlTestoDellaRoutineEPoiTermina) {
  Ambiente a;
  EXPECT_THROW(pTrappaErrori("frmGioco.msubFineRound", [] { throw std::overflow_error("Overflow"); }),
               ProgrammaTerminato);
  ASSERT_EQ(a.p.messaggi.size(), 1u);
  const MessaggioMostrato& m = a.p.messaggi[0];
  EXPECT_EQ(m.testo,
            "Si è verificato un errore imprevisto nella frmGioco.msubFineRound:\r\n\r\n(Overflow)\r\n\r\n"
            "Si consiglia di reinstallare l'applicazione.. :(");
  EXPECT_EQ(m.titolo, " Brenvo Info Service...");
  EXPECT_EQ(m.icona, Icona::esclamazione);
  EXPECT_EQ(pfuncTestoErrore("routine psubAttendi", "x").rfind("Si è verificato un errore imprevisto nella routine psubAttendi:", 0), 0u);
}

TEST(Casuale, StessoSemeStessaSequenzaEInteriDa1AN) {
  Casuale a(1), b(1);
  for (int i = 0; i < 1000; ++i) {
    const int x = a.da1a(9);
    EXPECT_EQ(x, b.da1a(9));
    EXPECT_GE(x, 1);
    EXPECT_LE(x, 9);
  }
}

}  // namespace
}  // namespace velmo::test
