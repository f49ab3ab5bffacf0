// Defenders of a square, pieces attacked by a piece, and the circles around
// undefended pieces, in both orientations.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chess/attaques.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "tests/chess/aide_moteur.h"

using namespace essai;

namespace {

class Attaques : public EnDeuxOrientations {};

int defenseurs(const char* sq, int couleur) { return case_attaquee(0, col_de(sq), lig_de(sq), couleur); }
int cibles(const char* sq) { return compte_attaques_lignes(col_de(sq), lig_de(sq)); }

// The board control as entoure_pieces sees it: the pieces of tab_echiquier
// (or of its own copy) and the circles drawn.
class SurfaceEnregistree : public SurfaceEchiquier {
 public:
  struct Cercle {
    int colonne, ligne;
    long couleur;
    double delta;
    int style, largeur;
  };
  explicit SurfaceEnregistree(const TableauCases& cases) : cases_(cases) {}
  int piece(int c, int l) const override { return cases_(c, l); }
  void trace_cercle(int c, int l, long couleur, double delta, int style, int largeur) override {
    cercles.push_back({c, l, couleur, delta, style, largeur});
  }
  std::vector<Cercle> cercles;

 private:
  TableauCases cases_;
};

}  // namespace

TEST_P(Attaques, DefendersAreTheFirstPieceOfEachWalk) {
  // The rook on a1 defends a3 only while nothing stands between.
  pose("Ra1 Na3 Ke1 ke8");
  EXPECT_EQ(defenseurs("a3", BLANC), 1);
  pose("Ra1 pa2 Na3 Ke1 ke8");
  EXPECT_EQ(defenseurs("a3", BLANC), 0);
  // Two rooks one behind the other count once; a queen behind a bishop too.
  pose("Ra1 Ra2 Na5 Bb2 Qa1 Nd4 Ke8 ke6");
  EXPECT_EQ(defenseurs("a5", BLANC), 1);
  EXPECT_EQ(defenseurs("d4", BLANC), 1);
  // The square itself is never counted, and the code argument is not read.
  pose("Qd4 Ke1 ke8");
  EXPECT_EQ(defenseurs("d4", BLANC), 0);
  EXPECT_EQ(case_attaquee(ROI_NOIR, col_de("d5"), lig_de("d5"), BLANC), 1);
}

TEST_P(Attaques, KingsAndKnightsAndPawnsDefend) {
  pose("Ke4 Nd5 Bg6 Nf4 Ka1 ka8");
  EXPECT_EQ(defenseurs("d5", BLANC), 2);  // the king beside it, the knight on f4
  EXPECT_EQ(defenseurs("g6", BLANC), 1);  // the king two squares away does not count, the knight does
  // Pawns defend the squares they would capture onto, each colour its own way.
  pose("Pd4 Pf4 pd5 pf5 Ke1 ke8");
  EXPECT_EQ(defenseurs("e5", BLANC), 2);
  EXPECT_EQ(defenseurs("e3", BLANC), 0);
  EXPECT_EQ(defenseurs("e4", NOIR), 2);
  EXPECT_EQ(defenseurs("e6", NOIR), 0);
  EXPECT_EQ(defenseurs("e5", NOIR), 0);
  // A square on the edge is scanned towards the inside only.
  pose("Ra8 Nc6 Ke1 ke8");
  EXPECT_EQ(defenseurs("a8", BLANC), 0);
  EXPECT_EQ(defenseurs("h8", BLANC), 0);
  EXPECT_EQ(defenseurs("a4", BLANC), 1);
}

TEST_P(Attaques, PiecesAttackedByOnePiece) {
  // A pawn attacks its two capture squares, never the square ahead.
  pose("Pe4 nd5 rf5 be5 Ke1 ke8");
  EXPECT_EQ(cibles("e4"), 2);
  pose("pe5 Nd4 Rf4 Be4 Ke1 ke8");
  EXPECT_EQ(cibles("e5"), 2);
  // A queen sees the first piece of each line and diagonal, own pieces block.
  pose("Qd4 rd8 nd6 pg7 Bb6 pa7 bh4 Ke1 ke8");
  EXPECT_EQ(cibles("d4"), 3);  // d6 (not d8 behind it), g7, h4; b6 is own and hides a7
  // A king only looks at its neighbours.
  pose("Ke4 pe5 pf3 pg4 ke8");
  EXPECT_EQ(cibles("e4"), 2);
  // A knight counts every enemy piece among its eight squares.
  pose("Nb1 pa3 Pc3 qd2 Ke1 ke8");
  EXPECT_EQ(cibles("b1"), 2);
  pose("Ke1 ke8");
  EXPECT_EQ(cibles("d4"), 0);
}

TEST_P(Attaques, CirclesAroundUndefendedPieces) {
  pose("Ke1 ke8");
  SurfaceEnregistree lones(tab_echiquier);
  EXPECT_EQ(entoure_pieces(BLANC, lones), 2);
  ASSERT_EQ(lones.cercles.size(), 2u);
  for (const auto& c : lones.cercles) {
    EXPECT_EQ(c.couleur, tab_echiquier(c.colonne, c.ligne) == ROI_BLANC ? CERCLE_ROUGE : CERCLE_VERT);
    EXPECT_EQ(c.delta, 0.5);
    EXPECT_EQ(c.style, 1);
    EXPECT_EQ(c.largeur, 2);
  }

  // Only the undefended pieces: the black rook and king (red), the white
  // knight (green); the rook on a1 and the king defend each other, the knight
  // defends the pawn, the black king its pawn.
  pose("Ra1 Kb1 Nc4 Pb6 rh6 ke8 pe7");
  SurfaceEnregistree surface(tab_echiquier);
  EXPECT_EQ(entoure_pieces(NOIR, surface), 3);
  std::vector<std::string> rouges, verts;
  for (const auto& c : surface.cercles)
    (c.couleur == CERCLE_ROUGE ? rouges : verts).push_back(nom_de(c.colonne, c.ligne));
  std::sort(rouges.begin(), rouges.end());
  EXPECT_EQ(rouges, (std::vector<std::string>{"e8", "h6"}));
  EXPECT_EQ(verts, (std::vector<std::string>{"c4"}));
  // The pieces are those the control shows: a piece missing there gets no circle.
  TableauCases montre = tab_echiquier;
  montre(col_de("c4"), lig_de("c4")) = CASE_VIDE;
  SurfaceEnregistree partielle(montre);
  EXPECT_EQ(entoure_pieces(NOIR, partielle), 2);

  tab_echiquier.vide();
  SurfaceEnregistree vide(tab_echiquier);
  EXPECT_EQ(entoure_pieces(BLANC, vide), 0);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, Attaques, ::testing::Values(BLANC, NOIR));
