// The shared move player: what it does to the board and the flags, and the
// texts it writes, in both orientations; move counts of well-known positions
// played through it.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/regles.h"
#include "tests/chess/test_notation_aide.h"

using namespace aide_notation;

namespace {

class JoueCoup : public TestMorvandel, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    couleur_joueur = GetParam();
  }
};

CoupJoue joue(const std::string& de, const std::string& vers, int promotion = 0) {
  return joue_coup(col_de(de), lig_de(de), col_de(vers), lig_de(vers), promotion);
}

uint64_t compte(int couleur, int profondeur) {
  if (profondeur == 0) return 1;
  uint64_t total = 0;
  for (const Coup& c : coups_legaux(couleur)) {
    if (profondeur == 1) {
      ++total;
      continue;
    }
    const EtatPlateau e = sauve_etat();
    joue_coup(c.cs, c.ls, c.cd, c.ld, c.promotion);
    total += compte(couleur_adverse(couleur), profondeur - 1);
    restaure_etat(e);
  }
  return total;
}

}  // namespace

TEST_P(JoueCoup, OpeningMovesWriteBothTextsAndThePassedSquare) {
  place_position_depart();
  style_notation = 1;
  numero_coup = 1;  // raised by the caller before White's move
  CoupJoue c = joue("e2", "e4");
  EXPECT_EQ(c.texte_long, " 1.e2-e4");
  EXPECT_EQ(c.texte_court, " 1.e4");
  EXPECT_EQ(c.code, PION_BLANC);
  EXPECT_EQ(c.code_pris, CASE_VIDE);
  EXPECT_EQ(case_de("e4"), PION_BLANC);
  EXPECT_EQ(case_de("e2"), CASE_VIDE);
  EXPECT_EQ(passant_blanc, passant("e3"));
  EXPECT_EQ(dernier_trait, BLANC);

  c = joue("g8", "f6");
  EXPECT_EQ(c.texte_long, " Cg8-f6");
  EXPECT_EQ(c.texte_court, " Nf6");
  EXPECT_EQ(passant_blanc, passant("e3")) << "only the mover's own square changes";
  EXPECT_EQ(passant_noir, 0);
  EXPECT_EQ(dernier_trait, NOIR);

  numero_coup = 2;
  c = joue("g1", "f3");
  EXPECT_EQ(passant_blanc, 0);
  EXPECT_EQ(c.texte_long, " 2.Cg1-f3");
  c = joue("d7", "d5");
  EXPECT_EQ(passant_noir, passant("d6"));
  numero_coup = 3;
  c = joue("e4", "d5");
  EXPECT_EQ(c.texte_long, " 3.e4xd5");
  EXPECT_EQ(c.texte_court, " 3.exd5");
  EXPECT_EQ(c.code_pris, PION_NOIR);
  EXPECT_FALSE(c.en_passant);
}

TEST_P(JoueCoup, CastlingMovesTheRookAndEveryKingMoveClosesCastling) {
  pose({"r...k..r", "........", "........", "........", "........", "........", "........", "R...K..R"});
  style_notation = 2;
  numero_coup = 5;
  CoupJoue c = joue("e1", "g1");
  EXPECT_TRUE(c.roque);
  EXPECT_EQ(c.texte_long, " 5.O-O");
  EXPECT_EQ(c.texte_court, " 5.O-O");
  EXPECT_EQ(case_de("g1"), ROI_BLANC);
  EXPECT_EQ(case_de("f1"), TOUR_BLANCHE);
  EXPECT_EQ(case_de("h1"), CASE_VIDE);
  EXPECT_EQ(case_de("e1"), CASE_VIDE);
  EXPECT_EQ(roque_interdit[BLANC], -1);
  EXPECT_EQ(roque_interdit[NOIR], 0);

  c = joue("e8", "c8");
  EXPECT_TRUE(c.roque);
  EXPECT_EQ(c.texte_long, " O-O-O");
  EXPECT_EQ(case_de("d8"), TOUR_NOIRE);
  EXPECT_EQ(case_de("a8"), CASE_VIDE);
  EXPECT_EQ(case_de("c8"), ROI_NOIR);
  EXPECT_EQ(roque_interdit[NOIR], -1);

  // A rook move takes its wing only; a one-step king move takes both.
  pose({"r...k..r", "........", "........", "........", "........", "........", "........", "R...K..R"});
  roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
  c = joue("a1", "a2");
  EXPECT_FALSE(c.roque);
  EXPECT_TRUE(roque_permis(BLANC, AILE_ROI));
  EXPECT_FALSE(roque_permis(BLANC, AILE_DAME));
  c = joue("e8", "f8");
  EXPECT_FALSE(c.roque);
  EXPECT_EQ(roque_interdit[NOIR], -1);
  EXPECT_EQ(case_de("h8"), TOUR_NOIRE);
  EXPECT_EQ(c.texte_long, " Ke8-f8");
}

TEST_P(JoueCoup, EnPassantRemovesThePawnBesideTheTarget) {
  pose({"....k...", "........", "........", "...pP...", ".....pP.", "........", "........", "....K..."});
  style_notation = 1;
  passant_noir = passant("d6");
  numero_coup = 8;
  CoupJoue c = joue("e5", "d6");
  EXPECT_TRUE(c.en_passant);
  EXPECT_EQ(c.code_pris, PION_NOIR);
  EXPECT_EQ(case_de("d5"), CASE_VIDE);
  EXPECT_EQ(case_de("d6"), PION_BLANC);
  EXPECT_EQ(c.texte_long, " 8.e5xd6e.p.");
  EXPECT_EQ(c.texte_court, " 8.exd6e.p.");

  // Black takes the White pawn that passed g3.
  passant_blanc = passant("g3");
  c = joue("f4", "g3");
  EXPECT_TRUE(c.en_passant);
  EXPECT_EQ(case_de("g4"), CASE_VIDE);
  EXPECT_EQ(case_de("g3"), PION_NOIR);
  EXPECT_EQ(c.texte_long, " f4xg3e.p.");
  EXPECT_EQ(c.texte_court, " fxg3e.p.");

  // Only the other side's square counts, and only for a capture.
  pose({"....k...", "........", "........", "........", "....pP..", "........", "........", "....K..."});
  passant_blanc = 0;
  passant_noir = passant("f3");
  c = joue("e4", "f3");
  EXPECT_FALSE(c.en_passant);
  EXPECT_EQ(case_de("f4"), PION_BLANC);
  EXPECT_EQ(c.texte_long, " e4-f3");
}

TEST_P(JoueCoup, PromotionLetterFollowsTheStyleAndChecksAreCounted) {
  // A queen or rook on d8 checks the king on h8 along the row; a knight does not.
  pose({".......k", "...P....", "........", "........", "........", "........", "p.......", "....K..."});
  style_notation = 1;
  numero_coup = 30;
  EtatPlateau avant = sauve_etat();
  CoupJoue c = joue("d7", "d8");
  EXPECT_EQ(c.promotion, DAME_BLANCHE);
  EXPECT_EQ(case_de("d8"), DAME_BLANCHE);
  EXPECT_EQ(c.code, PION_BLANC);
  EXPECT_EQ(c.texte_long, " 30.d7-d8=D+");
  EXPECT_EQ(c.texte_court, " 30.d8=Q");
  restaure_etat(avant);
  EXPECT_EQ(case_de("d7"), PION_BLANC);
  EXPECT_EQ(case_de("d8"), CASE_VIDE);

  style_notation = 2;
  c = joue("d7", "d8", CAVALIER_BLANC);
  EXPECT_EQ(c.texte_long, " 30.d7-d8=N");
  EXPECT_EQ(c.texte_court, " 30.d8=N");
  restaure_etat(avant);
  // A bare type or a code of the other colour gives the mover's piece.
  c = joue("d7", "d8", TYPE_TOUR);
  EXPECT_EQ(case_de("d8"), TOUR_BLANCHE);
  EXPECT_EQ(c.texte_long, " 30.d7-d8=R+");
  restaure_etat(avant);
  c = joue("d7", "d8", ROI_BLANC);  // never a king
  EXPECT_EQ(case_de("d8"), DAME_BLANCHE);

  style_notation = 1;
  c = joue("a2", "a1", TYPE_FOU);
  EXPECT_EQ(case_de("a1"), FOU_NOIR);
  EXPECT_EQ(c.texte_long, " a2-a1=F");
  EXPECT_EQ(c.texte_court, " a1=B");
}

TEST_P(JoueCoup, DoubleCheckGetsTwoMarksAndTheShortTextNone) {
  // The knight leaving d5 uncovers the rook d1 on the king d8; from c6 it
  // checks too.
  pose({"...k....", "........", "........", "...N....", "........", "........", "........", "...RK..."});
  style_notation = 1;
  numero_coup = 14;
  CoupJoue c = joue("d5", "b4");
  EXPECT_EQ(c.texte_long, " 14.Cd5-b4+");
  EXPECT_EQ(c.texte_court, " 14.Nb4");
  pose({"...k....", "........", "........", "...N....", "........", "........", "........", "...RK..."});
  c = joue("d5", "c6");
  EXPECT_EQ(c.texte_long, " 14.Cd5-c6++");
  EXPECT_EQ(c.texte_court, " 14.Nc6");
}

TEST_P(JoueCoup, RefusesAnEmptySourceAndLegalityLeavesTheBoard) {
  place_position_depart();
  EXPECT_THROW(joue("e4", "e5"), std::invalid_argument);
  EXPECT_THROW(joue_coup(0, 9, 1, 1, 0), std::out_of_range);
  const EtatPlateau avant = sauve_etat();
  EXPECT_TRUE(coup_legal(col_de("g1"), lig_de("g1"), col_de("f3"), lig_de("f3")));
  EXPECT_FALSE(coup_legal(col_de("g1"), lig_de("g1"), col_de("e2"), lig_de("e2")));
  EXPECT_FALSE(coup_legal(col_de("e4"), lig_de("e4"), col_de("e5"), lig_de("e5")));
  EXPECT_EQ(avant.plateau, tab_echiquier);
  // A pinned piece may not leave its line; the king may not step into check.
  pose({"....k...", "....r...", "........", "........", "........", "........", "....B...", "....K..."});
  EXPECT_FALSE(coup_legal(col_de("e2"), lig_de("e2"), col_de("d3"), lig_de("d3")));
  EXPECT_TRUE(coup_legal(col_de("e1"), lig_de("e1"), col_de("d1"), lig_de("d1")));
  case_de("e2") = CASE_VIDE;
  EXPECT_FALSE(coup_legal(col_de("e1"), lig_de("e1"), col_de("e2"), lig_de("e2")));
  EXPECT_EQ(echecs_au_roi(BLANC), 1);
  EXPECT_EQ(echecs_au_roi(NOIR), 0);
  // En passant that would uncover the own king along the row is illegal.
  pose({"........", "........", "........", "K..pP..r", "........", "........", "........", "....k..."});
  passant_noir = passant("d6");
  EXPECT_TRUE(coup_valide(PION_BLANC, col_de("e5"), lig_de("e5"), CASE_VIDE, col_de("d6"), lig_de("d6")));
  EXPECT_FALSE(coup_legal(col_de("e5"), lig_de("e5"), col_de("d6"), lig_de("d6")));
}

// Published move counts, played through coup_legal and joue_coup.
TEST_P(JoueCoup, MoveCountsOfKnownPositions) {
  place_position_depart();
  EXPECT_EQ(compte(BLANC, 3), 8902u);
  // Castling both sides for both colours, pins, en passant, promotions.
  pose({"r...k..r", "p.ppqpb.", "bn..pnp.", "...PN...", ".p..P...", "..N..Q.p", "PPPBBPPP", "R...K..R"});
  EXPECT_EQ(compte(BLANC, 1), 48u);
  EXPECT_EQ(compte(BLANC, 2), 2039u);
  EXPECT_EQ(compte(BLANC, 3), 97862u);
  // Promotions with capture, Black castling, White already castled.
  pose({"r...k..r", "Pppp.ppp", ".b...nbN", "nP......", "BBP.P...", "q....N..", "Pp.P..PP", "R..Q.RK."});
  roque_interdit[BLANC] = -1;
  EXPECT_EQ(compte(BLANC, 1), 6u);
  EXPECT_EQ(compte(BLANC, 2), 264u);
  EXPECT_EQ(compte(BLANC, 3), 9467u);
  pose({"rnbq.k.r", "pp.Pbppp", "..p.....", "........", "..B.....", "........", "PPP.NnPP", "RNBQK..R"});
  roque_interdit[BLANC] = 0;
  roque_interdit[NOIR] = -1;
  EXPECT_EQ(compte(BLANC, 1), 44u);
  EXPECT_EQ(compte(BLANC, 2), 1486u);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, JoueCoup, ::testing::Values(BLANC, NOIR));
