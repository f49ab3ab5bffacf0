// The move text writer and reader: the documented examples in both
// orientations, the disambiguation, and tokens that are not moves.
#include <gtest/gtest.h>

#include <string>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/regles.h"
#include "platform/boites.h"
#include "tests/chess/test_notation_aide.h"

using namespace aide_notation;

namespace {

class Notation : public TestMorvandel, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    couleur_joueur = GetParam();
    dernier_trait = couleur_adverse(couleur_joueur);
  }
};

// notation_coup between two chess squares of the current orientation.
std::string ecrit(int numero, int code, const std::string& de, int code_dst, const std::string& vers, int ep = 0) {
  return notation_coup(numero, code, col_de(de), lig_de(de), code_dst, col_de(vers), lig_de(vers), ep);
}

struct Lu {
  int cs = -1, ls = -1, cd = -1, ld = -1, code = -1;
  std::string marques, token;
};

Lu lit(int couleur, int style, const std::string& texte) {
  Lu r;
  r.token = texte;
  decode_coup(couleur, style, r.token, r.cs, r.ls, r.cd, r.ld, r.code, r.marques);
  return r;
}

void attend_coup(const Lu& r, const std::string& de, const std::string& vers, int code) {
  EXPECT_EQ(r.code, code);
  EXPECT_EQ(r.cs, col_de(de)) << de;
  EXPECT_EQ(r.ls, lig_de(de)) << de;
  EXPECT_EQ(r.cd, col_de(vers)) << vers;
  EXPECT_EQ(r.ld, lig_de(vers)) << vers;
}

}  // namespace

// --- Writer -------------------------------------------------------------

TEST_P(Notation, LongTextsNameTheRealSquaresInEitherOrientation) {
  style_notation = 1;
  EXPECT_EQ(ecrit(1, PION_BLANC, "e2", CASE_VIDE, "e4"), " 1.e2-e4");
  EXPECT_EQ(ecrit(1, PION_NOIR, "e7", CASE_VIDE, "e5"), " e7-e5");
  EXPECT_EQ(ecrit(3, FOU_BLANC, "c4", PION_NOIR, "f7"), " 3.Fc4xf7");
  EXPECT_EQ(ecrit(2, CAVALIER_NOIR, "b8", CASE_VIDE, "c6"), " Cb8-c6");
  EXPECT_EQ(ecrit(5, ROI_BLANC, "e1", CASE_VIDE, "g1"), " 5.O-O");
  EXPECT_EQ(ecrit(9, ROI_NOIR, "e8", CASE_VIDE, "c8"), " O-O-O");
  EXPECT_EQ(ecrit(7, ROI_BLANC, "e1", CASE_VIDE, "f2"), " 7.Re1-f2");
  EXPECT_EQ(ecrit(12, DAME_NOIRE, "d8", TOUR_BLANCHE, "h4"), " Dd8xh4");
  style_notation = 2;
  EXPECT_EQ(ecrit(3, FOU_BLANC, "c4", PION_NOIR, "f7"), " 3.Bc4xf7");
  EXPECT_EQ(ecrit(7, ROI_BLANC, "e1", CASE_VIDE, "f2"), " 7.Ke1-f2");
  EXPECT_EQ(ecrit(40, TOUR_NOIRE, "a8", CASE_VIDE, "a1"), " Ra8-a1");
  style_notation = 0;
  EXPECT_EQ(ecrit(3, FOU_BLANC, "c4", PION_NOIR, "f7"), " 3.c4xf7");
  EXPECT_EQ(ecrit(8, ROI_BLANC, "e1", CASE_VIDE, "c1"), " 8.O-O-O");
}

TEST_P(Notation, EnPassantIsACaptureAndCastlingIsToldByColumnsAlone) {
  style_notation = 2;
  EXPECT_EQ(ecrit(6, PION_BLANC, "e5", CASE_VIDE, "d6", 1), " 6.e5xd6");
  EXPECT_EQ(ecrit(6, PION_NOIR, "d4", CASE_VIDE, "e3", 1), " d4xe3");
  // A king moving between the castling columns on another row is still castling.
  const int depart = couleur_joueur == BLANC ? 5 : 4, arrivee = couleur_joueur == BLANC ? 7 : 2;
  EXPECT_EQ(notation_coup(4, ROI_BLANC, depart, 5, CASE_VIDE, arrivee, 5, 0), " 4.O-O");
}

class NotationAbregee : public TestMorvandel {};

TEST_F(NotationAbregee, DocumentedExamples) {
  style_notation = 1;
  EXPECT_EQ(notation_abregee("1.e2-e4"), " 1.e4");
  EXPECT_EQ(notation_abregee("e7-e5"), " e5");
  EXPECT_EQ(notation_abregee("Cb8-c6"), " Nc6");
  EXPECT_EQ(notation_abregee("3.Fc4xf7+"), " 3.Bxf7");
  EXPECT_EQ(notation_abregee("e4xd5"), " exd5");
  EXPECT_EQ(notation_abregee("e5xd6e.p."), " exd6e.p.");
  EXPECT_EQ(notation_abregee("7.e7-e8=D"), " 7.e8=Q");
  EXPECT_EQ(notation_abregee("5.O-O"), " 5.O-O");
  EXPECT_EQ(notation_abregee("O-O-O+"), " O-O-O");
  EXPECT_EQ(notation_abregee("12.Re1-e2"), " 12.Ke2");  // R is the French king
  EXPECT_EQ(notation_abregee("Td1xd8++!"), " Rxd8");
  EXPECT_EQ(notation_abregee("b2xa1=C+?"), " bxa1=N");
  EXPECT_EQ(notation_abregee("1.e2-e4") + notation_abregee("e7-e5") + notation_abregee("2.Cg1-f3") +
                notation_abregee("Cb8-c6"),
            " 1.e4 e5 2.Nf3 Nc6");
  style_notation = 2;
  EXPECT_EQ(notation_abregee("12.Ng1-f3"), " 12.Nf3");
  EXPECT_EQ(notation_abregee("Ke8-d7"), " Kd7");
  EXPECT_EQ(notation_abregee("Rh1xh8"), " Rxh8");
  EXPECT_EQ(notation_abregee("a7-a8=N"), " a8=N");
  style_notation = 0;
  EXPECT_EQ(notation_abregee("g1-f3"), " f3");
  EXPECT_EQ(notation_abregee("g1xf3"), " gxf3");
  EXPECT_EQ(notation_abregee("9.e7-e8=Q"), " 9.e8=Q");
}

TEST_F(NotationAbregee, DisambiguationGoesRightAfterThePieceLetter) {
  style_notation = 1;
  EXPECT_EQ(notation_abregee("Cb1-d2", "b"), " Nbd2");
  EXPECT_EQ(notation_abregee("4.Th1xh4+", "1"), " 4.R1xh4");
  EXPECT_EQ(notation_abregee("Dh4-e1", "h4"), " Qh4e1");
  EXPECT_EQ(notation_abregee("Dh4-e1", ""), " Qe1");
  // Never on a pawn move or castling.
  EXPECT_EQ(notation_abregee("e4xd5", "e"), " exd5");
  EXPECT_EQ(notation_abregee("5.O-O", "g"), " 5.O-O");
}

TEST_P(Notation, DisambiguationNamesFileThenRowThenSquare) {
  // Knights b1 and f3 reach d2: file; rooks a1 and a5 reach a3: row;
  // queens h4, e4 and h1 reach e1: the whole square for h4.
  pose({"K...k...", "........", "........", "R.......", "....Q..Q", ".....N..", "........", "RN.....Q"});
  EXPECT_EQ(desambiguisation(col_de("b1"), lig_de("b1"), col_de("d2"), lig_de("d2")), "b");
  EXPECT_EQ(desambiguisation(col_de("f3"), lig_de("f3"), col_de("d2"), lig_de("d2")), "f");
  EXPECT_EQ(desambiguisation(col_de("a1"), lig_de("a1"), col_de("a3"), lig_de("a3")), "1");
  EXPECT_EQ(desambiguisation(col_de("a5"), lig_de("a5"), col_de("a3"), lig_de("a3")), "5");
  EXPECT_EQ(desambiguisation(col_de("h4"), lig_de("h4"), col_de("e1"), lig_de("e1")), "h4");
  EXPECT_EQ(desambiguisation(col_de("e4"), lig_de("e4"), col_de("e1"), lig_de("e1")), "e");
  EXPECT_EQ(desambiguisation(col_de("h1"), lig_de("h1"), col_de("e1"), lig_de("e1")), "1");
  // Only one rook reaches b5, only one knight g5.
  EXPECT_EQ(desambiguisation(col_de("a5"), lig_de("a5"), col_de("b5"), lig_de("b5")), "");
  EXPECT_EQ(desambiguisation(col_de("f3"), lig_de("f3"), col_de("g5"), lig_de("g5")), "");
}

TEST_P(Notation, NoDisambiguationWhenTheOtherPieceIsPinnedOrBlocked) {
  // Knight d2 is pinned by the bishop on b4; rook a8 is blocked by the pawn a5.
  pose({"R...k...", "........", "........", "p.......", ".b......", "........", "...N....", "R...K.N."});
  EXPECT_EQ(desambiguisation(col_de("g1"), lig_de("g1"), col_de("f3"), lig_de("f3")), "");
  EXPECT_EQ(desambiguisation(col_de("a1"), lig_de("a1"), col_de("a3"), lig_de("a3")), "");
  // Without the pin both knights count.
  case_de("b4") = CASE_VIDE;
  EXPECT_EQ(desambiguisation(col_de("g1"), lig_de("g1"), col_de("f3"), lig_de("f3")), "g");
  // The reader finds the knight that may move and the rook that is not blocked.
  case_de("b4") = FOU_NOIR;
  attend_coup(lit(BLANC, 2, "Nf3"), "g1", "f3", CAVALIER_BLANC);
  attend_coup(lit(BLANC, 2, "Ra3"), "a1", "a3", TOUR_BLANCHE);
  attend_coup(lit(BLANC, 2, "Ra6"), "a8", "a6", TOUR_BLANCHE);
}

// --- Reader -------------------------------------------------------------

TEST_P(Notation, DocumentedReadings) {
  place_position_depart();
  Lu r = lit(BLANC, 2, "12.Nf3+");
  attend_coup(r, "g1", "f3", CAVALIER_BLANC);
  EXPECT_EQ(r.marques, "+");
  EXPECT_EQ(r.token, "Nf3");

  r = lit(BLANC, 2, "e4");
  attend_coup(r, "e2", "e4", PION_BLANC);
  r = lit(NOIR, 2, "e6");
  attend_coup(r, "e7", "e6", PION_NOIR);
  // No pawn behind the target: all zeros, no message.
  r = lit(BLANC, 2, "e5");
  EXPECT_EQ(r.cs + r.ls + r.cd + r.ld, 0);

  pose({"..k.....", "....P...", "........", "...pP...", "........", "........", "........", "R...K..R"});
  r = lit(BLANC, 1, "e8=D+");
  EXPECT_EQ(r.marques, "=D+");
  EXPECT_EQ(r.token, "e8");
  attend_coup(r, "e7", "e8", PION_BLANC);
  passant_noir = passant("d6");
  r = lit(BLANC, 2, "exd6e.p.");
  EXPECT_EQ(r.marques, "e.p.");
  attend_coup(r, "e5", "d6", PION_BLANC);

  for (const char* t : {"O-O", "0-0", "O-O+"}) attend_coup(lit(BLANC, 2, t), "e1", "g1", ROI_BLANC);
  for (const char* t : {"O-O-O", "0-0-0"}) attend_coup(lit(BLANC, 2, t), "e1", "c1", ROI_BLANC);
  for (const char* t : {"O-O", "0-0"}) attend_coup(lit(NOIR, 2, t), "e8", "g8", ROI_NOIR);
  for (const char* t : {"O-O-O", "0-0-0"}) attend_coup(lit(NOIR, 2, t), "e8", "c8", ROI_NOIR);

  // R is a king in French and a rook in English.
  attend_coup(lit(BLANC, 1, "Rf1"), "e1", "f1", ROI_BLANC);
  attend_coup(lit(BLANC, 2, "Rf1"), "h1", "f1", TOUR_BLANCHE);
  attend_coup(lit(BLANC, 1, "Td1"), "a1", "d1", TOUR_BLANCHE);
  // No piece of that kind can come there: no source, no message.
  Lu r2 = lit(BLANC, 2, "Bc4");
  EXPECT_EQ(r2.cs + r2.ls, 0);
}

TEST_P(Notation, ResultsAndTheRightRookFirst) {
  for (const char* t : {"1-0", "0-1", "1/2-1/2", "*"}) {
    Lu r = lit(BLANC, 2, t);
    EXPECT_EQ(r.code, CASE_VIDE);
    EXPECT_EQ(r.marques, t);
    EXPECT_EQ(r.cs + r.ls + r.cd + r.ld, 0);
  }
  // Two rooks on one row, both able to reach the square between them: the
  // one on the right of the screen is found first.
  pose({"....k...", "........", "........", "........", "R.....R.", "........", "........", "....K..."});
  Lu r = lit(BLANC, 2, "Rd4");
  EXPECT_EQ(r.cs, couleur_joueur == BLANC ? col_de("g4") : col_de("a4"));
  EXPECT_EQ(r.ls, lig_de("d4"));
  // Hints settle it either way.
  attend_coup(lit(BLANC, 2, "Rad4"), "a4", "d4", TOUR_BLANCHE);
  attend_coup(lit(BLANC, 2, "Rgd4"), "g4", "d4", TOUR_BLANCHE);
}

TEST_P(Notation, WhatAMovetextHoldsAroundAMoveIsStripped) {
  place_position_depart();
  attend_coup(lit(NOIR, 2, "12... e5"), "e7", "e5", PION_NOIR);
  attend_coup(lit(NOIR, 2, "12...e5"), "e7", "e5", PION_NOIR);
  attend_coup(lit(NOIR, 2, "...Nf6"), "g8", "f6", CAVALIER_NOIR);
  attend_coup(lit(BLANC, 2, "1. e4!"), "e2", "e4", PION_BLANC);
  attend_coup(lit(BLANC, 2, "d4?!"), "d2", "d4", PION_BLANC);
  attend_coup(lit(BLANC, 2, "Nc3!!"), "b1", "c3", CAVALIER_BLANC);
  attend_coup(lit(BLANC, 2, "Nc3$1"), "b1", "c3", CAVALIER_BLANC);
  attend_coup(lit(BLANC, 2, "c3 {a quiet move}"), "c2", "c3", PION_BLANC);
  Lu r = lit(BLANC, 2, "Nf3+!?");
  attend_coup(r, "g1", "f3", CAVALIER_BLANC);
  EXPECT_EQ(r.marques, "+!?");
  pose({"....k...", "...P....", "........", "........", "........", "........", "........", "....K..."});
  r = lit(BLANC, 2, "d8Q");
  attend_coup(r, "d7", "d8", PION_BLANC);
  EXPECT_EQ(r.marques, "=Q");
  r = lit(BLANC, 2, "d8=N#?");
  EXPECT_EQ(r.marques, "=N#?");
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().isEmpty());
}

TEST_P(Notation, TokensThatAreNotMovesGetTheMessageAndNoSquare) {
  place_position_depart();
  // e9/e0/i4: row or file off the board; exd1: a pawn source off the board.
  const char* const jetons[] = {"!",   "?",   "!!",    "?!",  "!?",   "$1",     "i4",  "e9",   "e0",
                                "z5",  "Nz3", "Nf9",   "Nf",  "N",    "Qxx4",   "exd", "exd9", "jxd5",
                                "exd1", "e4e5", "ex",  "--",  "e",    "O-O-O-O", "12.", "...", "e4.",
                                "Xf3", "Nbdd2", "1.2.e4", "N$1", "%e4"};
  for (const char* jeton : jetons) {
    SCOPED_TRACE(jeton);
    plateforme::BoitesEnTest::efface();
    plateforme::BoitesEnTest::repond(boite::OK);
    Lu r = lit(BLANC, 2, jeton);
    EXPECT_EQ(r.cs, 0);
    EXPECT_EQ(r.ls, 0);
    ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre.toStdString(), "Attention");
    EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte.toStdString(),
              "Erreur de chargement du coup : " + r.token + " !");
  }
  // The board is untouched and an empty token says nothing.
  TableauCases avant = tab_echiquier;
  plateforme::BoitesEnTest::efface();
  Lu r = lit(BLANC, 2, "   ");
  EXPECT_EQ(r.cs + r.ls, 0);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().isEmpty());
  EXPECT_EQ(avant, tab_echiquier);
}

TEST_P(Notation, ATokenHoldingControlBytesIsShownWholeInTheMessage) {
  place_position_depart();
  struct Cas {
    std::string jeton, montre;
  };
  const Cas cas[] = {
      {std::string("e4\0x5", 5), "e4\u2400x5"},
      {std::string("\0Nf3", 4), "\u2400Nf3"},
      {"Nc\x01" "3\x7F", "Nc\u24013\u2421"},
      {"e\t4", "e\u24094"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.montre);
    plateforme::BoitesEnTest::efface();
    plateforme::BoitesEnTest::repond(boite::OK);
    const Lu r = lit(BLANC, 2, c.jeton);
    EXPECT_EQ(r.cs + r.ls, 0);
    ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte,
              QString::fromUtf8("Erreur de chargement du coup : " + c.montre + " !"));
  }
}

TEST(NotationJetons, AnnotationsAreToldFromMoves) {
  for (const char* t : {"$1", "$14", "!", "??", "!?", "12.", "12...", "...", "e.p.", "{good"})
    EXPECT_TRUE(est_annotation(t)) << t;
  for (const char* t : {"", "e4", "12.e4", "$", "$x", "!!!", "Nf3!", "1-0", "*"})
    EXPECT_FALSE(est_annotation(t)) << t;
}

TEST_P(Notation, SameCodeSearch) {
  pose({"....k...", "........", "........", "........", "........", "..N.....", "........", "....K.N."});
  int c = 0, l = 0;
  EXPECT_TRUE(cherche_piece_identique(col_de("g1"), lig_de("g1"), c, l));
  EXPECT_EQ(nom(c, l), "c3");
  EXPECT_TRUE(cherche_piece_identique(col_de("c3"), lig_de("c3"), c, l));
  EXPECT_EQ(nom(c, l), "g1");
  c = l = 99;
  EXPECT_FALSE(cherche_piece_identique(col_de("e1"), lig_de("e1"), c, l));
  EXPECT_EQ(c, 99);
  EXPECT_EQ(l, 99);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, Notation, ::testing::Values(BLANC, NOIR));
