// The recent game files: the per-user list and the file menu's items.
#include <QAction>
#include <QFile>

#include "app/commandes.h"
#include "app/fichiers_recents.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "localisation/textes_langue.h"
#include "platform/reglages_utilisateur.h"
#include "tests/app/aide_app.h"

namespace {

class FichiersRecents : public TestApp {
 protected:
  QString stocke(int i) {
    return plateforme::lit_reglage("Morvandel", "Recent Files", "RecentFile" + QString::number(i));
  }
  void demarre_avec_base() {
    cree_base_eco();
    ecrit_ini({"AFF_NOUVELLE=0"});
    ASSERT_TRUE(demarre());
  }
};

}  // namespace

TEST_F(FichiersRecents, ElevenPathsKeepTheTenNewestNewestFirst) {
  for (int i = 1; i <= 11; ++i) ajoute_fichier_recent("/parties/" + QString::number(i) + ".pgn");
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(stocke(i), "/parties/" + QString::number(12 - i) + ".pgn") << i;
  EXPECT_TRUE(stocke(11).isEmpty());
  EXPECT_EQ(fichiers_recents().size(), 10);
  EXPECT_EQ(fichiers_recents().first(), "/parties/11.pgn");
  EXPECT_EQ(fichiers_recents().last(), "/parties/2.pgn");
  // The store lives in the test's folder, not in the user's configuration.
  EXPECT_TRUE(plateforme::fichier_reglages("Morvandel").startsWith(dossier()));
}

TEST_F(FichiersRecents, OnlyTheFirstEntryIsComparedForDuplicates) {
  ajoute_fichier_recent("/a.pgn");
  ajoute_fichier_recent("/b.pgn");
  ajoute_fichier_recent("/b.pgn");  // already first: nothing written
  EXPECT_EQ(fichiers_recents(), QStringList({"/b.pgn", "/a.pgn"}));
  ajoute_fichier_recent("/B.pgn");  // case counts
  ajoute_fichier_recent("/a.pgn");  // deeper in the list: pushed again
  EXPECT_EQ(fichiers_recents(), QStringList({"/a.pgn", "/B.pgn", "/b.pgn", "/a.pgn"}));
}

TEST_F(FichiersRecents, AnEmptyStoreShowsNoSeparatorAndNoItem) {
  demarre_avec_base();
  for (QAction* a : menu().mnuRecentFile) EXPECT_FALSE(a->isVisible());
}

TEST_F(FichiersRecents, StartUpBuildsNumberedItemsThatKeepAnAmpersandOfThePath) {
  ajoute_fichier_recent("/parties/Tom & Jerry.pgn");
  ajoute_fichier_recent("/parties/b.pgn");
  demarre_avec_base();
  EXPECT_TRUE(menu().mnuRecentFile[0]->isVisible());
  EXPECT_EQ(menu().mnuRecentFile[1]->text(), "&1 /parties/b.pgn");
  EXPECT_EQ(menu().mnuRecentFile[2]->text(), "&2 /parties/Tom && Jerry.pgn");
  EXPECT_EQ(menu().mnuRecentFile[2]->data().toString(), "/parties/Tom & Jerry.pgn");
  EXPECT_FALSE(menu().mnuRecentFile[3]->isVisible());

  // Opening a file during the run does not change the menu.
  ajoute_fichier_recent("/parties/c.pgn");
  EXPECT_EQ(menu().mnuRecentFile[1]->text(), "&1 /parties/b.pgn");
  EXPECT_FALSE(menu().mnuRecentFile[3]->isVisible());
}

TEST_F(FichiersRecents, TheTenthItemOpensItsFileAndMovesItFirst) {
  QStringList chemins;
  for (int i = 1; i <= 10; ++i) {
    chemins << chemin("p" + QString::number(i) + "&.pgn");
    QFile(chemins.last()).open(QIODevice::WriteOnly);
    ajoute_fichier_recent(chemins.last());
  }
  QList<std::pair<int, QString>> chargements;
  commandes::charge_pgn = [&](int mode, const QString& c) { chargements.append({mode, c}); };
  demarre_avec_base();
  ASSERT_TRUE(menu().mnuRecentFile[10]->isVisible());
  ASSERT_TRUE(menu().mnuRecentFile[10]->isEnabled());
  menu().mnuRecentFile[10]->trigger();
  ASSERT_EQ(chargements.size(), 1);
  EXPECT_EQ(chargements[0], std::make_pair(1, chemins.first()));
  EXPECT_EQ(fichier_pgn, chemins.first());
  EXPECT_EQ(stocke(1), chemins.first());
}

TEST_F(FichiersRecents, ADeletedFileIsReportedAndStaysInMenuAndStore) {
  const QString pgn = chemin("efface.pgn");
  ajoute_fichier_recent(pgn);
  int chargements = 0;
  commandes::charge_pgn = [&](int, const QString&) { ++chargements; };
  demarre_avec_base();
  plateforme::BoitesEnTest::repond(boite::OK);
  menu().mnuRecentFile[1]->trigger();
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, "Le fichier est inconnu !");
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  EXPECT_EQ(chargements, 0);
  EXPECT_TRUE(menu().mnuRecentFile[1]->isVisible());
  EXPECT_EQ(stocke(1), pgn);
}

TEST_F(FichiersRecents, WithoutAGameFileLoaderTheItemsAreDisabled) {
  commandes::charge_pgn = nullptr;
  ajoute_fichier_recent("/x.pgn");
  demarre_avec_base();
  EXPECT_TRUE(menu().mnuRecentFile[1]->isVisible());
  EXPECT_FALSE(menu().mnuRecentFile[1]->isEnabled());
  EXPECT_FALSE(menu().menu_charge->isEnabled());
}
