// Learning the game in hand as a line of the opening base, and the opening
// lines of games.
#include <gtest/gtest.h>

#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/enrichissement.h"
#include "openings/liens_ouvertures.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "tests/openings/aide_ouvertures.h"

using plateforme::BoitesEnTest;

namespace {

class Enrichissement : public TestOuvertures {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    active_base_con[1] = active_base_con[2] = 1;
    cree_base({{"C20", "Partie du pion roi", "1.e4 e5 *"}});
    eco_courant = QStringLiteral("C20");
    ouverture_courante = QStringLiteral("Partie du pion roi");
  }
  // Answers Yes to the question and `note` to the rating.
  void apprend(const std::string& partie, const std::string& resultat, const QString& note) {
    texte_partie = partie;
    resultat_partie = resultat;
    BoitesEnTest::repond(boite::OUI);
    BoitesEnTest::saisit(note);
    BoitesEnTest::repond(boite::OK);
    enrichit_partie_en_cours(3.5f);
  }
};

TEST_F(Enrichissement, LaPartieEnCoursDevientUneLigneApprise) {
  apprend("1.e4 e5 2.Nf3 Nc6", "*", QStringLiteral("35"));
  const QList<LigneEco> lignes = lignes_base();
  ASSERT_EQ(lignes.size(), 2);
  EXPECT_EQ(lignes[1].coup, QStringLiteral("1.e4 e5 2.Nf3 Nc6 *"));
  EXPECT_EQ(lignes[1].code, QStringLiteral("C20"));
  EXPECT_EQ(lignes[1].libelle, QStringLiteral("Partie du pion roi"));
  EXPECT_TRUE(lignes[1].connaissance);
  EXPECT_DOUBLE_EQ(lignes[1].note.toDouble(), 35.0);
  const auto vues = BoitesEnTest::vues();
  ASSERT_EQ(vues.size(), 3);
  EXPECT_EQ(vues[0].texte, texte(106) + QStringLiteral("1.e4 e5 2.Nf3 Nc6 *") + texte(107));
  EXPECT_TRUE(vues[1].saisie);
  EXPECT_EQ(vues[1].texte, texte(108));
  EXPECT_EQ(vues[1].defaut, QStringLiteral("3.5"));  // the last evaluation, offered
  EXPECT_EQ(vues[2].texte, texte(109) + QStringLiteral("1.e4 e5 2.Nf3 Nc6 *") + texte(110));
}

// The same game a second time is refused, also once it is finished: the
// duplicate test looks for the line as it is stored, result included.
TEST_F(Enrichissement, UneMemePartieNEstApprisQuUneFois) {
  for (const char* resultat : {"*", "1-0"}) {
    SCOPED_TRACE(resultat);
    apprend("1.d4 d5", resultat, QStringLiteral("10"));
    const int avant = static_cast<int>(lignes_base().size());
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    enrichit_partie_en_cours(0.0f);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(105)});
    EXPECT_EQ(lignes_base().size(), avant);
  }
  EXPECT_EQ(coups_base(), (QStringList{"1.e4 e5 *", "1.d4 d5 *", "1.d4 d5 1-0"}));
}

// Only a learned line stops the game being learned: a shipped line with the
// same moves and result does not.
TEST_F(Enrichissement, UnePartieEgaleAUneLigneDuLivreSApprendQuandMeme) {
  ASSERT_EQ(coups_base(), QStringList{"1.e4 e5 *"});
  ASSERT_FALSE(lignes_base()[0].connaissance);
  apprend("1.e4 e5", "*", QStringLiteral("12"));
  EXPECT_EQ(BoitesEnTest::vues().size(), 3u) << "question, rating, stored";
  const QList<LigneEco> lignes = lignes_base();
  ASSERT_EQ(lignes.size(), 2);
  EXPECT_EQ(lignes[1].coup, QStringLiteral("1.e4 e5 *"));
  EXPECT_TRUE(lignes[1].connaissance);
  EXPECT_FALSE(lignes[0].connaissance) << "the book line stays as it was";
}

TEST_F(Enrichissement, RefusSansBaseActiveNiCoup) {
  struct Cas {
    int active;
    const char* partie;
  } cas[] = {{0, "1.e4"}, {1, ""}, {1, "  "}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.partie);
    active_base_con[1] = c.active;
    texte_partie = c.partie;
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    enrichit_partie_en_cours(0.0f);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(111)});
  }
  // The profile in force decides: profile 2 with the base off refuses too.
  active_base_con[1] = 1;
  active_base_con[2] = 0;
  profil = 2;
  texte_partie = "1.e4";
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OK);
  enrichit_partie_en_cours(0.0f);
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(111)});
  EXPECT_EQ(lignes_base().size(), 1);
}

// The rating is asked again until it is a number from -1000 to 1000; Cancel
// (an empty answer) stops without storing anything.
TEST_F(Enrichissement, LaNoteEstRedemandeeJusquAUnNombreAdmis) {
  texte_partie = "1.c4";
  BoitesEnTest::repond(boite::OUI);
  for (const char* s : {"abc", "2000", "-1000.5", "12,5"}) BoitesEnTest::saisit(QString::fromLatin1(s));
  BoitesEnTest::repond(boite::OK);
  enrichit_partie_en_cours(0.0f);
  ASSERT_EQ(lignes_base().size(), 2);
  EXPECT_DOUBLE_EQ(lignes_base()[1].note.toDouble(), 12.5);
  int saisies = 0;
  for (const auto& v : BoitesEnTest::vues()) saisies += v.saisie ? 1 : 0;
  EXPECT_EQ(saisies, 4);

  texte_partie = "1.Nf3";
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::saisit(QString());
  enrichit_partie_en_cours(0.0f);
  EXPECT_EQ(lignes_base().size(), 2);
  // A No to the question stores nothing either.
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::NON);
  enrichit_partie_en_cours(0.0f);
  EXPECT_EQ(lignes_base().size(), 2);
}

TEST(LectureNote, NombresAdmis) {
  struct Cas {
    const char* saisie;
    std::optional<double> attendu;
  } cas[] = {
      {"35", 35.0},     {"-1000", -1000.0}, {"1000", 1000.0}, {"+12.25", 12.25}, {"12,5", 12.5},
      {" 7 ", 7.0},     {".5", 0.5},        {"1000.01", {}},  {"-1001", {}},     {"abc", {}},
      {"12abc", {}},    {"", {}},           {"1e3", {}},      {"1.2.3", {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.saisie);
    EXPECT_EQ(lit_note(QString::fromLatin1(c.saisie)), c.attendu);
  }
}

// A game set up from a position of its own is no opening, even when its moves
// would replay from the start: refused, and the position on the board is the
// one it was.
TEST_F(Enrichissement, UnePartieSansPositionInitialeEstRefuseeEtLaPositionGardee) {
  for (const auto& [coups, debut] : {std::pair{"12...Nc6 13.Nf3", true}, {"1.e4 e5", false}}) {
    SCOPED_TRACE(coups);
    liens_ouvertures().partie_depuis_debut = [debut = debut] { return debut; };
    texte_partie = coups;
    const TableauCases avant = tab_echiquier;
    style_notation = 1;
    numero_coup = 13;
    BoitesEnTest::repond(boite::OK);
    enrichit_partie_en_cours(0.0f);
    ASSERT_EQ(BoitesEnTest::textes(), QStringList{texte(850)});
    EXPECT_EQ(lignes_base().size(), 1);
    EXPECT_TRUE(tab_echiquier == avant);
    EXPECT_EQ(style_notation, 1);
    EXPECT_EQ(numero_coup, 13);
    BoitesEnTest::efface();
  }
  liens_ouvertures().partie_depuis_debut = nullptr;
}

TEST(PrefixesDeCoups, LesDemiCoupsJouesDonnentLeursLignes) {
  struct Cas {
    std::vector<std::string> coups;
    int max;
    std::vector<std::string> attendu;
  } cas[] = {
      {{"e4", "e5", "Nf3"}, 12, {"1.e4", "1.e4 e5", "1.e4 e5 2.Nf3"}},
      {{"e4", "e5", "Nf3", "Nc6"}, 2, {"1.e4", "1.e4 e5"}},
      // a move that cannot be played ends the line
      {{"e4", "e5", "Ke3", "Nc6"}, 12, {"1.e4", "1.e4 e5"}},
      // a result is no move
      {{"e4", "1-0"}, 12, {"1.e4"}},
      {{"e4", "e5", "Nf3", "Nc6", "Bc4", "Nf6", "O-O"},
       12,
       {"1.e4", "1.e4 e5", "1.e4 e5 2.Nf3", "1.e4 e5 2.Nf3 Nc6", "1.e4 e5 2.Nf3 Nc6 3.Bc4",
        "1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.O-O"}},
  };
  for (int orientation : {BLANC, NOIR}) {
    for (const Cas& c : cas) {
      couleur_joueur = orientation;
      EXPECT_EQ(prefixes_de_coups(c.coups, c.max), c.attendu);
      EXPECT_EQ(couleur_joueur, orientation);
    }
  }
}

TEST_F(Enrichissement, LesPrefixesNeSontAjoutesQuUneFois) {
  AjoutPrefixes ajout;
  // "1.e4 e5 *" ships already: one new line from the first game.
  EXPECT_EQ(ajout.ajoute(QStringLiteral("C40"), {"1.e4", "1.e4 e5", "1.e4 e5 2.Nf3"}), 2);
  EXPECT_EQ(ajout.ajoute(QStringLiteral("C41"), {"1.e4", "1.e4 e5", "1.e4 e5 2.Nf3", "1.e4 e5 2.Nf3 d6"}), 1);
  const QList<LigneEco> lignes = lignes_base();
  ASSERT_EQ(lignes.size(), 4);
  EXPECT_EQ(lignes[1].coup, QStringLiteral("1.e4 *"));
  EXPECT_EQ(lignes[1].code, QStringLiteral("C40"));
  EXPECT_EQ(lignes[1].libelle, QStringLiteral("C40"));
  EXPECT_FALSE(lignes[1].connaissance);
  EXPECT_FALSE(lignes[1].note.isValid() && !lignes[1].note.isNull());
  EXPECT_EQ(lignes[3].coup, QStringLiteral("1.e4 e5 2.Nf3 d6 *"));
  EXPECT_EQ(lignes[3].code, QStringLiteral("C41"));
}

}  // namespace
