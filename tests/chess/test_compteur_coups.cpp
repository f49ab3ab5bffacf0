// The number of legal move sequences from a position (perft), counted with
// the rules every caller plays by, compared with the published counts, in
// both orientations.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/regles.h"
#include "tests/chess/compte_coups.h"
#include "tests/common/aide_tests.h"

namespace {

// Depth 4 of the positions with the largest counts runs in bench_perft_bench.
constexpr uint64_t PLUS_GRAND_COMPTE = 500000;

class CompteurCoups : public TestMorvandel, public ::testing::WithParamInterface<std::tuple<int, CasCompte>> {};

}  // namespace

TEST_P(CompteurCoups, LesComptesPublies) {
  const auto& [orientation, cas] = GetParam();
  couleur_joueur = orientation;
  const std::optional<PositionFen> p = lit_fen(cas.fen, orientation);
  ASSERT_TRUE(p.has_value()) << cas.fen;
  applique_position_fen(*p);
  const EtatPlateau depart = sauve_etat();
  const int trait = couleur_adverse(dernier_trait);
  // Depth 4 only where it stays small enough for a sanitizer build.
  const int profondeur = cas.attendus[3] < PLUS_GRAND_COMPTE ? 4 : 3;
  for (int d = 1; d <= profondeur; ++d) EXPECT_EQ(compte_coups(trait, d), cas.attendus[d - 1]) << cas.fen << " depth " << d;
  // The position comes back as it was.
  const EtatPlateau apres = sauve_etat();
  EXPECT_TRUE(apres.plateau == depart.plateau);
  EXPECT_EQ(apres.roque[BLANC], depart.roque[BLANC]);
  EXPECT_EQ(apres.roque[NOIR], depart.roque[NOIR]);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, CompteurCoups,
                         ::testing::Combine(::testing::Values(BLANC, NOIR), ::testing::ValuesIn(comptes_publies)));
