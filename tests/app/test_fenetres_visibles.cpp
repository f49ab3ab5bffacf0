// Windows as a player sees them in the main window's area: every control
// inside what can be seen, whatever the size of the main window and however
// the area is arranged.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "app/commandes.h"
#include "app/menu.h"
#include "openings/comment.h"
#include "play/nouvelle_partie.h"
#include "play/plateau.h"
#include "tests/app/aide_app.h"

namespace {

// The named controls of `fenetre` that lie outside `zone` (in the
// coordinates of `repere`).
QStringList hors_zone(QWidget* fenetre, QWidget* repere, const QRect& zone) {
  QStringList dehors;
  for (QWidget* w : fenetre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->objectName().isEmpty() || !w->isVisibleTo(fenetre)) continue;
    const QRect r(w->mapTo(repere, QPoint(0, 0)), w->size());
    if (!zone.contains(r)) dehors << w->objectName();
  }
  return dehors;
}

// The main window's size and the screen's height: on a screen taller than
// 10,000 twips the board window takes the height it offers.
struct Taille {
  QSize principale;
  int hauteur_ecran;
};

class FenetresVisibles : public TestApp, public ::testing::WithParamInterface<Taille> {
 protected:
  void SetUp() override {
    TestApp::SetUp();
    cree_base_eco();
    installe_images();
    ecrit_ini({"MODE_JEUX=2"});
    plateau::hauteur_ecran_essai = GetParam().hauteur_ecran;
    ASSERT_TRUE(demarre());
    menu().resize(GetParam().principale);
    menu().show();
    QCoreApplication::processEvents();
    ::menu_nouvelle_Click();
    QCoreApplication::processEvents();
    ASSERT_NE(plateau::existante(), nullptr);
    ASSERT_NE(fenetre_comment_chargee(), nullptr);
  }
  void TearDown() override {
    plateau::hauteur_ecran_essai = 0;
    TestApp::TearDown();
  }
  QWidget* vue() { return menu().mdiArea->viewport(); }
  QList<QWidget*> fenetres() { return {plateau::existante(), fenetre_comment_chargee()}; }
};

TEST_P(FenetresVisibles, ANewGameOpensEveryControlInsideTheArea) {
  for (QWidget* f : fenetres())
    EXPECT_EQ(hors_zone(f, vue(), vue()->rect()), QStringList()) << f->objectName().toStdString();
  EXPECT_FALSE(menu().mdiArea->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(menu().mdiArea->verticalScrollBar()->isVisible());
}

TEST_P(FenetresVisibles, AGameOpenedFromAFileOpensEveryControlInsideTheArea) {
  const QString chemin = dossier() + "/partie.pgn";
  ecrit_octets(chemin, "[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n1. e4 c5 2. Nf3 d6 *\n");
  plateforme::BoitesEnTest::repond(boite::OK);  // the game read, shown before it is replayed
  commandes::charge_pgn(0, chemin);
  QCoreApplication::processEvents();
  ASSERT_NE(plateau::existante(), nullptr);
  ASSERT_NE(fenetre_comment_chargee(), nullptr);
  for (QWidget* w : fenetres())
    EXPECT_EQ(hors_zone(w, vue(), vue()->rect()), QStringList()) << w->objectName().toStdString();
  EXPECT_FALSE(menu().mdiArea->horizontalScrollBar()->isVisible());
}

TEST_P(FenetresVisibles, CascadeAndTileLeaveEveryControlInItsWindow) {
  for (const char* commande : {"wa(0)", "wa(1)", "wa(2)"}) {
    menu().findChild<QAction*>(commande)->trigger();
    QCoreApplication::processEvents();
    for (QWidget* f : fenetres()) {
      auto* sous = qobject_cast<QMdiSubWindow*>(f->parentWidget());
      ASSERT_NE(sous, nullptr);
      const QRect contenu(f->mapTo(sous, QPoint(0, 0)), f->size());
      EXPECT_TRUE(sous->rect().contains(contenu)) << commande << " " << f->objectName().toStdString();
      EXPECT_EQ(hors_zone(f, f, f->rect()), QStringList()) << commande << " " << f->objectName().toStdString();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(TaillesDeLaFenetrePrincipale, FenetresVisibles,
                         ::testing::Values(Taille{QSize(1000, 720), 600}, Taille{QSize(1000, 720), 800},
                                           Taille{QSize(1000, 720), 1000}, Taille{QSize(1280, 800), 1000},
                                           // Narrower than the default: no room right of the board window.
                                           Taille{QSize(960, 720), 1000}));

}  // namespace
