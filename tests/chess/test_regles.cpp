// The move test and the attack count, in both orientations, and a move
// counter built from them compared with known counts.
#include <gtest/gtest.h>

#include <string>

#include "chess/cases.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "tests/common/aide_tests.h"

namespace {

// Coordinates of a chess square in screen terms for the current orientation.
int col_de(const char* sq) { return case_de_nom(sq).colonne; }
int lig_de(const char* sq) { return case_de_nom(sq).ligne; }

// Puts pieces given as "Ke1 Ra1 pe7 ..." (FEN letter then chess square).
void pose(const std::string& pieces) {
  tab_echiquier.vide();
  size_t i = 0;
  while (i < pieces.size()) {
    if (pieces[i] == ' ') { ++i; continue; }
    const char lettre = pieces[i];
    const char sq[3] = {pieces[i + 1], pieces[i + 2], 0};
    tab_echiquier(col_de(sq), lig_de(sq)) = code_de_lettre(2, lettre);
    i += 3;
  }
}

int valide(const char* de, const char* vers) {
  const int cs = col_de(de), ls = lig_de(de), cd = col_de(vers), ld = lig_de(vers);
  return coup_valide(tab_echiquier(cs, ls), cs, ls, tab_echiquier(cd, ld), cd, ld);
}

int attaques(const char* sq, int couleur, int code = 0) {
  const int c = col_de(sq), l = lig_de(sq);
  return nb_attaques(code ? code : (couleur == BLANC ? ROI_BLANC : ROI_NOIR), c, l, couleur);
}

class Regles : public TestMorvandel, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    couleur_joueur = GetParam();
  }
};

}  // namespace

TEST(Classification, CodesAndColours) {
  EXPECT_EQ(couleur_piece(1), 1);
  EXPECT_EQ(couleur_piece(0), 3);
  EXPECT_EQ(couleur_piece(-4), 3);
  EXPECT_EQ(couleur_piece(7), 3);
  EXPECT_EQ(couleur_piece(8), 2);
  EXPECT_EQ(couleur_piece(13), 2);
  EXPECT_EQ(type_piece(0), 1);
  EXPECT_EQ(type_piece(14), 1);
  EXPECT_EQ(type_piece(7), 7);
  EXPECT_EQ(type_piece(13), 7);
  EXPECT_EQ(type_piece(8), 2);
  EXPECT_EQ(couleur_adverse(2), 3);
  EXPECT_EQ(couleur_adverse(3), 2);
  EXPECT_EQ(couleur_adverse(1), 0);
  EXPECT_EQ(mini(2.6, 5), 3);
  EXPECT_EQ(maxi(-1, -7), -1);
}

TEST(Tableau, OutOfRangeSquareIsAClearError) {
  reinitialise_etat_jeu();
  EXPECT_THROW(tab_echiquier(9, 1), std::out_of_range);
  EXPECT_THROW(tab_echiquier(1, -1), std::out_of_range);
  EXPECT_NO_THROW(tab_echiquier(0, 0));
  EXPECT_EQ(tab_echiquier(0, 0), 0);
  EXPECT_THROW(coup_valide(PION_BLANC, 1, 7, CASE_VIDE, 1, 9), std::out_of_range);
}

TEST_P(Regles, StartPositionIsDrawnWithTheHumanAtTheBottom) {
  place_position_depart();
  pose("");  // no-op layout check below uses chess squares
  place_position_depart();
  EXPECT_EQ(tab_echiquier(col_de("e1"), lig_de("e1")), ROI_BLANC);
  EXPECT_EQ(tab_echiquier(col_de("d8"), lig_de("d8")), DAME_NOIRE);
  EXPECT_EQ(tab_echiquier(col_de("a2"), lig_de("a2")), PION_BLANC);
  const int bas = couleur_joueur;
  EXPECT_EQ(couleur_piece(tab_echiquier(4, 8)), bas);
  EXPECT_EQ(couleur_piece(tab_echiquier(4, 1)), couleur_adverse(bas));
}

TEST_P(Regles, NoMoveOntoOwnColourOrOwnSquare) {
  place_position_depart();
  EXPECT_EQ(valide("a1", "a2"), 0);
  EXPECT_EQ(valide("b1", "d2"), 0);
  EXPECT_EQ(valide("e1", "e1"), 0);
  EXPECT_EQ(valide("d8", "e8"), 0);
  EXPECT_EQ(valide("b1", "c3"), 1);
  EXPECT_EQ(valide("g8", "f6"), 1);
}

TEST_P(Regles, PawnSteps) {
  pose("Ke1 ke8 Pe2 Pd6 pa7 pc2 Pb7");
  EXPECT_EQ(valide("e2", "e3"), 1);
  EXPECT_EQ(valide("e2", "e4"), 1);
  EXPECT_EQ(valide("e2", "e5"), 0);
  EXPECT_EQ(valide("d6", "d7"), 1);
  EXPECT_EQ(valide("d6", "d8"), 0);  // no double step away from the start row
  EXPECT_EQ(valide("e2", "e1"), 0);  // never backwards (and onto own piece)
  EXPECT_EQ(valide("a7", "a5"), 1);
  EXPECT_EQ(valide("a7", "a8"), 0);
  EXPECT_EQ(valide("c2", "c1"), 1);  // a step onto the far row
  EXPECT_EQ(valide("b7", "b8"), 1);
  EXPECT_EQ(valide("e2", "d2"), 0);  // sideways
  // Blocked double step.
  pose("Ke1 ke8 Pe2 pe3 Pd2 pd4");
  EXPECT_EQ(valide("e2", "e4"), 0);
  EXPECT_EQ(valide("e2", "e3"), 0);  // no capture straight ahead
  EXPECT_EQ(valide("d2", "d4"), 0);
  EXPECT_EQ(valide("d2", "e3"), 1);  // diagonal capture
  EXPECT_EQ(valide("e3", "d2"), 1);
  EXPECT_EQ(valide("d2", "c3"), 0);  // diagonal onto an empty square
}

TEST_P(Regles, EnPassantOnlyOntoTheRecordedSquareOfTheOpponent) {
  pose("Ke1 ke8 Pe5 pd5 pf5");
  passant_noir = col_de("d6") * 10 + lig_de("d6");
  EXPECT_EQ(valide("e5", "d6"), 1);
  EXPECT_EQ(valide("e5", "f6"), 0);
  passant_noir = 0;
  passant_blanc = col_de("d6") * 10 + lig_de("d6");
  EXPECT_EQ(valide("e5", "d6"), 0);  // White's own two-step does not help White
  pose("Ke1 ke8 Pd4 pe4");
  passant_blanc = col_de("d3") * 10 + lig_de("d3");
  EXPECT_EQ(valide("e4", "d3"), 1);
}

TEST_P(Regles, SlidersStopAtTheFirstPiece) {
  pose("Ke1 ke8 Ra1 pa5 pa6 Bc1 ng5 nh6 Qd4 pd7 pg7");
  EXPECT_EQ(valide("a1", "a5"), 1);
  EXPECT_EQ(valide("a1", "a6"), 0);
  EXPECT_EQ(valide("a1", "d1"), 0);  // c1 in the way
  EXPECT_EQ(valide("a1", "b1"), 1);
  EXPECT_EQ(valide("c1", "g5"), 1);
  EXPECT_EQ(valide("c1", "h6"), 0);
  EXPECT_EQ(valide("c1", "c2"), 0);
  EXPECT_EQ(valide("d4", "d7"), 1);
  EXPECT_EQ(valide("d4", "d8"), 0);
  EXPECT_EQ(valide("d4", "g7"), 1);
  EXPECT_EQ(valide("d4", "h8"), 0);
  EXPECT_EQ(valide("d4", "a4"), 1);
  EXPECT_EQ(valide("d4", "e6"), 0);
  EXPECT_EQ(valide("g5", "e4"), 1);
  EXPECT_EQ(valide("g5", "g3"), 0);
}

TEST_P(Regles, KingStepsAndCastling) {
  pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
  EXPECT_EQ(valide("e1", "g1"), 1);
  EXPECT_EQ(valide("e1", "c1"), 1);
  EXPECT_EQ(valide("e8", "g8"), 1);
  EXPECT_EQ(valide("e8", "c8"), 1);
  EXPECT_EQ(valide("e1", "f2"), 1);
  EXPECT_EQ(valide("e1", "e3"), 0);
  roque_interdit[BLANC] = 1;
  EXPECT_EQ(valide("e1", "g1"), 0);
  EXPECT_EQ(valide("e8", "g8"), 1);
  roque_interdit[BLANC] = 0;
  // A piece between, a missing or foreign rook, an attacked crossed square, check.
  pose("Ke1 Ra1 Nb1 rh1 ke8");
  EXPECT_EQ(valide("e1", "c1"), 0);
  EXPECT_EQ(valide("e1", "g1"), 0);
  pose("Ke1 Ra1 Rh1 ke8 rf8");
  EXPECT_EQ(valide("e1", "g1"), 0);  // f1 attacked
  EXPECT_EQ(valide("e1", "c1"), 1);
  pose("Ke1 Ra1 Rh1 ke8 re7");
  EXPECT_EQ(valide("e1", "g1"), 0);  // in check
  pose("Ke1 Ra1 Rh1 ke8 rg8");
  EXPECT_EQ(valide("e1", "g1"), 1);  // the target may be attacked here
  pose("Ke1 Ra1 Rh1 ke8 rb8");
  EXPECT_EQ(valide("e1", "c1"), 1);  // b1 may be attacked
}

TEST_P(Regles, KingCastlesOnlyOnItsOwnHomeRow) {
  // A White king standing on Black's home square with rooks in the corners.
  pose("Ke8 Ra8 Rh8 kd1");
  EXPECT_EQ(valide("e8", "g8"), 0);
  EXPECT_EQ(valide("e8", "c8"), 0);
  // A king on its column but another row.
  pose("Ke4 Ra1 Rh1 ke8");
  const int c = col_de("e4"), l = lig_de("e4");
  EXPECT_EQ(coup_valide(ROI_BLANC, c, l, CASE_VIDE, col_de("g1"), lig_de("g1")), 0);
}

TEST_P(Regles, AttackCounts) {
  pose("");
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) EXPECT_EQ(nb_attaques(ROI_BLANC, c, l, BLANC), 0);
  pose("Ke4 ke6");
  EXPECT_EQ(attaques("e4", BLANC), 0);  // two squares away
  pose("Ke4 kf5");
  EXPECT_EQ(attaques("e4", BLANC), 1);
  pose("Ke4 ke5");
  EXPECT_EQ(attaques("e4", BLANC), 1);
  pose("Ke1 re8 qe7 kh8");
  EXPECT_EQ(attaques("e1", BLANC), 1);  // only the first on the line
  pose("Ke1 re8 Pe4 kh8");
  EXPECT_EQ(attaques("e1", BLANC), 0);
  pose("Ke4 pd5 kh8");
  EXPECT_EQ(attaques("e4", BLANC), 1);
  pose("Ke4 pe5 pd3 kh8");
  EXPECT_EQ(attaques("e4", BLANC), 0);  // straight ahead and behind do not attack
  pose("ke5 Pd4 Kh1");
  EXPECT_EQ(attaques("e5", NOIR), 1);
  pose("Kd4 nc6 ne6 bg7 kh8");
  EXPECT_EQ(attaques("d4", BLANC), 3);
  pose("Ka1 qa8 rh1 kh8");
  EXPECT_EQ(attaques("a1", BLANC), 2);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, Regles, ::testing::Values(BLANC, NOIR));
