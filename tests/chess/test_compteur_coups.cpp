// A move counter built from coup_valide and the own-king test, as every caller
// of the rules plays moves, compared with published counts for positions where
// the program's rules and the laws of chess agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "chess/etat.h"
#include "chess/regles.h"
#include "tests/common/aide_tests.h"

namespace {

struct Etat {
  TableauCases plateau;
  int passant_b, passant_n, roque_b, roque_n;
};

Etat sauve() { return {tab_echiquier, passant_blanc, passant_noir, roque_interdit[BLANC], roque_interdit[NOIR]}; }
void restaure(const Etat& e) {
  tab_echiquier = e.plateau;
  passant_blanc = e.passant_b;
  passant_noir = e.passant_n;
  roque_interdit[BLANC] = e.roque_b;
  roque_interdit[NOIR] = e.roque_n;
}

bool roi_attaque(int couleur) {
  const int roi = couleur == BLANC ? ROI_BLANC : ROI_NOIR;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l)
      if (tab_echiquier(c, l) == roi) return nb_attaques(roi, c, l, couleur) > 0;
  return false;
}

// Plays a pseudo-legal move the way the board window does.
void joue(int cs, int ls, int cd, int ld, int promotion) {
  const int code = tab_echiquier(cs, ls);
  const int couleur = couleur_piece(code);
  const int type = type_piece(code);
  const int passant_adverse = couleur == BLANC ? passant_noir : passant_blanc;
  if (type == TYPE_PION && cs != cd && tab_echiquier(cd, ld) == CASE_VIDE && passant_adverse == cd * 10 + ld)
    tab_echiquier(cd, ls) = CASE_VIDE;  // en passant
  if (type == TYPE_ROI && std::abs(cd - cs) == 2) {
    const int col_tour = cd > cs ? 8 : 1;
    const int col_arrivee = cd > cs ? cd - 1 : cd + 1;
    tab_echiquier(col_arrivee, ld) = tab_echiquier(col_tour, ld);
    tab_echiquier(col_tour, ld) = CASE_VIDE;
  }
  if (type == TYPE_ROI || type == TYPE_TOUR) roque_interdit[couleur] = 1;
  tab_echiquier(cd, ld) = promotion ? promotion : code;
  tab_echiquier(cs, ls) = CASE_VIDE;
  const int passe = type == TYPE_PION && std::abs(ld - ls) == 2 ? cs * 10 + (ls + ld) / 2 : 0;
  (couleur == BLANC ? passant_blanc : passant_noir) = passe;
}

uint64_t compte(int couleur, int profondeur) {
  if (profondeur == 0) return 1;
  uint64_t total = 0;
  for (int cs = 1; cs <= 8; ++cs)
    for (int ls = 1; ls <= 8; ++ls) {
      const int code = tab_echiquier(cs, ls);
      if (code == CASE_VIDE || couleur_piece(code) != couleur) continue;
      for (int cd = 1; cd <= 8; ++cd)
        for (int ld = 1; ld <= 8; ++ld) {
          if (!coup_valide(code, cs, ls, tab_echiquier(cd, ld), cd, ld)) continue;
          const bool promotion = type_piece(code) == TYPE_PION && (ld == 1 || ld == 8);
          const int choix[4] = {TYPE_DAME, TYPE_TOUR, TYPE_FOU, TYPE_CAVALIER};
          for (int i = 0; i < (promotion ? 4 : 1); ++i) {
            const Etat e = sauve();
            joue(cs, ls, cd, ld, promotion ? choix[i] + (couleur == BLANC ? 6 : 0) : 0);
            if (!roi_attaque(couleur)) total += compte(couleur_adverse(couleur), profondeur - 1);
            restaure(e);
          }
        }
    }
  return total;
}

class CompteurCoups : public TestMorvandel, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    couleur_joueur = GetParam();
  }
};

// Diagram as seen with White at the bottom, turned when Black is at the bottom.
void pose_blanc_en_bas(const char* const lignes[8]) {
  if (couleur_joueur == BLANC) {
    pose_diagramme(lignes);
    return;
  }
  std::string tourne[8];
  const char* ptr[8];
  for (int l = 0; l < 8; ++l) {
    tourne[l] = std::string(lignes[7 - l]);
    std::reverse(tourne[l].begin(), tourne[l].end());
    ptr[l] = tourne[l].c_str();
  }
  pose_diagramme(ptr);
}

}  // namespace

TEST_P(CompteurCoups, StartPosition) {
  place_position_depart();
  EXPECT_EQ(compte(BLANC, 1), 20u);
  EXPECT_EQ(compte(BLANC, 2), 400u);
  EXPECT_EQ(compte(BLANC, 3), 8902u);
  EXPECT_EQ(compte(BLANC, 4), 197281u);
  EXPECT_EQ(compte(BLANC, 5), 4865609u);
  // The board comes back as it was.
  TableauCases depart = tab_echiquier;
  place_position_depart();
  EXPECT_EQ(depart, tab_echiquier);
}

TEST_P(CompteurCoups, EndgameWithEnPassantAndChecks) {
  // 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -
  const char* const diagramme[8] = {"........", "..p.....", "...p....", "KP.....r",
                                    ".R...p.k", "........", "....P.P.", "........"};
  pose_blanc_en_bas(diagramme);
  EXPECT_EQ(compte(BLANC, 1), 14u);
  EXPECT_EQ(compte(BLANC, 2), 191u);
  EXPECT_EQ(compte(BLANC, 3), 2812u);
  EXPECT_EQ(compte(BLANC, 4), 43238u);
  EXPECT_EQ(compte(BLANC, 5), 674624u);
}

TEST_P(CompteurCoups, CastlingBothSidesFromAnOpenPosition) {
  // r3k2r/8/8/8/8/8/8/R3K2R w: the program keeps one castling flag per colour,
  // so the count at depth 1 is the laws' 26 and castling appears for both.
  const char* const diagramme[8] = {"r...k..r", "........", "........", "........",
                                    "........", "........", "........", "R...K..R"};
  pose_blanc_en_bas(diagramme);
  EXPECT_EQ(compte(BLANC, 1), 26u);
  EXPECT_EQ(compte(NOIR, 1), 26u);
  roque_interdit[BLANC] = 1;
  EXPECT_EQ(compte(BLANC, 1), 24u);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, CompteurCoups, ::testing::Values(BLANC, NOIR));
