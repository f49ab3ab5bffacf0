// The opening lines window: filled by the opening lookup, the next move of
// the line chosen, and that move played on the board through the game's one
// move path.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/liste_coup.h"
#include "play/machine.h"
#include "tests/play/aide_machine.h"

using plateforme::BoitesEnTest;

namespace {

class ListeCoup : public TestMachine {
 protected:
  void TearDown() override {
    fenetres::decharge<liste_coup>();
    TestMachine::TearDown();
  }
  // Opens the window on the game in hand, as the menu command does, and
  // selects the line `coups`.
  liste_coup& choisit(const QString& coups) {
    montre_ouvertures_possibles();
    liste_coup* l = fenetres::existante<liste_coup>();
    EXPECT_NE(l, nullptr);
    for (int i = 0; l && i < l->List1->topLevelItemCount(); ++i)
      if (l->List1->topLevelItem(i)->text(2) == coups) l->List1->setCurrentItem(l->List1->topLevelItem(i));
    return *l;
  }
  // Deferred unloads happen.
  static void laisse_decharger() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST(CoupSuivant, LeCoupQuiSuitLaPartieDansLaLigne) {
  struct Cas {
    const char* ligne;
    const char* partie;
    const char* attendu;
  } cas[] = {
      {"1.e4 e5 2.Nf3 *", "1.e4 e5", "2.Nf3"},
      {"1.e4 e5 2.Nf3 Nc6 *", "1.e4 e5 2.Nf3", "Nc6"},
      {"1.e4 e5 *", "", "1.e4"},
      {"1.e4 e5 *", "1.e4 e5", ""},
      {"1.e4 e5 2.Nf3 *", "1.e4 e", ""},     // not the game followed by a blank
      {"1.e4 e5 2.Nf3 *", "1.d4", ""},       // another game
      {"1.e4 e5 2.Nf3 *", "2.Nf3", ""},      // the game inside the line is no start
      {"1.e4 e5 1-0", "1.e4 e5", "1-0"},
      {"1.e4 e5*", "1.e4 e5", ""},
      {"1.e4 e5", "1.e4 e5", ""},
      {"1.e4 e5 ", "1.e4 e5", ""},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.ligne + std::string(" / ") + c.partie);
    EXPECT_EQ(liste_coup::coup_suivant(QString::fromLatin1(c.ligne), QString::fromLatin1(c.partie)),
              QString::fromLatin1(c.attendu));
  }
}

TEST_F(ListeCoup, LaFenetreMontreLesLignesQuiContinuentLaPartie) {
  cree_base_ouvertures({"1.e4 e5 *", "1.e4 e5 2.Nf3 *", "1.e4 e5 2.Nf3+ Nc6 *", "1.d4 *"});
  ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  liste_coup& l = choisit(QStringLiteral("1.e4 e5 2.Nf3+ Nc6 *"));
  EXPECT_EQ(l.windowTitle(), QStringLiteral("3") + texte(274) + QStringLiteral(" - 1.e4 e5"));
  EXPECT_EQ(l.Command1->text(), texte(211));
  EXPECT_EQ(l.Command3->text(), texte(280));
  EXPECT_EQ(l.List1->headerItem()->text(0), texte(126));
  EXPECT_EQ(l.List1->headerItem()->text(2), texte(128));
  EXPECT_EQ(l.Text2->text(), QStringLiteral("1.e4 e5 2.Nf3 Nc6 *"));
  EXPECT_EQ(l.Text1->text(), QStringLiteral("2.Nf3"));
  EXPECT_TRUE(l.Command3->isEnabled());
  // The line that the game covers offers nothing.
  choisit(QStringLiteral("1.e4 e5 *"));
  EXPECT_EQ(l.Text1->text(), QString());
  EXPECT_FALSE(l.Command3->isEnabled());
  // A game begun from a pasted position (a knight short) is continued by no
  // line of the base, nor named by one.
  fenetres::decharge<liste_coup>();
  colle_fen(QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1"));
  analyse_ouverture = 1;
  coup("e2", "e4");
  EXPECT_EQ(eco_courant, QStringLiteral("inconnu"));
  montre_ouvertures_possibles();
  EXPECT_EQ(fenetres::existante<liste_coup>(), nullptr);
  EXPECT_FALSE(ouvertures_a_montrer());
}

// A second "Ouvertures ?" while the window fills (its events let through) is
// ignored: each line is listed once, with no box.
TEST_F(ListeCoup, UnSecondClicPendantLeRemplissageEstIgnore) {
  cree_base_ouvertures({"1.e4 e5 *", "1.e4 e5 2.Nf3 *", "1.e4 e5 2.Nf3+ Nc6 *", "1.e4 c5 *"});
  ouvre();
  coup("e2", "e4");
  int relances = 0;
  QTimer::singleShot(0, [&relances] {
    ++relances;
    montre_ouvertures_possibles();
  });
  montre_ouvertures_possibles();
  liste_coup* l = fenetres::existante<liste_coup>();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(relances, 1) << "the second click came while the window filled";
  EXPECT_EQ(l->List1->topLevelItemCount(), 4);
  EXPECT_EQ(BoitesEnTest::textes(), QStringList());
  // Once filled, the command fills it again.
  montre_ouvertures_possibles();
  EXPECT_EQ(l->List1->topLevelItemCount(), 4);
}

// The move goes through the board's one path: the move list, both
// movetexts, the clocks switched; the window unloads.
TEST_F(ListeCoup, LeCoupEstJoueSurLePlateau) {
  cree_base_ouvertures({"1.e4 e5 2.Nf3 *"});
  plateau& w = ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  liste_coup& l = choisit(QStringLiteral("1.e4 e5 2.Nf3 *"));
  l.Command3->click();
  laisse_decharger();
  EXPECT_EQ(fenetres::existante<liste_coup>(), nullptr);
  EXPECT_EQ(texte_partie, "1.e4 e5 2.Nf3");
  EXPECT_EQ(numero_coup, 2);
  EXPECT_EQ(lignes_liste().size(), 3);
  EXPECT_EQ(tableau("f3"), controle("f3"));
  EXPECT_EQ(tableau("g1"), CASE_VIDE);
  EXPECT_EQ(historique_positions.size(), 4u);
  // Black's clock runs now.
  EXPECT_FALSE(w.Timer1->tick());
  EXPECT_TRUE(w.Timer2->tick());
}

TEST_F(ListeCoup, RoqueEtPriseEnPassantDansLesDeuxSens) {
  struct Cas {
    const char* ligne;
    std::vector<std::pair<const char*, const char*>> avant;
    std::vector<std::pair<const char*, int>> apres;  // square, code
  };
  const Cas cas[] = {
      {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O *",
       {{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}, {"f1", "c4"}, {"f8", "c5"}},
       {{"g1", ROI_BLANC}, {"f1", TOUR_BLANCHE}, {"h1", CASE_VIDE}, {"e1", CASE_VIDE}}},
      {"1.e4 a6 2.e5 d5 3.exd6e.p. *",
       {{"e2", "e4"}, {"a7", "a6"}, {"e4", "e5"}, {"d7", "d5"}},
       {{"d6", PION_BLANC}, {"d5", CASE_VIDE}, {"e5", CASE_VIDE}}},
  };
  for (int bas : {BLANC, NOIR}) {
    for (const Cas& c : cas) {
      SCOPED_TRACE(std::string(c.ligne) + (bas == BLANC ? " White below" : " Black below"));
      db_eco.ferme();
      QDir(dossier() + QStringLiteral("/base")).removeRecursively();
      cree_base_ouvertures({QString::fromLatin1(c.ligne)});
      fenetres::decharge<plateau>();
      couleur_joueur = bas;
      ouvre();
      for (const auto& [de, vers] : c.avant) coup(de, vers);
      liste_coup& l = choisit(QString::fromLatin1(c.ligne));
      ASSERT_TRUE(l.Command3->isEnabled());
      l.Command3->click();
      laisse_decharger();
      for (const auto& [nom, code] : c.apres) {
        EXPECT_EQ(tableau(nom), code) << nom;
        EXPECT_EQ(controle(nom), code) << nom;
      }
      EXPECT_EQ(texte_partie + " *", c.ligne);
    }
  }
}

TEST_F(ListeCoup, UnCoupIllegalEstRefuseSansRienChanger) {
  cree_base_ouvertures({"1.e4 e5 2.Ke3 *"});
  ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  liste_coup& l = choisit(QStringLiteral("1.e4 e5 2.Ke3 *"));
  BoitesEnTest::repond(boite::OK);
  l.Command3->click();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(143)});
  EXPECT_EQ(numero_coup, 1);
  EXPECT_EQ(texte_partie, "1.e4 e5");
  EXPECT_EQ(lignes_liste().size(), 2);
}

// A line that ends with a result ends the game with it, once.
TEST_F(ListeCoup, UnResultatTermineLaPartieUneFois) {
  cree_base_ouvertures({"1.e4 e5 1-0"});
  ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  liste_coup& l = choisit(QStringLiteral("1.e4 e5 1-0"));
  EXPECT_EQ(l.Text1->text(), QStringLiteral("1-0"));
  l.Command3->click();
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(lignes_liste().last(), QStringLiteral("1-0"));
  EXPECT_FALSE(l.Command3->isEnabled());
  l.Command3_Click();
  EXPECT_EQ(lignes_liste().size(), 3);
  // A game over offers no move.
  l.List1_Click();
  EXPECT_FALSE(l.Command3->isEnabled());
}

// Against the machine only the human's own moves are offered; in machine
// against machine none.
TEST_F(ListeCoup, LeBoutonSuitLeModeEtLaCouleur) {
  struct Cas {
    int mode, couleur;
    bool noir_offert;
  } cas[] = {{2, BLANC, true}, {2, NOIR, true}, {1, BLANC, false}, {1, NOIR, true}, {4, BLANC, false}};
  cree_base_ouvertures({"1.e4 e5 2.Nf3 *"});
  ouvre();
  coup("e2", "e4");
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.mode * 10 + c.couleur);
    mode_jeux = c.mode;
    couleur_joueur = c.couleur;
    liste_coup& l = choisit(QStringLiteral("1.e4 e5 2.Nf3 *"));
    EXPECT_EQ(l.Text1->text(), QStringLiteral("e5"));
    EXPECT_EQ(l.Command3->isEnabled(), c.noir_offert);
  }
}

// With no move played the first move of the line is offered, whatever the
// mode; without a board window nothing can be played.
TEST_F(ListeCoup, SansCoupJoueLePremierCoupEstOffert) {
  cree_base_ouvertures({"1.e4 e5 2.Nf3 *"});
  mode_jeux = 1;
  couleur_joueur = NOIR;
  ouvre();
  texte_partie.clear();
  liste_coup& l = choisit(QStringLiteral("1.e4 e5 2.Nf3 *"));
  EXPECT_EQ(l.Text1->text(), QStringLiteral("1.e4"));
  EXPECT_TRUE(l.Command3->isEnabled());
  // In a network game, only White's board plays it, once the game runs.
  mode_jeux = 3;
  for (const bool active : {true, false})
    for (const int couleur : {BLANC, NOIR}) {
      couleur_joueur = couleur;
      liens_jeu().partie_reseau_active = [active] { return active; };
      l.List1_Click();
      EXPECT_EQ(l.Command3->isEnabled(), active && couleur == BLANC) << active << couleur;
    }
  fenetres::decharge<plateau>();
  l.List1_Click();
  EXPECT_EQ(l.Text1->text(), QStringLiteral("1.e4"));
  EXPECT_FALSE(l.Command3->isEnabled());
}

}  // namespace
