// The main window's menus: initial states, toggles, choices with their marks
// and the title, and the commands of the window itself.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QDir>

#include "app/commandes.h"
#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "chess/poids.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/grille_donnees.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/schemas_bases.h"
#include "openings/liens_ouvertures.h"
#include "play/prises.h"
#include "play/stats.h"
#include "platform/dialogues_fichiers.h"
#include "platform/lancement.h"
#include "platform/reglages_utilisateur.h"
#include "tests/app/aide_app.h"

namespace {

class MenuPrincipal : public TestApp {
 protected:
  void SetUp() override {
    TestApp::SetUp();
    cree_base_eco();
    ecrit_ini({"DEB_BLANC=1", "AFF_REPERE=1"});
    ASSERT_TRUE(demarre());
  }
  QAction* element(const QString& nom) {
    QAction* a = menu().findChild<QAction*>(nom);
    EXPECT_NE(a, nullptr) << nom.toStdString();
    return a;
  }
};

}  // namespace

TEST_F(MenuPrincipal, ItemsStartWithTheirMarksStatesAndShortcuts) {
  // A fresh window, before start-up touches anything.
  Menu neuve;
  auto a = [&](const char* nom) { return neuve.findChild<QAction*>(nom); };
  for (const char* nom : {"mode_machine", "couleur_blanche", "notation_francaise", "analyser_ouverture",
                          "menu_active_son", "menu_active_horloge", "affiche_commentaire", "choix_langue(1)"})
    EXPECT_TRUE(a(nom)->isChecked()) << nom;
  for (const char* nom : {"mode_libre", "couleur_noire", "notation_pgn", "affiche_repere", "choix_langue(2)",
                          "menu_niv(0)"})
    EXPECT_FALSE(a(nom)->isChecked()) << nom;
  for (const char* nom : {"menu_part_pc", "menu_sauve", "menu_copie_position(1)", "menu_copie_position(2)",
                          "menu_coller_position", "menu_envoi_position", "menu_voir_ouvertures", "menu_modif_coup",
                          "menu_chasse", "menu_propose_nul", "menu_abandon", "menu_edt_pc",
                          "notation_internationale"})
    EXPECT_FALSE(a(nom)->isEnabled()) << nom;
  for (const char* nom : {"menu_enrichir(0)", "menu_recherche", "mnuRecentFile(0)", "mnuRecentFile(1)",
                          "mnuRecentFile(10)"})
    EXPECT_FALSE(a(nom)->isVisible()) << nom;
  EXPECT_TRUE(a("mnuRecentFile(0)")->isSeparator());
  const std::pair<const char*, const char*> raccourcis[] = {
      {"menu_abrege", "Ctrl+A"},       {"menu_charge", "Ctrl+C"},         {"menu_enrichir(1)", "Ctrl+E"},
      {"menu_charge_fichier", "Ctrl+F"}, {"menu_stat", "Ctrl+G"},         {"menu_edt_encours(1)", "Ctrl+I"},
      {"menu_nouvelle", "Ctrl+N"},     {"menu_voir_ouvertures", "Ctrl+O"}, {"menu_pref", "Ctrl+P"},
      {"affiche_repere", "Ctrl+R"},    {"menu_sauve", "Ctrl+S"},          {"menu_chasse", "Ctrl+T"},
      {"menu_charge_xml", "Ctrl+U"},   {"menu_copie_position(1)", "Ctrl+Ins"},
      {"menu_coller_position", "Shift+Ins"}};
  for (const auto& [nom, touches] : raccourcis)
    EXPECT_EQ(a(nom)->shortcut().toString(), touches) << nom;
  // Commands of windows not built yet are there, disabled.
  for (const char* nom : {"menu_edt_encours(0)"})
    EXPECT_FALSE(a(nom)->isEnabled()) << nom;
  for (const char* nom : {"menu_pref", "menu_moteur", "menu_astuce", "menu_a_propos", "menu_release", "menu_trans(1)",
                          "menu_trans(2)", "menu_enrichir(1)", "menu_enrichir(2)", "menu_vider", "menu_reorg",
                          "menu_repare"})
    EXPECT_TRUE(a(nom)->isEnabled()) << nom;
  // Top menus in order.
  QStringList barre;
  for (QAction* m : neuve.menuBar()->actions()) barre << m->objectName();
  EXPECT_EQ(barre, QStringList({"menu_fichier", "menu_partie", "menu_options", "menu_fenetre", "menu_aide"}));
}

TEST_F(MenuPrincipal, TheFileMenuHoldsItsItemsInOrder) {
  QStringList noms;
  for (QAction* a : menu().menu_fichier->actions())
    noms << (a->isSeparator() && a->objectName().isEmpty() ? "-" : a->objectName());
  EXPECT_EQ(noms, QStringList({"menu_astuce", "menu_pref", "-", "menu_con", "menu_part_pc", "mnuRecentFile(0)",
                               "mnuRecentFile(1)", "mnuRecentFile(2)", "mnuRecentFile(3)", "mnuRecentFile(4)",
                               "mnuRecentFile(5)", "mnuRecentFile(6)", "mnuRecentFile(7)", "mnuRecentFile(8)",
                               "mnuRecentFile(9)", "mnuRecentFile(10)", "-", "menu_quitter"}));
}

TEST_F(MenuPrincipal, TogglesFlipTheirSettingAndMarkAndWriteNoFile) {
  const QByteArray avant = octets(fichier_ini);
  const std::pair<const char*, int*> bascules[] = {{"menu_active_son", &active_son},
                                                   {"menu_active_horloge", &active_horloge},
                                                   {"affiche_repere", &aff_repere},
                                                   {"analyser_ouverture", &analyse_ouverture}};
  for (const auto& [nom, reglage] : bascules) {
    QAction* a = element(nom);
    const int depart = *reglage;
    ASSERT_EQ(a->isChecked(), depart != 0) << nom;
    a->trigger();
    EXPECT_EQ(*reglage, depart ? 0 : 1) << nom;
    EXPECT_EQ(a->isChecked(), depart == 0) << nom;
    a->trigger();
    EXPECT_EQ(*reglage, depart) << nom;
    EXPECT_EQ(a->isChecked(), depart != 0) << nom;
  }
  EXPECT_EQ(octets(fichier_ini), avant);
}

TEST_F(MenuPrincipal, ModesCheckOneItemSetTheCorrespondenceMenuAndTheTitle) {
  // Network and correspondence play are wired in; without the manager the
  // correspondence item is off.
  EXPECT_TRUE(element("mode_reseau")->isEnabled());
  EXPECT_TRUE(element("mode_corres")->isEnabled());
  commandes::montre_corres = nullptr;
  menu().actualise_commandes();
  EXPECT_FALSE(element("mode_corres")->isEnabled());
  menu().mode_reseau_Click();
  EXPECT_EQ(mode_jeux, 3);
  for (const char* nom : {"mode_machine", "mode_libre", "mode_auto", "mode_corres"})
    EXPECT_FALSE(element(nom)->isChecked()) << nom;
  EXPECT_TRUE(element("mode_reseau")->isChecked());
  EXPECT_FALSE(menu().menu_part_pc->menuAction()->isEnabled());
  EXPECT_TRUE(menu().windowTitle().endsWith(" - " + texte(53)));

  menu().mode_corres_Click();
  EXPECT_EQ(mode_jeux, 5);
  EXPECT_TRUE(menu().menu_part_pc->menuAction()->isEnabled());
  EXPECT_TRUE(menu().windowTitle().endsWith(texte(55)));

  // A mode outside 1..5 changes no mark and no menu state.
  mode_jeux = 0;
  menu().change_mode();
  EXPECT_TRUE(element("mode_corres")->isChecked());
  EXPECT_TRUE(menu().menu_part_pc->menuAction()->isEnabled());
  EXPECT_EQ(menu().windowTitle(), "Morvandel - Version 5.0.1 - " + texte(84));
}

TEST_F(MenuPrincipal, TitleNamesProgramVersionLevelAndModeInFrench) {
  element("menu_niv(2)")->trigger();
  element("mode_machine")->trigger();
  EXPECT_EQ(menu().windowTitle(),
            QString::fromUtf8("Morvandel - Version 5.0.1 - Niveau [Confirmé] - Partie - joueur contre la Machine "
                              "(Morvandel)"));
}

TEST_F(MenuPrincipal, LevelsChangeOnlyTheCurrentProfile) {
  element("menu_niv(3)")->trigger();
  EXPECT_EQ(profondeur_max[1], 3);
  for (int i = 0; i <= 3; ++i) EXPECT_EQ(menu().menu_niv[i]->isChecked(), i == 3);
  EXPECT_TRUE(menu().windowTitle().contains(texte(87)));
  profil_moteur = 2;
  element("menu_niv(1)")->trigger();
  EXPECT_EQ(profondeur_max[2], 1);
  EXPECT_EQ(profondeur_max[1], 3);
  EXPECT_TRUE(menu().windowTitle().contains(texte(85)));
}

TEST_F(MenuPrincipal, ALanguageChangesCaptionsMarksNotationAndTitleButWritesNoFile) {
  const QByteArray avant = octets(fichier_ini);
  element("notation_internationale")->setEnabled(true);
  element("notation_internationale")->trigger();
  ASSERT_EQ(style_notation, 0);
  element("choix_langue(2)")->trigger();
  EXPECT_EQ(cle_langue, 2);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(menu().choix_langue[i]->isChecked(), i == 2);
  EXPECT_EQ(menu().menu_fichier->title(), "&File");
  EXPECT_EQ(style_notation, 2);
  EXPECT_TRUE(menu().notation_pgn->isChecked());
  EXPECT_FALSE(menu().notation_internationale->isChecked());
  EXPECT_TRUE(menu().windowTitle().contains("Level [Beginner]"));
  element("choix_langue(1)")->trigger();
  EXPECT_EQ(menu().menu_fichier->title(), "&Fichier");
  EXPECT_TRUE(menu().notation_francaise->isChecked());
  EXPECT_EQ(style_notation, 1);
  EXPECT_EQ(octets(fichier_ini), avant);
}

TEST_F(MenuPrincipal, NotationItemsActOnlyWhenNotChecked) {
  element("notation_pgn")->trigger();
  EXPECT_EQ(style_notation, 2);
  EXPECT_TRUE(menu().notation_pgn->isChecked());
  EXPECT_FALSE(menu().notation_francaise->isChecked());
  // Clicking the checked item changes nothing, even a style set elsewhere.
  style_notation = 1;
  element("notation_pgn")->trigger();
  EXPECT_EQ(style_notation, 1);
  EXPECT_TRUE(menu().notation_pgn->isChecked());
  element("notation_francaise")->trigger();
  EXPECT_EQ(style_notation, 1);
  EXPECT_TRUE(menu().notation_francaise->isChecked());
  EXPECT_FALSE(menu().notation_pgn->isChecked());
}

TEST_F(MenuPrincipal, EachColourItemSwapsTheHumansColour) {
  ASSERT_EQ(couleur_joueur, BLANC);
  element("couleur_blanche")->trigger();  // checked: switches to Black
  EXPECT_EQ(couleur_joueur, NOIR);
  EXPECT_FALSE(menu().couleur_blanche->isChecked());
  EXPECT_TRUE(menu().couleur_noire->isChecked());
  element("couleur_blanche")->trigger();
  EXPECT_EQ(couleur_joueur, BLANC);
  element("couleur_noire")->trigger();
  EXPECT_EQ(couleur_joueur, NOIR);
  element("couleur_noire")->trigger();
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_TRUE(menu().couleur_blanche->isChecked());
  EXPECT_EQ(deb_blanc, 1);
}

TEST_F(MenuPrincipal, SavingTheOptionsWritesTheFileThenSaysSo) {
  element("mode_auto")->trigger();
  plateforme::BoitesEnTest::repond(boite::OK);
  element("menu_sauve_option")->trigger();
  EXPECT_TRUE(lignes_crlf(fichier_ini).contains("MODE_JEUX=4"));
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, texte(400));
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
}

TEST_F(MenuPrincipal, AFailedSaveOfTheOptionsShowsOnlyTheError) {
  fichier_ini = chemin("dossier/absent/morvandel.ini");
  plateforme::BoitesEnTest::repond(boite::OK);
  element("menu_sauve_option")->trigger();
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_NE(plateforme::BoitesEnTest::vues()[0].texte, texte(400));
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].texte.contains("absent"));
}

TEST_F(MenuPrincipal, TheLogViewerOpensAnExistingLogOrSaysItIsUnknown) {
  plateforme::BoitesEnTest::repond(boite::OK);
  element("affiche_log")->trigger();
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, QString::fromUtf8("Fichier LOG inconnu !"));
  EXPECT_TRUE(plateforme::LancementsEnTest::demandes().isEmpty());

  QFile(file_log).open(QIODevice::WriteOnly);
  element("affiche_log")->trigger();
  EXPECT_EQ(plateforme::LancementsEnTest::demandes(), QStringList({"fichier:" + file_log}));
}

TEST_F(MenuPrincipal, TheGameInHandIsShownInShortAndLongNotation) {
  entete_pgn = "[Event \"Test\"]\r\n";
  texte_partie = " 1.e4 e5";
  texte_partie_longue = " 1.e2-e4 e7-e5";
  resultat_partie = "*";
  plateforme::BoitesEnTest::repond(boite::OK);
  plateforme::BoitesEnTest::repond(boite::OK);
  element("menu_abrege")->trigger();
  element("menu_not_comp")->trigger();
  const auto& vues = plateforme::BoitesEnTest::vues();
  ASSERT_EQ(vues.size(), 2);
  EXPECT_EQ(vues[0].texte, "[Event \"Test\"]\r\n 1.e4 e5 *");
  EXPECT_EQ(vues[0].titre, QString::fromUtf8("Partie chargée - Notation abrégée (PGN)"));
  EXPECT_EQ(vues[0].style, boite::INFORMATION);
  EXPECT_EQ(vues[1].texte, "[Event \"Test\"]\r\n 1.e2-e4 e7-e5 *");
  EXPECT_EQ(vues[1].titre, texte(174));
}

TEST_F(MenuPrincipal, HelpOpensTheContentsOrTheIndex) {
  QDir(dossier()).mkpath("aide");
  QFile(fichier_aide).open(QIODevice::WriteOnly);
  element("menu_sommaire")->trigger();
  element("menu_aide_sur")->trigger();
  const QStringList d = plateforme::LancementsEnTest::demandes();
  ASSERT_EQ(d.size(), 2);
  EXPECT_EQ(d[0], "adresse:" + QUrl::fromLocalFile(fichier_aide).toString());
  EXPECT_EQ(d[1], "adresse:" + QUrl::fromLocalFile(fichier_aide).toString() + "#index");
}

TEST_F(MenuPrincipal, TheOpenCommandLoadsTheChosenFileOrNothingOnCancel) {
  QList<std::pair<int, QString>> chargements;
  commandes::charge_pgn = [&](int mode, const QString& c) { chargements.append({mode, c}); };
  menu().actualise_commandes();
  ASSERT_TRUE(element("menu_charge")->isEnabled());

  plateforme::DialoguesEnTest::repond(QString());  // cancel
  element("menu_charge")->trigger();
  EXPECT_TRUE(chargements.isEmpty());
  EXPECT_TRUE(plateforme::lit_reglage("Morvandel", "Recent Files", "RecentFile1").isEmpty());
  ASSERT_EQ(plateforme::DialoguesEnTest::vus().size(), 1);
  EXPECT_EQ(plateforme::DialoguesEnTest::vus()[0].titre, texte(214));
  EXPECT_EQ(plateforme::DialoguesEnTest::vus()[0].filtre, texte(215) + " PGN (*.pgn)|*.pgn");

  const QString pgn = chemin("a.pgn");
  plateforme::DialoguesEnTest::repond(pgn);
  element("menu_charge")->trigger();
  ASSERT_EQ(chargements.size(), 1);
  EXPECT_EQ(chargements[0], std::make_pair(0, pgn));
  EXPECT_EQ(plateforme::lit_reglage("Morvandel", "Recent Files", "RecentFile1"), pgn);
}

TEST_F(MenuPrincipal, InCorrespondenceModeTheOpenCommandShowsTheManagerAndNoFileBox) {
  int gestionnaire = 0;
  commandes::charge_pgn = [](int, const QString&) {};
  commandes::montre_corres = [&] { ++gestionnaire; };
  menu().actualise_commandes();
  menu().mode_corres_Click();
  element("menu_charge")->trigger();
  EXPECT_EQ(gestionnaire, 1);
  EXPECT_EQ(mode_saisie_corres, 2);
  EXPECT_TRUE(plateforme::DialoguesEnTest::vus().isEmpty());
}

TEST_F(MenuPrincipal, WithoutItsCommandTheNewGameItemIsDisabled) {
  EXPECT_TRUE(element("menu_nouvelle")->isEnabled()) << "the wiring plugs the new game in";
  commandes::nouvelle_partie = nullptr;
  menu().actualise_commandes();
  EXPECT_FALSE(element("menu_nouvelle")->isEnabled());
  int parties = 0;
  commandes::nouvelle_partie = [&] { ++parties; };
  menu().actualise_commandes();
  EXPECT_TRUE(element("menu_nouvelle")->isEnabled());
  element("menu_nouvelle")->trigger();
  EXPECT_EQ(parties, 1);
}

TEST_F(MenuPrincipal, WindowCommandsArrangeTheChildWindows) {
  QWidget* une = new QLabel("1");
  QWidget* deux = new QLabel("2");
  QMdiSubWindow* s1 = fenetres::montre_enfant(une);
  QMdiSubWindow* s2 = fenetres::montre_enfant(deux);
  ASSERT_NE(s1, nullptr);
  ASSERT_NE(s2, nullptr);
  menu().show();
  const QRect zone = menu().mdiArea->viewport()->rect();
  element("wa(2)")->trigger();  // side by side
  EXPECT_EQ(s1->geometry().top(), 0);
  EXPECT_EQ(s2->geometry().top(), 0);
  EXPECT_EQ(s1->height(), zone.height());
  EXPECT_EQ(s2->geometry().left(), s1->geometry().right() + 1);
  element("wa(1)")->trigger();  // one above the other
  EXPECT_EQ(s1->geometry().left(), 0);
  EXPECT_EQ(s2->geometry().left(), 0);
  EXPECT_EQ(s1->width(), zone.width());
  EXPECT_EQ(s2->geometry().top(), s1->geometry().bottom() + 1);
  element("wa(0)")->trigger();  // cascade: offset corners
  EXPECT_NE(s1->geometry().topLeft(), s2->geometry().topLeft());
}

TEST_F(MenuPrincipal, TheCommentItemShowsAndUnloadsTheCommentWindow) {
  QAction* a = element("affiche_commentaire");
  ASSERT_TRUE(a->isEnabled());
  ASSERT_TRUE(a->isChecked());
  a->trigger();  // checked: unloads
  EXPECT_FALSE(a->isChecked());
  EXPECT_EQ(fenetre_comment_chargee(), nullptr);
  EXPECT_FALSE(ajoute_ligne_commentaire("rien"));  // nothing appended while unticked
  a->trigger();  // shows it in the MDI area
  EXPECT_TRUE(a->isChecked());
  ASSERT_NE(fenetre_comment_chargee(), nullptr);
  ASSERT_EQ(menu().mdiArea->subWindowList().size(), 1);
  EXPECT_EQ(menu().mdiArea->subWindowList()[0]->widget(), fenetre_comment_chargee());
  EXPECT_TRUE(ajoute_ligne_commentaire("bonjour"));
  // Closing the window unticks the item.
  menu().mdiArea->subWindowList()[0]->close();
  EXPECT_FALSE(a->isChecked());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(MenuPrincipal, CapturedPiecesAndChartOpenOnceAsChildWindows) {
  EXPECT_FALSE(element("menu_chasse")->isEnabled());  // enabled while a game is on the board
  ASSERT_TRUE(element("menu_stat")->isEnabled());
  element("menu_stat")->trigger();
  element("menu_stat")->trigger();
  ASSERT_NE(stats::existante(), nullptr);
  menu().menu_chasse_Click();
  ASSERT_NE(prises::existante(), nullptr);
  const auto sous = menu().mdiArea->subWindowList();
  ASSERT_EQ(sous.size(), 2);
  EXPECT_EQ(sous[0]->widget(), stats::existante());
  EXPECT_EQ(sous[1]->widget(), prises::existante());
  sous[0]->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(stats::existante(), nullptr);
}

TEST_F(MenuPrincipal, QuittingHidesAndUnloadsTheWindowWithItsChildren) {
  QPointer<QWidget> enfant = new QLabel("x");
  fenetres::montre_enfant(enfant);
  historique_positions = {"a", "b"};
  menu().show();
  element("menu_quitter")->trigger();
  EXPECT_FALSE(menu().isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<Menu>(), nullptr);
  EXPECT_TRUE(enfant.isNull());
  EXPECT_EQ(historique_positions.size(), 1u);
}

TEST_F(MenuPrincipal, EachWindowOfTheRegistryExistsOnceUntilUnloaded) {
  QLabel& a = fenetres::instance<QLabel>();
  QLabel& b = fenetres::instance<QLabel>();
  EXPECT_EQ(&a, &b);
  EXPECT_EQ(fenetres::existante<QLabel>(), &a);
  fenetres::decharge<QLabel>();
  EXPECT_EQ(fenetres::existante<QLabel>(), nullptr);
  QLabel& c = fenetres::instance<QLabel>();
  fenetres::montre_enfant(&c);
  EXPECT_EQ(menu().mdiArea->subWindowList().size(), 1);
  fenetres::montre_enfant(&c);  // placed once
  EXPECT_EQ(menu().mdiArea->subWindowList().size(), 1);
  fenetres::decharge(&c);
  EXPECT_EQ(fenetres::existante<QLabel>(), nullptr);
  EXPECT_TRUE(menu().mdiArea->subWindowList().isEmpty());
}

namespace {

// The opening lines window as the main window's command reaches it.
class ListeRelevee : public ListeOuvertures {
 public:
  QStringList coups;
  QString titre_fenetre;
  int montree = 0;
  void vide_lignes() override { coups.clear(); }
  void ajoute_ligne(const QString&, const QString&, const QString&, const QString& c) override { coups << c; }
  int nb_lignes() const override { return static_cast<int>(coups.size()); }
  QString titre() const override { return titre_fenetre; }
  void definit_titre(const QString& t) override { titre_fenetre = t; }
  void montre() override { ++montree; }
};

}  // namespace

TEST_F(MenuPrincipal, TheOpeningsItemFollowsTheLookupAndListsTheLinesOfTheGame) {
  for (const char* ligne : {"1.e4 e5 *", "1.e4 c5 *", "1.d4 *"})
    db_eco.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), QStringLiteral("B00")},
                                          {QStringLiteral("Eco_libelle"), QStringLiteral("Ligne")},
                                          {QStringLiteral("Eco_coup"), QString::fromLatin1(ligne)},
                                          {QStringLiteral("Eco_connaissance"), 0}});
  QAction* voir = element("menu_voir_ouvertures");
  ASSERT_TRUE(element("affiche_commentaire")->isChecked());
  // Without the window of the opening lines the item goes off.
  liens_ouvertures().charge_liste_coup = nullptr;
  voir->setEnabled(true);
  cherche_ouverture(1, "1.e4");
  EXPECT_FALSE(voir->isEnabled());

  ListeRelevee liste;
  liens_ouvertures().charge_liste_coup = [&liste]() -> ListeOuvertures* { return &liste; };
  voir->setEnabled(true);
  cherche_ouverture(1, "1.h4");
  EXPECT_FALSE(voir->isEnabled()) << "no line begins with the moves";
  cherche_ouverture(1, "1.e4");
  EXPECT_TRUE(voir->isEnabled());
  // With the comment option off the item keeps its state.
  element("affiche_commentaire")->trigger();
  cherche_ouverture(1, "1.h4");
  EXPECT_TRUE(voir->isEnabled());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  texte_partie = "1.e4";
  voir->trigger();
  liens_ouvertures().charge_liste_coup = nullptr;
  EXPECT_EQ(liste.montree, 1);
  liste.coups.sort();
  EXPECT_EQ(liste.coups, QStringList({"1.e4 c5 *", "1.e4 e5 *"}));
  EXPECT_EQ(liste.titre_fenetre, "2" + texte(274) + " - 1.e4");
}

TEST_F(MenuPrincipal, TheChartsQuitButtonClosesItsFrameToo) {
  element("menu_stat")->trigger();
  ASSERT_NE(stats::existante(), nullptr);
  ASSERT_EQ(menu().mdiArea->subWindowList().size(), 1);
  QTest::mouseClick(stats::existante()->Command1, Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(stats::existante(), nullptr);
  EXPECT_TRUE(menu().mdiArea->subWindowList().isEmpty());
}

// The data grid opens on the table the command names, in the database file
// of its setting; the other command switches it to its own table.
TEST_F(MenuPrincipal, LesGrillesOuvrentLeurTable) {
  plateforme::BaseDonnees::cree(chemin(QStringLiteral("base/corres.db")), schemas::base_corres());
  base_corres = chemin(QStringLiteral("base/corres.db"));
  element("menu_grille")->trigger();
  frmDataGrid* g = fenetres::existante<frmDataGrid>();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->windowTitle(), QStringLiteral("ECO"));
  EXPECT_EQ(base_grille, base_eco);
  EXPECT_EQ(source_grille, QStringLiteral("ECO"));
  element("menu_pc_grille")->trigger();
  g = fenetres::existante<frmDataGrid>();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->windowTitle(), QStringLiteral("PARTIE"));
  EXPECT_EQ(g->base(), base_corres);
  // A file that cannot be read: its error, no grid left open.
  fenetres::decharge<frmDataGrid>();
  base_corres = chemin(QStringLiteral("base/absente.db"));
  plateforme::BoitesEnTest::repond(boite::OK);
  element("menu_pc_grille")->trigger();
  EXPECT_EQ(fenetres::existante<frmDataGrid>(), nullptr);
}
