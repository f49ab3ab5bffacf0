// Move-list navigation, timed replay and the "Go" button, with the timers
// ticked by the test.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "openings/comment.h"
#include "platform/evenements.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/navigation.h"
#include "tests/play/aide_machine.h"

namespace {

class Navigation : public TestMachine {
 protected:
  // A free game of four half-moves played by mouse.
  void quatre_coups() {
    ouvre();
    coup("e2", "e4");
    coup("e7", "e5");
    coup("g1", "f3");
    coup("b8", "c6");
    ASSERT_EQ(p->List1->count(), 4);
    ASSERT_EQ(historique_positions.size(), 5u);
  }
  void bouton(int i) { QTest::mouseClick(p->action[i], Qt::LeftButton); }
  int selection() const { return p->List1->currentRow(); }
  // The recorded position the board shows (control and tab_echiquier alike),
  // -1 when it shows none or they differ.
  int position() const {
    if (montree() != tableau_courant()) return -1;
    for (size_t k = 0; k < historique_positions.size(); ++k)
      if (historique_positions[k] == montree()) return static_cast<int>(k);
    return -1;
  }
};

}  // namespace

TEST_F(Navigation, LesBoutonsMontrentLaPositionDeLaLigneSelectionnee) {
  quatre_coups();
  EXPECT_EQ(selection(), 3);
  EXPECT_EQ(position(), 4);
  bouton(1);  // "<"
  EXPECT_EQ(position(), 3);
  EXPECT_EQ(selection(), 2);
  bouton(1);
  EXPECT_EQ(position(), 2);
  EXPECT_EQ(selection(), 1);
  bouton(1);
  EXPECT_EQ(position(), 1);
  EXPECT_EQ(selection(), 0);
  bouton(1);  // "<" on line 0: the start position, the selection stays
  EXPECT_EQ(position(), 0);
  EXPECT_EQ(selection(), 0);
  bouton(1);  // nothing before it
  EXPECT_EQ(position(), 0);
  EXPECT_EQ(selection(), 0);
  bouton(2);  // ">" from the start position: the first move, its line
  EXPECT_EQ(position(), 1);
  EXPECT_EQ(selection(), 0);
  bouton(2);
  EXPECT_EQ(position(), 2);
  EXPECT_EQ(selection(), 1);
  bouton(0);  // "<<": the start position
  EXPECT_EQ(position(), 0);
  EXPECT_EQ(selection(), 0);
  bouton(2);
  EXPECT_EQ(position(), 1);
  EXPECT_EQ(selection(), 0);
  bouton(2);
  EXPECT_EQ(position(), 2);
  EXPECT_EQ(selection(), 1);
  bouton(3);  // ">>"
  EXPECT_EQ(position(), 4);
  EXPECT_EQ(selection(), 3);
  bouton(2);  // ">" on the last line: the final position, the selection stays
  EXPECT_EQ(position(), 4);
  EXPECT_EQ(selection(), 3);
  // The board and the move list are untouched.
  EXPECT_EQ(p->List1->count(), 4);
  EXPECT_EQ(historique_positions.size(), 5u);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(numero_coup, 2);
}

TEST_F(Navigation, SansLigneSelectionneeSeulDernierCoupAgit) {
  quatre_coups();
  bouton(1);
  const int montree_avant = position();
  p->List1->setCurrentRow(-1);
  for (int i : {0, 1, 2}) {
    bouton(i);
    EXPECT_EQ(position(), montree_avant) << "button " << i;
    EXPECT_EQ(selection(), -1);
  }
  bouton(3);
  EXPECT_EQ(position(), 4);
  EXPECT_EQ(selection(), 3);
  // An empty list: nothing to show.
  fenetres::decharge<plateau>();
  ouvre();
  const std::string depart = montree();
  for (int i : {0, 1, 2, 3}) bouton(i);
  EXPECT_EQ(montree(), depart);
  EXPECT_EQ(selection(), -1);
}

TEST_F(Navigation, OnContinueLaPartieDepuisLaPositionMontree) {
  quatre_coups();
  bouton(0);  // the start position
  bouton(2);  // after 1.e4, White's line selected
  bouton(2);  // after 1...e5, Black's line: the opponent's for White
  ASSERT_EQ(selection(), 1);
  plateforme::BoitesEnTest::repond(boite::OUI);
  coup("d2", "d4");
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.e2-e4", "    ..... e7-e5", " 2.d2-d4"}));
  EXPECT_EQ(texte_partie, "1.e4 e5 2.d4");
  EXPECT_EQ(rejoue_et_compare(texte_partie), 3);
}

TEST_F(Navigation, UnePieceLeveeRevientAvantDeNaviguer) {
  quatre_coups();
  clic("d2");
  ASSERT_EQ(etat_clic, 1);
  bouton(1);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(position(), 3) << "the lifted pawn is back, the position shown is a recorded one";
}

TEST_F(Navigation, LeDoubleClicMontreLeCoupEtSonCommentaire) {
  quatre_coups();
  fenetre_comment();
  commentaires_coups = {"", "", "", "Le cavalier sort", ""};  // line 2 is element 3
  p->Echiquier->trace_cercle(4, 4, 255, 0.5f, 1, 2);
  QListWidgetItem* ligne = p->List1->item(2);
  p->List1->setCurrentItem(ligne);
  const QPoint centre = p->List1->visualItemRect(ligne).center();
  QTest::mouseClick(p->List1->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
  QTest::mouseDClick(p->List1->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_EQ(position(), 3);
  EXPECT_EQ(p->Echiquier->nb_traces(), 0) << "the drawings are erased";
  EXPECT_TRUE(texte_commentaire().endsWith("{Le cavalier sort}\n")) << texte_commentaire().toStdString();
  // A line without comment adds nothing.
  const QString avant = texte_commentaire();
  p->List1->setCurrentRow(1);
  List1_DblClick(*p);
  EXPECT_EQ(position(), 2);
  EXPECT_EQ(texte_commentaire(), avant);
}

TEST_F(Navigation, LeDefilementMontreChaqueCoupPuisSArrete) {
  delai_attente = 700;
  quatre_coups();
  p->List1->setCurrentRow(0);  // a single click: the board keeps the last position
  ASSERT_EQ(position(), 4);
  bouton(4);
  EXPECT_EQ(p->Timer3->Interval(), 700);
  EXPECT_EQ(p->action[4]->text(), "P");
  EXPECT_EQ(p->action[4]->toolTip(), QStringLiteral("Arrêter le défilement"));
  QList<int> vues;
  while (p->Timer3->tick()) {
    vues << position();
    EXPECT_EQ(selection() + 1, vues.last()) << "the line of the position shown is selected";
    ASSERT_LE(vues.size(), 10);
  }
  EXPECT_EQ(vues, (QList<int>{1, 2, 3, 4}));
  EXPECT_EQ(p->action[4]->text(), "Go");
  EXPECT_EQ(p->action[4]->toolTip(), QStringLiteral("Démarrer le défilement"));
}

TEST_F(Navigation, LeDefilementReprendDeLaLigneChoisieEtGoLArrete) {
  quatre_coups();
  bouton(0);
  bouton(4);
  ASSERT_TRUE(p->Timer3->tick());
  EXPECT_EQ(position(), 1) << "from the start position, the first move first";
  EXPECT_EQ(selection(), 0);
  ASSERT_TRUE(p->Timer3->tick());
  EXPECT_EQ(position(), 2);
  p->List1->setCurrentRow(2);  // the user picks another line meanwhile
  ASSERT_TRUE(p->Timer3->tick());
  EXPECT_EQ(position(), 3);
  EXPECT_EQ(selection(), 2);
  bouton(4);  // "P" stops it
  EXPECT_EQ(p->Timer3->Interval(), 0);
  EXPECT_EQ(p->action[4]->text(), "Go");
  EXPECT_FALSE(p->Timer3->tick());
  // A tick with no line selected does nothing (and the replay keeps running).
  bouton(4);
  p->List1->setCurrentRow(-1);
  ASSERT_TRUE(p->Timer3->tick());
  EXPECT_EQ(position(), 3);
  EXPECT_TRUE(p->Timer3->en_marche());
}

TEST_F(Navigation, GoArreteEtRelanceLeJeuAutomatique) {
  mode_jeux = 4;
  ouvre();
  ASSERT_TRUE(p->Timer4->en_marche());
  ASSERT_EQ(p->action[4]->toolTip(), QStringLiteral("Arrêter le calcul automatique"));
  bouton(4);
  EXPECT_FALSE(p->Timer4->en_marche());
  EXPECT_EQ(p->action[4]->text(), "Go");
  EXPECT_EQ(p->action[4]->toolTip(), QStringLiteral("Démarrer le mode automatique"));
  EXPECT_FALSE(p->Timer3->en_marche()) << "no replay in machine against machine";
  bouton(4);
  EXPECT_EQ(p->Timer4->Interval(), 100);
  EXPECT_EQ(p->action[4]->text(), "P");
  EXPECT_FALSE(p->Timer3->en_marche());
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(p->List1->count(), 1);
}

TEST_F(Navigation, LaMachineRejoueSurLaPositionDeLaPartie) {
  // Automatic play after looking at an earlier position goes on from the
  // game's own position.
  mode_jeux = 4;
  ouvre();
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(p->Timer4->tick());
  bouton(0);
  ASSERT_EQ(position(), 0);
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(p->List1->count(), 5);
  EXPECT_EQ(rejoue_et_compare(texte_partie), 5);
}

TEST_F(Navigation, LePremierBoutonMontreLaPositionDeDepartDeLaPartie) {
  struct Cas {
    const char* nom;
    QStringList pieces;  // a set-up of these pieces, White to move
    QString fen;         // else this position pasted, when not empty
    std::vector<std::pair<const char*, const char*>> coups;
  };
  const Cas cas[] = {
      {"a game from the start", {}, {}, {{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}}},
      {"a set-up game", {"Ke1", "ke8", "Ra1"}, {}, {{"a1", "a7"}, {"e8", "f8"}, {"a7", "b7"}}},
      {"a pasted game, Black first", {}, "4k3/8/8/8/8/8/8/R3K3 b Q - 0 30", {{"e8", "d8"}, {"a1", "a7"}}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ouvre();
    if (!c.pieces.isEmpty()) {
      ASSERT_TRUE(met_en_place(c.pieces, 20));
    }
    if (!c.fen.isEmpty()) colle_fen(c.fen);
    const std::string depart = montree();
    for (const auto& [de, vers] : c.coups) coup(de, vers);
    ASSERT_EQ(p->List1->count(), static_cast<int>(c.coups.size()));
    ASSERT_EQ(historique_positions.front(), depart);
    bouton(0);  // "<<"
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(montree(), depart);
    EXPECT_EQ(selection(), 0);
    bouton(2);
    bouton(1);  // "<" from line 0's move back to the start
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(montree(), depart);
    EXPECT_EQ(selection(), 0);
    bouton(3);  // ">>": the game's own position again
    EXPECT_EQ(position(), static_cast<int>(c.coups.size()));
    fenetres::decharge<plateau>();
  }
}
