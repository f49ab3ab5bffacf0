// Castling rights per colour and per wing: what joue_coup and execute_coup
// take away, what coup_valide then allows, and what sauve_etat keeps.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "chess/cases.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "tests/chess/aide_moteur.h"

using essai::EnDeuxOrientations;

namespace {

// Plays moves written as "h1h5 a8a7" with execute_coup.
void joue(const std::string& coups) {
  std::istringstream in(coups);
  for (std::string m; in >> m;) {
    const CaseEcran de = case_de_nom(m.substr(0, 2)), vers = case_de_nom(m.substr(2, 2));
    ASSERT_NE(de.colonne, 0) << m;
    ASSERT_NE(vers.colonne, 0) << m;
    execute_coup(de.colonne, de.ligne, vers.colonne, vers.ligne, 0);
  }
}

bool roque_valide(const char* roi, const char* cible) {
  const CaseEcran de = case_de_nom(roi), vers = case_de_nom(cible);
  return coup_valide(tab_echiquier(de.colonne, de.ligne), de.colonne, de.ligne, tab_echiquier(vers.colonne, vers.ligne),
                     vers.colonne, vers.ligne) != 0;
}

// The four rights as "KQkq" with a "-" for each one lost.
std::string droits() {
  std::string d;
  d += roque_permis(BLANC, AILE_ROI) ? 'K' : '-';
  d += roque_permis(BLANC, AILE_DAME) ? 'Q' : '-';
  d += roque_permis(NOIR, AILE_ROI) ? 'k' : '-';
  d += roque_permis(NOIR, AILE_DAME) ? 'q' : '-';
  return d;
}

// The castlings coup_valide allows in the same order: O-O and O-O-O of White,
// then of Black.
std::string roques_valides() {
  std::string d;
  d += roque_valide("e1", "g1") ? 'K' : '-';
  d += roque_valide("e1", "c1") ? 'Q' : '-';
  d += roque_valide("e8", "g8") ? 'k' : '-';
  d += roque_valide("e8", "c8") ? 'q' : '-';
  return d;
}

struct CasDroits {
  const char* coups;
  const char* droits;  // after the moves, also the castlings allowed
};

class DroitsDeRoque : public EnDeuxOrientations {};

}  // namespace

TEST_P(DroitsDeRoque, ChaqueAileSePerdSeule) {
  const CasDroits cas[] = {
      {"", "KQkq"},
      {"h1h5", "-Qkq"},
      {"a1a5", "K-kq"},
      {"h1h5 a8a6 h5h1", "-Qk-"},        // back on its corner the rook has lost its wing
      {"e1f1", "--kq"},                  // a king step loses both wings
      {"e1f1 e8d8 f1e1", "----"},        // and coming back gives nothing back
      {"h1h8", "-Q-q"},                  // taking on a corner takes that wing from the owner too
      {"a8a1", "K-k-"},
      {"h8h2 a1a2 h2h1", "---q"},        // a rook that left its corner takes the other one
      {"e1g1", "--kq"},                  // a castling uses both wings up
      {"e8c8", "KQ--"},
  };
  for (const CasDroits& c : cas) {
    essai::pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
    roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
    joue(c.coups);
    EXPECT_EQ(droits(), c.droits) << c.coups;
    // Put the kings and rooks back at home: only the rights decide.
    if (std::string(c.coups).find("e1g1") == std::string::npos && std::string(c.coups).find("e8c8") == std::string::npos) {
      essai::pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
      EXPECT_EQ(roques_valides(), c.droits) << c.coups;
    }
  }
}

TEST_P(DroitsDeRoque, LeDrapeauParCouleurGardeSonSens) {
  essai::pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
  roque_interdit[BLANC] = 0;
  roque_interdit[NOIR] = -1;
  EXPECT_EQ(droits(), "KQ--");
  roque_interdit[NOIR] = 1;  // any value other than 0 and the one-wing marks
  EXPECT_EQ(droits(), "KQ--");
  retire_roque(BLANC, AILE_DAME);
  EXPECT_NE(roque_interdit[BLANC], 0) << "one wing lost: the colour's flag is no longer clear";
  EXPECT_EQ(droits(), "K---");
  retire_roque(BLANC, AILE_ROI);
  EXPECT_EQ(roque_interdit[BLANC], -1);
  roque_interdit[BLANC] = 0;
  EXPECT_EQ(droits(), "KQ--");
  definit_roques(NOIR, false, true);
  EXPECT_EQ(droits(), "KQ-q");
  EXPECT_EQ(roques_valides(), "KQ-q");
}

TEST_P(DroitsDeRoque, SauveEtRestaureGardentChaqueAile) {
  essai::pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
  roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
  joue("h1h5");
  const EtatPlateau apres_tour = sauve_etat();
  joue("a8a1");
  EXPECT_EQ(droits(), "--k-");
  restaure_etat(apres_tour);
  EXPECT_EQ(droits(), "-Qkq");
  EXPECT_EQ(roques_valides(), "-Qkq");
}

// joue_coup, which writes the texts, changes the rights as execute_coup does.
TEST_P(DroitsDeRoque, JoueCoupRetireLesMemesAiles) {
  essai::pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
  roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
  const CaseEcran de = case_de_nom("a1"), vers = case_de_nom("a8");
  joue_coup(de.colonne, de.ligne, vers.colonne, vers.ligne, 0);
  EXPECT_EQ(droits(), "K-k-");
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, DroitsDeRoque, ::testing::Values(BLANC, NOIR));
