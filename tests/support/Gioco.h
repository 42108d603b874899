#pragma once
// The game window on the test platform, with helpers to lay out a board.

#include <initializer_list>
#include <string>

#include "Ambiente.h"
#include "forms/game/FrmGioco.h"

namespace velmo::test {

// A board one piece short of full, without a line: a player's piece in the
// free top-left cell makes four across the top row, a computer's piece
// makes a draw.
inline constexpr std::initializer_list<const char*> tavolaQuasiPiena = {
    ".PPPCCPPC", "PPCPPPCCC", "CCCPCCCPC", "CCPCPPPCP", "CCPPCCCPP", "PPPCCPCCP", "PCCCPCCPC"};

struct Gioco : Ambiente {
  FrmGioco f;

  Gioco() { f.Load(); }

  // Starts a match whose computer tries its rules in the order 1..15.
  void nuovaPartita();

  // Lays out the board as drawn, top row first: 'P' the player, 'C' the
  // computer, '.' empty; rows are 9 characters, and rows not given are left
  // as they are. Counts, pictures and arrows follow as if the pieces had been
  // dropped.
  void disponi(std::initializer_list<const char*> righe);

  // The board as the cells show it, in the same drawing ('P'/'C' by picture,
  // '.' without one).
  std::string disegno() const;

  // The captions of the message boxes shown so far, in order.
  std::vector<std::string> testiMessaggi() const;
};

}  // namespace velmo::test
