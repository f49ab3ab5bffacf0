// Changing the last move of the game.
#include <gtest/gtest.h>

#include "chess/etat.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/modif_coup.h"
#include "play/partie.h"
#include "play/rejoue.h"
#include "tests/play/aide_commandes.h"

using plateforme::BoitesEnTest;

namespace {

class ModifCoup : public TestCommandes, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestCommandes::SetUp();
    nouvelle_partie(GetParam());
  }
  void rejoue(const char* movetext, int style = 2) {
    style_notation = style;
    texte_partie = movetext;
    rejoue_partie(controles_, GetParam());
  }
  // Everything the command may change, to compare before and after.
  struct Instantane {
    std::string controle;
    TableauCases plateau;
    std::vector<std::string> historique;
    QStringList lignes;
    std::string partie, longue;
    int numero, trait, roque_b, roque_n, passant_b, passant_n;
    bool operator==(const Instantane&) const = default;
  };
  Instantane instantane() {
    return {chaine_du_controle(*echiquier_), tab_echiquier, historique_positions, lignes(), texte_partie,
            texte_partie_longue, numero_coup, dernier_trait, roque_interdit[BLANC], roque_interdit[NOIR],
            passant_blanc, passant_noir};
  }
};

}  // namespace

TEST_P(ModifCoup, LaReponseNoireEstRemplacee) {
  rejoue("1.e4 e5", 1);
  texte_partie = "1.e4 e5";
  BoitesEnTest::saisit(QStringLiteral("e6"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  ASSERT_EQ(BoitesEnTest::vues().size(), 2);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte,
            texte(112) + QStringLiteral("    ..... e7-e5]\r\n") + texte(113));
  EXPECT_EQ(BoitesEnTest::vues()[0].titre, QStringLiteral("Morvandel"));
  EXPECT_EQ(BoitesEnTest::vues()[1].texte, texte(521) + QStringLiteral("e7-e6") + texte(522));
  EXPECT_EQ(lignes().back(), QStringLiteral("    ..... e7-e6"));
  EXPECT_EQ(historique_positions.size(), 3u);
  EXPECT_EQ(historique_positions.back(), chaine_du_controle(*echiquier_));
  EXPECT_EQ(code_en("e6"), PION_NOIR);
  EXPECT_EQ(code_en("e5"), CASE_VIDE);
  EXPECT_EQ(code_en("e7"), CASE_VIDE);
  EXPECT_EQ(texte_partie, "1.e4 e6");
  EXPECT_EQ(texte_partie_longue, "1.e2-e4 e7-e6");
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(numero_coup, 1);
}

TEST_P(ModifCoup, LeNumeroDuCoupBlancReste) {
  rejoue("1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 d6 8.c3 O-O 9.h3 Nb8 10.d4 Nbd7 "
         "11.c4 c6 12.cxb5 ");
  ASSERT_EQ(lignes().size(), 23);
  BoitesEnTest::saisit(QStringLiteral("Nc3"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  EXPECT_EQ(lignes().back(), QStringLiteral(" 12.Nb1-c3"));
  EXPECT_TRUE(texte_partie.ends_with("11.c4 c6 12.Nc3 ")) << texte_partie;
  EXPECT_TRUE(texte_partie_longue.ends_with("11.c3-c4 c7-c6 12.Nb1-c3")) << texte_partie_longue;
  EXPECT_EQ(code_en("b5"), PION_NOIR) << "the pawn taken by the old move is back";
  EXPECT_EQ(code_en("c4"), PION_BLANC);
  EXPECT_EQ(code_en("c3"), CAVALIER_BLANC);
  EXPECT_EQ(numero_coup, 12) << "the next White move is numbered 13";
  EXPECT_EQ(historique_positions.size(), 24u);
}

TEST_P(ModifCoup, UnCoupImpossibleLaissePartieIntacte) {
  rejoue("1.e4 e5 2.Nf3 ");
  const Instantane avant = instantane();
  for (const char* mauvais : {"Nd4", "Ke3", "Qh8", "zz9"}) {
    // A text that is no move at all is first refused by the move reader.
    const bool illisible = std::string(mauvais) == "zz9";
    BoitesEnTest::efface();
    BoitesEnTest::saisit(QString::fromLatin1(mauvais));
    BoitesEnTest::repond(boite::OK);
    if (illisible) BoitesEnTest::repond(boite::OK);
    modifie_dernier_coup(controles_);
    ASSERT_EQ(BoitesEnTest::vues().size(), illisible ? 3 : 2) << mauvais;
    EXPECT_EQ(BoitesEnTest::vues().back().texte, texte(520));
    EXPECT_EQ(BoitesEnTest::vues().back().style, boite::EXCLAMATION);
    EXPECT_TRUE(instantane() == avant) << mauvais;
  }
}

TEST_P(ModifCoup, UnCoupQuiLaisseLeRoiEnEchecEstRefuse) {
  rejoue("1.e4 e5 2.Qh5 Nc6 ");
  const Instantane avant = instantane();
  // f7-f6 opens the diagonal from h5 to the Black king.
  BoitesEnTest::saisit(QStringLiteral("f6"));
  BoitesEnTest::repond(boite::OK);
  modifie_dernier_coup(controles_);
  ASSERT_EQ(BoitesEnTest::vues().size(), 2);
  EXPECT_EQ(BoitesEnTest::vues()[1].texte, texte(520));
  EXPECT_TRUE(instantane() == avant);
  // g7-g6 shuts it: accepted.
  BoitesEnTest::efface();
  BoitesEnTest::saisit(QStringLiteral("g6"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  EXPECT_EQ(lignes().back(), QStringLiteral("    ..... g7-g6"));
  EXPECT_EQ(code_en("b8"), CAVALIER_NOIR);
}

TEST_P(ModifCoup, NonLaissePartieIntacte) {
  rejoue("1.d4 d5 2.c4 ");
  const Instantane avant = instantane();
  BoitesEnTest::saisit(QStringLiteral("Nf3"));
  BoitesEnTest::repond(boite::NON);
  modifie_dernier_coup(controles_);
  EXPECT_TRUE(instantane() == avant);
  // Cancel (an empty answer) asks nothing more.
  BoitesEnTest::efface();
  BoitesEnTest::saisit(QString());
  modifie_dernier_coup(controles_);
  EXPECT_EQ(BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(instantane() == avant);
}

TEST_P(ModifCoup, RienSansCoupNiApresUnResultat) {
  modifie_dernier_coup(controles_);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
  rejoue("1.e4 e5 2.Nf3 1-0 ");
  modifie_dernier_coup(controles_);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
}

TEST_P(ModifCoup, UnRoqueDeplaceAussiLaTour) {
  rejoue("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.d3 ");
  BoitesEnTest::saisit(QStringLiteral("O-O"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  EXPECT_EQ(lignes().back(), QStringLiteral(" 4.O-O"));
  EXPECT_EQ(code_en("g1"), ROI_BLANC);
  EXPECT_EQ(code_en("f1"), TOUR_BLANCHE);
  EXPECT_EQ(code_en("h1"), CASE_VIDE);
  EXPECT_EQ(code_en("d3"), CASE_VIDE);
  EXPECT_EQ(code_en("d2"), PION_BLANC);
  EXPECT_TRUE(texte_partie.ends_with("4.O-O ")) << texte_partie;
}

TEST_P(ModifCoup, UnRoqueChangeRetrouveLeDroitDeRoquer) {
  rejoue("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.d3 d6 5.Be3 Be6 6.Qd2 Qd7 7.Nc3 Nf6 8.O-O ");
  ASSERT_EQ(roque_interdit[BLANC], -1);
  // The short castling becomes the long one.
  BoitesEnTest::saisit(QStringLiteral("O-O-O"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  ASSERT_EQ(BoitesEnTest::vues().size(), 2) << BoitesEnTest::textes().join(" | ").toStdString();
  EXPECT_EQ(lignes().back(), QStringLiteral(" 8.O-O-O"));
  EXPECT_EQ(code_en("c1"), ROI_BLANC);
  EXPECT_EQ(code_en("d1"), TOUR_BLANCHE);
  EXPECT_EQ(code_en("a1"), CASE_VIDE);
  EXPECT_EQ(code_en("h1"), TOUR_BLANCHE);
  EXPECT_EQ(code_en("g1"), CASE_VIDE);
  EXPECT_EQ(roque_interdit[BLANC], -1);
  // Then a pawn move instead: the king never moved, it may still castle.
  BoitesEnTest::efface();
  BoitesEnTest::saisit(QStringLiteral("h3"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  EXPECT_EQ(code_en("e1"), ROI_BLANC);
  EXPECT_EQ(code_en("a1"), TOUR_BLANCHE);
  EXPECT_EQ(roque_interdit[BLANC], 0);
  EXPECT_EQ(roque_interdit[NOIR], 0);
}

TEST_P(ModifCoup, UnPasDuRoiChangeRendLeRoqueSeulementSIlNAvaitJamaisBouge) {
  rejoue("1.e4 e5 2.Nf3 Ke7 ");
  ASSERT_EQ(roque_interdit[NOIR], -1);
  BoitesEnTest::saisit(QStringLiteral("Nc6"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  EXPECT_EQ(code_en("e8"), ROI_NOIR);
  EXPECT_EQ(roque_interdit[NOIR], 0) << "Black's king had never left e8";
  EXPECT_EQ(roque_interdit[BLANC], 0);

  // A king that had already walked keeps its loss.
  BoitesEnTest::efface();
  rejoue("1.e4 e5 2.Ke2 Nc6 3.Ke1 Nf6 4.Ke2 ");
  BoitesEnTest::saisit(QStringLiteral("Nf3"));
  BoitesEnTest::repond(boite::OUI);
  modifie_dernier_coup(controles_);
  EXPECT_EQ(code_en("e1"), ROI_BLANC);
  EXPECT_EQ(code_en("f3"), CAVALIER_BLANC);
  EXPECT_EQ(roque_interdit[BLANC], -1);
}

// The wings the changed move had taken away come back when the game shows
// they were held: each row a game, the new last move and the rights after it
// as "KQkq" with "-" for a lost wing.
TEST_P(ModifCoup, ChaqueAileRevientSelonLaPartie) {
  struct Cas {
    const char* partie;
    const char* nouveau;
    const char* droits;
  };
  const Cas cas[] = {
      {"1.h4 e5 2.Rh3 ", "Nf3", "KQkq"},                    // the rook never left before
      {"1.h4 e5 2.Rh3 Nc6 3.Rh1 Nf6 4.Nf3 ", "e3", "-Qkq"},  // it had left and come back
      {"1.a4 e5 2.Ra3 ", "Nf3", "KQkq"},
      {"1.b3 g5 2.Bb2 Bg7 3.Bxg7 Nf6 4.Bxh8 ", "Bxf6", "KQkq"},  // the rook taken on h8 is back
      {"1.h4 h5 2.Rh3 Rh6 3.e3 Ra6 ", "Rg6", "-Q-q"},       // Black's rook had left too
      {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.O-O ", "d3", "KQkq"},  // a castling had both wings
  };
  // With the recorded states of the positions, and from the board entries
  // alone as in a history without them.
  for (bool avec_etats : {true, false}) {
    for (const Cas& c : cas) {
      BoitesEnTest::efface();
      rejoue(c.partie);
      if (!avec_etats) etats_positions.clear();
      BoitesEnTest::saisit(QString::fromLatin1(c.nouveau));
      BoitesEnTest::repond(boite::OUI);
      modifie_dernier_coup(controles_);
      ASSERT_EQ(BoitesEnTest::vues().size(), 2) << c.partie << BoitesEnTest::textes().join(" | ").toStdString();
      std::string d;
      d += roque_permis(BLANC, AILE_ROI) ? 'K' : '-';
      d += roque_permis(BLANC, AILE_DAME) ? 'Q' : '-';
      d += roque_permis(NOIR, AILE_ROI) ? 'k' : '-';
      d += roque_permis(NOIR, AILE_DAME) ? 'q' : '-';
      EXPECT_EQ(d, c.droits) << c.partie << c.nouveau << (avec_etats ? "" : " without states");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Orientations, ModifCoup, ::testing::Values(BLANC, NOIR));

TEST(RemplaceDernierCoup, GardeNumeroEtSeparateurs) {
  EXPECT_EQ(remplace_dernier_coup("1.e4 e5 2.Nf3", "Nc3"), "1.e4 e5 2.Nc3");
  EXPECT_EQ(remplace_dernier_coup("1.e4 e5 ", "e6"), "1.e4 e6 ");
  EXPECT_EQ(remplace_dernier_coup("1.e4 e5 *", "e6"), "1.e4 e6 *");
  EXPECT_EQ(remplace_dernier_coup("1. e4", "d4"), "1. d4");
  EXPECT_EQ(remplace_dernier_coup("12...Nf6", "Nc6"), "12...Nc6");
  EXPECT_EQ(remplace_dernier_coup("  ", "e4"), "  ");
  EXPECT_EQ(remplace_dernier_coup("", "e4"), "");
}
