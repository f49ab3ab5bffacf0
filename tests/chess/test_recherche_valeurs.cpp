// Regression values of the search: the move, its note and the counters at
// levels 0 to 2 on four positions (the start, an open game with castling on
// offer, a middlegame full of checks, a rook endgame), in both orientations,
// with ALPHA_BETA off and, on two of them, on. They were taken from this
// program once its evaluation and search had been checked by hand on small
// positions and against the plain restatement of moteur_reference.cpp; a
// change here is a change of the machine's play.
#include <gtest/gtest.h>

#include <string>

#include "chess/etat.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "tests/chess/aide_moteur.h"

using namespace essai;

namespace {

const char* const POSITIONS[4] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "r5k1/5ppp/8/8/2q5/8/5PPP/2Q1R1K1 b - - 0 28",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 36",
};

struct Valeur {
  int position, alpha_beta, niveau, orientation;
  const char* texte;
  float note;
  long coups, evaluations;
};

const Valeur VALEURS[] = {
{0, 0, 0, BLANC, " 1.Cb1-c3", 97.3999023f, 70, 20},
      {0, 0, 0, NOIR, " 1.Cg1-f3", 97.3999023f, 70, 20},
      {0, 0, 1, BLANC, " 1.Cb1-c3", 97.3999023f, 1470, 420},
      {0, 0, 1, NOIR, " 1.Cg1-f3", 97.3999023f, 1470, 420},
      {0, 0, 2, BLANC, " 1.Cb1-c3", 194.799805f, 30606, 9322},
      {0, 0, 2, NOIR, " 1.Cg1-f3", 194.799805f, 30606, 9322},
      {0, 1, 0, BLANC, " 1.Cb1-c3", 97.3999023f, 70, 20},
      {0, 1, 0, NOIR, " 1.Cg1-f3", 97.3999023f, 70, 20},
      {0, 1, 1, BLANC, " 1.Cb1-c3", 97.3999023f, 980, 280},
      {0, 1, 1, NOIR, " 1.Cg1-f3", 97.3999023f, 1330, 380},
      {0, 1, 2, BLANC, " 1.Cg1-f3", 194.799805f, 19625, 5919},
      {0, 1, 2, NOIR, " 1.Cb1-c3", 194.799805f, 26717, 8223},
      {1, 0, 0, BLANC, " 4.O-O", 655.100098f, 88, 33},
      {1, 0, 0, NOIR, " 4.O-O", 655.100098f, 88, 33},
      {1, 0, 1, BLANC, " 4.O-O", 546.399902f, 2981, 991},
      {1, 0, 1, NOIR, " 4.O-O", 546.399902f, 2981, 991},
      {1, 0, 2, BLANC, " 4.Cb1-c3", 756.600098f, 84438, 31733},
      {1, 0, 2, NOIR, " 4.Cb1-c3", 756.600098f, 84438, 31733},
      {2, 0, 0, BLANC, " Dc4-f1", 4710.3999f, 60, 43},
      {2, 0, 0, NOIR, " Dc4-f1", 4710.3999f, 60, 43},
      {2, 0, 1, BLANC, " Dc4-f1", 3323.7998f, 2163, 1374},
      {2, 0, 1, NOIR, " Dc4-f1", 3323.7998f, 2163, 1374},
      {2, 0, 2, BLANC, " Dc4-f1", 2438.99976f, 74269, 51968},
      {2, 0, 2, NOIR, " Dc4-f1", 2438.99976f, 74269, 51968},
      {3, 0, 0, BLANC, " 36.Tb4xf4", 7324.6001f, 33, 16},
      {3, 0, 0, NOIR, " 36.Tb4xf4", 7324.6001f, 33, 16},
      {3, 0, 1, BLANC, " 36.Tb4xf4", 7196.6001f, 503, 255},
      {3, 0, 1, NOIR, " 36.Tb4xf4", 7196.6001f, 503, 255},
      {3, 0, 2, BLANC, " 36.Tb4xf4", 14467.0f, 6840, 3459},
      {3, 0, 2, NOIR, " 36.Tb4xf4", 14467.0f, 6840, 3459},
      {3, 1, 0, BLANC, " 36.Tb4xf4", 7324.6001f, 33, 16},
      {3, 1, 0, NOIR, " 36.Tb4xf4", 7324.6001f, 33, 16},
      {3, 1, 1, BLANC, " 36.Tb4xf4", 7324.6001f, 168, 86},
      {3, 1, 1, NOIR, " 36.Tb4xf4", 7324.6001f, 407, 204},
      {3, 1, 2, BLANC, " 36.Tb4xf4", 7324.6001f, 1464, 667},
      {3, 1, 2, NOIR, " 36.Tb4xf4", 7324.6001f, 5544, 2820},
};

class ValeursRecherche : public TestMorvandel {};

}  // namespace

TEST_F(ValeursRecherche, MovesNotesAndCountersStayAsPinned) {
  for (const Valeur& v : VALEURS) {
    reinitialise_etat_jeu();
    reinitialise_poids();
    couleur_joueur = v.orientation;
    const int trait = pose_fen(POSITIONS[v.position]);
    profondeur_max[1] = v.niveau;
    alpha_beta[1] = v.alpha_beta;
    reinitialise_recherche();
    int cs = 0, ls = 0, cd = 0, ld = 0;
    float note = 0;
    const std::string texte = choix_coup_machine(cs, ls, cd, ld, trait, note, 0);
    SCOPED_TRACE("position " + std::to_string(v.position) + " level " + std::to_string(v.niveau) + " alpha-beta " +
                 std::to_string(v.alpha_beta) + " orientation " + std::to_string(v.orientation));
    EXPECT_EQ(texte, v.texte);
    EXPECT_EQ(note, v.note);
    EXPECT_EQ(nb_coups_testes, v.coups);
    EXPECT_EQ(nb_positions_evaluees, v.evaluations);
  }
}
