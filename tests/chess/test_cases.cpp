// Square names and screen squares in both orientations.
#include <gtest/gtest.h>

#include "chess/cases.h"
#include "chess/etat.h"
#include "tests/common/aide_tests.h"

namespace {

struct CasCase {
  const char* nom;
  int en_bas;
  int colonne, ligne;
};

}  // namespace

TEST(Cases, NomEtCaseEcranDansLesDeuxSens) {
  const CasCase cas[] = {
      {"a1", BLANC, 1, 8}, {"h1", BLANC, 8, 8}, {"a8", BLANC, 1, 1}, {"h8", BLANC, 8, 1}, {"e2", BLANC, 5, 7},
      {"c6", BLANC, 3, 3}, {"a1", NOIR, 8, 1},  {"h1", NOIR, 1, 1},  {"a8", NOIR, 8, 8},  {"h8", NOIR, 1, 8},
      {"e2", NOIR, 4, 2},  {"c6", NOIR, 6, 6},
  };
  for (const CasCase& c : cas) {
    EXPECT_EQ(case_de_nom(c.nom, c.en_bas), (CaseEcran{c.colonne, c.ligne})) << c.nom << " " << c.en_bas;
    EXPECT_EQ(nom_case(c.colonne, c.ligne, c.en_bas), c.nom);
    // Without an orientation: the current one.
    couleur_joueur = c.en_bas;
    EXPECT_EQ(case_de_nom(c.nom), (CaseEcran{c.colonne, c.ligne})) << c.nom;
    EXPECT_EQ(nom_case(c.colonne, c.ligne), c.nom);
  }
  couleur_joueur = BLANC;
}

TEST(Cases, UnTexteQuiNEstPasUneCaseNeDonneRien) {
  for (const char* t : {"", "e", "i1", "a0", "a9", "E2", "e22", "2e", " e2"})
    EXPECT_EQ(case_de_nom(t, BLANC), CaseEcran{}) << "[" << t << "]";
}
