// The file routines on the test platform's files: the missing-file
// messages, read-only files, refused writes, one read or write a call, and
// the code page of the files.

#include "forms/FileIni.h"

#include <gtest/gtest.h>

#include "Ambiente.h"
#include "core/files/Windows1252.h"

namespace velmo::test {
namespace {

struct FileIni : testing::Test, Ambiente {
  std::string& ini() { return p.file[modGenerale.percorsoIni].contenuto; }
  const std::string salvataggio = "/home/anna/partita.vl2";
};

TEST_F(FileIni, VerificaFile) {
  p.file["/vuoto"] = {};
  p.file["/un byte"] = {"x"};
  EXPECT_EQ(pfuncVerificaFile("/manca"), -1);
  EXPECT_EQ(pfuncVerificaFile("/vuoto"), 0);
  EXPECT_EQ(pfuncVerificaFile("/un byte"), 1);
}

TEST_F(FileIni, UnFileMancanteOVuotoFermaLettureEScrittureConLaFormaA) {
  const std::string atteso = "Impossibile trovare il file:\r\n\r\n/opt/velmo/Velmo.001\r\n\r\n"
                             "E' necessario reinstallare l'applicazione... :(";
  const std::function<void()> chiamate[] = {
      [] { pfuncLeggiIni(modGenerale.percorsoIni, "Toob", "k"); },
      [] { pfuncScriviIni(modGenerale.percorsoIni, "Toob", "k", "1"); }};
  for (bool vuoto : {false, true})
    for (const auto& chiamata : chiamate) {
      p.messaggi.clear();
      if (vuoto)
        ini().clear();
      else
        p.file.erase(modGenerale.percorsoIni);
      EXPECT_THROW(chiamata(), ProgrammaTerminato);
      ASSERT_EQ(p.messaggi.size(), 1u);
      EXPECT_EQ(p.messaggi[0].testo, atteso);
      EXPECT_EQ(p.messaggi[0].icona, Icona::esclamazione);
      EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
      EXPECT_TRUE(p.scritture.empty());
    }
}

TEST_F(FileIni, UnSalvataggioNuovoSiCreaSenzaMessaggi) {
  pfuncScriviIni(salvataggio, "Partita", "a1", "x");
  EXPECT_EQ(p.file[salvataggio].contenuto, "[Partita]\r\na1=x\r\n");
  EXPECT_EQ(pfuncLeggiIni(salvataggio, "partita", "A1"), "x");
  EXPECT_TRUE(p.messaggi.empty());
}

TEST_F(FileIni, UnaLetturaEUnaScritturaPerChiamata) {
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Nome", "3"), "vuoto");
  EXPECT_EQ(p.letture, 1);
  pfuncScriviIni(modGenerale.percorsoIni, "Nome", "3", "Anna");
  EXPECT_EQ(p.letture, 2);
  ASSERT_EQ(p.scritture.size(), 1u);
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Nome", "3"), "Anna");
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Nome", "2"), "vuoto");
}

TEST_F(FileIni, UnFileInSolaLetturaSiLiberaESiScrive) {
  for (const std::string& file : {modGenerale.percorsoIni, salvataggio}) {
    p.file[file].contenuto = "[Toob]\r\nk=1\r\n";
    p.file[file].solaLettura = true;
    pfuncScriviIni(file, "Toob", "k", "2");
    EXPECT_FALSE(p.file[file].solaLettura) << file;
    EXPECT_EQ(pfuncLeggiIni(file, "Toob", "k"), "2") << file;
  }
  EXPECT_TRUE(p.messaggi.empty());
}

TEST_F(FileIni, UnaScritturaRifiutataSiSegnalaUnaVoltaPerSerieENonToccaIlFile) {
  const std::string prima = ini();
  p.scrittureRifiutate = true;
  for (int posto = 1; posto <= 5; ++posto) pfuncScriviIni(modGenerale.percorsoIni, "Nome", std::to_string(posto), "Anna");
  EXPECT_EQ(ini(), prima);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo,
            "Impossibile scrivere nel file:\r\n\r\n/opt/velmo/Velmo.001\r\n\r\nLa modifica non è stata salvata... :(");
  EXPECT_EQ(p.messaggi[0].icona, Icona::esclamazione);
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");

  // Another file, or the same one later, is reported again.
  pfuncScriviIni(salvataggio, "Partita", "a1", "x");
  p.avanza(5);
  pfuncScriviIni(modGenerale.percorsoIni, "Toob", "k", "3");
  EXPECT_EQ(p.messaggi.size(), 3u);

  // Once the disk takes writes again, the program has gone on normally.
  p.scrittureRifiutate = false;
  pfuncScriviIni(modGenerale.percorsoIni, "Toob", "k", "4");
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Toob", "k"), "4");
}

TEST_F(FileIni, UnFileIlleggibileNonSiRiscrive) {
  p.file[modGenerale.percorsoIni].illeggibile = true;
  const std::string prima = ini();
  pfuncScriviIni(modGenerale.percorsoIni, "Toob", "k", "3");
  EXPECT_EQ(ini(), prima);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo, pfuncTestoScritturaRifiutata(modGenerale.percorsoIni));

  // A read that fails is an unexpected error of its routine.
  EXPECT_THROW(pfuncLeggiIni(modGenerale.percorsoIni, "Toob", "k"), ProgrammaTerminato);
  EXPECT_EQ(p.messaggi.back().testo,
            "Si è verificato un errore imprevisto nella routine pfuncLeggiIni:\r\n\r\n(Permission denied)\r\n\r\n"
            "Si consiglia di reinstallare l'applicazione.. :(");
}

// A file of more than 16 MB is never a settings file or a saved game, and is
// not read into memory: its reads fail as those of an unreadable file, the
// program's message and the end, and it is not rewritten.
TEST_F(FileIni, UnFileEnormeNonSiLeggeNeSiRiscrive) {
  ini() = "[Toob]\r\nk=3\r\n" + std::string(16u << 20, 'x');
  const std::string prima = ini();
  p.letture = 0;
  pfuncScriviIni(modGenerale.percorsoIni, "Toob", "k", "4");
  EXPECT_EQ(ini(), prima);
  EXPECT_EQ(p.messaggi.back().testo, pfuncTestoScritturaRifiutata(modGenerale.percorsoIni));
  EXPECT_EQ(pfuncLeggiValoriIni(modGenerale.percorsoIni, "Toob", {"k"}), std::nullopt);
  EXPECT_THROW(pfuncLeggiIni(modGenerale.percorsoIni, "Toob", "k"), ProgrammaTerminato);
  EXPECT_EQ(p.messaggi.back().testo,
            "Si è verificato un errore imprevisto nella routine pfuncLeggiIni:\r\n\r\n(File too large)\r\n\r\n"
            "Si consiglia di reinstallare l'applicazione.. :(");
  EXPECT_EQ(p.letture, 0);
  EXPECT_EQ(ini(), prima);
}

TEST_F(FileIni, PiuValoriInUnaRiscritturaDannoIlTestoDiUnoAllaVolta) {
  const std::vector<std::pair<std::string, std::string>> valori = {
      {"a", "1"}, {"b", "città"}, {"A", "3"}, {"c", " blanchi "}};
  const std::string prima = "[Altro]\r\nx=1\r\n[Partita]\r\nb=vecchio\r\n; nota\r\n[Coda]\r\ny=2\r\n";
  p.file["/uno"].contenuto = prima;
  for (const auto& [k, v] : valori) pfuncScriviIni("/uno", "partita", k, v);
  p.file["/insieme"].contenuto = prima;
  p.scritture.clear();
  EXPECT_TRUE(pfuncScriviValoriIni("/insieme", "partita", valori));
  ASSERT_EQ(p.scritture.size(), 1u);
  EXPECT_EQ(p.file["/insieme"].contenuto, p.file["/uno"].contenuto);

  // A refusal is told to the caller, not shown, and the file stays.
  p.scrittureRifiutate = true;
  EXPECT_FALSE(pfuncScriviValoriIni("/insieme", "partita", {{"a", "2"}}));
  EXPECT_EQ(pfuncLeggiIni("/insieme", "partita", "a"), "3");
  EXPECT_TRUE(p.messaggi.empty());
}

TEST_F(FileIni, PiuValoriInUnaLetturaEUnFileSceltoMaleNonFermaIlProgramma) {
  p.file["/p.vl2"].contenuto = aWindows1252("[Partita]\r\na=1\r\nb=Forlì\r\n");
  EXPECT_EQ(pfuncLeggiValoriIni("/p.vl2", "PARTITA", {"b", "z", "a"}),
            (std::vector<std::string>{"Forlì", "", "1"}));
  EXPECT_EQ(p.letture, 1);
  p.file["/vuoto.vl2"] = {};
  p.file["/chiuso.vl2"] = {"[Partita]\r\na=1\r\n", false, true};
  for (const char* file : {"/manca.vl2", "/vuoto.vl2", "/chiuso.vl2"})
    EXPECT_EQ(pfuncLeggiValoriIni(file, "Partita", {"a"}), std::nullopt) << file;
  EXPECT_TRUE(p.messaggi.empty());
}

TEST_F(FileIni, ITestiStannoNelFileInWindows1252) {
  pfuncScriviIni(modGenerale.percorsoIni, "Nome", "1", "Niccolò Àlva");
  pfuncScriviIni(modGenerale.percorsoIni, "Nome", "2", "Ōta 大");
  EXPECT_NE(ini().find("1=Niccol\xF2 \xC0lva\r\n"), std::string::npos);
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Nome", "1"), "Niccolò Àlva");
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Nome", "2"), "?ta ?");
  // A file written elsewhere in the code page reads as the program's text.
  ini() += "[Città]\r\nnome=Forlì\r\n";
  ini() = aWindows1252(ini());
  EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "città", "nome"), "Forlì");
}

}  // namespace
}  // namespace velmo::test
