// Writes of the settings file on real file systems: a process killed while
// it rewrites the file, a full disk and a read-only file system. In each
// case the file stays whole, holding what was stored before or the new
// value, and a refused write is reported.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "AmbienteQt.h"
#include "persistence/FileIni.h"
#include "persistence/ImpostazioniIniziali.h"
#include "persistence/TestoIni.h"

extern char** environ;

namespace velmo::test {
namespace {

namespace fs = std::filesystem;

std::string leggi(const std::string& percorso) {
  std::ifstream f(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

void scrivi(const std::string& percorso, const std::string& testo) {
  std::ofstream(percorso, std::ios::binary) << testo;
}

// The settings file of a fresh installation with a long tail of lines the
// program never writes, so a rewrite takes long enough to be caught midway.
std::string testoIniziale() {
  std::string t = testoImpostazioniIniziali() + "\r\n[Riempitivo]\r\n";
  for (int i = 0; i < 2000; ++i) t += "; riga " + std::to_string(i) + " che il programma non tocca\r\n";
  return t;
}

// The file after the writes 1..n of the writer: key k<i mod 40> holds the
// last i written to it, the keys in the order of their first write.
std::string fileDopo(long n) {
  std::string t = testoIniziale();
  for (long j = 1; j <= std::min(n, 40L); ++j) {
    const long ultimo = n - (n - j) % 40;
    t = conValoreIni(t, "Prova", "k" + std::to_string(j % 40), std::to_string(ultimo));
  }
  return t;
}

TEST(ScritturaAtomica, UnProcessoUccisoMentreRiscriveLasciaIlFileIntero) {
  QTemporaryDir cartella;
  const std::string file = (cartella.path() + "/Velmo.001").toStdString();
  scrivi(file, testoIniziale());
  std::mt19937 caso(8);
  long scrittureViste = 0;
  constexpr int uccisioni = 150;
  for (int k = 0; k < uccisioni; ++k) {
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    char* argv[] = {const_cast<char*>(SCRITTORE_INI), const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, SCRITTORE_INI, &azioni, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&azioni);
    close(tubo[1]);
    char riga[16] = {};
    ASSERT_GT(read(tubo[0], riga, sizeof riga), 0) << "the writer did not start";
    close(tubo[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(caso)));
    kill(pid, SIGKILL);
    int stato = 0;
    waitpid(pid, &stato, 0);
    ASSERT_TRUE(WIFSIGNALED(stato) && WTERMSIG(stato) == SIGKILL);

    const std::string testo = leggi(file);
    long n = 0;
    for (int j = 0; j < 40; ++j) n = std::max(n, std::atol(valoreIni(testo, "Prova", "k" + std::to_string(j)).c_str()));
    ASSERT_GT(n, scrittureViste) << "kill " << k << ": no write since the last kill";
    ASSERT_EQ(testo, fileDopo(n)) << "kill " << k << ": the file is not the one of write " << n;
    scrittureViste = n;
  }
  // A kill between the naming of the temporary file and its rename leaves
  // it beside the settings file: litter, never a torn settings file.
  int avanzi = -1;
  for (const auto& voce : fs::directory_iterator(cartella.path().toStdString())) ++avanzi, (void)voce;
  std::printf("%d kills, %ld writes, every file whole; %d temporary files left\n", uccisioni, scrittureViste, avanzi);
}

// A small tmpfs, for root: chmod refuses root nothing, a full or read-only
// file system does.
class DiscoGuasto : public AmbienteQt {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "mounting needs root";
    cartella_ = cartellaTemporanea_.path().toStdString();
    if (mount("tmpfs", cartella_.c_str(), "tmpfs", 0, "size=64k") != 0)
      GTEST_SKIP() << "cannot mount a tmpfs here";
    montata_ = true;
    modGenerale.percorsoIni = cartella_ + "/Velmo.001";
    scrivi(modGenerale.percorsoIni, testoImpostazioniIniziali());
    pfuncScriviIni(modGenerale.percorsoIni, "Nome", "1", "Anna");
    pfuncScriviIni(modGenerale.percorsoIni, "Punteggio", "1", "5230");
    prima_ = leggi(modGenerale.percorsoIni);
    ASSERT_TRUE(p.messaggi.empty());
  }
  void TearDown() override {
    if (montata_) umount(cartella_.c_str());
  }

  // The game's message boxes, recorded instead of shown.
  struct ConMessaggi : PiattaformaQt {
    std::vector<std::string> messaggi;
    Risposta msgBox(const std::string& testo, Pulsanti, Icona, const std::string&) override {
      messaggi.push_back(testo);
      return Risposta::ok;
    }
  };

  void attendiRifiutoEFileIntatto() {
    pfuncScriviIni(modGenerale.percorsoIni, "Nome", "1", "Bruno");
    pfuncScriviIni(modGenerale.percorsoIni, "Punteggio", "1", "9999");
    EXPECT_EQ(p.messaggi, std::vector<std::string>{pfuncTestoScritturaRifiutata(modGenerale.percorsoIni)});
    EXPECT_EQ(leggi(modGenerale.percorsoIni), prima_);
    EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Nome", "1"), "Anna");
    EXPECT_EQ(pfuncLeggiIni(modGenerale.percorsoIni, "Punteggio", "1"), "5230");
  }

  ConMessaggi p;
  std::string prima_;
  std::string cartella_;

 private:
  QTemporaryDir cartellaTemporanea_;
  bool montata_ = false;

  // AmbienteQt's platform is replaced by the recording one.
  void usaQuesta() { modGenerale.piattaforma = &p; }

 public:
  DiscoGuasto() { usaQuesta(); }
};

TEST_F(DiscoGuasto, DiscoPieno) {
  {
    std::ofstream riempi(cartella_ + "/riempitivo", std::ios::binary);
    const std::string blocco(4096, 'x');
    while (riempi.write(blocco.data(), blocco.size())) {
    }
  }
  attendiRifiutoEFileIntatto();
}

TEST_F(DiscoGuasto, FileSystemInSolaLettura) {
  ASSERT_EQ(mount(nullptr, cartella_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  attendiRifiutoEFileIntatto();
}

}  // namespace
}  // namespace velmo::test
