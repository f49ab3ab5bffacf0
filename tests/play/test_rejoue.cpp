// Replaying a movetext onto the board, the move list and the history.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <tuple>

#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/rejoue.h"
#include "tests/play/aide_commandes.h"

using plateforme::BoitesEnTest;

namespace {

// An Italian game: both sides castle (White short, Black long), White takes
// en passant, a check is given.
const char* const ITALIENNE_PGN =
    "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 5.d4 exd4 6.e5 d5 7.exd6 Qxd6 8.Re1+ Be6 9.Ng5 O-O-O 1/2-1/2 ";
const char* const ITALIENNE_FR =
    "1.e4 e5 2.Cf3 Cc6 3.Fc4 Fc5 4.O-O Cf6 5.d4 exd4 6.e5 d5 7.exd6 Dxd6 8.Te1+ Fe6 9.Cg5 O-O-O 1/2-1/2 ";
// Black takes en passant and promotes to a queen, White under-promotes.
const char* const PROMOTIONS_PGN = "1.h3 e5 2.h4 e4 3.d4 exd3 4.h5 dxc2 5.h6 cxb1=Q 6.hxg7 Qxa1 7.gxh8=N 0-1 ";
const char* const PROMOTIONS_FR = "1.h3 e5 2.h4 e4 3.d4 exd3 4.h5 dxc2 5.h6 cxb1=D 6.hxg7 Dxa1 7.gxh8=C 0-1 ";

class Rejeu : public TestCommandes {
 protected:
  void rejoue(const char* movetext, int couleur) {
    texte_partie = movetext;
    rejoue_partie(controles_, couleur);
  }
};

// Orientation x letter style.
class RejeuPartiesReelles : public Rejeu, public ::testing::WithParamInterface<std::tuple<int, int>> {
 protected:
  void SetUp() override {
    Rejeu::SetUp();
    nouvelle_partie(BLANC);
    style_notation = std::get<1>(GetParam());
  }
  int couleur() const { return std::get<0>(GetParam()); }
  bool francais() const { return std::get<1>(GetParam()) == 1; }
};

}  // namespace

TEST_P(RejeuPartiesReelles, LesRoquesEtLaPriseEnPassantSontJoues) {
  rejoue(francais() ? ITALIENNE_FR : ITALIENNE_PGN, couleur());
  EXPECT_EQ(couleur_joueur, couleur());

  // White castled short, Black long; the pawn taken en passant is gone.
  EXPECT_EQ(code_en("g1"), ROI_BLANC);
  EXPECT_EQ(code_en("f1"), CASE_VIDE);
  EXPECT_EQ(code_en("h1"), CASE_VIDE);
  EXPECT_EQ(code_en("e1"), TOUR_BLANCHE);
  EXPECT_EQ(code_en("c8"), ROI_NOIR);
  EXPECT_EQ(code_en("d8"), TOUR_NOIRE);
  EXPECT_EQ(code_en("a8"), CASE_VIDE);
  EXPECT_EQ(code_en("e8"), CASE_VIDE);
  EXPECT_EQ(code_en("d6"), DAME_NOIRE);
  EXPECT_EQ(code_en("d5"), CASE_VIDE) << "the pawn taken en passant";
  EXPECT_EQ(code_en("e5"), CASE_VIDE);
  EXPECT_EQ(code_en("d4"), PION_NOIR);
  EXPECT_EQ(code_en("g5"), CAVALIER_BLANC);
  EXPECT_EQ(code_en("e6"), FOU_NOIR);

  const QStringList l = lignes();
  ASSERT_EQ(l.size(), 19);
  EXPECT_EQ(l[0], QStringLiteral(" 1.e2-e4"));
  EXPECT_EQ(l[1], QStringLiteral("    ..... e7-e5"));
  EXPECT_EQ(l[6], QStringLiteral(" 4.O-O"));
  EXPECT_EQ(l[12], QStringLiteral(" 7.e5xd6e.p."));
  EXPECT_EQ(l[14], francais() ? QStringLiteral(" 8.Tf1-e1+") : QStringLiteral(" 8.Rf1-e1+"));
  EXPECT_EQ(l[17], QStringLiteral("    ..... O-O-O"));
  EXPECT_EQ(l[18], QStringLiteral("1/2-1/2"));
  EXPECT_EQ(liste_->currentRow(), 18);

  // Start, one entry per move, the result line repeats the last position.
  ASSERT_EQ(historique_positions.size(), 20u);
  EXPECT_EQ(historique_positions[19], historique_positions[18]);
  EXPECT_EQ(historique_positions.back(), chaine_du_controle(*echiquier_));

  EXPECT_EQ(numero_coup, 9);
  EXPECT_EQ(dernier_trait, NOIR) << "Black moved last: White is to move";
  EXPECT_NE(roque_interdit[BLANC], 0);
  EXPECT_NE(roque_interdit[NOIR], 0);
  EXPECT_EQ(resultat_partie, "1/2-1/2");
  EXPECT_EQ(texte_partie_longue.rfind("1.e2-e4 e7-e5 2.", 0), 0u) << texte_partie_longue;
  EXPECT_NE(texte_partie_longue.find(" 7.e5xd6e.p. "), std::string::npos) << texte_partie_longue;
  EXPECT_TRUE(texte_partie_longue.ends_with("-g5 O-O-O 1/2-1/2")) << texte_partie_longue;
  EXPECT_EQ(texte_partie, francais() ? ITALIENNE_FR : ITALIENNE_PGN) << "the movetext is kept";
}

TEST_P(RejeuPartiesReelles, LesPromotionsDonnentLaPieceNommee) {
  rejoue(francais() ? PROMOTIONS_FR : PROMOTIONS_PGN, couleur());
  EXPECT_EQ(code_en("a1"), DAME_NOIRE) << "Black promoted to a queen on b1, which then took a1";
  EXPECT_EQ(code_en("b1"), CASE_VIDE);
  EXPECT_EQ(code_en("h8"), CAVALIER_BLANC) << "White promoted to a knight";
  EXPECT_EQ(code_en("d4"), CASE_VIDE) << "the pawn taken en passant by Black";
  EXPECT_EQ(code_en("d3"), CASE_VIDE);
  EXPECT_EQ(code_en("c2"), CASE_VIDE);

  const QStringList l = lignes();
  ASSERT_EQ(l.size(), 14);
  EXPECT_EQ(l[5], QStringLiteral("    ..... e4xd3e.p."));
  EXPECT_EQ(l[9], francais() ? QStringLiteral("    ..... c2xb1=D") : QStringLiteral("    ..... c2xb1=Q"));
  EXPECT_EQ(l[12], francais() ? QStringLiteral(" 7.g7xh8=C") : QStringLiteral(" 7.g7xh8=N"));
  EXPECT_EQ(l[13], QStringLiteral("0-1"));
  EXPECT_EQ(numero_coup, 7);
  EXPECT_EQ(dernier_trait, BLANC) << "White moved last: Black is to move";
  EXPECT_EQ(resultat_partie, "0-1");
}

INSTANTIATE_TEST_SUITE_P(OrientationsEtLettres, RejeuPartiesReelles,
                         ::testing::Combine(::testing::Values(BLANC, NOIR), ::testing::Values(1, 2)));

TEST_F(Rejeu, NoirEnBasLePetitRoqueBlancVaDeLaColonneQuatreADeux) {
  nouvelle_partie(NOIR);
  style_notation = 2;
  rejoue("1.Nf3 Nf6 2.g3 g6 3.Bg2 Bg7 4.O-O ", NOIR);
  EXPECT_EQ(echiquier_->Piece(2, 1), ROI_BLANC);
  EXPECT_EQ(echiquier_->Piece(3, 1), TOUR_BLANCHE);
  EXPECT_EQ(echiquier_->Piece(1, 1), CASE_VIDE);
  EXPECT_EQ(echiquier_->Piece(4, 1), CASE_VIDE);
  EXPECT_EQ(roque_interdit[BLANC], -1);
  EXPECT_EQ(roque_interdit[NOIR], 0) << "Black's king and rooks have not moved";
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_EQ(lignes().size(), 7);
}

TEST_F(Rejeu, UnRoiOuUneTourPartiDeSaCaseEnleveLeRoqueASonCamp) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  rejoue("1.h4 e5 2.Rh3 ", BLANC);
  EXPECT_FALSE(roque_permis(BLANC, AILE_ROI));
  EXPECT_TRUE(roque_permis(BLANC, AILE_DAME)) << "the a-rook has not moved";
  EXPECT_EQ(roque_interdit[NOIR], 0);
  // A king that steps off its square and comes back has lost castling all the same.
  rejoue("1.e4 e5 2.Ke2 Ke7 3.Ke1 ", BLANC);
  EXPECT_EQ(code_en("e1"), ROI_BLANC);
  EXPECT_EQ(roque_interdit[BLANC], -1);
  EXPECT_EQ(roque_interdit[NOIR], -1);
  // A rook taken on its corner ends its side's castling too.
  rejoue("1.b3 g5 2.Bb2 Bg7 3.Bxg7 Nf6 4.Bxh8 ", BLANC);
  EXPECT_EQ(code_en("h8"), FOU_BLANC);
  EXPECT_FALSE(roque_permis(NOIR, AILE_ROI));
  EXPECT_TRUE(roque_permis(NOIR, AILE_DAME));
  EXPECT_EQ(roque_interdit[BLANC], 0) << "White's king and rooks have not moved";
}

TEST_F(Rejeu, LeGrandRoqueResteJouableQuandSeuleLaTourDuRoiABouge) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  rejoue("1.h4 d5 2.Rh3 Bf5 3.d3 Nc6 4.Nc3 Qd7 5.Be3 O-O-O 6.Qd2 e5 7.O-O-O ", BLANC);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty()) << BoitesEnTest::textes().join(" | ").toStdString();
  EXPECT_EQ(code_en("c1"), ROI_BLANC);
  EXPECT_EQ(code_en("d1"), TOUR_BLANCHE);
  EXPECT_EQ(code_en("c8"), ROI_NOIR);
  EXPECT_EQ(lignes().size(), 13);
}

TEST_F(Rejeu, UnRoqueVersUneTourRevenueDansSonCoinEstRefuse) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  BoitesEnTest::repond(boite::NON);
  rejoue("1.h4 h5 2.Rh3 Rh6 3.Rh1 Rh8 4.e3 e6 5.Be2 Be7 6.Nf3 Nf6 7.O-O Nc6 ", BLANC);
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(340) + QStringLiteral("7") + texte(342));
  EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::OUI_NON);
  EXPECT_EQ(lignes().size(), 12) << "No ends the replay before the castling";
  EXPECT_EQ(code_en("e1"), ROI_BLANC);
  EXPECT_EQ(historique_positions.size(), 13u);
}

TEST_F(Rejeu, UnCoupRefuseDemandeSilFautContinuer) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  BoitesEnTest::repond(boite::NON);
  rejoue("1.e4 e5 2.Nf3 Ke6 3.Nc3 ", BLANC);
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(341) + QStringLiteral("2") + texte(342));
  EXPECT_EQ(BoitesEnTest::vues()[0].titre, QStringLiteral("Morvandel"));
  EXPECT_EQ(lignes().size(), 3);
  EXPECT_EQ(historique_positions.size(), 4u);
  EXPECT_EQ(dernier_trait, BLANC);

  // Yes plays the move as read and goes on.
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OUI);
  rejoue("1.e4 e5 2.Nf3 Ke6 3.Nc3 ", BLANC);
  EXPECT_EQ(code_en("e6"), ROI_NOIR);
  EXPECT_EQ(code_en("c3"), CAVALIER_BLANC);
  EXPECT_EQ(lignes().size(), 5);
  EXPECT_EQ(numero_coup, 3);
}

TEST_F(Rejeu, UneTourQuiNePeutVenirEstPriseDeLAutreTour) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  // The hint names the a-rook, which the king blocks: the h-rook goes.
  rejoue("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.Rag1 ", BLANC);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty()) << BoitesEnTest::textes().join(" | ").toStdString();
  EXPECT_EQ(code_en("g1"), TOUR_BLANCHE);
  EXPECT_EQ(code_en("h1"), CASE_VIDE);
  EXPECT_EQ(code_en("a1"), TOUR_BLANCHE);
  EXPECT_EQ(lignes().back(), QStringLiteral(" 4.Rh1-g1"));
}

TEST_F(Rejeu, UneEtoileSeuleVideLaPartie) {
  nouvelle_partie(BLANC);
  texte_partie = "1.e4 e5 ";
  rejoue_partie(controles_, BLANC);
  ASSERT_EQ(lignes().size(), 2);
  rejoue("  *  ", BLANC);
  EXPECT_TRUE(lignes().isEmpty());
  EXPECT_EQ(historique_positions.size(), 1u);
  EXPECT_EQ(texte_partie, "");
  EXPECT_EQ(code_en("e2"), PION_BLANC);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_EQ(dernier_trait, NOIR);
}

TEST_F(Rejeu, UnResultatALaPlaceDuCoupNoir) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  rejoue("1.e4 e5 2.Nf3 1-0 ", BLANC);
  const QStringList l = lignes();
  ASSERT_EQ(l.size(), 4);
  EXPECT_EQ(l[3], QStringLiteral("1-0"));
  EXPECT_EQ(historique_positions.size(), 5u);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_EQ(resultat_partie, "1-0");

  // Without a result and without the final blank: no extra line.
  rejoue("1.e4 e5", BLANC);
  EXPECT_EQ(lignes().size(), 2);
  EXPECT_EQ(historique_positions.size(), 3u);
  EXPECT_EQ(code_en("e5"), PION_NOIR);
}

TEST_F(Rejeu, NumerosEspacesCommentairesEtVariantesSontSautes) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  rejoue("1.  e4 {a good move} e5 (1...c5 2.Nf3) 2. Nf3 $1 Nc6!? ; the usual\r\n3.Bb5 3... a6 ", BLANC);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty()) << BoitesEnTest::textes().join(" | ").toStdString();
  const QStringList l = lignes();
  ASSERT_EQ(l.size(), 6);
  EXPECT_EQ(l[3], QStringLiteral("    ..... Cb8-c6!?").replace(QLatin1Char('C'), QLatin1Char('N')));
  EXPECT_EQ(code_en("a6"), PION_NOIR);
  EXPECT_EQ(code_en("c5"), CASE_VIDE) << "the variation is not played";
  EXPECT_EQ(numero_coup, 3);
}

TEST_F(Rejeu, RienNEstLuAvantLePremierNumero) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  rejoue("e4 e5 Nf3", BLANC);
  EXPECT_TRUE(lignes().isEmpty());
  EXPECT_EQ(historique_positions.size(), 1u);
}

TEST_F(Rejeu, LaPartiePrecedenteEstEffacee) {
  nouvelle_partie(BLANC);
  style_notation = 2;
  rejoue("1.d4 d5 2.c4 e6 ", BLANC);
  echiquier_->trace_cercle(4, 4, 255, 0.5f, 0, 2);
  roque_interdit[BLANC] = -1;
  passant_noir = 45;
  notes_coups = {0.0f, 35.5f, -120.0f};
  rejoue("1.e4 ", NOIR);
  // The evaluations of the game before are not this game's: its one move is judged.
  ASSERT_EQ(notes_coups.size(), 2u);
  EXPECT_EQ(notes_coups[1], evalue_position(BLANC));
  EXPECT_EQ(echiquier_->nb_traces(), 0);
  EXPECT_EQ(lignes(), QStringList{QStringLiteral(" 1.e2-e4")});
  EXPECT_EQ(code_en("d4"), CASE_VIDE);
  EXPECT_EQ(code_en("e4"), PION_BLANC);
  EXPECT_EQ(roque_interdit[BLANC], 0);
  EXPECT_EQ(passant_noir, 0);
  int c = 0, l = 0;
  ecran("e3", c, l);
  EXPECT_EQ(passant_blanc, c * 10 + l) << "White's two-step passed over e3";
  EXPECT_EQ(texte_partie_longue, "1.e2-e4");
}

TEST_F(Rejeu, UnDossierDePiecesIntrouvableArreteLeRejeuAvecSonMessage) {
  // A copy of the piece set, whose White pawn goes missing once the board is set up.
  const QString jeu = dossier() + QStringLiteral("/pieces/");
  QDir().mkpath(jeu);
  for (int code = 2; code <= 13; ++code)
    ASSERT_TRUE(QFile::copy(dossier_pieces() + QString::number(code) + QStringLiteral(".ico"),
                            jeu + QString::number(code) + QStringLiteral(".ico")));
  echiquier_->init_echiquier(BLANC, jeu, QString());
  ASSERT_TRUE(QFile::remove(jeu + QStringLiteral("8.ico")));
  BoitesEnTest::repond(boite::OK);
  style_notation = 2;
  rejoue("1.e4 e5 ", BLANC);
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(BoitesEnTest::vues()[0].texte.contains(QStringLiteral("8.ico"))) << BoitesEnTest::vues()[0].texte.toStdString();
  EXPECT_EQ(BoitesEnTest::vues()[0].titre, QStringLiteral("Attention"));
  EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
}

TEST(PromotionMarques, LettresFrancaisesEtAnglaises) {
  EXPECT_EQ(code_promotion_marques("=D", BLANC), DAME_BLANCHE);
  EXPECT_EQ(code_promotion_marques("=Q+", BLANC), DAME_BLANCHE);
  EXPECT_EQ(code_promotion_marques("=C", NOIR), CAVALIER_NOIR);
  EXPECT_EQ(code_promotion_marques("=n", NOIR), CAVALIER_NOIR);
  EXPECT_EQ(code_promotion_marques("=T", BLANC), TOUR_BLANCHE);
  EXPECT_EQ(code_promotion_marques("=R", BLANC), TOUR_BLANCHE);
  EXPECT_EQ(code_promotion_marques("=F#", NOIR), FOU_NOIR);
  EXPECT_EQ(code_promotion_marques("=B", NOIR), FOU_NOIR);
  EXPECT_EQ(code_promotion_marques("=K", BLANC), 0) << "no promotion to a king";
  EXPECT_EQ(code_promotion_marques("+", BLANC), 0);
  EXPECT_EQ(code_promotion_marques("=", BLANC), 0);
}
