// The comment window: appending lines, clearing, unloading, its layout and
// its opening button.
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "chess/etat.h"
#include "openings/comment.h"
#include "tests/openings/aide_ouvertures.h"

namespace {

class TestComment : public TestOuvertures {};

TEST_F(TestComment, ControlsCarryTheirNames) {
  comment* c = fenetre_comment();
  EXPECT_EQ(c->findChild<QPlainTextEdit*>("Text1"), c->Text1);
  EXPECT_EQ(c->findChild<QPlainTextEdit*>("calcul"), c->calcul);
  EXPECT_EQ(c->findChild<QPushButton*>("voir_coup"), c->voir_coup);
  EXPECT_EQ(c->findChild<QPushButton*>("Command1"), c->Command1);
  EXPECT_EQ(c->objectName(), "comment");
  EXPECT_EQ(fenetre_comment(), c) << "the window exists once";
}

TEST_F(TestComment, AppendsLinesOnlyWhileTheOptionIsTicked) {
  EXPECT_TRUE(ajoute_ligne_commentaire("- Les blancs jouent"));
  EXPECT_TRUE(ajoute_commentaire("- Echec !\r\n- Mat\r\n"));
  EXPECT_EQ(texte_commentaire(), "- Les blancs jouent\n- Echec !\n- Mat\n");
  QTextCursor curseur = fenetre_comment()->Text1->textCursor();
  EXPECT_TRUE(curseur.atEnd());

  coche = false;
  EXPECT_FALSE(ajoute_ligne_commentaire("perdu"));
  EXPECT_EQ(texte_commentaire(), "- Les blancs jouent\n- Echec !\n- Mat\n");
}

TEST_F(TestComment, NothingIsLoadedWhileTheOptionIsOff) {
  coche = false;
  ajoute_ligne_commentaire("rien");
  prefixe_calcul("...e4");
  EXPECT_EQ(fenetre_comment_chargee(), nullptr);
}

TEST_F(TestComment, ClearButtonEmptiesTheCommentary) {
  ajoute_ligne_commentaire("une ligne");
  comment* c = fenetre_comment();
  c->calcul->setPlainText("...e4(1)");
  QTest::mouseClick(c->Command1, Qt::LeftButton);
  EXPECT_EQ(c->Text1->toPlainText(), "");
  EXPECT_EQ(c->calcul->toPlainText(), "...e4(1)") << "the clear button leaves calcul alone";
}

TEST_F(TestComment, ClosingUnticksTheOptionAndReopeningStartsEmpty) {
  ajoute_ligne_commentaire("avant");
  comment* c = fenetre_comment();
  c->show();
  c->close();
  EXPECT_FALSE(coche);
  EXPECT_EQ(decoches, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetre_comment_chargee(), nullptr);

  coche = true;
  comment* nouvelle = fenetre_comment();
  EXPECT_EQ(nouvelle->Text1->toPlainText(), "");

  decharge_comment();
  EXPECT_EQ(decoches, 2);
  EXPECT_EQ(fenetre_comment_chargee(), nullptr);
}

TEST_F(TestComment, CandidateMovesGoInFrontAndAreEmptiedBeforeEachMove) {
  prefixe_calcul("...e4(1)");
  prefixe_calcul("...d4(2)");
  EXPECT_EQ(fenetre_comment()->calcul->toPlainText(), "...d4(2)...e4(1)");
  vide_calcul();
  EXPECT_EQ(fenetre_comment()->calcul->toPlainText(), "");
}

TEST_F(TestComment, LoadHeightFollowsTallScreens) {
  EXPECT_EQ(comment::hauteur_au_chargement(1080, 420), 1000);
  EXPECT_EQ(comment::hauteur_au_chargement(668, 420), 588);
  EXPECT_EQ(comment::hauteur_au_chargement(667, 420), 420);
}

TEST_F(TestComment, ShrinkingTheWindowShortensTheTextAndMovesTheButtonsUp) {
  comment* c = fenetre_comment();
  c->resize(400, 600);
  c->show();
  QCoreApplication::processEvents();
  const int texte = c->Text1->height();
  const int y_voir = c->voir_coup->y(), y_effacer = c->Command1->y();
  const int x_voir = c->voir_coup->x();
  c->resize(400, 567);
  QCoreApplication::processEvents();
  EXPECT_EQ(c->Text1->height(), texte - 33);
  EXPECT_EQ(c->voir_coup->y(), y_voir - 33);
  EXPECT_EQ(c->Command1->y(), y_effacer - 33);
  EXPECT_EQ(c->voir_coup->x(), x_voir);
}

TEST_F(TestComment, OpeningButtonListsEveryLineWithNoMovePlayed) {
  cree_base({{"A00", "Amar", "1.Nh3 *"}, {"B00", "King's Pawn", "1.e4 *"}, {"A40", "Queen's Pawn", "1.d4 *"}});
  texte_partie.clear();
  QTest::mouseClick(fenetre_comment()->voir_coup, Qt::LeftButton);
  EXPECT_EQ(liste.nb_lignes(), 3);
  EXPECT_EQ(liste.titre_fenetre, "3 ouvertures - ");
  EXPECT_EQ(liste.montree, 1);
}

}  // namespace
