// The warning about a missing sound device: its texts, the beep, the ticked
// box, and the reminder stored however the window is closed.

#include "forms/sound/FrmSchedaAudioAssente.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Ambiente.h"
#include "forms/FileImpostazioni.h"
#include "forms/FileIni.h"
#include "forms/Tasti.h"

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
  enum Modo { conOK, conInvio, conEsc, dalGestore };
  struct Caso {
    bool spuntata;
    Modo modo;
    const char* valore;
  };
  for (const Caso c : {Caso{true, conOK, "si"}, Caso{false, conOK, "no"}, Caso{true, dalGestore, "si"},
                       Caso{false, dalGestore, "no"}, Caso{false, conInvio, "no"}, Caso{true, conEsc, "si"}}) {
    FrmSchedaAudioAssente f;
    p.tra(0.5, [&] { f.chkRicordamelo.setValue(c.spuntata); });
    p.tra(1.0, [&] {
      switch (c.modo) {
        case conOK: p.clic(f.cmdOK); break;
        case conInvio: p.tasto(f, codiceTasto::invio); break;
        case conEsc: p.tasto(f, codiceTasto::esc); break;
        case dalGestore: p.chiudi(f); break;
      }
    });
    f.Show(true);
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(promemoria(), c.valore) << c.spuntata << c.modo;
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
