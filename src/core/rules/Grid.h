#pragma once
// The board: 9 columns by 7 rows, cells numbered 1..63 from the bottom-left,
// row by row. Every piece of the program that walks the board takes its
// numbers from here.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

namespace tavola {
inline constexpr int colonne = 9;
inline constexpr int righe = 7;
inline constexpr int celle = colonne * righe;

// One step in each direction, as a difference of cell numbers.
inline constexpr int destra = 1;
inline constexpr int su = colonne;
inline constexpr int suDestra = colonne + 1;
inline constexpr int suSinistra = colonne - 1;

constexpr int cella(int colonna, int riga) { return colonne * (riga - 1) + colonna; }
constexpr int colonnaDi(int cella) { return (cella - 1) % colonne + 1; }
constexpr int rigaDi(int cella) { return (cella - 1) / colonne + 1; }
constexpr int cellaInCima(int colonna) { return cella(colonna, righe); }
}  // namespace tavola

// Whose piece or turn; also the content of a cell.
enum class Side { nessuna, giocatore, computer };

// "nessuna", "giocatore", "computer": the text form used in saved games.
std::string_view testoLato(Side s);
std::optional<Side> latoDaTesto(std::string_view testo);
// The other side of a piece.
constexpr Side avversario(Side s) { return s == Side::giocatore ? Side::computer : Side::giocatore; }

struct Grid {
  std::array<Side, tavola::celle> cells{};
  std::int16_t freeCells = tavola::celle;
  float freePercent = 100.0f;

  Side& operator[](int cella) { return cells.at(static_cast<std::size_t>(cella - 1)); }
  Side operator[](int cella) const { return cells.at(static_cast<std::size_t>(cella - 1)); }

  // The lowest empty cell of the column, where a dropped piece lands; 0 when
  // the column is full.
  int cellaDiAtterraggio(int colonna) const;
  // The highest occupied cell of the column; 0 when the column is empty.
  int cellaPiuAlta(int colonna) const;
  bool colonnaPiena(int colonna) const { return (*this)[tavola::cellaInCima(colonna)] != Side::nessuna; }

  // Changes the free-cell count by `delta` and recomputes the percentage.
  void contaLibere(int delta);
  void svuota();
};

struct MoveHistory {
  std::int16_t lastPlayerColumn = 0;
  std::int16_t lastComputerColumn = 0;
};

// The four cells of a line, in order along its direction.
using Quaterna = std::array<std::int16_t, 4>;

// The first line of four of one side, in the order of the four passes
// (vertical, horizontal, rising, falling diagonal); nullopt when none.
std::optional<Quaterna> cercaQuattro(const Grid& g);

// The caption of the free-cell label: " 62 -> 98.41%", "63 -> 100%" after a reset.
std::string testoCaselleLibere(const Grid& g);
inline constexpr const char* testoCaselleLibereIniziale = "63 -> 100%";

}  // namespace velmo
