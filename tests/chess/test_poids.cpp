// The engine weights: factory values, the key table the settings reader and
// writer go through, and the reset.
#include <gtest/gtest.h>

#include <string>

#include "chess/etat.h"
#include "chess/poids.h"
#include "tests/common/aide_tests.h"

namespace {

class Poids : public TestMorvandel {};

}  // namespace

TEST_F(Poids, FactoryValuesFillProfileOneOnly) {
  struct Attendu {
    const char* cle;
    double valeur;
  };
  // The built-in column of the settings key table.
  const Attendu attendus[] = {
      {"PROFONDEUR_MAX", 0},         {"NOTE_MOBILITE_PION", 1},
      {"NOTE_MOBILITE_FOU", 3.5},      {"NOTE_MOBILITE_CAVALIER", 3.5}, {"NOTE_MOBILITE_TOUR", 2},
      {"NOTE_MOBILITE_DAME", 1},       {"NOTE_MOBILITE_ROI", 3},      {"MOBILITE_EVOLUTIVE_PION", 0.1f},
      {"MOBILITE_EVOLUTIVE_FOU", 0},   {"MOBILITE_EVOLUTIVE_CAVALIER", 0}, {"MOBILITE_EVOLUTIVE_TOUR", 0.1f},
      {"MOBILITE_EVOLUTIVE_DAME", 0},  {"MOBILITE_EVOLUTIVE_ROI", 0.2f}, {"NOTE_MATERIEL_PION", 100},
      {"NOTE_MATERIEL_FOU", 300},      {"NOTE_MATERIEL_CAVALIER", 300}, {"NOTE_MATERIEL_TOUR", 500},
      {"NOTE_MATERIEL_DAME", 900},     {"NOTE_MATERIEL_ROI", 300},    {"BONUS_ECHEC", 200},
      {"SEUIL_BONUS_ECHEC", 10},       {"NOTE_PROMOTION", 900},       {"NOTE_ROQUE", 800},
      {"MALUS_DOUBLE", 80},            {"MALUS_ROI", 100},            {"NOTE_CENTRE", 40},
      {"SEUIL_CENTRE", 15},            {"INDICE_DEFENSE", 3},         {"INDICE_ATTAQUE", 1},
      {"ALPHA_BETA", 0},               {"SEUIL_PARTIE_NULLE", -1000},
  };
  ASSERT_EQ(cles_calcul().size(), std::size(attendus));
  for (size_t i = 0; i < std::size(attendus); ++i) {
    SCOPED_TRACE(attendus[i].cle);
    // The table lists the keys in the order of the written file.
    EXPECT_EQ(cles_calcul()[i].cle, attendus[i].cle);
    EXPECT_EQ(lit_poids(attendus[i].cle, 1), attendus[i].valeur);
    if (cles_calcul()[i].par_profil) {
      EXPECT_EQ(lit_poids(attendus[i].cle, 2), 0.0);
      EXPECT_EQ(lit_poids(attendus[i].cle, 0), 0.0);
    }
  }
  EXPECT_EQ(profil_moteur, 1);
  EXPECT_EQ(profil2_charge, 0);
}

TEST_F(Poids, TypeTablesAreReadAtProfilePlusThreeTimesType) {
  EXPECT_EQ(note_materiel[1 + 3 * TYPE_DAME], 900.0f);
  EXPECT_EQ(note_materiel[1 + 3 * TYPE_TOUR], 500.0f);
  EXPECT_EQ(note_mobilite[1 + 3 * TYPE_FOU], 3.5f);
  EXPECT_EQ(mobilite_evolutive[1 + 3 * TYPE_ROI], 0.2f);
  // A bishop value written for profile 2 goes to type 5 of column 2, a rook
  // value to type 3, and nothing else moves.
  ASSERT_TRUE(ecrit_poids("NOTE_MATERIEL_FOU", 333.5, 2));
  ASSERT_TRUE(ecrit_poids("NOTE_MATERIEL_TOUR", 470, 2));
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_FOU)], 333.5f);
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_TOUR)], 470.0f);
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_CAVALIER)], 0.0f);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_FOU)], 300.0f);
  EXPECT_EQ(lit_poids("NOTE_MATERIEL_FOU", 2), 333.5);
}

TEST_F(Poids, WritingByKeyFollowsTheKeyKind) {
  ASSERT_TRUE(ecrit_poids("PROFONDEUR_MAX", 3, 1));
  EXPECT_EQ(profondeur_max[1], 3);
  ASSERT_TRUE(ecrit_poids("SEUIL_CENTRE", 12.6, 2));
  EXPECT_EQ(seuil_centre[2], 13);
  ASSERT_TRUE(ecrit_poids("ALPHA_BETA", 1, 2));
  EXPECT_EQ(alpha_beta[2], 1);
  EXPECT_EQ(alpha_beta[1], 0);
  // One value for both profiles.
  ASSERT_TRUE(ecrit_poids("SEUIL_PARTIE_NULLE", -250.5, 2));
  EXPECT_EQ(seuil_partie_nulle, -250.5f);
  EXPECT_EQ(lit_poids("SEUIL_PARTIE_NULLE", 1), -250.5);

  EXPECT_FALSE(ecrit_poids("NOTE_MATERIEL_ROIS", 1, 1));
  EXPECT_FALSE(ecrit_poids("note_roque", 1, 1));  // keys are case-sensitive
  EXPECT_FALSE(ecrit_poids("MODE_JEUX", 1, 1));   // not an engine key
  EXPECT_FALSE(ecrit_poids("ACTIVE_BASE_CON", 1, 1));  // the opening base's
  EXPECT_FALSE(ecrit_poids("NOTE_ROQUE", 1, 3));
  EXPECT_FALSE(lit_poids("NOTE_ROQUE", -1).has_value());
  EXPECT_EQ(note_roque[1], 800.0f);

  const ClePoids* cle = cherche_cle_calcul("INDICE_DEFENSE");
  ASSERT_NE(cle, nullptr);
  EXPECT_EQ(cle->genre, GenreCle::decimal_simple);
  EXPECT_FALSE(cle->entier);
  EXPECT_TRUE(cherche_cle_calcul("PROFONDEUR_MAX")->chiffres_simples);
  EXPECT_FALSE(cherche_cle_calcul("SEUIL_BONUS_ECHEC")->chiffres_simples);
  EXPECT_EQ(cherche_cle_calcul("SEUIL_CENTRE")->genre, GenreCle::decimal_vers_entier);
}

TEST_F(Poids, ResetBringsTheFactoryValuesBack) {
  profil_moteur = 2;
  profil2_charge = 1;
  for (const ClePoids& cle : cles_calcul()) {
    ecrit_poids(cle.cle, 7, 1);
    ecrit_poids(cle.cle, 7, 2);
  }
  reinitialise_poids();
  EXPECT_EQ(profil_moteur, 1);
  EXPECT_EQ(profil2_charge, 0);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_PION)], 100.0f);
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_PION)], 0.0f);
  EXPECT_EQ(malus_double[1], 80.0f);
  EXPECT_EQ(profondeur_max[2], 0);
  EXPECT_EQ(seuil_partie_nulle, -1000.0f);
}
