// Reading and writing FEN texts in both orientations: exact castling rights
// per wing, the positions that cannot arise refused.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "chess/cases.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "tests/chess/aide_moteur.h"

using essai::EnDeuxOrientations;

namespace {

class LectureFen : public EnDeuxOrientations {
 protected:
  // The FEN text of the shared position, read from tab_echiquier.
  static std::string fen_du_tableau() {
    return ecrit_fen([](int c, int l) { return tab_echiquier(c, l); });
  }
};

// The rights of a position read as "KQkq" with "-" for a lost wing.
std::string droits(const PositionFen& p) {
  const int sauve_b = roque_interdit[BLANC], sauve_n = roque_interdit[NOIR];
  roque_interdit[BLANC] = p.roque_blanc;
  roque_interdit[NOIR] = p.roque_noir;
  std::string d;
  d += roque_permis(BLANC, AILE_ROI) ? 'K' : '-';
  d += roque_permis(BLANC, AILE_DAME) ? 'Q' : '-';
  d += roque_permis(NOIR, AILE_ROI) ? 'k' : '-';
  d += roque_permis(NOIR, AILE_DAME) ? 'q' : '-';
  roque_interdit[BLANC] = sauve_b;
  roque_interdit[NOIR] = sauve_n;
  return d;
}

}  // namespace

TEST_P(LectureFen, ChaqueLettreDeRoqueEstUneAile) {
  struct Cas {
    const char* champ;
    const char* droits;
  };
  const Cas cas[] = {
      {"KQkq", "KQkq"}, {"Kq", "K--q"}, {"Qk", "-Qk-"}, {"K", "K---"}, {"q", "---q"},
      {"-", "----"},    {"HAha", "KQkq"}, {"Ha", "K--q"},
  };
  for (const Cas& c : cas) {
    const std::string fen = std::string("r3k2r/8/8/8/8/8/8/R3K2R w ") + c.champ + " - 0 1";
    const std::optional<PositionFen> p = lit_fen(fen, GetParam());
    ASSERT_TRUE(p.has_value()) << fen;
    EXPECT_EQ(droits(*p), c.droits) << fen;
  }
}

TEST_P(LectureFen, UneLettreSansRoiOuTourEnPlaceEstLaissee) {
  struct Cas {
    const char* fen;
    const char* droits;
  };
  const Cas cas[] = {
      {"r3k3/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "KQ-q"},   // no rook on h8
      {"r3k2r/8/8/8/8/8/8/1R2K2R w KQkq - 0 1", "K-kq"},  // the rook is on b1
      {"r2k3r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "KQ--"},  // Black's king is not on e8
      {"r3k2r/8/8/8/8/8/8/R3K2R w Bc - 0 1", "----"},    // files of no castling of this game
  };
  for (const Cas& c : cas) {
    const std::optional<PositionFen> p = lit_fen(c.fen, GetParam());
    ASSERT_TRUE(p.has_value()) << c.fen;
    EXPECT_EQ(droits(*p), c.droits) << c.fen;
  }
}

TEST_P(LectureFen, LesPositionsImpossiblesSontRefusees) {
  const char* const refusees[] = {
      "4k3/8/8/8/3pN3/8/8/4K3 b - e3 0 1",      // no White pawn on e4 for the e3 square
      "4k3/8/8/8/3pP3/4N3/8/4K3 b - e3 0 1",    // the e3 square is taken
      "4k3/8/8/8/3pP3/8/4P3/4K3 b - e3 0 1",    // e2, where the pawn came from, is taken
      "4k3/4p3/8/3Pp3/8/8/8/4K3 w - e6 0 1",    // e7 taken
      "4k3/8/8/3Pn3/8/8/8/4K3 w - e6 0 1",      // a knight on e5
      "8/8/8/8/8/8/8/4K3 w - - 0 1",            // no Black king
      "4k3/8/8/8/8/8/8/8 b - - 0 1",            // no White king
      "4k3/8/8/8/8/8/8/3KK3 w - - 0 1",         // two White kings
      "3kk3/8/8/8/8/8/8/4K3 w - - 0 1",         // two Black kings
      "4k3/8/8/8/8/8/8/P3K3 w - - 0 1",         // a pawn on the first rank
      "P3k3/8/8/8/8/8/8/4K3 w - - 0 1",         // a White pawn on the last rank
      "4k2p/8/8/8/8/8/8/4K3 b - - 0 1",         // a Black pawn on its last rank
      "4k3/8/8/8/8/8/8/4K2r b - - 0 1",         // White, not to move, is in check
      "4k2R/8/8/8/8/8/8/4K3 w - - 0 1",         // Black, not to move, is in check
      "4k3/3P4/8/8/8/8/8/4K3 w - - 0 1",        // by a pawn
  };
  for (const char* fen : refusees) EXPECT_FALSE(lit_fen(fen, GetParam()).has_value()) << fen;
  // Material no game can reach, each with its fault.
  using D = DefautPosition;
  const std::pair<const char*, D> materiel[] = {
      {"QQQQQQQQ/PPPPPPPP/Q7/8/8/8/8/K6k w - - 0 1", D::HOMMES},  // 18 White men
      {"4k3/P7/8/8/8/8/PPPPPPPP/4K3 w - - 0 1", D::PIONS},       // 9 White pawns
      {"QQQ5/8/8/7k/8/8/PPPPPPP1/4K3 w - - 0 1", D::PROMUES},    // 2 queens more, 1 pawn missing
      {"4k3/8/8/8/8/8/pppppppp/rrr1K3 b - - 0 1", D::PROMUES},   // a third rook, no pawn missing
      {"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", D::ROIS},
  };
  for (const auto& [fen, defaut] : materiel) {
    DefautPosition lu = D::AUCUN;
    EXPECT_FALSE(lit_fen(fen, GetParam(), &lu).has_value()) << fen;
    EXPECT_EQ(lu, defaut) << fen;
  }
  // The same positions made possible are read.
  const char* const acceptees[] = {
      "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1",
      "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1",
      "4k3/8/8/8/8/8/8/4K2r w - - 0 1",
      "4k3/3P4/8/8/8/8/8/4K3 b - - 0 1",
      "QQ6/8/8/7k/8/8/PPPPPPP1/4K3 w - - 0 1",  // one queen more for the pawn missing
  };
  for (const char* fen : acceptees) EXPECT_TRUE(lit_fen(fen, GetParam()).has_value()) << fen;
}

TEST_P(LectureFen, UnTexteLuPuisEcritRevientALaLettre) {
  for (const char* fen : {"r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 23", "r3k2r/8/8/8/8/8/8/R3K2R b Qk - 3 40",
                          "r3k2r/8/8/8/8/8/8/R3K2R w q - 0 1", "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1",
                          "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2"}) {
    const std::optional<PositionFen> p = lit_fen(fen, GetParam());
    ASSERT_TRUE(p.has_value()) << fen;
    applique_position_fen(*p);
    EXPECT_EQ(fen_du_tableau(), fen);
  }
}

TEST_P(LectureFen, LaPriseEnPassantDuTexteEnleveLeBonPion) {
  const std::optional<PositionFen> p = lit_fen("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", GetParam());
  ASSERT_TRUE(p.has_value());
  applique_position_fen(*p);
  const CaseEcran d4 = case_de_nom("d4"), e3 = case_de_nom("e3"), e4 = case_de_nom("e4");
  EXPECT_EQ(passant_blanc, e3.colonne * 10 + e3.ligne);
  execute_coup(d4.colonne, d4.ligne, e3.colonne, e3.ligne, 0);
  EXPECT_EQ(tab_echiquier(e4.colonne, e4.ligne), CASE_VIDE);
  EXPECT_EQ(tab_echiquier(e3.colonne, e3.ligne), PION_NOIR);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, LectureFen, ::testing::Values(BLANC, NOIR));
