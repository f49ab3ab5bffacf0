// Comments on the moves of the move list.
#include <gtest/gtest.h>

#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/boites.h"
#include "play/commentaires.h"
#include "play/rejoue.h"
#include "tests/play/aide_commandes.h"

using plateforme::BoitesEnTest;

namespace {

class Commentaires : public TestCommandes {
 protected:
  void SetUp() override {
    TestCommandes::SetUp();
    nouvelle_partie(BLANC);
    style_notation = 2;
    texte_partie = "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 1-0 ";
    rejoue_partie(controles_, BLANC);
    commentaires_coups.assign(1, std::string());
  }
  void TearDown() override {
    decharge_comment();
    liens_ouvertures().affiche_commentaire = nullptr;
    TestCommandes::TearDown();
  }
  void commente(int ligne, const QString& reponse) {
    liste_->setCurrentRow(ligne);
    BoitesEnTest::saisit(reponse);
    commente_coup(*liste_);
  }
};

}  // namespace

TEST_F(Commentaires, DeuxCommentairesSurLeMemeCoupSAjoutent) {
  commente(0, QStringLiteral("solid"));
  commente(0, QStringLiteral("  classical "));
  ASSERT_EQ(commentaires_coups.size(), 2u);
  EXPECT_EQ(commentaires_coups[1], "solid classical");
  const plateforme::BoiteVue& v = BoitesEnTest::vues()[0];
  EXPECT_TRUE(v.saisie);
  EXPECT_EQ(v.texte, texte(200) + QStringLiteral(" N°1"));
  EXPECT_EQ(v.titre, QStringLiteral("Morvandel"));
  EXPECT_EQ(v.defaut, QStringLiteral(" 1.e2-e4 ")) << "a White move proposes its line";
}

TEST_F(Commentaires, UnCoupNoirEtLaListeQuiGrandit) {
  commente(5, QStringLiteral("why not"));
  // Line 5 owns element 6: the list runs from 0 to 6.
  ASSERT_EQ(commentaires_coups.size(), 7u);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(commentaires_coups[static_cast<size_t>(i)], "") << i;
  EXPECT_EQ(commentaires_coups[6], "why not");
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(201) + QStringLiteral(" N°3"));
  EXPECT_EQ(BoitesEnTest::vues()[0].defaut, QStringLiteral(" 3    ..... a7-a6 ")) << "a Black move: its number, then its line";
  // Commenting an earlier line keeps the list as long.
  commente(2, QStringLiteral("main line"));
  EXPECT_EQ(commentaires_coups.size(), 7u);
  EXPECT_EQ(commentaires_coups[3], "main line");
}

TEST_F(Commentaires, UnePartieCommenceeEnCoursGardeSesNumerosEtSesCouleurs) {
  // A position pasted at move 40 with Black to move, then two moves.
  liste_->clear();
  liste_->addItem(QStringLiteral("    ..... e7-e5"));
  liste_->addItem(QStringLiteral(" 41.Ng1-f3"));
  numero_coup = 41;
  commente(0, QStringLiteral("forced"));
  commente(1, QStringLiteral("natural"));
  ASSERT_EQ(BoitesEnTest::vues().size(), 2);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(201) + QStringLiteral(" N°40"));
  EXPECT_EQ(BoitesEnTest::vues()[0].defaut, QStringLiteral(" 40    ..... e7-e5 "));
  EXPECT_EQ(BoitesEnTest::vues()[1].texte, texte(200) + QStringLiteral(" N°41"));
  ASSERT_EQ(commentaires_coups.size(), 3u);
  EXPECT_EQ(commentaires_coups[1], "forced") << "line j keeps element j + 1";
  EXPECT_EQ(commentaires_coups[2], "natural");

  // A set-up at move 50: White's first move is number 50.
  liste_->clear();
  liste_->addItem(QStringLiteral(" 50.e2-e4"));
  liste_->addItem(QStringLiteral("    ..... O-O"));
  commente(1, QStringLiteral("safe"));
  EXPECT_EQ(BoitesEnTest::vues().back().texte, texte(201) + QStringLiteral(" N°50"));
}

TEST_F(Commentaires, UnCommentaireNePeutCasserLaSyntaxePgn) {
  commente(1, QStringLiteral("the {best} reply}\r\nindeed"));
  EXPECT_EQ(commentaires_coups[2], "the (best) reply) indeed");
  EXPECT_EQ(comment_pgn(QStringLiteral("{ }")), "( )");
}

TEST_F(Commentaires, RienSansLigneChoisieNiSurUnResultatNiSansReponse) {
  liste_->setCurrentRow(-1);
  commente_coup(*liste_);
  liste_->setCurrentRow(6);  // "1-0"
  commente_coup(*liste_);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
  commente(0, QString());
  commente(0, QStringLiteral("   "));
  EXPECT_EQ(commentaires_coups.size(), 1u);
}

TEST_F(Commentaires, LaFenetreDeCommentaireLeMontreQuandElleEstCochee) {
  commente(0, QStringLiteral("hidden"));
  EXPECT_TRUE(texte_commentaire().isEmpty());
  liens_ouvertures().affiche_commentaire = [] { return true; };
  fenetre_comment();
  commente(0, QStringLiteral("shown"));
  EXPECT_TRUE(texte_commentaire().contains(QStringLiteral("{hidden shown}"))) << texte_commentaire().toStdString();
}
