// Captions by window name: the dispatch and the main window's table.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "langlib/langue.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "tests/common/aide_tests.h"

namespace {

class Libelles : public TestMorvandel {
 protected:
  Menu& menu() { return fenetres::instance<Menu>(); }
  QString libelle(const Libelle& l) {
    QObject* o = cible_libelle(&menu(), l);
    if (auto* a = qobject_cast<QAction*>(o)) return a->text();
    return QStringLiteral("<pas une action>");
  }
  // Every caption of the table equals the library's text at `base` + n.
  void verifie_table(int base) {
    for (const Libelle& l : *libelles_de("Menu"))
      EXPECT_EQ(libelle(l), objet_langue().affiche_texte(base + l.numero))
          << l.controle << "(" << l.indice << ") text " << l.numero;
  }
};

}  // namespace

TEST_F(Libelles, EveryTargetOfTheMainWindowTableIsOnTheRealWindow) {
  const std::vector<Libelle>* table = libelles_de("Menu");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->size(), 99u);
  for (const Libelle& l : *table) {
    QObject* o = cible_libelle(&menu(), l);
    ASSERT_NE(o, nullptr) << l.controle << "(" << l.indice << ")";
    const QString attendu =
        QString::fromLatin1(l.controle) + (l.indice >= 0 ? "(" + QString::number(l.indice) + ")" : QString());
    EXPECT_EQ(o->objectName(), attendu);
    EXPECT_NE(qobject_cast<QAction*>(o), nullptr) << l.controle;
  }
  // The separators and the recent files are not in the table.
  for (const Libelle& l : *table) EXPECT_STRNE(l.controle, "mnuRecentFile");
}

TEST_F(Libelles, TheMainWindowInFrench) {
  affiche_libelles(&menu());
  verifie_table(10);
  EXPECT_EQ(menu().menu_fichier->title(), "&Fichier");
  EXPECT_EQ(menu().choix_langue[8]->text(), "8- Polonais");
  EXPECT_EQ(menu().menu_imp->title(), "&Imprimer");
  EXPECT_EQ(menu().menu_pc_edition->title(), "&Imprimer");
  EXPECT_EQ(menu().menu_edition->title(), "&Imprimer");
  EXPECT_EQ(menu().menu_grille->text(), "&Grille de saisie rapide");
  EXPECT_EQ(menu().menu_pc_grille->text(), "&Grille de saisie rapide");
  EXPECT_EQ(menu().menu_enrichir[2]->text(), "&A partir d'un fichier PGN");
  EXPECT_EQ(menu().menu_copie_position[2]->text(), QString::fromUtf8("Copier au format &F.E.N."));
  EXPECT_EQ(menu().menu_edt_encours[0]->text(), QString::fromUtf8("Format &PGN simplifié"));
}

TEST_F(Libelles, TheMainWindowInEnglishThenBackInFrench) {
  cle_langue = 2;
  applique_langue();
  affiche_libelles(&menu());
  verifie_table(1010);
  EXPECT_EQ(menu().menu_fichier->title(), "&File");
  EXPECT_EQ(menu().choix_langue[8]->text(), "8- Polish");
  EXPECT_NE(menu().menu_quitter->text(), "&Quitter");
  cle_langue = 1;
  applique_langue();
  affiche_libelles(&menu());
  EXPECT_EQ(menu().menu_quitter->text(), "&Quitter");
}

TEST_F(Libelles, TheTitleIsNotACaptionOfTheTable) {
  menu().setWindowTitle("titre");
  affiche_libelles(&menu());
  EXPECT_EQ(menu().windowTitle(), "titre");
}

TEST_F(Libelles, WindowsWithoutATableAreLeftUnchanged) {
  QLabel langue_dialogue("avant");
  langue_dialogue.setObjectName("Language");
  langue_dialogue.setWindowTitle("titre");
  affiche_libelles(&langue_dialogue);
  EXPECT_EQ(langue_dialogue.text(), "avant");
  EXPECT_EQ(langue_dialogue.windowTitle(), "titre");
  EXPECT_EQ(libelles_de("Language"), nullptr);
  EXPECT_EQ(libelles_de("menu"), nullptr);  // names compare exactly
  // The main window was not touched either.
  EXPECT_TRUE(menu().menu_fichier->title().isEmpty());
}

TEST_F(Libelles, AWindowTitleIsSetAndAMissingControlDoesNotStopTheOthers) {
  // A stand-in for the chart window, its first button left out.
  QLabel fenetre("contenu");
  fenetre.setObjectName("stats");
  auto* reconstruit = new QPushButton(&fenetre);
  reconstruit->setObjectName("Command2");
  affiche_libelles(&fenetre);
  EXPECT_EQ(fenetre.windowTitle(), texte(300));
  EXPECT_EQ(fenetre.text(), "contenu");  // the window's own text is not its title
  EXPECT_EQ(reconstruit->text(), texte(301));
}
