#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/etat.h"
#include "chess/repetitions.h"
#include "tests/common/aide_tests.h"

namespace {

// A board window stand-in: the board control shows tab_echiquier, the move
// list holds the given lines.
class VueEssai : public VuePartie {
 public:
  std::vector<std::string> lignes;
  int piece(int c, int l) const override { return tab_echiquier(c, l); }
  int nb_lignes_liste() const override { return static_cast<int>(lignes.size()); }
  std::string ligne_liste(int k) const override { return lignes.at(k); }
};

class Repetitions : public TestMorvandel {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    installe_vue_partie([this] { return &vue; });
    place_position_depart();
    memorise();
  }
  void memorise() { historique_positions.push_back(chaine_position_de([](int c, int l) { return tab_echiquier(c, l); })); }
  // Moves a piece (screen squares) and records the list line and the position.
  void bouge(int cs, int ls, int cd, int ld, const std::string& ligne) {
    tab_echiquier(cd, ld) = tab_echiquier(cs, ls);
    tab_echiquier(cs, ls) = CASE_VIDE;
    vue.lignes.push_back(ligne);
    memorise();
  }
  VueEssai vue;
};

}  // namespace

TEST_F(Repetitions, CountsEarlierOccurrencesOfTheShownPosition) {
  EXPECT_EQ(compte_repetitions(), 0);  // one entry: nothing compared
  EXPECT_EQ(nb_demi_coups, 0);
  bouge(7, 8, 6, 6, " 1.Cg1-f3");
  EXPECT_EQ(compte_repetitions(), 0);
  bouge(7, 1, 6, 3, "    ..... Cg8-f6");
  bouge(6, 6, 7, 8, " 2.Cf3-g1");
  bouge(6, 3, 7, 1, "    ..... Cf6-g8");
  EXPECT_EQ(compte_repetitions(), 1);
  EXPECT_EQ(nb_demi_coups, 4);  // no pawn move or capture: every line counts
  bouge(7, 8, 6, 6, " 3.Cg1-f3");
  bouge(7, 1, 6, 3, "    ..... Cg8-f6");
  bouge(6, 6, 7, 8, " 4.Cf3-g1");
  bouge(6, 3, 7, 1, "    ..... Cf6-g8");
  EXPECT_EQ(compte_repetitions(), 2);
}

TEST_F(Repetitions, HalfMoveCountFollowsTheLastPawnMoveOrCapture) {
  bouge(5, 7, 5, 5, " 1.e2-e4");
  bouge(5, 2, 5, 4, "    ..... e7-e5");
  bouge(7, 8, 6, 6, " 2.Cg1-f3");
  bouge(2, 1, 3, 3, "    ..... Cb8-c6");
  compte_repetitions();
  EXPECT_EQ(nb_demi_coups, 2);
  bouge(6, 6, 5, 4, " 3.Cf3xe5");
  bouge(3, 3, 5, 4, "    ..... Cc6xe5");
  compte_repetitions();
  EXPECT_EQ(nb_demi_coups, 0);
  bouge(4, 7, 4, 6, " 4.d2-d3+");  // a pawn move with a mark reads as reversible
  bouge(5, 1, 5, 2, "    ..... Re8-e7");
  compte_repetitions();
  EXPECT_EQ(nb_demi_coups, 2);
}

TEST_F(Repetitions, ComparisonIsOnTheWholeBoardOnly) {
  bouge(7, 8, 6, 6, " 1.Cg1-f3");
  dernier_trait = BLANC;
  roque_interdit[BLANC] = 1;  // not part of the comparison
  bouge(6, 6, 7, 8, "    ..... Cf3-g1");
  EXPECT_EQ(compte_repetitions(), 1);
}

TEST_F(Repetitions, MissingBoardWindowOrShortListIsAnError) {
  bouge(7, 8, 6, 6, " 1.Cg1-f3");
  vue.lignes.clear();
  EXPECT_THROW(compte_repetitions(), std::runtime_error);
  installe_vue_partie(nullptr);
  EXPECT_THROW(compte_repetitions(), std::runtime_error);
}
