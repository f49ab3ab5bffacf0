// The board window inside the main window: the game menu items it switches,
// the human's colour taken from the menu, the pop-up game menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "platform/minuterie.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/liens_ouvertures.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/nouvelle_partie.h"
#include "play/partie.h"
#include "tests/play/aide_plateau.h"

class AvecMenu : public TestPlateau {
 protected:
  void SetUp() override {
    TestPlateau::SetUp();
    menu = &fenetres::instance<Menu>();
  }
  void TearDown() override {
    TestPlateau::TearDown();
    fenetres::ferme_toutes();
  }
  Menu* menu = nullptr;
};

TEST_F(AvecMenu, LeChargementEtLaFermetureBasculentLesCommandesDeJeu) {
  QApplication::clipboard()->clear();  // the paste reads it only when chosen
  menu->menu_nouvelle->setEnabled(true);
  menu->menu_abandon->setEnabled(false);
  ASSERT_NE(affiche_plateau(), nullptr);
  p = plateau::existante();
  EXPECT_FALSE(menu->menu_nouvelle->isEnabled());
  EXPECT_TRUE(menu->menu_abandon->isEnabled());
  EXPECT_TRUE(menu->menu_modif_coup->isEnabled());
  EXPECT_TRUE(menu->menu_copie_position[2]->isEnabled());
  EXPECT_FALSE(menu->menu_mode->menuAction()->isEnabled());
  EXPECT_FALSE(menu->menu_active_horloge->isEnabled());
  EXPECT_TRUE(menu->menu_coller_position->isEnabled());
  ASSERT_EQ(menu->mdiArea->subWindowList().size(), 1);
  EXPECT_EQ(menu->mdiArea->subWindowList()[0]->widget(), p);

  fenetres::decharge<plateau>();
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
  EXPECT_FALSE(menu->menu_abandon->isEnabled());
  EXPECT_FALSE(menu->menu_modif_coup->isEnabled());
  EXPECT_TRUE(menu->menu_mode->menuAction()->isEnabled());
  EXPECT_FALSE(menu->menu_coller_position->isEnabled());
}

TEST_F(AvecMenu, LaCouleurDuJoueurVientDuMenu) {
  menu->couleur_blanche->setChecked(false);
  menu->couleur_noire->setChecked(true);
  couleur_joueur = BLANC;
  ouvre();
  EXPECT_EQ(couleur_joueur, NOIR);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(p->Echiquier->Piece(4, 8), ROI_NOIR) << "Black is drawn at the bottom";
}

TEST_F(AvecMenu, LeClicDroitOuvreLeMenuPartieSansToucherAuJeu) {
  ouvre();
  p->activateWindow();
  QTest::mouseClick(p->Echiquier, Qt::RightButton, Qt::NoModifier, p->Echiquier->rect_image(5, 7).center());
  EXPECT_TRUE(menu->menu_partie->isVisible());
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(p->Echiquier->Piece(5, 7), PION_BLANC);
  menu->menu_partie->hide();
}

TEST_F(AvecMenu, FermerLaSousFenetreDechargeLePlateau) {
  ASSERT_NE(affiche_plateau(), nullptr);
  p = plateau::existante();
  p->Timer3->Interval(300);
  menu->mdiArea->subWindowList()[0]->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(plateau::existante(), nullptr);
  EXPECT_TRUE(menu->mdiArea->subWindowList().isEmpty());
  EXPECT_TRUE(menu->menu_nouvelle->isEnabled());
}

TEST_F(AvecMenu, SurUnGrandEcranLaFenetreDeJeuTientDansLaZoneDuMenu) {
  plateau::hauteur_ecran_essai = 666;  // design height
  ASSERT_NE(charge_plateau(), nullptr);
  const int dessin = plateau::existante()->height();
  const int liste = plateau::existante()->List2->height();
  fenetres::decharge<plateau>();
  menu->resize(1000, 900);
  menu->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  plateau::hauteur_ecran_essai = 1080;  // 16200 twips: 1000 pixels wanted
  ASSERT_NE(affiche_plateau(), nullptr);
  p = plateau::existante();
  const int zone = menu->mdiArea->viewport()->height();
  EXPECT_LT(p->height(), 1000);
  EXPECT_GT(p->height(), dessin);
  EXPECT_LE(menu->mdiArea->subWindowList()[0]->geometry().bottom(), zone) << "the whole sub-window is in the area";
  EXPECT_EQ(p->List2->height(), liste + p->height() - dessin) << "the game list takes the extra height";
}

// Every item's state follows the events, whoever caused them.
TEST_F(AvecMenu, LesItemsSuiventChaqueEvenement) {
  // The items checked, in this order; a row gives '1' for enabled, '0' for disabled.
  const std::vector<std::pair<const char*, QAction*>> items = {
      {"menu_nouvelle", menu->menu_nouvelle},
      {"menu_abandon", menu->menu_abandon},
      {"menu_propose_nul", menu->menu_propose_nul},
      {"menu_modif_coup", menu->menu_modif_coup},
      {"menu_copie_position(1)", menu->menu_copie_position[1]},
      {"menu_mode", menu->menu_mode->menuAction()},
      {"menu_moteur", menu->menu_moteur},
      {"menu_sauve", menu->menu_sauve},  // a game on the board, the machine idle
      {"menu_charge_fichier", menu->menu_charge_fichier},  // the load form: whenever the machine is idle
      {"mode_reseau", menu->mode_reseau},
      {"mode_corres", menu->mode_corres},
      {"menu_voir_ouvertures", menu->menu_voir_ouvertures},
      {"menu_coller_position", menu->menu_coller_position},  // a game on the board, not a network one
  };
  auto nouvelle = [this](int mode) {
    return [this, mode] {
      fenetres::decharge<plateau>();
      mode_jeux = mode;
      menu->change_mode();
      menu->menu_nouvelle->trigger();
      p = plateau::existante();
    };
  };
  std::unique_ptr<GardeMachine> recherche;
  struct Cas {
    const char* evenement;
    std::function<void()> fait;
    const char* attendu;
  };
  const std::vector<Cas> cas = {
      {"start", [] {}, "1000011011100"},
      {"new game against the machine", nouvelle(1), "0111100111101"},
      {"new game, two players", nouvelle(2), "0111100111101"},
      {"new game, machine against machine", nouvelle(4), "0111100111101"},
      {"game end",
       [this] {
         // White's flag falls.
         p->Timer4->Interval(0);
         p->regle_horloge(true, 1);
         plateforme::BoitesEnTest::repond(boite::OK);
         ASSERT_TRUE(p->Timer1->tick());
       },
       "0001100111101"},
      {"window closed", [] { fenetres::decharge<plateau>(); }, "1000011011100"},
      {"new game again", nouvelle(2), "0111100111101"},
      {"search started", [&] { recherche = std::make_unique<GardeMachine>(); }, "0110000001100"},
      {"search ended", [&] { recherche.reset(); }, "0111100111101"},
      {"opening lines to show without an opening base",
       [] {
         db_eco.ferme();
         liens_ouvertures().charge_liste_coup = []() -> ListeOuvertures* { return nullptr; };
         definit_ouvertures_a_montrer(true);
       },
       "0111100111101"},
      {"a network game's board before its game runs",
       [this] {
         fenetres::decharge<plateau>();
         mode_jeux = 3;
         menu->change_mode();
         p = affiche_plateau();
       },
       "0100100101100"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.evenement);
    c.fait();
    QString etats;
    for (const auto& [nom, a] : items) etats += a->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    EXPECT_EQ(etats, QString::fromLatin1(c.attendu));
  }
  liens_ouvertures().charge_liste_coup = nullptr;
  definit_ouvertures_a_montrer(false);
}
