// Start-up of the program: the settings file, the opening database, the
// marks, the first-start language dialog, the command line, the end of the run.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/commandes.h"
#include "platform/fenetres.h"
#include "app/fichiers_recents.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "chess/poids.h"
#include "chess/etat.h"
#include "langlib/langue.h"
#include "app/dialogue_langue.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "tests/app/aide_app.h"

namespace {

class Demarrage : public TestApp {
 protected:
  void SetUp() override {
    TestApp::SetUp();
    commandes::nouvelle_partie = [this] { ++nouvelles_parties; };
  }
  int nouvelles_parties = 0;
};

// Clicks a button of the language dialog once it shows (it is modal).
void clique_dans_dialogue_langue(int bouton) {
  auto* essai = new QTimer;
  essai->setInterval(10);
  QObject::connect(essai, &QTimer::timeout, [essai, bouton] {
    auto* d = qobject_cast<Language*>(QApplication::activeModalWidget());
    if (!d) return;
    essai->stop();
    essai->deleteLater();
    (bouton == 0 ? d->Command2 : d->Command1[bouton])->click();
  });
  essai->start();
}

}  // namespace

TEST_F(Demarrage, WithoutSettingsFileWritesOneAndStartsANewGame) {
  cree_base_eco();
  ASSERT_TRUE(demarre());
  const QStringList l = lignes_crlf(fichier_ini);
  EXPECT_EQ(l.size(), 84);
  EXPECT_TRUE(l.contains("FIRST_STARTUP=0"));
  EXPECT_TRUE(l.contains("AFF_NOUVELLE=1"));
  EXPECT_EQ(nouvelles_parties, 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues().isEmpty());
  // Marks from the no-file values: White, coordinates, sound, clock.
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_TRUE(menu().couleur_blanche->isChecked());
  EXPECT_FALSE(menu().couleur_noire->isChecked());
  EXPECT_TRUE(menu().affiche_repere->isChecked());
  EXPECT_TRUE(menu().menu_active_son->isChecked());
  EXPECT_TRUE(db_eco.ouverte());
  EXPECT_EQ(menu().windowTitle(), "Morvandel - Version 5.0.1 - " + texte(84) + " - " + texte(51));
}

TEST_F(Demarrage, AFileWithoutDebBlancMakesTheHumanPlayBlackAndStartsNoGame) {
  cree_base_eco();
  ecrit_ini({"[GENERAL]", "ACTIVE_SON=0", "ACTIVE_HORLOGE=0", "PROFONDEUR_MAX=2", "MODE_JEUX=3"});
  ASSERT_TRUE(demarre());
  EXPECT_EQ(couleur_joueur, NOIR);
  EXPECT_FALSE(menu().couleur_blanche->isChecked());
  EXPECT_TRUE(menu().couleur_noire->isChecked());
  EXPECT_FALSE(menu().affiche_repere->isChecked());
  EXPECT_FALSE(menu().menu_active_son->isChecked());
  EXPECT_FALSE(menu().menu_active_horloge->isChecked());
  EXPECT_EQ(nouvelles_parties, 0);  // AFF_NOUVELLE absent: 0
  EXPECT_TRUE(menu().menu_niv[2]->isChecked());
  EXPECT_FALSE(menu().menu_niv[0]->isChecked());
  EXPECT_TRUE(menu().mode_reseau->isChecked());
  EXPECT_FALSE(menu().mode_machine->isChecked());
  EXPECT_TRUE(menu().windowTitle().endsWith(texte(53)));
  // The file read is not rewritten.
  EXPECT_EQ(lignes_crlf(fichier_ini).size(), 5);
}

TEST_F(Demarrage, RelativePathsBecomeAbsoluteUnderTheProgramFolder) {
  cree_base_eco();
  // The copy a compaction killed part way left beside the base goes at the start.
  const QString reste = chemin("base/eco.db.compacte-0f8e2c4a-9b1d-4e7f-a3c5-6d2b8e9f1a07");
  ASSERT_TRUE(QFile::copy(chemin("base/eco.db"), reste));
  ecrit_ini({"BASE_ECO=base\\eco.db", "FILE_LOG=journal/partie.log", "BASE_CORRES=/srv/corres.db"});
  ASSERT_TRUE(demarre());
  EXPECT_FALSE(QFile::exists(reste));
  EXPECT_EQ(base_eco, QDir(dossier()).filePath("base/eco.db"));
  EXPECT_EQ(file_log, QDir(dossier()).filePath("journal/partie.log"));
  EXPECT_EQ(base_corres, "/srv/corres.db");
  sauve_parametres(fichier_ini);
  EXPECT_TRUE(lignes_crlf(fichier_ini).contains("BASE_ECO=" + QDir(dossier()).filePath("base/eco.db")));
}

TEST_F(Demarrage, AnUnknownKeyShowsTheFrenchSyntaxMessageAndEndsTheProgram) {
  cree_base_eco();
  ecrit_ini({"CLE_LANGUE=2", "MODE_JEUX = 3", "AFF_NOUVELLE=1"});
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_FALSE(demarre());
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  const plateforme::BoiteVue& v = plateforme::BoitesEnTest::vues()[0];
  EXPECT_EQ(v.texte, "Erreur de syntaxe dans le fichier " + fichier_ini + "\r\n -> (MODE_JEUX = 3) incorrecte !");
  EXPECT_EQ(v.style, boite::EXCLAMATION);
  EXPECT_EQ(v.titre, "Morvandel");
  EXPECT_EQ(nouvelles_parties, 0);
  EXPECT_FALSE(db_eco.ouverte());
}

TEST_F(Demarrage, ARefusedValueIsNamedAndStartUpGoesOn) {
  cree_base_eco();
  ecrit_ini({"PROFONDEUR_MAX=9", "AFF_NOUVELLE=1"});
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_TRUE(demarre());
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].texte.contains("PROFONDEUR_MAX=9"));
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].texte.contains(fichier_ini));
  EXPECT_EQ(profondeur_max[1], 0);
  EXPECT_EQ(nouvelles_parties, 1);
}

TEST_F(Demarrage, AMissingOpeningDatabaseStopsStartUpButKeepsTheWindow) {
  ecrit_ini({"FIRST_STARTUP=1", "AFF_NOUVELLE=1", "AFF_REPERE=1", "DEB_BLANC=1"});
  plateforme::BoitesEnTest::repond(boite::OK);
  const QString pgn = chemin("partie.pgn");
  QFile(pgn).open(QIODevice::WriteOnly);
  int chargements = 0;
  commandes::charge_pgn = [&](int, const QString&) { ++chargements; };
  EXPECT_TRUE(demarre(pgn));
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].texte.contains(QDir(dossier()).filePath("base/eco.db")));
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  // Later steps skipped: no marks of the options, no dialog, no game, no file.
  EXPECT_FALSE(menu().affiche_repere->isChecked());
  EXPECT_EQ(nouvelles_parties, 0);
  EXPECT_EQ(chargements, 0);
  EXPECT_FALSE(db_eco.ouverte());
  // The captions and the title of step 6 are there.
  EXPECT_EQ(menu().menu_fichier->title(), "&Fichier");
  EXPECT_TRUE(menu().windowTitle().startsWith("Morvandel - Version 5.0.1"));
}

TEST_F(Demarrage, ADamagedOpeningDatabaseIsReported) {
  QDir(dossier()).mkpath("base");
  ecrit_octets(chemin("base/eco.db"), QByteArray(4096, 'x'));
  ecrit_ini({"AFF_NOUVELLE=1"});
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_TRUE(demarre());
  EXPECT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(nouvelles_parties, 0);
  // The database file was not replaced by an empty one.
  EXPECT_EQ(QFileInfo(chemin("base/eco.db")).size(), 4096);
}

TEST_F(Demarrage, FirstStartShowsTheLanguageDialogAndStoresTheChoice) {
  cree_base_eco();
  ecrit_ini({"FIRST_STARTUP=1", "AFF_NOUVELLE=1", "CLE_LANGUE=1"});
  clique_dans_dialogue_langue(2);
  ASSERT_TRUE(demarre());
  EXPECT_EQ(cle_langue, 2);
  EXPECT_EQ(first_startup, 0);
  EXPECT_EQ(nouvelles_parties, 0);  // no new game after the dialog
  const QStringList l = lignes_crlf(fichier_ini);
  EXPECT_TRUE(l.contains("FIRST_STARTUP=0"));
  EXPECT_TRUE(l.contains("CLE_LANGUE=2"));
  EXPECT_EQ(menu().menu_fichier->title(), "&File");
  EXPECT_TRUE(menu().notation_pgn->isChecked());
  EXPECT_FALSE(menu().notation_francaise->isChecked());
  EXPECT_EQ(style_notation, 2);
  // The dialog is gone.
  EXPECT_EQ(menu().findChild<Language*>(), nullptr);
}

TEST_F(Demarrage, TheExitButtonOfTheLanguageDialogEndsTheProgramAndWritesNothing) {
  cree_base_eco();
  ecrit_ini({"FIRST_STARTUP=1", "CLE_LANGUE=1"});
  const QByteArray avant = octets(fichier_ini);
  clique_dans_dialogue_langue(0);
  EXPECT_FALSE(demarre());
  EXPECT_EQ(octets(fichier_ini), avant);
  EXPECT_EQ(nouvelles_parties, 0);
}

TEST_F(Demarrage, AGameFileOnTheCommandLineIsLoadedAndBecomesRecent) {
  cree_base_eco();
  ecrit_ini({"AFF_NOUVELLE=0"});
  const QString pgn = chemin("mes parties.pgn");
  QFile(pgn).open(QIODevice::WriteOnly);
  QList<std::pair<int, QString>> chargements;
  commandes::charge_pgn = [&](int mode, const QString& c) { chargements.append({mode, c}); };
  ASSERT_TRUE(demarre(pgn));
  ASSERT_EQ(chargements.size(), 1);
  EXPECT_EQ(chargements[0].first, 1);
  EXPECT_EQ(chargements[0].second, pgn);
  EXPECT_EQ(fichier_pgn, pgn);
  EXPECT_EQ(fichiers_recents(), QStringList({pgn}));
}

TEST_F(Demarrage, AMissingOrEmptyCommandLineDoesNothing) {
  cree_base_eco();
  ecrit_ini({"AFF_NOUVELLE=0"});
  int chargements = 0;
  commandes::charge_pgn = [&](int, const QString&) { ++chargements; };
  ASSERT_TRUE(demarre(chemin("absente.pgn")));
  fenetres::ferme_toutes();
  ASSERT_TRUE(demarre(QString()));
  EXPECT_EQ(chargements, 0);
  EXPECT_TRUE(fichiers_recents().isEmpty());
  EXPECT_TRUE(fichier_pgn.isEmpty());
}

TEST_F(Demarrage, TheEndOfTheRunLeavesOneEmptyElementInEachPerMoveArray) {
  historique_positions = {"a", "b", "c"};
  notes_coups = {1.0f, 2.0f};
  commentaires_coups = {"x", "y"};
  menu().MDIForm_Terminate();
  EXPECT_EQ(historique_positions, std::vector<std::string>({""}));
  EXPECT_EQ(notes_coups, std::vector<float>({0.0f}));
  EXPECT_EQ(commentaires_coups, std::vector<std::string>({""}));
}
