// What the tests of the evaluation, the attack scans and the search share:
// chess squares turned into screen squares for the current orientation,
// positions placed from a piece list or a FEN text, and a fixture run in both
// orientations.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "chess/etat.h"
#include "tests/common/aide_tests.h"

namespace essai {

// Screen coordinates of a chess square ("e4") with couleur_joueur at the bottom.
int col_de(const char* sq);
int lig_de(const char* sq);
// The chess name of a screen square.
std::string nom_de(int colonne, int ligne);
// The code on a chess square.
int piece_en(const char* sq);

// Empties the board and puts pieces given as "Ke1 Ra1 pe7" (FEN letter, square).
void pose(const std::string& pieces);

// Puts a FEN position on the board for the current orientation with the
// program's reader: the pieces, castling rights, en-passant square, and the
// full-move number as numero_coup. Returns the side to move; a text the
// reader refuses fails the test.
int pose_fen(const std::string& fen);

// Fixture for the cases that depend on the orientation: couleur_joueur is the
// parameter; the weights and the search state start from their reset.
class EnDeuxOrientations : public TestMorvandel, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override;
};

}  // namespace essai
