// The captured-pieces window and the evaluation chart.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "play/boite_image.h"
#include "play/prises.h"
#include "play/rejoue.h"
#include "play/stats.h"
#include "tests/play/aide_commandes.h"

namespace {

class Fenetres : public TestCommandes {
 protected:
  void SetUp() override {
    TestCommandes::SetUp();
    installe_controles_jeu([this] { return controles_; });
    nouvelle_partie(BLANC);
    style_notation = 2;
  }
  void TearDown() override {
    delete prises::existante();
    delete stats::existante();
    installe_controles_jeu(nullptr);
    TestCommandes::TearDown();
  }
  void rejoue(const char* movetext) {
    texte_partie = movetext;
    rejoue_partie(controles_, couleur_joueur);
  }
  static std::vector<int> codes(const QList<QLabel*>& ligne) {
    std::vector<int> c;
    for (int i = 1; i < ligne.size(); ++i) c.push_back(ligne[i]->property("code").toInt());
    return c;
  }
};

}  // namespace

TEST_F(Fenetres, PrisesVidesAuDebut) {
  prises* p = ouvre_prises();
  EXPECT_EQ(p->objectName(), QStringLiteral("prises"));
  EXPECT_EQ(p->windowTitle(), texte(287));
  EXPECT_EQ(p->Frame1->title(), texte(288));
  EXPECT_EQ(p->Frame2->title(), texte(289));
  EXPECT_EQ(nb_prises_blanc, 0);
  EXPECT_EQ(nb_prises_noir, 0);
  EXPECT_EQ(p->prise_blanc.size(), 1);
  EXPECT_EQ(p->prise_noir.size(), 1);
  EXPECT_EQ(compte_blancs[0], 8);
  EXPECT_EQ(compte_noirs[4], 1);
}

TEST_F(Fenetres, UnCavalierEtUnPionPrisDansLesDeuxOrientations) {
  for (int couleur : {BLANC, NOIR}) {
    nouvelle_partie(couleur);
    rejoue("1.e4 Nf6 2.Nc3 Nxe4 3.Nxe4 ");
    delete prises::existante();
    prises* p = ouvre_prises();
    EXPECT_EQ(codes(p->prise_blanc), std::vector<int>{CAVALIER_NOIR}) << couleur;
    EXPECT_EQ(codes(p->prise_noir), std::vector<int>{PION_BLANC}) << couleur;
    ASSERT_EQ(p->prise_blanc.size(), 2);
    EXPECT_EQ(p->prise_blanc[1]->x(), p->prise_blanc[0]->x()) << "the first icon stands at the left";
    EXPECT_FALSE(p->prise_blanc[1]->pixmap().isNull());
    EXPECT_TRUE(p->prise_blanc[1]->isVisibleTo(p));
  }
}

TEST_F(Fenetres, UnePromotionNEstPasUnePrise) {
  // White's a-pawn became a second queen; nothing was taken.
  int c = 0, l = 0;
  ecran("a2", c, l);
  echiquier_->Piece(c, l, CASE_VIDE);
  ecran("a6", c, l);
  echiquier_->Piece(c, l, DAME_BLANCHE);
  prises* p = ouvre_prises();
  EXPECT_TRUE(codes(p->prise_noir).empty());
  // With a second pawn gone, one pawn was taken.
  delete p;
  ecran("b2", c, l);
  echiquier_->Piece(c, l, CASE_VIDE);
  p = ouvre_prises();
  EXPECT_EQ(codes(p->prise_noir), std::vector<int>{PION_BLANC});
}

TEST_F(Fenetres, QuinzePiecesPrisesTiennentDansLeCadre) {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 2; ++l)
      if (echiquier_->Piece(c, l) != ROI_NOIR) echiquier_->Piece(c, l, CASE_VIDE);
  prises* p = ouvre_prises();
  ASSERT_EQ(nb_prises_blanc, 15);
  EXPECT_EQ(codes(p->prise_blanc),
            (std::vector<int>{DAME_NOIRE, FOU_NOIR, FOU_NOIR, CAVALIER_NOIR, CAVALIER_NOIR, TOUR_NOIRE, TOUR_NOIRE,
                              PION_NOIR, PION_NOIR, PION_NOIR, PION_NOIR, PION_NOIR, PION_NOIR, PION_NOIR, PION_NOIR}));
  QLabel* derniere = p->prise_blanc.back();
  EXPECT_EQ(derniere->x() - p->prise_blanc[0]->x(), 14 * 40) << "8400 twips";
  EXPECT_TRUE(p->Frame1->rect().contains(derniere->geometry())) << "the last icon shows inside its frame";
  EXPECT_TRUE(p->rect().contains(p->Frame1->geometry()));
  EXPECT_EQ(nb_prises_noir, 0);
}

TEST_F(Fenetres, RouvrirSansFermerNeRecomptePas) {
  prises* p = ouvre_prises();
  rejoue("1.e4 d5 2.exd5 ");
  EXPECT_EQ(ouvre_prises(), p);
  EXPECT_TRUE(codes(p->prise_blanc).empty());
  p->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(prises::existante(), nullptr);
  p = ouvre_prises();
  EXPECT_EQ(codes(p->prise_blanc), std::vector<int>{PION_NOIR});
}

TEST_F(Fenetres, PrisesSansFenetreDeJeu) {
  installe_controles_jeu(nullptr);
  prises* p = ouvre_prises();
  EXPECT_EQ(p->prise_blanc.size(), 1);
  EXPECT_EQ(p->prise_noir.size(), 1);
}

// --- The chart -----------------------------------------------------------------

TEST_F(Fenetres, GraphiqueAvantLePremierCoup) {
  stats* s = ouvre_stats();
  EXPECT_EQ(s->objectName(), QStringLiteral("stats"));
  EXPECT_EQ(s->windowTitle(), texte(300));
  EXPECT_EQ(s->Command1->text(), texte(211));
  EXPECT_EQ(s->Command2->text(), texte(301));
  EXPECT_EQ(s->List2->columnCount(), 3);
  EXPECT_EQ(s->List2->headerItem()->text(1), QStringLiteral("Note"));
  EXPECT_EQ(s->List2->topLevelItemCount(), 0);
  EXPECT_FALSE(s->roi_haut->pixmap().isNull());
  EXPECT_FALSE(s->roi_bas->pixmap().isNull());
  EXPECT_EQ(s->legende_haute->text(), QStringLiteral("+3000"));
  EXPECT_EQ(s->legende_basse->text(), QStringLiteral("+3000"));
  EXPECT_TRUE(s->Label1->text().isEmpty());
  EXPECT_EQ(s->nb_points(), 0);
}

TEST_F(Fenetres, GraphiqueResumeEtListe) {
  numero_coup = 2;
  dernier_trait = NOIR;
  notes_coups = {0.0f, 20.0f, 35.5f};
  stats* s = ouvre_stats();
  EXPECT_EQ(s->nb_points(), 2);
  EXPECT_EQ(s->Label1->text(), texte(302) + QStringLiteral("2") + texte(305)) << "the machine (Black) is ahead";
  ASSERT_EQ(s->List2->topLevelItemCount(), 2);
  QTreeWidgetItem* derniere = s->List2->topLevelItem(1);
  EXPECT_EQ(derniere->text(0), QStringLiteral("2"));
  EXPECT_EQ(derniere->text(1), QStringLiteral("35.50"));
  EXPECT_EQ(derniere->text(2), QStringLiteral("78%"));
  EXPECT_EQ(derniere->data(0, Qt::UserRole).toString(), QStringLiteral("ref3"));
  EXPECT_EQ(s->List2->topLevelItem(0)->text(2), QStringLiteral("0%")) << "no change from a note of 0";

  // The human with Black: the same note puts White ahead; 0 is balanced.
  couleur_joueur = NOIR;
  s->Command2_Click();
  EXPECT_EQ(s->Label1->text(), texte(302) + QStringLiteral("2") + texte(303));
  notes_coups[2] = 0.0f;
  s->Command2_Click();
  EXPECT_EQ(s->Label1->text(), texte(302) + QStringLiteral("2") + texte(304));
}

TEST(VariationNote, Pourcentages) {
  EXPECT_EQ(variation_note(20.0f, 30.0f), QStringLiteral("50%"));
  EXPECT_EQ(variation_note(0.0f, 30.0f), QStringLiteral("0%"));
  EXPECT_EQ(variation_note(-20.0f, 30.0f), QStringLiteral("-250%"));
  EXPECT_EQ(variation_note(40.0f, 10.0f), QStringLiteral("-75%"));
}

TEST_F(Fenetres, LaCourbeResteDansLeCadre) {
  numero_coup = 3;
  dernier_trait = NOIR;
  notes_coups = {0.0f, 0.0f, -3500.0f, 0.0f};
  stats* s = ouvre_stats();
  const QImage& im = s->picture1->image();
  const QPointF haut = s->point_pixel(2, 0);
  bool rouge_en_haut = false;
  for (int y = 0; y <= 2; ++y)
    if (im.pixelColor(static_cast<int>(haut.x()), y) == QColor(255, 0, 0)) rouge_en_haut = true;
  EXPECT_TRUE(rouge_en_haut) << "a note below -3000 is drawn on the upper edge";
  // The curve runs from move 1 to move 3: nothing red right of the last point.
  const QPointF fin = s->point_pixel(3, 3000);
  for (int x = static_cast<int>(fin.x()) + 3; x < im.width(); ++x)
    for (int y = 0; y < im.height(); ++y) ASSERT_NE(im.pixelColor(x, y), QColor(255, 0, 0)) << x << "," << y;
}

TEST_F(Fenetres, LeGraphiqueNeLitQueLesNotesEnregistrees) {
  // Two players at one board record no note for every move.
  numero_coup = 12;
  dernier_trait = NOIR;
  notes_coups = {0.0f, 5.0f, 7.0f};
  stats* s = ouvre_stats();
  EXPECT_EQ(s->nb_points(), 2);
  EXPECT_EQ(s->List2->topLevelItemCount(), 2);
  EXPECT_EQ(s->Label1->text(), texte(302) + QStringLiteral("12") + texte(305));
  notes_coups.clear();
  s->Command2_Click();
  EXPECT_EQ(s->List2->topLevelItemCount(), 0);
  EXPECT_TRUE(s->Label1->text().isEmpty());
}

TEST_F(Fenetres, LesRoisEchangentLeurPlaceApresUnCoupBlanc) {
  numero_coup = 3;
  dernier_trait = BLANC;
  notes_coups = {0.0f, 1.0f, 2.0f, 3.0f};
  stats* s = ouvre_stats();
  const QPoint haut = s->roi_haut->pos(), bas = s->roi_bas->pos();
  EXPECT_GT(haut.y(), bas.y()) << "the White king goes to the bottom";
  EXPECT_EQ(s->nb_points(), 2);
  s->Command2_Click();
  EXPECT_EQ(s->roi_haut->pos(), haut) << "a refresh does not swap them back";
  dernier_trait = NOIR;
  s->Command2_Click();
  EXPECT_LT(s->roi_haut->pos().y(), s->roi_bas->pos().y());
  EXPECT_EQ(s->nb_points(), 3);

  // Black's first move not yet played: no point, the sentence still reads the note.
  numero_coup = 1;
  dernier_trait = BLANC;
  s->Command2_Click();
  EXPECT_EQ(s->nb_points(), 0);
  EXPECT_EQ(s->List2->topLevelItemCount(), 0);
  EXPECT_EQ(s->Label1->text(), texte(302) + QStringLiteral("1") + texte(304));
}

TEST_F(Fenetres, LesTroisFenetresPrennentLesTextesDeLaLangue) {
  cle_langue = 2;
  applique_langue();
  const QString titre_fr_prises = QStringLiteral("Tableau de chasse !");
  prises* p = ouvre_prises();
  EXPECT_EQ(p->windowTitle(), texte(287));
  EXPECT_NE(p->windowTitle(), titre_fr_prises) << "the English text, not the design text";
  EXPECT_EQ(p->Frame1->title(), texte(288));
  EXPECT_EQ(p->Frame2->title(), texte(289));
  stats* s = ouvre_stats();
  EXPECT_EQ(s->windowTitle(), texte(300));
  EXPECT_EQ(s->Command1->text(), texte(211));
  EXPECT_EQ(s->Command2->text(), texte(301));
  comment* c = fenetre_comment();
  EXPECT_EQ(c->windowTitle(), texte(140));
  EXPECT_EQ(c->voir_coup->text(), texte(141));
  EXPECT_EQ(c->Command1->text(), texte(142));
  decharge_comment();
}
