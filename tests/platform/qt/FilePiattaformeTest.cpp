// The file services behave alike on both platforms: the real one on a
// temporary folder, the test one in memory.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>

#include "AmbienteQt.h"
#include "PiattaformaTest.h"

namespace velmo::test {
namespace {

template <class P>
struct FilePiattaforme : testing::Test {
  QTemporaryDir cartella;
  std::unique_ptr<Piattaforma> p;
  std::string percorso(const char* nome) const { return (cartella.path() + "/" + nome).toStdString(); }

  FilePiattaforme() {
    applicazioneQt();
    p = std::make_unique<P>();
  }
};

using Piattaforme = testing::Types<PiattaformaQt, PiattaformaTest>;
TYPED_TEST_SUITE(FilePiattaforme, Piattaforme);

TYPED_TEST(FilePiattaforme, SiCreaSiSostituisceSiRilegge) {
  Piattaforma& p = *this->p;
  const std::string f = this->percorso("Velmo.001");
  EXPECT_FALSE(p.dimensioneFile(f));
  EXPECT_THROW(p.leggiFile(f), std::runtime_error);
  EXPECT_FALSE(p.togliSolaLettura(f));

  const std::string byte("[a]\r\nk=\xE0\0z\r\n", 12);
  ASSERT_TRUE(p.sostituisciFile(f, byte));
  EXPECT_EQ(p.leggiFile(f), byte);
  EXPECT_EQ(p.dimensioneFile(f), 12u);
  ASSERT_TRUE(p.sostituisciFile(f, "corto"));  // whole: nothing of the longer content is left
  EXPECT_EQ(p.leggiFile(f), "corto");
  ASSERT_TRUE(p.sostituisciFile(f, ""));
  EXPECT_EQ(p.dimensioneFile(f), 0u);
}

TYPED_TEST(FilePiattaforme, UnFileInSolaLetturaRifiutaLaScritturaFinoAQuandoSiLibera) {
  Piattaforma& p = *this->p;
  const std::string f = this->percorso("Velmo.001");
  ASSERT_TRUE(p.sostituisciFile(f, "vecchio"));
  ASSERT_TRUE(p.impostaSolaLettura(f));
  EXPECT_FALSE(p.sostituisciFile(f, "nuovo"));
  EXPECT_EQ(p.leggiFile(f), "vecchio");
  ASSERT_TRUE(p.togliSolaLettura(f));
  EXPECT_TRUE(p.sostituisciFile(f, "nuovo"));
  EXPECT_EQ(p.leggiFile(f), "nuovo");
}

// The real platform only: what a folder holds after a write.
using FileQt = FilePiattaforme<PiattaformaQt>;

TEST_F(FileQt, UnaSostituzioneNonLasciaAltriFileETieneIPermessi) {
  const std::string f = percorso("Velmo.001");
  ASSERT_TRUE(p->sostituisciFile(f, "uno"));
  namespace fs = std::filesystem;
  fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(p->sostituisciFile(f, "due"));
  EXPECT_EQ(fs::status(f).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::vector<std::string> nomi;
  for (const auto& voce : fs::directory_iterator(cartella.path().toStdString()))
    nomi.push_back(voce.path().filename().string());
  EXPECT_EQ(nomi, std::vector<std::string>{"Velmo.001"});
  EXPECT_FALSE(p->sostituisciFile(percorso("manca/Velmo.001"), "x"));  // no folder
  EXPECT_FALSE(p->dimensioneFile(cartella.path().toStdString()));       // a folder is no file
}

}  // namespace
}  // namespace velmo::test
