// The new-game command of the main window, by play mode, with the comment
// window option on and off.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

#include "app/commandes.h"
#include "platform/fenetres.h"
#include "app/menu.h"
#include "network/connexion.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/nouvelle_partie.h"
#include "tests/play/aide_machine.h"

namespace {

class NouvellePartie : public TestMachine {
 protected:
  void SetUp() override {
    TestMachine::SetUp();
    menu = &fenetres::instance<Menu>();
    menu->show();
    commente = true;
    liens_ouvertures().affiche_commentaire = [this] { return commente; };
    nom_moteur[1] = QStringLiteral("Morvandel");
    nom_moteur[2] = QStringLiteral("Second");
    lieu_jeu = QStringLiteral("Dijon");
    table_elo[0] = QStringLiteral("1200");
    table_elo[1] = QStringLiteral("1400");
    table_elo[2] = QStringLiteral("1600");
    table_elo[3] = QStringLiteral("1800");
  }
  void TearDown() override {
    p = nullptr;
    TestMachine::TearDown();
  }
  // Runs the command the way the menu item does.
  void nouvelle() {
    menu->menu_nouvelle->trigger();
    p = plateau::existante();
  }
  QStringList commentaire() const { return texte_commentaire().split('\n', Qt::SkipEmptyParts); }

  Menu* menu = nullptr;
  bool commente = true;
};

}  // namespace

TEST_F(NouvellePartie, ContreLaMachineAvecLesBlancs) {
  mode_jeux = 1;
  menu->couleur_blanche->setChecked(true);
  nouvelle();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->isVisible());
  EXPECT_TRUE(p->Echiquier->Enabled());
  EXPECT_FALSE(menu->menu_nouvelle->isEnabled()) << "no new game while one is open";
  EXPECT_TRUE(lignes_liste().isEmpty());
  EXPECT_EQ(commentaire(), (QStringList{"- " + texte(28) + " -", "- " + texte(152), "- " + texte(154)}));
  EXPECT_TRUE(fenetre_comment_chargee()->voir_coup->isEnabled());
  EXPECT_EQ(sons_joues(), QList<int>{12});
  EXPECT_TRUE(entete_pgn.empty());
  // The comment window sits at the top, right of the board window.
  QWidget* cadre = fenetre_comment_chargee()->parentWidget();
  ASSERT_NE(cadre, nullptr);
  EXPECT_EQ(cadre->y(), 0);
  EXPECT_EQ(cadre->x(), p->parentWidget()->width());
  // The board window keeps its design size in the main window's area.
  EXPECT_GE(p->parentWidget()->width(), p->width());
  EXPECT_GE(p->parentWidget()->height(), p->height());
  // The human plays, the machine answers.
  coup("e2", "e4");
  EXPECT_EQ(lignes_liste().size(), 2);
}

TEST_F(NouvellePartie, ContreLaMachineAvecLesNoirs) {
  mode_jeux = 1;
  menu->couleur_noire->setChecked(true);
  menu->couleur_blanche->setChecked(false);
  nouvelle();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(couleur_joueur, NOIR);
  EXPECT_EQ(lignes_liste(), QStringList{" 1.e2-e4"}) << "the machine opens with White";
  EXPECT_EQ(commentaire().last(), "- " + texte(153));
  EXPECT_FALSE(sons_joues().contains(12));
}

TEST_F(NouvellePartie, SansFenetreDeCommentaireLeSonResteSeul) {
  mode_jeux = 2;
  commente = false;
  nouvelle();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(fenetre_comment_chargee(), nullptr);
  EXPECT_EQ(sons_joues(), QList<int>{12});
}

TEST_F(NouvellePartie, MachineContreMachineAvecLesEntetes) {
  mode_jeux = 4;
  profondeur_max[1] = 1;
  nouvelle();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Timer4->Interval(), 100) << "automatic play starts";
  EXPECT_TRUE(sons_joues().isEmpty());
  const QString e = QString::fromStdString(entete_pgn);
  EXPECT_TRUE(e.startsWith("[Event \"Partie du ")) << e.toStdString();
  EXPECT_TRUE(e.contains("[Site \"Dijon\"]\r\n"));
  EXPECT_TRUE(e.contains("[White \"Morvandel\"]\r\n[Black \"Morvandel\"]\r\n[WhiteElo \"1400\"]\r\n"
                         "[BlackElo \"1400\"]\r\n\r\n"))
      << e.toStdString();
  const QString date = QDate::currentDate().toString("dd/MM/yyyy");
  EXPECT_TRUE(e.contains("[Date \"" + date.left(2)) && e.contains(date.right(4) + "\"]")) << e.toStdString();
  EXPECT_TRUE(texte_commentaire().contains("[White \"Morvandel\"]"));
  EXPECT_FALSE(texte_commentaire().contains(texte(152)));
  EXPECT_FALSE(texte_commentaire().contains(texte(153)));
  // The game runs by itself.
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(lignes_liste(), QStringList{" 1.e2-e4"});
}

TEST_F(NouvellePartie, LeSecondProfilNommeLesNoirs) {
  profil2_charge = 1;
  profondeur_max[2] = 3;
  profondeur_max[1] = 0;
  const QString e = QString::fromStdString(entete_machine(QDate(2024, 3, 7)));
  EXPECT_TRUE(e.contains("[Black \"Second\"]\r\n")) << e.toStdString();
  EXPECT_TRUE(e.contains("[WhiteElo \"1200\"]\r\n[BlackElo \"1800\"]\r\n"));
  EXPECT_TRUE(e.contains("07")) << e.toStdString();
  EXPECT_TRUE(e.endsWith("\r\n\r\n"));
  profondeur_max[2] = 5;
  EXPECT_THROW(entete_machine(QDate(2024, 3, 7)), std::out_of_range);
}

TEST_F(NouvellePartie, UnNiveauHorsTableArreteLaCommandeApresLePlateau) {
  mode_jeux = 4;
  profondeur_max[1] = 7;
  plateforme::BoitesEnTest::repond(boite::OK);
  nouvelle();
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  EXPECT_NE(plateau::existante(), nullptr) << "the board window shown before the error stays";
  p->Timer4->Interval(0);
}

TEST_F(NouvellePartie, LaNotationVientDuMenu) {
  mode_jeux = 2;
  commente = false;
  struct Cas {
    bool fr, pgn, inter;
    int style;
  };
  for (const Cas c : {Cas{true, false, false, 1}, Cas{false, true, false, 2}, Cas{false, false, true, 0},
                      Cas{false, true, true, 0}, Cas{false, false, false, 1}}) {
    menu->notation_francaise->setChecked(c.fr);
    menu->notation_pgn->setChecked(c.pgn);
    menu->notation_internationale->setChecked(c.inter);
    style_notation = 9;
    roque_interdit[BLANC] = roque_interdit[NOIR] = -1;
    entete_pgn = "[Event \"old\"]";
    nouvelle();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(style_notation, c.style);
    EXPECT_EQ(roque_interdit[BLANC], 0);
    EXPECT_EQ(roque_interdit[NOIR], 0);
    EXPECT_TRUE(entete_pgn.empty());
    fenetres::decharge<plateau>();
  }
}

TEST_F(NouvellePartie, EnReseauLaConnexionSOuvreEtLaCorrespondanceResteFermee) {
  // A network game starts from the connection dialog, not on a board.
  menu->mode_reseau_Click();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  menu_nouvelle_Click();
  EXPECT_EQ(plateau::existante(), nullptr);
  EXPECT_NE(fenetres::existante<connexion>(), nullptr);
  fenetres::decharge<connexion>();
  // In correspondence play the command opens the manager, no board.
  int gestionnaire = 0;
  liens_jeu().montre_corres = [&] { ++gestionnaire; };
  menu->mode_corres_Click();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  mode_saisie_corres = 1;
  menu_nouvelle_Click();
  EXPECT_EQ(gestionnaire, 1);
  EXPECT_EQ(mode_saisie_corres, 2);
  EXPECT_EQ(plateau::existante(), nullptr);
  menu->mode_machine_Click();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  // Opening the game menu brings the item in line too.
  commandes::montre_corres = nullptr;
  mode_jeux = 5;
  emit menu->menu_partie->aboutToShow();
  EXPECT_FALSE(menu->menu_nouvelle->isEnabled());
}

TEST_F(NouvellePartie, EnCorrespondanceLaCommandeOuvreLeGestionnaireAvecOuSansPlateau) {
  // In the correspondence mode the item opens the manager, a board window
  // (a loaded game) or not.
  menu->mode_corres_Click();
  ASSERT_TRUE(menu->menu_nouvelle->isEnabled());
  ASSERT_NE(charge_plateau(), nullptr);
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  fenetres::decharge<plateau>();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  // Back in a mode it starts: the item comes back with the mode.
  menu->mode_libre_Click();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  ASSERT_NE(charge_plateau(), nullptr);
  EXPECT_FALSE(menu->menu_nouvelle->isEnabled());
  fenetres::decharge<plateau>();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
}

TEST_F(NouvellePartie, LeJournalRecoitLaLigneDeDebut) {
  mode_jeux = 2;
  commente = false;
  ges_log = 1;
  // A log that cannot be written ends the command before the board window.
  file_log = dossier() + "/absent/partie.log";
  plateforme::BoitesEnTest::repond(boite::OK);
  nouvelle();
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  EXPECT_EQ(plateau::existante(), nullptr);
  plateforme::BoitesEnTest::efface();
  // The free game's board window empties the log again as it loads: one
  // start line is left, its own.
  file_log = dossier() + "/partie.log";
  nouvelle();
  ASSERT_NE(p, nullptr);
  fenetres::decharge<plateau>();
  QFile f(file_log);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray journal = f.readAll();
  EXPECT_TRUE(journal.startsWith("-> ")) << journal.toStdString();
  EXPECT_EQ(journal.count("Nouvelle partie"), 1);
}
