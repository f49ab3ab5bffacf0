// Edge cases of the board window: a clock running out while a piece is held
// or while the promotion question is open, and the window's height on a tall
// screen carried over to the game list and the controls below it.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "tests/play/aide_plateau.h"

using FinPendantLeCoup = TestPlateau;

TEST_F(FinPendantLeCoup, LaPieceTenueQuandLeTempsEstEcouleRetourneSurSaCase) {
  plateau& w = ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  clic("g1");
  ASSERT_EQ(etat_clic, 1);
  w.regle_horloge(true, 1);
  plateforme::BoitesEnTest::repond(boite::OK);
  ASSERT_TRUE(w.Timer1->tick());
  ASSERT_EQ(resultat_partie, "0-1");
  clic("f3");
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(controle("g1"), CAVALIER_BLANC);
  EXPECT_EQ(tableau("g1"), CAVALIER_BLANC);
  EXPECT_EQ(controle("f3"), CASE_VIDE);
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.e2-e4", "    ..... e7-e5", "0-1"}));
  EXPECT_EQ(texte_partie, "1.e4 e5");
  EXPECT_EQ(resultat_partie, "0-1");
  EXPECT_EQ(plateforme::BoitesEnTest::textes().size(), 1) << "no question about continuing the game";
  EXPECT_EQ(historique_positions.size(), 3u);
}

TEST_F(FinPendantLeCoup, AvantLePremierCoupLaPieceTenueRetourneAussi) {
  plateau& w = ouvre();
  clic("e2");
  w.regle_horloge(true, 1);
  plateforme::BoitesEnTest::repond(boite::OK);
  w.Timer1->tick();
  clic("e4");
  EXPECT_EQ(controle("e2"), PION_BLANC);
  EXPECT_EQ(controle("e4"), CASE_VIDE);
  EXPECT_EQ(lignes_liste(), QStringList{"0-1"});
  EXPECT_EQ(numero_coup, 0);
}

TEST_F(FinPendantLeCoup, LeTempsEcoulePendantLaQuestionDePromotionAnnuleLeCoup) {
  plateau& w = ouvre();
  const char* const position[8] = {
      "....k...",  //
      ".P......",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "....K...",  //
  };
  pose_position(position);
  w.regle_horloge(true, 1);
  // The clock ticks while the user reads the question, then the answer comes.
  plateforme::BoitesEnTest::temoin([&w](const plateforme::BoiteVue& v) {
    if (v.saisie) w.Timer1->tick();
  });
  plateforme::BoitesEnTest::saisit(QStringLiteral("Q"));
  plateforme::BoitesEnTest::repond(boite::OK);
  coup("b7", "b8");
  ASSERT_EQ(resultat_partie, "0-1");
  EXPECT_EQ(controle("b7"), PION_BLANC);
  EXPECT_EQ(tableau("b7"), PION_BLANC);
  EXPECT_EQ(controle("b8"), CASE_VIDE);
  EXPECT_EQ(tableau("b8"), CASE_VIDE);
  EXPECT_EQ(lignes_liste(), QStringList{"0-1"});
  EXPECT_EQ(numero_coup, 0);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(etat_clic, 0);
}

TEST_F(FinPendantLeCoup, UnePartieReprisePlusTotResteJouableApresLeResultat) {
  plateau& w = ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  coup("g1", "f3");
  coup("b8", "c6");
  w.regle_horloge(true, 1);
  plateforme::BoitesEnTest::repond(boite::OK);
  w.Timer1->tick();
  ASSERT_EQ(resultat_partie, "0-1");
  // The user shows the position after Black's first move and goes on from there.
  const std::string apres_e5 = historique_positions[2];
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int code = apres_e5[static_cast<size_t>((c - 1) * 8 + l - 1)] - 32;
      w.Echiquier->Piece(c, l, code);
      tab_echiquier(c, l) = code;
    }
  w.List1->setCurrentRow(1);
  clic("f1");
  plateforme::BoitesEnTest::repond(boite::OUI);
  clic("c4");
  EXPECT_EQ(controle("c4"), FOU_BLANC);
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.e2-e4", "    ..... e7-e5", " 2.Bf1-c4"}));
  EXPECT_EQ(resultat_partie, "*");
}

class HauteurEcran : public TestPlateau {
 protected:
  // The geometry of a few controls with the design height, which a screen of
  // 666 pixels (9990 twips, not above 10000) leaves alone.
  void releve_dessin() {
    plateau::hauteur_ecran_essai = 666;
    plateau& w = ouvre();
    hauteur = w.height();
    liste = w.List2->geometry();
    imprimer = w.Command6->geometry();
    legende = w.Label2->geometry();
    cadre = w.message->geometry();
    echiquier = w.Echiquier->geometry();
    fenetres::decharge<plateau>();
    p = nullptr;
  }
  int hauteur = 0;
  QRect liste, imprimer, legende, cadre, echiquier;
};

TEST_F(HauteurEcran, UnGrandEcranAllongeLaFenetreEtLaListeDesParties) {
  releve_dessin();
  plateau::hauteur_ecran_essai = 1000;  // 15000 twips
  plateau& w = ouvre();
  EXPECT_EQ(w.height(), 1000 - 80);
  const int d = w.height() - hauteur;
  ASSERT_GT(d, 0);
  EXPECT_EQ(w.List2->height(), liste.height() + d);
  EXPECT_EQ(w.message->height(), cadre.height() + d);
  EXPECT_EQ(w.Command6->y(), imprimer.y() + d);
  EXPECT_EQ(w.Label2->y(), legende.y() + d);
  EXPECT_LE(w.Command6->y() + w.Command6->height(), w.height()) << "the print button stays in the window";
  EXPECT_EQ(w.Echiquier->geometry(), echiquier);
}

TEST_F(HauteurEcran, JusteAuDessusDeDixMilleTwipsLaFenetreSuitLEcran) {
  releve_dessin();
  plateau::hauteur_ecran_essai = 667;  // 10005 twips
  plateau& w = ouvre();
  EXPECT_EQ(w.height(), 667 - 80);
  const int d = w.height() - hauteur;
  EXPECT_EQ(w.List2->height(), liste.height() + d);
  EXPECT_EQ(w.Command6->y(), imprimer.y() + d);
}
