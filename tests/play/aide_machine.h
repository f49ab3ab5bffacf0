// The machine player under test: the board window fixture with the machine
// plugged in as the board window's answer, level 0, no opening base, and
// helpers to set positions by chess squares, read the board and replay a
// movetext.
#pragma once

#include <QList>
#include <QString>
#include <string>
#include <vector>

#include "tests/play/aide_plateau.h"

class TestMachine : public TestPlateau {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The position the board control shows, as a chaine_position.
  std::string montree() const;
  // The position of tab_echiquier, as a chaine_position.
  static std::string tableau_courant();

  // Puts pieces on an empty board (control and tab_echiquier) by chess
  // squares in the orientation in use: {"Ka8", "pa7", "Kb6"} (upper case
  // White, lower case Black, FEN letters), then records it as the game's
  // start: history of one position, empty move list and movetexts, the side
  // that moved last `trait`, no castling.
  void place(std::initializer_list<const char*> pieces, int trait);

  // Plays Timer4's ticks until automatic play stops or `max` ticks were
  // given; returns the number of ticks.
  int joue_automatique(int max);

  // Replays `texte` move by move from the start position of the orientation
  // in use, each move read with the English letters, tested as legal and
  // played; after half-move k the position must be history entry k. Returns
  // the number of half-moves, or -1 with a failure recorded.
  int rejoue_et_compare(const std::string& texte);
};

// The half-move tokens of a movetext (move numbers dropped).
std::vector<std::string> demi_coups(const std::string& texte);
