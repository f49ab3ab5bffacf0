// The machine thinks in the real board window while the main window's
// commands arrive through the event loop: what must wait for the search stops
// it or waits, what changes neither the board nor starts a search runs, what
// would change the board stays off. And the window's observer, which lets
// events run and shows the search, changes none of the machine's choices.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QTextStream>
#include <functional>
#include <string>
#include <vector>

#include "app/menu.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/evenements.h"
#include "platform/fenetres.h"
#include "platform/minuterie.h"
#include "play/machine.h"
#include "play/observateur_plateau.h"
#include "play/parametres.h"
#include "tests/play/aide_machine.h"

namespace {

class MachineEtMenu : public TestMachine {
 protected:
  void SetUp() override {
    TestMachine::SetUp();
    menu = &fenetres::instance<Menu>();
    mode_jeux = 4;
    profondeur_max[1] = 1;
    ouverture_defaut[1].clear();
  }
  void TearDown() override {
    TestMachine::TearDown();
    fenetres::ferme_toutes();
  }
  // Runs what was deferred (deleteLater) as the event loop would.
  static void supprime_differees() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  QPointer<Menu> menu;
};

// Posts `a`'s trigger: it runs at the search's next yield, as a click would.
void poste(QAction* a) { QMetaObject::invokeMethod(a, &QAction::trigger, Qt::QueuedConnection); }

TEST_F(MachineEtMenu, LesCommandesPendantLaRecherche) {
  struct Cas {
    const char* nom;
    std::function<void()> commande;        // posted at the first yield
    std::vector<boite::Reponse> reponses;           // the boxes it asks
    bool fenetre_reste;                             // the board window after the move
    int lignes;                                     // lines of the move list
    std::function<void()> verifie;          // what else follows
  };
  const std::vector<Cas> cas = {
      {"resignation: the search stops, the board closes without the move",
       [this] { poste(menu->menu_abandon); }, {boite::OUI}, false, 0,
       [] { EXPECT_EQ(resultat_partie, "*"); }},
      {"resignation answered No: the move is played",
       [this] { poste(menu->menu_abandon); }, {boite::NON}, true, 1, nullptr},
      {"draw offer: refused once the search is over, then the move",
       [this] { poste(menu->menu_propose_nul); }, {boite::OK}, true, 1,
       [] {
         ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
         EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].startsWith(texte(335)));
         EXPECT_EQ(resultat_partie, "*");
       }},
      {"level: taken for the next search, this one keeps its depth",
       [this] { poste(menu->menu_niv[2]); }, {}, true, 1,
       [this] {
         EXPECT_EQ(profondeur_max[1], 2);
         EXPECT_TRUE(menu->menu_niv[2]->isChecked());
         EXPECT_LT(nb_positions_evaluees, 2000) << "a level-1 search";
       }},
      {"new game: refused", [this] { poste(menu->menu_nouvelle); }, {}, true, 1, nullptr},
      {"closing the board window: no window, no move",
       [this] { QMetaObject::invokeMethod(p, &QWidget::close, Qt::QueuedConnection); }, {}, false,
       0, nullptr},
      {"quitting: the program ends without the move",
       [this] { poste(menu->menu_quitter); }, {}, false, 0,
       [this] {
         EXPECT_TRUE(menu.isNull()) << "the main window is unloaded";
       }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    fenetres::decharge<plateau>();
    if (!menu) menu = &fenetres::instance<Menu>();
    reinitialise_etat_jeu();
    profondeur_max[1] = 1;
    plateforme::BoitesEnTest::efface();
    ouvre();
    const QPointer<plateau> fenetre = p;
    const std::string avant = montree();
    bool poste_fait = false;
    QString pendant;
    pendant_recherche() = [&] {
      if (poste_fait) return;
      poste_fait = true;
      // Resign and draw offer on, what would change the board or start a
      // search off.
      for (QAction* a : {menu->menu_abandon, menu->menu_propose_nul, menu->menu_nouvelle, menu->menu_coller_position,
                         menu->menu_position, menu->menu_modif_coup, menu->menu_charge})
        pendant += a->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
      for (boite::Reponse r : c.reponses) plateforme::BoitesEnTest::repond(r);
      c.commande();
    };
    ASSERT_TRUE(p->Timer4->tick());
    pendant_recherche() = nullptr;
    EXPECT_TRUE(poste_fait);
    EXPECT_EQ(pendant, QStringLiteral("1100000"));
    EXPECT_FALSE(machine_occupee());
    supprime_differees();
    EXPECT_EQ(!fenetre.isNull(), c.fenetre_reste);
    EXPECT_EQ(static_cast<int>(demi_coups(texte_partie).size()), c.lignes) << texte_partie;
    if (fenetre) {
      EXPECT_EQ(fenetre->List1->count(), c.lignes);
      if (c.lignes == 0) {
        EXPECT_EQ(montree(), avant);
      }
      EXPECT_EQ(montree(), tableau_courant());
    } else {
      EXPECT_EQ(plateau::existante(), nullptr);
      p = nullptr;
    }
    if (c.verifie) c.verifie();
  }
}

// The search shows its counters when events are due, and the last ones once
// it ends: with a yield never due, no event runs, yet the window shows the
// counters of the whole search.
TEST_F(MachineEtMenu, SansPassageDuLaFenetreMontreLaFinDeLaRecherche) {
  ouvre();
  p->panneau(2)->setText(QStringLiteral("x"));
  long passages = 0;
  pendant_recherche() = [&] { ++passages; };
  plateforme::PassagesEnTest::active(1000);
  const long avant = plateforme::nb_laisse_passer();
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(passages, 0);
  EXPECT_EQ(plateforme::nb_laisse_passer(), avant);
  ASSERT_EQ(lignes_liste().size(), 1);
  EXPECT_GT(p->panneau(2)->text().trimmed().toLong(), 0) << p->panneau(2)->text().toStdString();
  EXPECT_EQ(p->panneau(2)->text().trimmed().toLong(), nb_coups_testes);
  EXPECT_EQ(p->panneau(3)->text().trimmed().toLong(), nb_positions_evaluees);
  // With every yield due again, events run.
  plateforme::PassagesEnTest::active(0);
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_GT(passages, 0);
}

// The recorded choices of the engine alone (tests/chess/resultats_recherche.txt),
// levels 0 and 1 and the first level-2 rows, searched again with the board
// window's observer letting events run at every yield and showing the search.
TEST_F(MachineEtMenu, LesChoixAvecLObservateurSontCeuxDuMoteurSeul) {
  ouvre();
  QFile f(QStringLiteral(MVD_SOURCE_DIR "/tests/chess/resultats_recherche.txt"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
  QTextStream in(&f);
  long passages = 0;
  pendant_recherche() = [&] { ++passages; };
  int lus = 0, niveau_deux = 0;
  while (!in.atEnd()) {
    const QString ligne = in.readLine();
    if (ligne.startsWith('#') || ligne.isEmpty()) continue;
    const QStringList c = ligne.split('|');
    ASSERT_EQ(c.size(), 9) << ligne.toStdString();
    const int niveau = c[2].toInt();
    if (niveau > 2 || (niveau == 2 && ++niveau_deux > 6)) continue;
    SCOPED_TRACE(ligne.toStdString());
    reinitialise_etat_jeu();
    reinitialise_poids();
    couleur_joueur = c[1].toInt();
    const std::optional<PositionFen> pos = lit_fen(c[0].toStdString(), couleur_joueur);
    ASSERT_TRUE(pos.has_value());
    applique_position_fen(*pos);
    if (pos->dernier_trait == NOIR) ++numero_coup;
    profondeur_max[1] = niveau;
    alpha_beta[1] = c[3].toInt();
    reinitialise_recherche();
    int cs = 0, ls = 0, cd = 0, ld = 0;
    float note = 0;
    const std::string texte = rogne(choix_coup_machine(cs, ls, cd, ld, couleur_adverse(pos->dernier_trait), note, 1));
    EXPECT_EQ(texte, c[4].toStdString());
    EXPECT_EQ(note, c[6].toFloat());
    EXPECT_EQ(nb_coups_testes, c[7].toLong());
    EXPECT_EQ(nb_positions_evaluees, c[8].toLong());
    ++lus;
  }
  EXPECT_GT(lus, 400);
  EXPECT_GT(passages, lus) << "events ran during the searches";
}

}  // namespace
