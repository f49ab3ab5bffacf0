// The chess clocks and the game duration driven by test ticks, the loss on
// time, the clock switch, the sounds and the position history.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/jeu.h"
#include "tests/play/aide_plateau.h"

using Horloges = TestPlateau;

TEST_F(Horloges, SeuleLHorlogeDuCampAuTraitDescend) {
  plateau& w = ouvre();
  EXPECT_TRUE(w.Timer1->tick());
  EXPECT_FALSE(w.Timer2->tick());
  EXPECT_EQ(w.Horloge_basse->text(), "00:14:59");
  EXPECT_EQ(w.horloge_haute->text(), "00:15:00");
  coup("e2", "e4");
  EXPECT_FALSE(w.Timer1->tick());
  EXPECT_TRUE(w.Timer2->tick());
  EXPECT_TRUE(w.Timer2->tick());
  EXPECT_EQ(w.Horloge_basse->text(), "00:14:59");
  EXPECT_EQ(w.horloge_haute->text(), "00:14:58");
  coup("e7", "e5");
  EXPECT_TRUE(w.Timer1->tick());
  EXPECT_EQ(w.Horloge_basse->text(), "00:14:58");
}

TEST_F(Horloges, AvecLesNoirsEnBasLHorlogeDuHautEstCelleDesBlancs) {
  couleur_joueur = NOIR;
  plateau& w = ouvre();
  EXPECT_EQ(w.Timer1->Interval(), 0);
  EXPECT_EQ(w.Timer2->Interval(), 1000);
  coup("e2", "e4");
  EXPECT_EQ(w.Timer1->Interval(), 1000);
  EXPECT_EQ(w.Timer2->Interval(), 0);
}

TEST_F(Horloges, LaMachineQuiOuvreAvecLesBlancsLanceLHorlogeDesNoirs) {
  mode_jeux = 1;
  couleur_joueur = NOIR;
  ouverture_defaut[1] = QStringLiteral("e4");
  p = charge_plateau();
  ASSERT_NE(p, nullptr);
  plateau& w = *p;
  EXPECT_EQ(sons_joues(), QList<int>{3}) << "the set-down sound";
  EXPECT_EQ(controle("e4"), PION_BLANC);
  EXPECT_EQ(controle("e2"), CASE_VIDE);
  EXPECT_EQ(lignes_liste(), QStringList{" 1.e2-e4"});
  EXPECT_EQ(historique_positions.size(), 2u);
  EXPECT_EQ(numero_coup, 1);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_EQ(texte_partie, "1.e4");
  EXPECT_EQ(w.windowTitle(), texte(169) + " - [1.e4] - " + texte(170) + " : [ 0]");
  EXPECT_EQ(w.Timer1->Interval(), 1000) << "Black, at the bottom, is to move";
  EXPECT_EQ(w.Timer2->Interval(), 0);
}

TEST_F(Horloges, LaPerteAuTempsArreteToutEtInscritLeResultat) {
  plateau& w = ouvre();
  w.regle_horloge(true, 1);
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_TRUE(w.Timer1->tick());
  EXPECT_EQ(w.Horloge_basse->text(), "00:00:00");
  EXPECT_EQ(resultat_partie, "0-1");
  EXPECT_EQ(lignes_liste(), QStringList{"0-1"});
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, texte(148) + " " + texte(144));
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, texte(149));
  EXPECT_EQ(lignes_commentaire().last(), texte(148) + " " + texte(144));
  for (plateforme::Minuterie* t : {w.Timer1, w.Timer2, w.Timer4, w.Timer5}) EXPECT_EQ(t->Interval(), 0);
  EXPECT_FALSE(w.Timer1->tick()) << "no further tick";
  // The game takes no more moves.
  coup("e2", "e4");
  EXPECT_EQ(controle("e2"), PION_BLANC);
  EXPECT_EQ(lignes_liste(), QStringList{"0-1"});
}

TEST_F(Horloges, LHorlogeDuHautAUnTitreFixe) {
  cle_langue = 2;
  applique_langue();
  plateau& w = ouvre();
  coup("e2", "e4");
  w.regle_horloge(false, 1);
  plateforme::BoitesEnTest::repond(boite::OK);
  w.Timer2->tick();
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, texte(148) + " " + texte(145));
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, "Fin de la partie");
  EXPECT_EQ(lignes_liste().last(), "1-0");
}

TEST_F(Horloges, LesNoirsEnBasPerdentParLHorlogeDuBas) {
  couleur_joueur = NOIR;
  plateau& w = ouvre();
  coup("e2", "e4");
  w.regle_horloge(true, 1);
  plateforme::BoitesEnTest::repond(boite::OK);
  w.Timer1->tick();
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, texte(148) + " " + texte(145));
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, texte(149));
}

TEST_F(Horloges, UneHorlogeAZeroNeRepartPasSurUnJour) {
  delai_partie = QStringLiteral("00:00:00");
  plateau& w = ouvre();
  plateforme::BoitesEnTest::repond(boite::OK);
  w.Timer1->tick();
  EXPECT_EQ(w.Horloge_basse->text(), "00:00:00");
  EXPECT_EQ(resultat_partie, "0-1");
  EXPECT_EQ(lignes_liste(), QStringList{"0-1"}) << "one result line";
}

TEST_F(Horloges, LaDureeCompteEtPasseMinuit) {
  plateau& w = ouvre();
  w.Timer5->tick();
  w.Timer5->tick();
  EXPECT_EQ(w.duree_partie->text(), "00:00:02");
  w.duree_partie->setText(QStringLiteral("23:59:59"));
  w.Timer5->tick();
  EXPECT_EQ(w.duree_partie->text(), "00:00:00");
  arret_timers();
  EXPECT_FALSE(w.Timer5->tick());
}

TEST_F(Horloges, BasculeEtArretSuiventLesReglages) {
  plateau& w = ouvre();
  active_horloge = 0;
  w.Timer1->Interval(0);
  w.Timer2->Interval(0);
  bascule_horloge(NOIR);
  bascule_horloge(BLANC);
  EXPECT_EQ(w.Timer1->Interval(), 0);
  EXPECT_EQ(w.Timer2->Interval(), 0);
  active_horloge = 1;
  bascule_horloge(BLANC);
  EXPECT_EQ(w.Timer2->Interval(), 1000);
  EXPECT_EQ(w.Timer1->Interval(), 0);
  w.Timer3->Interval(700);
  w.Timer4->Interval(100);
  arret_timers();
  EXPECT_EQ(w.Timer1->Interval() + w.Timer2->Interval() + w.Timer4->Interval() + w.Timer5->Interval(), 0);
  EXPECT_EQ(w.Timer3->Interval(), 700) << "a timed replay goes on";
}

TEST(FormatHeure, LectureEtEcriture) {
  EXPECT_EQ(texte_heure(0), "00:00:00");
  EXPECT_EQ(texte_heure(3 * 3600 + 7 * 60 + 9), "03:07:09");
  EXPECT_EQ(texte_heure(86400), "00:00:00");
  EXPECT_EQ(secondes_heure("01:02:03"), 3723);
  EXPECT_EQ(secondes_heure("1:2:3"), 3723);
  EXPECT_EQ(secondes_heure("00:15"), 900);
  EXPECT_EQ(secondes_heure(""), -1);
  EXPECT_EQ(secondes_heure("24:00:00"), -1);
  EXPECT_EQ(secondes_heure("aa:00:00"), -1);
}

using Sons = TestPlateau;

TEST_F(Sons, UnSonEstJoueParSonNumeroQuandLesSonsSontActifs) {
  joue_son(12);
  joue_son(1);
  EXPECT_EQ(plateforme::SonsEnTest::joues(), (QStringList{sons[12], sons[1]}));
  EXPECT_TRUE(sons[12].endsWith("son/commencer.wav"));
  joue_son(4);
  EXPECT_EQ(plateforme::SonsEnTest::joues().last(), "") << "an unused number passes an empty path";
  EXPECT_THROW(joue_son(15), std::out_of_range);
  EXPECT_THROW(joue_son(-1), std::out_of_range);
}

TEST_F(Sons, SansSonRienNEstJoueEtAucunNumeroNEstVerifie) {
  active_son = 0;
  joue_son(3);
  EXPECT_NO_THROW(joue_son(99));
  EXPECT_TRUE(plateforme::SonsEnTest::joues().isEmpty());
}

TEST_F(Sons, UnSonQuiNePeutEtreJoueLeDitEtLaPartieContinue) {
  plateforme::SonsEnTest::echoue(true);
  plateforme::BoitesEnTest::repond(boite::OK);
  joue_son(0);
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  const plateforme::BoiteVue& v = plateforme::BoitesEnTest::vues()[0];
  EXPECT_EQ(v.texte, "Erreur rencontrée au cours de la tentative de lecture du fichier son, il n'est sans doute pas accessible.");
  EXPECT_EQ(v.titre, "Son WAV");
  EXPECT_EQ(v.style, boite::EXCLAMATION);
}

TEST_F(Sons, LesFichiersDeLaTableExistentDansLArbreInstalle) {
  const QString construit = QStringLiteral(MVD_BUILD_DIR);
  int remplis = 0;
  for (int i = 0; i < 15; ++i) {
    if (sons[i].isEmpty()) continue;
    ++remplis;
    const QString relatif = sons[i].mid(dossier().size());
    EXPECT_TRUE(QFile::exists(construit + relatif)) << relatif.toStdString();
  }
  EXPECT_EQ(remplis, 12);
}

using Historique = TestPlateau;

TEST_F(Historique, MemoriserLitLeControleEtNonLeTableau) {
  plateau& w = ouvre();
  w.Echiquier->Piece(1, 1, DAME_BLANCHE);  // shown only
  memorise_position();
  ASSERT_EQ(historique_positions.size(), 2u);
  EXPECT_EQ(historique_positions[1][0], static_cast<char>(32 + DAME_BLANCHE));
  EXPECT_EQ(historique_positions[0][0], static_cast<char>(32 + TOUR_NOIRE));
  EXPECT_EQ(tab_echiquier(1, 1), TOUR_NOIRE);
  historique_positions.pop_back();
  historique_positions.pop_back();
  memorise_position();
  EXPECT_EQ(historique_positions.size(), 1u) << "a lowered count is overwritten by the next append";
}

TEST_F(Historique, SansFenetreDeJeuMemoriserEchoue) {
  EXPECT_THROW(memorise_position(), std::runtime_error);
}
