// The settings file: its path, the start-up check of both files, the launch
// counter and the reminder about a missing sound device.

#include "forms/FileImpostazioni.h"

#include <gtest/gtest.h>

#include "Ambiente.h"
#include "forms/FileIni.h"
#include "core/files/TestoIni.h"

namespace velmo::test {
namespace {

struct Impostazioni : testing::Test, Ambiente {
  std::string& ini() { return p.file[modGenerale.percorsoIni].contenuto; }
};

TEST_F(Impostazioni, PercorsiNellaCartellaDelProgramma) {
  p.cartella = "/home/anna/giochi/velmo";
  psubImpostaPercorsi();
  EXPECT_EQ(modGenerale.percorsoIni, "/home/anna/giochi/velmo/Velmo.001");
  EXPECT_EQ(modGenerale.percorsoMusica, "/home/anna/giochi/velmo/Velmo.002");
}

TEST_F(Impostazioni, ControlloAllAvvio) {
  struct Caso {
    const char* descrizione;
    std::optional<std::string> ini, musica;
    std::optional<std::string> mancante;  // the path named by the message
  };
  const std::string pIni = modGenerale.percorsoIni, pMusica = modGenerale.percorsoMusica;
  const Caso casi[] = {
      {"both there", "[Toob]", "RIFF", std::nullopt},
      {"no settings file", std::nullopt, "RIFF", pIni},
      {"empty settings file", "", "RIFF", pIni},
      {"no music file", "[Toob]", std::nullopt, pMusica},
      {"empty music file", "[Toob]", "", pMusica},
      {"neither", std::nullopt, std::nullopt, pIni},
  };
  for (const Caso& c : casi) {
    p.file.clear();
    p.messaggi.clear();
    if (c.ini) p.file[pIni].contenuto = *c.ini;
    if (c.musica) p.file[pMusica].contenuto = *c.musica;
    if (!c.mancante) {
      psubVerificaFileAvvio();
      EXPECT_TRUE(p.messaggi.empty()) << c.descrizione;
      EXPECT_TRUE(p.file[pMusica].solaLettura) << c.descrizione;
      EXPECT_FALSE(p.file[pIni].solaLettura) << c.descrizione;
      continue;
    }
    EXPECT_THROW(psubVerificaFileAvvio(), ProgrammaTerminato) << c.descrizione;
    ASSERT_EQ(p.messaggi.size(), 1u) << c.descrizione;
    EXPECT_EQ(p.messaggi[0].testo, "Impossibile trovare il file:\r\n\r\n" + *c.mancante +
                                       ".\r\n\r\nE' necessario reinstallare l'applicazione... :(")
        << c.descrizione;
    EXPECT_EQ(p.messaggi[0].icona, Icona::esclamazione);
    EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  }
}

TEST_F(Impostazioni, ContatoreDegliAvvii) {
  struct Caso {
    std::optional<std::string> scritto;  // nullopt: no key
    int atteso;
  };
  const Caso casi[] = {
      {std::nullopt, 1}, {"", 1},         {"abc", 1},      {"0", 1},       {"41", 42},
      {" 7 ", 8},        {"12 avvii", 13}, {"4.5", 5},      {"5.5", 7},     {"32766", 32767},
      {"32767", 32767},  {"40000", 1},    {"-32769", 1},   {"-3", -2},     {"1e3", 1001},
  };
  for (const Caso& c : casi) {
    ini() = c.scritto ? "[Toob]\r\nk=" + *c.scritto + "\r\n" : "[Nome]\r\n1=vuoto\r\n";
    EXPECT_EQ(pfuncContaAvvio(), c.atteso) << c.scritto.value_or("(absent)");
    EXPECT_EQ(valoreIni(ini(), "Toob", "k"), std::to_string(c.atteso)) << c.scritto.value_or("(absent)");
  }
  EXPECT_TRUE(p.messaggi.empty());
}

TEST_F(Impostazioni, PromemoriaDellaSchedaAudio) {
  const std::pair<std::optional<std::string>, bool> casi[] = {
      {"si", true}, {" si ", true}, {"SI", false}, {"Si", false}, {"no", false}, {"", false}, {std::nullopt, false}};
  for (const auto& [valore, atteso] : casi) {
    ini() = "[Toob]\r\nk=3\r\n";
    if (valore) ini() += "[frmSchedaAudioAssente.chkRicordamelo]\r\nvalue=" + *valore + "\r\n";
    EXPECT_EQ(pfuncRicordaSchedaAudio(), atteso) << valore.value_or("(absent)");
  }
}

TEST_F(Impostazioni, IlFileDiUnaNuovaInstallazione) {
  EXPECT_EQ(pfuncContaAvvio(), 1);
  EXPECT_TRUE(pfuncRicordaSchedaAudio());
  for (const char* sezione : {"Nome", "Info", "Punteggio"})
    for (const char* posto : {"1", "2", "3", "4", "5"})
      EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, sezione, posto), "vuoto") << sezione << posto;
}

}  // namespace
}  // namespace velmo::test
