// Every window of the program, opened as a user opens it, in each of the
// eight languages at the main window's default size: every control's text
// fits it, every control lies inside its window, every window inside the
// screen and a child window inside the main window's area.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMdiArea>
#include <QPixmap>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <tuple>

#include "app/a_propos.h"
#include "app/astuce.h"
#include "app/dialogue_langue.h"
#include "app/menu.h"
#include "app/nouvelle_version.h"
#include "app/parametre_moteur.h"
#include "app/preferences.h"
#include "localisation/textes_langue.h"
#include "correspondence/corres.h"
#include "correspondence/message.h"
#include "correspondence/prepare.h"
#include "correspondence/saisie_coup.h"
#include "gamefiles/charge.h"
#include "gamefiles/sauve.h"
#include "gamefiles/xml.h"
#include "network/connexion.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/grille_donnees.h"
#include "openings/liens_ouvertures.h"
#include "platform/fenetres.h"
#include "play/liste_coup.h"
#include "play/parametres.h"
#include "play/patience.h"
#include "play/plateau.h"
#include "play/prises.h"
#include "play/stats.h"
#include "tests/ecran/aide_ecran.h"

namespace {

// The manager with row `n` of its list selected, as a user opens it.
corres& manager_selectionne(int n = 0) {
  mode_saisie_corres = 2;
  montre_corres();
  corres& c = fenetres::instance<corres>();
  QTreeWidgetItem* ligne = c.List1->topLevelItem(n);
  c.List1->setCurrentItem(ligne);
  QTest::mouseClick(c.List1->viewport(), Qt::LeftButton, Qt::NoModifier, c.List1->visualItemRect(ligne).center());
  return c;
}

// The preferences opened on their tab `onglet`.
QWidget* preferences_a_l_onglet(int onglet) {
  menu_pref_Click();
  pref* p = fenetres::existante<pref>();
  if (p) p->SSTab1->setCurrentIndex(onglet);
  return p;
}

struct Fenetre {
  const char* nom;
  // Opens the window the way a user does; returns it.
  std::function<QWidget*(Menu&)> ouvre;
};

const Fenetre FENETRES[] = {
    {"Menu", [](Menu& m) -> QWidget* { return &m; }},
    {"plateau",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       return plateau::existante();
     }},
    {"comment",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       fenetres::montre_enfant(fenetre_comment());
       return fenetre_comment_chargee();
     }},
    {"liste_coup",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       montre_ouvertures_possibles();
       return fenetres::existante<liste_coup>();
     }},
    {"pref", [](Menu&) { return preferences_a_l_onglet(0); }},
    {"pref_impression", [](Menu&) { return preferences_a_l_onglet(1); }},
    {"pref_recherche", [](Menu&) { return preferences_a_l_onglet(2); }},
    {"pref_reseau", [](Menu&) { return preferences_a_l_onglet(3); }},
    {"pref_correspondance", [](Menu&) { return preferences_a_l_onglet(4); }},
    {"frmAbout",
     [](Menu& m) -> QWidget* {
       m.menu_a_propos_Click();
       return fenetres::existante<frmAbout>();
     }},
    {"frmTip",
     [](Menu& m) -> QWidget* {
       m.menu_astuce_Click();
       return fenetres::existante<frmTip>();
     }},
    {"release",
     [](Menu& m) -> QWidget* {
       m.menu_release_Click();
       return fenetres::existante<release>();
     }},
    {"charge",
     [](Menu&) -> QWidget* {
       affiche_charge();
       return fenetres::existante<charge>();
     }},
    {"sauve",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       affiche_sauve();
       return fenetres::existante<sauve>();
     }},
    {"xml",
     [](Menu&) -> QWidget* {
       affiche_xml();
       return fenetres::existante<xml>();
     }},
    {"prises",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       m.menu_chasse_Click();
       return prises::existante();
     }},
    {"stats",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       m.menu_stat_Click();
       return stats::existante();
     }},
    {"connexion",
     [](Menu&) -> QWidget* {
       montre_connexion();
       return fenetres::existante<connexion>();
     }},
    {"corres", [](Menu&) -> QWidget* { return &manager_selectionne(); }},
    {"saisie_coup",
     [](Menu&) -> QWidget* {
       manager_selectionne(1).Command6->click();
       return fenetres::existante<saisie_coup>();
     }},
    {"prepare",
     [](Menu&) -> QWidget* {
       manager_selectionne().Command7->click();
       return fenetres::existante<prepare>();
     }},
    {"frmDataGrid",
     [](Menu& m) -> QWidget* {
       m.menu_grille_Click();
       return fenetres::existante<frmDataGrid>();
     }},
    {"parametre",
     [](Menu&) -> QWidget* {
       menu_moteur_Click();
       return fenetres::existante<parametre>();
     }},
    // The progress window as the opening base's long jobs show it.
    {"patience",
     [](Menu&) -> QWidget* {
       FenetreProgression* f = progression_patience();
       f->montre(texte(274));
       f->definit_libelle(QStringLiteral("3807/6944 ") + texte(274));
       f->progression(55);
       return patience::existante();
     }},
    {"message",
     [](Menu& m) -> QWidget* {
       m.menu_nouvelle_Click();
       m.menu_pc_message_Click();
       return fenetres::existante<message>();
     }},
    // The first start's language dialog (fixed texts, the same in every language).
    {"Language",
     [](Menu& m) -> QWidget* {
       auto* d = new Language(&m);
       d->setAttribute(Qt::WA_DeleteOnClose);
       d->show();
       return d;
     }},
};

const char* const LANGUES[] = {"", "fr", "en", "it", "es", "de", "pt", "ru", "pl"};

class FenetresEntieres : public TestEcran, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(FenetresEntieres, EveryControlReadableAndEveryWindowOnTheScreen) {
  const auto [n, cle] = GetParam();
  demarre_en(cle);
  QWidget* fenetre = FENETRES[n].ouvre(menu());
  ASSERT_NE(fenetre, nullptr) << FENETRES[n].nom;
  laisse_faire();
  ASSERT_TRUE(fenetre->isVisible());
  // MVD_CAPTURES=folder keeps a picture of each window, to look at.
  if (const QString captures = qEnvironmentVariable("MVD_CAPTURES"); !captures.isEmpty())
    fenetre->window()->grab().save(QStringLiteral("%1/%2_%3.png").arg(captures, FENETRES[n].nom, LANGUES[cle]));
  EXPECT_EQ(defauts_fenetre(fenetre).join(QLatin1Char('\n')).toStdString(), "") << FENETRES[n].nom << " in " << LANGUES[cle];
}

class FenetresFermees : public TestEcran {};

// "Fermer" closes the data grid and its frame: no empty window stays behind.
TEST_F(FenetresFermees, TheGridsCloseButtonLeavesNoEmptyFrame) {
  demarre_en(1);
  menu().menu_grille_Click();
  frmDataGrid* grille = fenetres::existante<frmDataGrid>();
  ASSERT_NE(grille, nullptr);
  ASSERT_EQ(menu().mdiArea->subWindowList().size(), 1);
  grille->cmdClose->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  laisse_faire();
  EXPECT_EQ(fenetres::existante<frmDataGrid>(), nullptr);
  EXPECT_EQ(menu().mdiArea->subWindowList().size(), 0);
}

INSTANTIATE_TEST_SUITE_P(ParFenetreEtLangue, FenetresEntieres,
                         ::testing::Combine(::testing::Range(0, int(std::size(FENETRES))), ::testing::Range(1, 9)),
                         [](const auto& info) {
                           return std::string(FENETRES[std::get<0>(info.param)].nom) + "_" +
                                  LANGUES[std::get<1>(info.param)];
                         });

}  // namespace
