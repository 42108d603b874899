// The leaderboard as the game window keeps it: read from the settings file,
// a match entered at its end, and the two commands of the "&Classifica" menu.

#include <string>
#include <utility>

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/FileIni.h"
#include "forms/leaderboard/FrmClassifica.h"
#include "forms/leaderboard/FrmResettaClassifica.h"
#include "core/files/ImpostazioniIniziali.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

void FrmGioco::mnuClassificaVisualizza_Click() {
  FrmClassifica frmClassifica(*this);
  frmClassifica.Show(true);
}

void FrmGioco::mnuClassificaResetta_Click() {
  FrmResettaClassifica frmResettaClassifica(*this);
  frmResettaClassifica.Show(true);
}

void FrmGioco::msubCaricaClassifica() {
  using namespace impostazioni;
  for (int p = 1; p <= 5; ++p) {
    LeaderboardEntry& voce = classifica[static_cast<std::size_t>(p - 1)];
    const std::string chiave = std::to_string(p);
    voce.Nome = pfuncLeggiIni(modGenerale.percorsoIni, sezioneNome, chiave);
    voce.Info = pfuncLeggiIni(modGenerale.percorsoIni, sezioneInfo, chiave);
    voce.Punteggio = pfuncLeggiIni(modGenerale.percorsoIni, sezionePunteggio, chiave);
  }
}

void FrmGioco::msubAggiornaClassifica() {
  using namespace impostazioni;
  std::string nome;
  pTrappaErrori("frmGioco.msubAggiornaClassifica", [&] {
    // Cancelling or blanks only ask again: a name is always obtained.
    while (nome.empty())
      nome = taglia(piattaforma()
                        .inputBox("Inserisci il tuo nome...\r\n\r\n(Max 12 caratteri)", titoloService, "")
                        .value_or(""));
    nome = nomeNormalizzato(nome);
  });

  lastEntryPlace = postoInClassifica(classifica, match.score);
  inserisciInClassifica(classifica, lastEntryPlace,
                        {nome, testoVittorie(match.vittorie(1)), std::to_string(match.score)});
  const std::pair<const char*, std::string LeaderboardEntry::*> campi[] = {
      {sezioneNome, &LeaderboardEntry::Nome},
      {sezionePunteggio, &LeaderboardEntry::Punteggio},
      {sezioneInfo, &LeaderboardEntry::Info}};
  for (auto [sezione, campo] : campi)
    for (int p = 1; p <= 5; ++p)
      pfuncScriviIni(modGenerale.percorsoIni, sezione, std::to_string(p),
                     classifica[static_cast<std::size_t>(p - 1)].*campo);
  mnuClassificaVisualizza_Click();
}

}  // namespace velmo
