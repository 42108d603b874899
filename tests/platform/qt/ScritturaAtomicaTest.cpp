// Writes of the settings file and of saved games on real file systems: a
// process killed while it rewrites the file, a full disk and a read-only
// file system. In each case the file stays whole, holding what was stored
// before or the new value, and a refused write is reported.

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
#include <vector>

#include "AmbienteQt.h"
#include "PartitaDiProva.h"
#include "forms/FileIni.h"
#include "core/files/ImpostazioniIniziali.h"
#include "core/files/TestoIni.h"

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

// Starts the writer on `file` (its mode first when given), lets it write for
// a random while of up to 20 ms after its first write, so the kills land
// all over its writes, kills it with SIGKILL and hands the file it left to
// `verifica`, `uccisioni` times. Prints how many kills and temporary files.
template <class Verifica>
void uccidiMentreScrive(const std::string& file, const char* modo, int uccisioni, unsigned seme, Verifica verifica) {
  std::mt19937 caso(seme);
  for (int k = 0; k < uccisioni; ++k) {
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    std::vector<char*> argv{const_cast<char*>(SCRITTORE_INI)};
    if (modo) argv.push_back(const_cast<char*>(modo));
    argv.push_back(const_cast<char*>(file.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, SCRITTORE_INI, &azioni, nullptr, argv.data(), environ), 0);
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
    verifica(k, leggi(file));
    if (testing::Test::HasFatalFailure()) return;
  }
  // A kill between the naming of the temporary file and its rename leaves
  // it beside the file: litter, never a torn file.
  int avanzi = -1;
  for (const auto& voce : fs::directory_iterator(fs::path(file).parent_path())) ++avanzi, (void)voce;
  std::printf("%s: %d kills, %d files checked, 0 torn; %d temporary files left\n", fs::path(file).filename().c_str(),
              uccisioni, uccisioni, avanzi);
}

TEST(ScritturaAtomica, UnProcessoUccisoMentreRiscriveLeImpostazioniLasciaIlFileIntero) {
  QTemporaryDir cartella;
  const std::string file = (cartella.path() + "/Velmo.001").toStdString();
  scrivi(file, testoIniziale());
  long scrittureViste = 0;
  uccidiMentreScrive(file, nullptr, 200, 8, [&](int k, const std::string& testo) {
    long n = 0;
    for (int j = 0; j < 40; ++j) n = std::max(n, std::atol(valoreIni(testo, "Prova", "k" + std::to_string(j)).c_str()));
    ASSERT_GT(n, scrittureViste) << "kill " << k << ": no write since the last kill";
    ASSERT_EQ(testo, fileDopo(n)) << "kill " << k << ": the file is not the one of write " << n;
    scrittureViste = n;
  });
}

// A saved game written over a file that holds other sections too, as
// "&Salva" writes it: after each kill the file is, byte for byte, the one of
// a save made since the kill before, and loads as that match.
TEST(ScritturaAtomica, UnProcessoUccisoMentreSalvaUnaPartitaLasciaIlFileIntero) {
  QTemporaryDir cartella;
  const std::string file = (cartella.path() + "/partita.vl2").toStdString();
  scrivi(file, testoIniziale());
  const std::string sezione = sezionePartitaDiProva();
  auto fileDellaScrittura = [&](long n) {
    std::string t = testoIniziale();
    for (const auto& [chiave, valore] : valoriPartita(partitaNumero(n))) t = conValoreIni(t, sezione, chiave, valore);
    return t;
  };
  long scrittureViste = 0;
  uccidiMentreScrive(file, "--partita", 200, 13, [&](int k, const std::string& testo) {
    const long n = std::atol(valoreIni(testo, sezione, "pal").c_str()) - scartoPunteggio;
    ASSERT_GT(n, scrittureViste) << "kill " << k << ": no save since the last kill";
    ASSERT_EQ(testo, fileDellaScrittura(n)) << "kill " << k << ": the file is not the one of save " << n;
    const LetturaPartita letta =
        leggiPartita([&](const std::string& chiave) { return valoreIni(testo, sezione, chiave); }, PartitaSalvata{});
    ASSERT_FALSE(letta.rifiuto) << "kill " << k;
    EXPECT_EQ(letta.partita.match.score, n);
    scrittureViste = n;
  });
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
    partita_ = cartella_ + "/partita.vl2";
    ASSERT_TRUE(pfuncScriviValoriIni(partita_, sezionePartitaDiProva(), valoriPartita(partitaNumero(7))));
    primaPartita_ = leggi(partita_);
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
    // A saved game written over an older one: refused, the older one whole.
    EXPECT_FALSE(pfuncScriviValoriIni(partita_, sezionePartitaDiProva(), valoriPartita(partitaNumero(8))));
    EXPECT_EQ(leggi(partita_), primaPartita_);
  }

  ConMessaggi p;
  std::string prima_, primaPartita_;
  std::string cartella_, partita_;

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
