// The warning about a missing sound device: its texts, the beep, the ticked
// box, and the reminder stored however the window is closed.

#include "forms/sound/FrmSchedaAudioAssente.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Ambiente.h"
#include "forms/FileImpostazioni.h"
#include "forms/FileIni.h"

namespace velmo::test {
namespace {

struct SchedaAssente : testing::Test, Ambiente {
  std::string promemoria() {
    return pfuncLeggiIni(modGenerale.percorsoIni, "frmSchedaAudioAssente.chkRicordamelo", "value");
  }
};

TEST_F(SchedaAssente, TestiBeepECasellaSpuntata) {
  FrmSchedaAudioAssente f;
  f.Load();
  EXPECT_EQ(f.caption(), " Brenvo Info Service...");
  EXPECT_EQ(f.lblAttenzione.caption(), "Attenzione !");
  EXPECT_EQ(f.lblMessaggio.caption(),
            "Non è stata rilevata nessuna scheda audio installata nel sistema; il suono dell'applicazione non può "
            "essere riprodotto !" +
                std::string(95, ' ') + "(Ma davvero non avete una scheda audio ???... :-P)");
  EXPECT_EQ(f.chkRicordamelo.caption(), "&Ricordamelo all'avvio...");
  EXPECT_EQ(f.cmdOK.caption(), "OK");
  EXPECT_EQ(p.beepSuonati, 1);
  EXPECT_TRUE(f.chkRicordamelo.value());
}

// "si" while the box is ticked, "no" once it is not, by the button or by
// the window manager's close; and the next start reads it back.
TEST_F(SchedaAssente, IlPromemoriaSiScriveAllaChiusuraComunqueAvvenga) {
  struct Caso {
    bool spuntata, conOK;
    const char* valore;
  };
  for (const Caso c : {Caso{true, true, "si"}, Caso{false, true, "no"}, Caso{true, false, "si"},
                       Caso{false, false, "no"}}) {
    FrmSchedaAudioAssente f;
    p.tra(0.5, [&] { f.chkRicordamelo.setValue(c.spuntata); });
    p.tra(1.0, [&] { c.conOK ? p.clic(f.cmdOK) : f.Form_QueryClose(); });
    f.Show(true);
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(promemoria(), c.valore) << c.spuntata << c.conOK;
    EXPECT_EQ(pfuncRicordaSchedaAudio(), c.spuntata);
  }
}

TEST_F(SchedaAssente, SiMostraAllAvvioSoloSenzaSchedaESeRichiesto) {
  struct Caso {
    bool senzaScheda;
    const char* promemoria;
    bool mostrata;
  };
  for (const Caso c : {Caso{true, "si", true}, Caso{true, " si ", true}, Caso{true, "no", false},
                       Caso{true, "SI", false}, Caso{false, "si", false}}) {
    modGenerale.noSoundDevice = c.senzaScheda;
    pfuncScriviIni(modGenerale.percorsoIni, "frmSchedaAudioAssente.chkRicordamelo", "value", c.promemoria);
    p.registro.clear();
    if (c.mostrata) p.tra(1.0, [&] { p.clic(dynamic_cast<FrmSchedaAudioAssente&>(*p.modale()).cmdOK); });
    psubAvvisaSchedaAudioAssente();
    const bool mostrata = std::ranges::count(p.registro, "mostra frmSchedaAudioAssente") == 1;
    EXPECT_EQ(mostrata, c.mostrata) << c.senzaScheda << " '" << c.promemoria << "'";
  }
}

}  // namespace
}  // namespace velmo::test
