#include "core/files/Leaderboard.h"

#include "core/common/Conversioni.h"
#include "core/files/Windows1252.h"

namespace velmo {

std::string nomeNormalizzato(std::string_view nome) {
  std::string n = aWindows1252(nome);
  if (n.size() >= lunghezzaMassimaNome) n.resize(lunghezzaMassimaNome);
  for (char& c : n) c = minuscola1252(c);
  if (!n.empty()) n[0] = maiuscola1252(n[0]);
  // A blank raises the character after it; a blank at the end has none.
  for (std::size_t i = 1; i + 1 < n.size(); ++i)
    if (n[i] == ' ') n[i + 1] = maiuscola1252(n[i + 1]);
  return daWindows1252(n);
}

std::int16_t postoInClassifica(const Leaderboard& classifica, std::int32_t punteggio) {
  const double s = punteggio;
  auto P = [&](int posto) { return valoreIniziale(classifica[static_cast<std::size_t>(posto - 1)].Punteggio); };
  // The rules in their order, the first that holds: P5 <= s < P4 gives 5,
  // and so on up to P1 <= s, which gives 1.
  for (int posto = 5; posto >= 2; --posto)
    if (P(posto) <= s && s < P(posto - 1)) return static_cast<std::int16_t>(posto);
  return P(1) <= s ? 1 : 0;
}

void inserisciInClassifica(Leaderboard& classifica, int posto, LeaderboardEntry voce) {
  for (int q = 4; q >= posto; --q)
    classifica[static_cast<std::size_t>(q)] = classifica[static_cast<std::size_t>(q - 1)];
  classifica.at(static_cast<std::size_t>(posto - 1)) = std::move(voce);
}

std::string testoVittorie(int vittorie) {
  return std::to_string(vittorie) + (vittorie == 1 ? " vittoria" : " vittorie");
}

}  // namespace velmo
