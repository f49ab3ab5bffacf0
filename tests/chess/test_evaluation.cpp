// The static evaluation: its reserved notes, each weighted term on positions
// small enough to add up by hand, the mobility of one piece and the castling
// note, in both orientations.
#include <gtest/gtest.h>

#include <stdexcept>

#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "tests/chess/aide_moteur.h"

using namespace essai;

namespace {

class Evaluation : public EnDeuxOrientations {
 protected:
  // The growth of mobility with the move number, switched off so that two
  // move numbers compare on the other terms alone.
  static void sans_mobilite_evolutive() {
    for (int t = TYPE_PION; t <= TYPE_ROI; ++t) mobilite_evolutive[indice_type(1, t)] = 0.0f;
  }
  static float mobilite_en(const char* sq) { return mobilite_piece(col_de(sq), lig_de(sq)); }
};

}  // namespace

TEST_P(Evaluation, SumsOfSmallPositionsAddUpByHand) {
  // Move 20: no centre term. White: king a1 reaches 3 squares at 3 + 20 * 0.2,
  // the pawn one square at 1 + 20 * 0.1, material 400; Black: king e8 reaches
  // 5 squares at 7, material 300. Nothing is defended.
  pose("Ka1 Pe4 ke8");
  numero_coup = 20;
  EXPECT_EQ(evalue_position(BLANC), 89.0f);
  EXPECT_EQ(evalue_position(NOIR), -89.0f);

  // Move 5: the knight reaches 8 squares at 3.5 (its own king's square
  // included) and attacks d4 and e5 (centre 2 * 40); it defends its king
  // (+3); the kings reach 5 squares each at 4.
  pose("Ke1 Nf3 ke8");
  numero_coup = 5;
  nb_positions_evaluees = 0;
  EXPECT_EQ(evalue_position(BLANC), 411.0f);
  EXPECT_EQ(nb_positions_evaluees, 1);
  EXPECT_EQ(evalue_position(NOIR), -411.0f);
  EXPECT_EQ(nb_positions_evaluees, 2);
}

TEST_P(Evaluation, OwnKingAttackedIsNoPosition) {
  pose("Ke1 Qd1 Qd2 Qf2 re5 kh8");
  EXPECT_EQ(evalue_position(BLANC), -999999.0f);
  EXPECT_NE(evalue_position(NOIR), -999999.0f);
  // Without a king of its own the test is skipped.
  pose("Qd1 re1 kh8");
  EXPECT_NE(evalue_position(BLANC), -999999.0f);
}

TEST_P(Evaluation, MateGivenScoresByDepth) {
  pose("kh8 Qg7 Kf6");
  EXPECT_EQ(evalue_position(BLANC), 999999.0f / 10.0f);  // 99999.9
  profondeur_courante = 1;
  EXPECT_EQ(evalue_position(BLANC), 999999.0f / 20.0f);  // 49999.95
  profondeur_courante = 3;
  EXPECT_EQ(evalue_position(BLANC), 999999.0f / 40.0f);
  // The probe leaves the depth and the board as they were.
  EXPECT_EQ(profondeur_courante, 3);
  EXPECT_EQ(piece_en("g7"), DAME_BLANCHE);
  EXPECT_EQ(piece_en("h8"), ROI_NOIR);
  // The probe depth is the profile's maximum; a mate is a mate at any level.
  profondeur_courante = 0;
  profondeur_max[1] = 2;
  EXPECT_EQ(evalue_position(BLANC), 99999.9f);
  // A checked king that can take the checking piece is not mated.
  pose("kh8 Qg7 Kf5");
  EXPECT_LT(evalue_position(BLANC), 10000.0f);
}

TEST_P(Evaluation, CheckBonusGrowsWithTheMoveNumberFromItsThreshold) {
  sans_mobilite_evolutive();
  pose("Kc1 Re2 ke8 pa7");  // Black in check, with escapes
  numero_coup = 9;
  const float avant = evalue_position(BLANC);
  numero_coup = 10;
  EXPECT_EQ(evalue_position(BLANC) - avant, 2000.0f);
  numero_coup = 11;
  EXPECT_EQ(evalue_position(BLANC) - avant, 2200.0f);
  // Switched off by a zero weight.
  bonus_echec[1] = 0.0f;
  EXPECT_EQ(evalue_position(BLANC), avant);
  // No bonus and no probe when the other side has no king.
  bonus_echec[1] = 200.0f;
  pose("Kc1 Re2 pa7");
  numero_coup = 9;
  const float sans_roi = evalue_position(BLANC);
  numero_coup = 12;
  EXPECT_EQ(evalue_position(BLANC), sans_roi);
}

TEST_P(Evaluation, CentreCountsUpToItsLastMove) {
  sans_mobilite_evolutive();
  pose("Ke1 Nf3 ke8");
  numero_coup = 15;
  const float dernier = evalue_position(BLANC);
  numero_coup = 16;
  EXPECT_EQ(dernier - evalue_position(BLANC), 80.0f);
  numero_coup = 1;
  note_centre[1] = 0.0f;
  EXPECT_EQ(dernier - evalue_position(BLANC), 80.0f);
}

TEST_P(Evaluation, DefenceSwitchesOffTheAttackTermToo) {
  // The rook on d1, defended by its king, attacks the undefended rook on d8:
  // the attack term. The king e1, defended by its rook and not attacked, is
  // the only piece with more defenders than attackers.
  pose("Ke1 Rd1 rd8 kh6");
  numero_coup = 30;
  indice_attaque[1] = 0.0f;
  const float sans_attaque = evalue_position(BLANC);
  indice_attaque[1] = 1.0f;
  EXPECT_EQ(evalue_position(BLANC) - sans_attaque, 1.0f);
  indice_defense[1] = 0.0f;
  const float sans_defense = evalue_position(BLANC);
  EXPECT_EQ(sans_attaque - sans_defense, 3.0f);
  indice_attaque[1] = 0.0f;
  EXPECT_EQ(evalue_position(BLANC), sans_defense);
}

TEST_P(Evaluation, FullArmiesCancelOutKingsIncluded) {
  place_position_depart();
  numero_coup = 1;
  EXPECT_EQ(evalue_position(BLANC), 0.0f);
  note_materiel[indice_type(1, TYPE_ROI)] = 12345.0f;
  EXPECT_EQ(evalue_position(NOIR), 0.0f);
  // One pawn less for Black: its material (100) and its defence bonus (3),
  // less the squares its absence gives the bishop (e7 counted already, now
  // d6 c5 b4 a3 too: 4 * 3.5) and the queen (f6 g5 h4: 3 * 1), the pawn's own
  // 2 * 1.1 apart. The king counts e7 either way.
  note_materiel[indice_type(1, TYPE_ROI)] = 300.0f;
  tab_echiquier(col_de("e7"), lig_de("e7")) = CASE_VIDE;
  EXPECT_NEAR(evalue_position(BLANC), 100.0f + 3.0f - (14.0f + 3.0f - 2.2f), 0.001f);
}

TEST_P(Evaluation, MobilityOfOnePiece) {
  numero_coup = 10;
  // A knight in the corner reaches two squares whatever stands on them.
  pose("Na1 Pb3 Pc2 Ke1 ke8");
  EXPECT_EQ(mobilite_en("a1"), 7.0f);
  // A pawn on its start row with both squares free: two squares at 1 + 10 * 0.1.
  pose("Pe2 pe7 Ke1 ke8");
  EXPECT_EQ(mobilite_en("e2"), 4.0f);
  EXPECT_EQ(mobilite_en("e7"), 4.0f);
  pose("Pe2 pe3 Ke1 ke8");
  EXPECT_EQ(mobilite_en("e2"), 0.0f);
  pose("Pe2 pe4 Ke1 ke8");
  EXPECT_EQ(mobilite_en("e2"), 2.0f);
  // A pawn left on its last row by the search has no square ahead.
  pose("Pe8 pd1 Ka1 kh5");
  EXPECT_EQ(mobilite_en("e8"), 0.0f);
  EXPECT_EQ(mobilite_en("d1"), 0.0f);
  EXPECT_NO_THROW(evalue_position(BLANC));
  // Rays end on the first piece, which counts; a king looks at its neighbours.
  pose("Rd4 Pd6 nf4 Ke1 ke8");
  EXPECT_EQ(mobilite_en("d4"), 10.0f * (2.0f + 10.0f * 0.1f));  // d5 d6, d3 d2 d1, e4 f4, c4 b4 a4 = 10
  EXPECT_EQ(mobilite_en("e1"), 5.0f * (3.0f + 10.0f * 0.2f));
  EXPECT_EQ(mobilite_en("c5"), 0.0f);
}

TEST_P(Evaluation, CastlingNote) {
  // The king has gone to g1 (the rook not yet moved, as in the search).
  pose("Kg1 Rh1 Pg2 ke8");
  EXPECT_EQ(evalue_roque(col_de("e1"), lig_de("e1"), col_de("g1"), lig_de("g1")), 800.0f);
  pose("Kg1 Pg2 ke8");  // no rook in the corner
  EXPECT_EQ(evalue_roque(col_de("e1"), lig_de("e1"), col_de("g1"), lig_de("g1")), 0.0f);
  pose("Kg1 Rh1 ke8");  // nothing in front of the king
  EXPECT_EQ(evalue_roque(col_de("e1"), lig_de("e1"), col_de("g1"), lig_de("g1")), 0.0f);
  pose("Kc1 Nb1 Ra1 Pc2 ke8");  // a piece between the king and its rook
  EXPECT_EQ(evalue_roque(col_de("e1"), lig_de("e1"), col_de("c1"), lig_de("c1")), 0.0f);
  pose("Kc1 Ra1 Pc2 ke8");
  EXPECT_EQ(evalue_roque(col_de("e1"), lig_de("e1"), col_de("c1"), lig_de("c1")), 800.0f);
  pose("kc8 ra8 pc7 Ke1");
  EXPECT_EQ(evalue_roque(col_de("e8"), lig_de("e8"), col_de("c8"), lig_de("c8")), 800.0f);
  pose("Kc2 Ra2 Pc3 ke8");  // not on its home row
  EXPECT_EQ(evalue_roque(col_de("e2"), lig_de("e2"), col_de("c2"), lig_de("c2")), 0.0f);
  pose("Kg1 rh1 Pg2 ke8");  // the enemy's rook
  EXPECT_EQ(evalue_roque(col_de("e1"), lig_de("e1"), col_de("g1"), lig_de("g1")), 0.0f);
}

TEST_P(Evaluation, BadBoardsAndProfilesAreRefused) {
  pose("Ke1 ke8");
  tab_echiquier(col_de("d4"), lig_de("d4")) = 14;
  EXPECT_THROW(evalue_position(BLANC), std::invalid_argument);
  pose("Ke1 ke8");
  profil_moteur = 3;
  EXPECT_THROW(evalue_position(BLANC), std::out_of_range);
  EXPECT_THROW(mobilite_piece(col_de("e1"), lig_de("e1")), std::out_of_range);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, Evaluation, ::testing::Values(BLANC, NOIR));
