// The book move: which line is chosen, how its next move is cut and read,
// in both board orientations and for both colours.
#include <map>

#include "chess/etat.h"
#include "chess/notation.h"
#include "openings/base_eco.h"
#include "openings/coup_bibliotheque.h"
#include "openings/hasard.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "tests/openings/aide_ouvertures.h"

namespace {

struct Coup {
  bool trouve = false;
  int cs = 0, ls = 0, cd = 0, ld = 0;
  std::string marques;
  float note = -1;
  std::string origine, cible;
};

// Plays `coups` on the board (the position the book move reads) and asks for
// the book move of the side to move.
Coup demande(const std::string& coups) {
  texte_partie = movetext_de_ligne(coups);
  const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
  Coup c;
  c.trouve = coup_bibliotheque(couleur, texte_partie, c.cs, c.ls, c.cd, c.ld, c.marques, c.note);
  if (c.trouve) {
    c.origine = nom_case(c.cs, c.ls);
    c.cible = nom_case(c.cd, c.ld);
  }
  return c;
}

class TestCoupBibliotheque : public TestOuvertures, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    couleur_joueur = GetParam();
    active_base_con[1] = 1;
    ouverture_aleatoire[1] = 0;
  }
};

TEST_P(TestCoupBibliotheque, LongestLineFirstAndWhitesMoveReadAfterItsNumber) {
  cree_base({{"C40", "King's Knight", "1.e4 e5 2.Nf3 Nc6 *"}, {"C40", "Bishop", "1.e4 e5 2.Bc4 *"}});
  const Coup c = demande("1.e4 e5");
  ASSERT_TRUE(c.trouve);
  EXPECT_EQ(c.origine, "g1");
  EXPECT_EQ(c.cible, "f3");
  EXPECT_EQ(tab_echiquier(c.cs, c.ls), CAVALIER_BLANC);
  EXPECT_EQ(c.note, 0.0f);
  EXPECT_EQ(pointeurs, QList<int>({CAVALIER_BLANC})) << "the board window's pointer shows the knight";
  // The screen squares follow the orientation.
  if (couleur_joueur == BLANC) {
    EXPECT_EQ(c.cs, 7);
    EXPECT_EQ(c.ls, 8);
  } else {
    EXPECT_EQ(c.cs, 2);
    EXPECT_EQ(c.ls, 1);
  }
}

TEST_P(TestCoupBibliotheque, FirstMoveOfTheGameForWhiteButNotForBlack) {
  cree_base({{"A40", "Queen's Pawn", "1.d4 *"}});
  const Coup c = demande("");
  ASSERT_TRUE(c.trouve);
  EXPECT_EQ(c.origine, "d2");
  EXPECT_EQ(c.cible, "d4");

  place_position_depart();
  int cs, ls, cd, ld;
  std::string marques;
  float note;
  EXPECT_FALSE(coup_bibliotheque(NOIR, "", cs, ls, cd, ld, marques, note));
}

TEST_P(TestCoupBibliotheque, TheBookMoveIsTheNextMoveOfTheChosenLine) {
  struct Cas {
    const char* pourquoi;
    QList<LigneEco> base;
    const char* coups;
    const char* origine;  // nullptr: no book move
    const char* cible;
    int piece;           // on the starting square
    float note;          // 0 for a line that is not learned
    const char* marque;  // found in the marks read with the move ("": none asked)
  };
  const Cas cas[] = {
      {"Black's move is the token right after the moves", {{"B20", "Sicilian", "1.e4 c5 2.Nf3 *"}}, "1.e4", "c7",
       "c5", PION_NOIR, 0.0f, ""},
      {"a line that ends with the moves", {{"B00", "King's Pawn", "1.e4 *"}}, "1.e4", nullptr, nullptr, 0, 0.0f, ""},
      {"a line ending here does not hide the lines that go on",
       {{"C20", "Learned game", "1.e4 e5 *", true, 50.0},
        {"C20", "Finished game", "1.e4 e5 1-0", true, 60.0},
        {"C40", "King's Knight", "1.e4 e5 2.Nf3 *"}},
       "1.e4 e5", "g1", "f3", CAVALIER_BLANC, 0.0f, ""},
      {"learned lines first among equal ratings, with their rating",
       {{"C99", "Book line", "1.e4 e5 2.Nf3 *", false, 35.5},
        {"C20", "Learned line", "1.e4 e5 2.Bc4 *", true, 35.5},
        {"C50", "Unrated", "1.e4 e5 2.Qh5 *"}},
       "1.e4 e5", "f1", "c4", FOU_BLANC, 35.5f, ""},
      {"castling long is continued", {{"D00", "Long", "1.d4 d5 2.Nc3 Nf6 3.Bf4 e6 4.Qd2 Be7 5.O-O-O O-O *"}},
       "1.d4 d5 2.Nc3 Nf6 3.Bf4 e6 4.Qd2 Be7 5.O-O-O", "e8", "g8", ROI_NOIR, 0.0f, ""},
      {"castling short is not continued by castling long lines",
       {{"D00", "Short", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O-O *"}}, "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O", nullptr,
       nullptr, 0, 0.0f, ""},
      {"the king cannot go two squares", {{"C20", "Impossible king", "1.e4 e5 2.Ke3 *"}}, "1.e4 e5", nullptr, nullptr,
       0, 0.0f, ""},
      {"no knight reaches the square", {{"C20", "No such knight", "1.e4 e5 2.Nd5 *"}}, "1.e4 e5", nullptr, nullptr, 0,
       0.0f, ""},
      {"promotion marks come back with the move",
       {{"A00", "Race", "1.h4 g5 2.hxg5 f6 3.gxf6 Nh6 4.fxe7 Rg8 5.exf8=Q+ *"}},
       "1.h4 g5 2.hxg5 f6 3.gxf6 Nh6 4.fxe7 Rg8", "e7", "f8", PION_BLANC, 0.0f, "=Q"},
      // The capture is written with its "e.p." mark, dots and all: the token
      // is cut whole and the move after it is found.
      {"the en passant capture", {{"B01", "Scandinavian", "1.e4 d5 2.exd5 e5 3.dxe6e.p. Bxe6 4.Nf3 *"}},
       "1.e4 d5 2.exd5 e5", "d5", "e6", PION_BLANC, 0.0f, ""},
      {"the move after the en passant capture",
       {{"B01", "Scandinavian", "1.e4 d5 2.exd5 e5 3.dxe6e.p. Bxe6 4.Nf3 *"}}, "1.e4 d5 2.exd5 e5 3.dxe6", "c8", "e6",
       FOU_NOIR, 0.0f, ""},
      {"two moves after the en passant capture",
       {{"B01", "Scandinavian", "1.e4 d5 2.exd5 e5 3.dxe6e.p. Bxe6 4.Nf3 *"}}, "1.e4 d5 2.exd5 e5 3.dxe6 Bxe6", "g1",
       "f3", CAVALIER_BLANC, 0.0f, ""},
  };
  int n = 0;
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::string(c.pourquoi) + ": " + c.coups);
    cree_base(c.base, chemin_base() + QString::number(++n));
    pointeurs.clear();
    const Coup k = demande(c.coups);
    if (!c.origine) {
      EXPECT_FALSE(k.trouve);
      EXPECT_TRUE(pointeurs.isEmpty());
      continue;
    }
    ASSERT_TRUE(k.trouve) << texte_partie;
    EXPECT_EQ(k.origine, c.origine);
    EXPECT_EQ(k.cible, c.cible);
    EXPECT_EQ(tab_echiquier(k.cs, k.ls), c.piece);
    EXPECT_EQ(pointeurs, QList<int>({c.piece}));
    EXPECT_FLOAT_EQ(k.note, c.note);
    if (*c.marque) {
      EXPECT_NE(k.marques.find(c.marque), std::string::npos) << k.marques;
    }
  }
}

TEST_P(TestCoupBibliotheque, HighestRatingFirstThenCodeDescendingAndUnratedLast) {
  cree_base({{"C99", "Unrated", "1.e4 e5 2.Qh5 *"},
             {"C20", "Low", "1.e4 e5 2.Bc4 *", true, -20.0},
             {"C30", "Gambit", "1.e4 e5 2.f4 *", false, 0.0},
             {"C40", "Knight", "1.e4 e5 2.Nf3 *", false, 0.0}});
  Coup c = demande("1.e4 e5");
  ASSERT_TRUE(c.trouve);
  EXPECT_EQ(c.cible, "f3") << "rating 0, code C40 above C30";
  EXPECT_EQ(c.note, 0.0f) << "a line that is not learned gives no rating";
  db_eco.execute("DELETE FROM ECO WHERE Eco_code IN ('C30', 'C40')");
  c = demande("1.e4 e5");
  EXPECT_EQ(c.cible, "c4") << "a rated line before an unrated one";
  EXPECT_FLOAT_EQ(c.note, -20.0f);
}

TEST_P(TestCoupBibliotheque, ManyMatchingLinesAreOrderedTheSameWay) {
  // More lines than are sorted directly: the ordered index is walked instead.
  QList<LigneEco> lignes;
  for (int i = 0; i < 400; ++i) lignes.append({"B00", "Filler", QStringLiteral("1.e4 e5 2.Nc3 x%1 *").arg(i)});
  lignes.append({"B00", "Learned", "1.e4 c5 2.Nf3 *", true, 10.0});
  lignes.append({"C00", "French", "1.e4 e6 2.d4 *", false, 10.0});
  cree_base(lignes);
  Coup c = demande("1.e4");
  ASSERT_TRUE(c.trouve);
  EXPECT_EQ(c.cible, "c5");
  EXPECT_FLOAT_EQ(c.note, 10.0f);
  c = demande("1.e4 e5");
  ASSERT_TRUE(c.trouve);
  EXPECT_EQ(c.cible, "c3");
  EXPECT_EQ(c.origine, "b1");
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, TestCoupBibliotheque, ::testing::Values(BLANC, NOIR),
                         [](const auto& info) { return info.param == BLANC ? "BlancEnBas" : "NoirEnBas"; });

class TestCoupBibliothequeReglages : public TestOuvertures {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    active_base_con[1] = 1;
    ouverture_aleatoire[1] = 0;
  }
};

TEST_F(TestCoupBibliothequeReglages, BaseOffForTheProfileMeansNoQuery) {
  cree_base({{"B20", "Sicilian", "1.e4 c5 *"}});
  db_eco.ferme();  // a query would fail with a message
  active_base_con[1] = 0;
  EXPECT_FALSE(demande("1.e4").trouve);
  // The profile in force decides.
  active_base_con[1] = 1;
  active_base_con[2] = 0;
  profil = 2;
  EXPECT_FALSE(demande("1.e4").trouve);
}

TEST_F(TestCoupBibliothequeReglages, SecondProfileUsesItsOwnSettings) {
  cree_base({{"B20", "Sicilian", "1.e4 c5 *"}, {"B20", "Sicilian 2", "1.e4 c5 2.Nf3 *"}});
  active_base_con[1] = 0;
  active_base_con[2] = 1;
  ouverture_aleatoire[2] = 0;
  profil = 2;
  EXPECT_TRUE(demande("1.e4").trouve);
}

TEST_F(TestCoupBibliothequeReglages, RandomChoiceDrawsEveryLineEquallyOften) {
  cree_base({{"A00", "Un", "1.e4 a6 *", true, 1.0}, {"A00", "Deux", "1.e4 b6 *", true, 2.0},
             {"A00", "Trois", "1.e4 c6 *", true, 3.0}});
  ouverture_aleatoire[1] = 1;
  initialise_hasard(2024);
  std::map<float, int> tirages;
  for (int i = 0; i < 3000; ++i) ++tirages[demande("1.e4").note];
  ASSERT_EQ(tirages.size(), 3u);
  for (const auto& [note, n] : tirages) EXPECT_NEAR(n, 1000, 120) << "rating " << note;

  // The same seed gives the same sequence.
  initialise_hasard(7);
  std::vector<float> premiere, seconde;
  for (int i = 0; i < 20; ++i) premiere.push_back(demande("1.e4").note);
  initialise_hasard(7);
  for (int i = 0; i < 20; ++i) seconde.push_back(demande("1.e4").note);
  EXPECT_EQ(premiere, seconde);
}

TEST_F(TestCoupBibliothequeReglages, RandomChoiceServesMoreLinesThanASixteenBitCounter) {
  cree_base({});
  // 40000 learned lines that all continue 1.e4 with e5; the rating of each is its number.
  db_eco.execute(
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39999) "
      "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) "
      "SELECT 'A00', 'L', '1.e4 e5 x' || i || ' *', 1, i FROM n");
  ASSERT_EQ(db_eco.valeur("SELECT count(*) FROM ECO").toInt(), 40000);
  ouverture_aleatoire[1] = 1;
  initialise_hasard(99);
  float plus_haute = 0, plus_basse = 40000;
  for (int i = 0; i < 60; ++i) {
    const Coup c = demande("1.e4");
    ASSERT_TRUE(c.trouve);
    EXPECT_EQ(c.cible, "e5");
    plus_haute = std::max(plus_haute, c.note);
    plus_basse = std::min(plus_basse, c.note);
  }
  EXPECT_GT(plus_haute, 32767.0f);
  EXPECT_LT(plus_basse, 8000.0f);
}

TEST_F(TestCoupBibliothequeReglages, QuotesInTheMovesAreText) {
  cree_base({{"B20", "Sicilian", "1.e4 c5 *"}});
  int cs, ls, cd, ld;
  std::string marques;
  float note;
  place_position_depart();
  EXPECT_FALSE(coup_bibliotheque(NOIR, "1.e4' OR 'a'='a", cs, ls, cd, ld, marques, note));
  EXPECT_FALSE(coup_bibliotheque(NOIR, "1.e%", cs, ls, cd, ld, marques, note));
}

TEST_F(TestCoupBibliothequeReglages, ErrorsAreShownAndGiveNoMove) {
  cree_base({{"B20", "Sicilian", "1.e4 c5 *"}});
  db_eco.ferme();
  plateforme::BoitesEnTest::repond(boite::OK);
  const Coup c = demande("1.e4");
  EXPECT_FALSE(c.trouve);
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, "Morvandel");
  EXPECT_EQ(c.cs + c.ls + c.cd + c.ld, 0);
}

TEST_F(TestCoupBibliothequeReglages, UnreadableTokenShowsTheReadersMessage) {
  cree_base({{"B20", "Broken", "1.e4 Zz9 *"}});
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_FALSE(demande("1.e4").trouve);
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].texte.startsWith("Erreur de chargement du coup"));
}

}  // namespace
