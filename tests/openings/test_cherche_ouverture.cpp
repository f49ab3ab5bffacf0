// The opening lookup: naming the opening after a move, the unknown-opening
// line, the list of continuing lines with its progress window and stop.
#include <QPushButton>

#include "chess/etat.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/reglages_ouvertures.h"
#include "platform/evenements.h"
#include "platform/langue_messages.h"
#include "tests/openings/aide_ouvertures.h"

namespace {

QList<LigneEco> base_espagnole() {
  return {
      {"B00", "King's Pawn Game", "1.e4 *"},
      {"C20", "King's Pawn Game", "1.e4 e5 *"},
      {"C68", "Ruy Lopez: Exchange Variation", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Bxc6 *"},
      {"C60", "Ruy Lopez", "1.e4 e5 2.Nf3 Nc6 3.Bb5 *"},
      {"C70", "Ruy Lopez: Morphy Defense", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 *"},
      {"A40", "Queen's Pawn Game", "1.d4 *"},
  };
}

class TestChercheOuverture : public TestOuvertures {};

TEST_F(TestChercheOuverture, NamesTheOpeningOfTheMovesAndWritesItToTheCommentWindow) {
  cree_base(base_espagnole());
  // The line that ends with the moves names them, before any longer line.
  cherche_ouverture(1, "1.e4 e5 2.Nf3 Nc6 3.Bb5");
  EXPECT_EQ(eco_courant, "C60");
  EXPECT_EQ(ouverture_courante, "Ruy Lopez");
  EXPECT_EQ(texte_commentaire(), "[C60 - Ruy Lopez]\n");

  // Between two lines of the base: a line that continues the moves.
  cherche_ouverture(1, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6");
  EXPECT_TRUE(eco_courant == "C68" || eco_courant == "C70") << eco_courant.toStdString();
  EXPECT_EQ(texte_commentaire().count('\n'), 2);

  // Blanks closing the movetext do not hide its lines.
  cherche_ouverture(1, "1.d4 ");
  EXPECT_EQ(eco_courant, "A40");
}

TEST_F(TestChercheOuverture, EmptyMovetextTakesTheFirstRowOfTheTable) {
  cree_base(base_espagnole());
  cherche_ouverture(1, "");
  EXPECT_EQ(eco_courant, "B00");
  EXPECT_EQ(texte_commentaire(), "[B00 - King's Pawn Game]\n");
}

TEST_F(TestChercheOuverture, OffBookReportsTheUnknownOpeningOnlyBelowTheMoveLimit) {
  cree_base(base_espagnole());
  max_coup_ouverture = 10;
  cherche_ouverture(1, "1.e4 e5");
  fenetre_comment()->voir_coup->setEnabled(true);
  ASSERT_EQ(eco_courant, "C20");

  numero_coup = 9;
  cherche_ouverture(1, "1.e4 e5 2.Qh5");
  EXPECT_EQ(texte_commentaire(), "[C20 - King's Pawn Game]\n[Ouverture non référencée]\n");
  // The name of the last known opening stays; the buttons go off.
  EXPECT_EQ(eco_courant, "C20");
  EXPECT_EQ(ouverture_courante, "King's Pawn Game");
  EXPECT_FALSE(fenetre_comment()->voir_coup->isEnabled());
  EXPECT_FALSE(menu_voir);

  numero_coup = 10;
  cherche_ouverture(1, "1.e4 e5 2.Qh5 Nc6");
  EXPECT_EQ(texte_commentaire().count(QStringLiteral("non référencée")), 1);

  // Back in the base: the buttons come back on.
  cherche_ouverture(1, "1.e4");
  EXPECT_TRUE(fenetre_comment()->voir_coup->isEnabled());
  EXPECT_TRUE(menu_voir);
}

TEST_F(TestChercheOuverture, WithTheCommentOptionOffOnlyTheOpeningNameChanges) {
  cree_base(base_espagnole());
  max_coup_ouverture = 10;
  coche = false;
  menu_voir = true;
  cherche_ouverture(1, "1.d4");
  EXPECT_EQ(eco_courant, "A40");
  cherche_ouverture(1, "1.h4");
  EXPECT_TRUE(menu_voir);
  EXPECT_EQ(fenetre_comment_chargee(), nullptr);
  EXPECT_EQ(texte_commentaire(), "");
}

TEST_F(TestChercheOuverture, CastlingShortIsNotTheStartOfCastlingLongNorAPawnMoveOfAPieceMove) {
  cree_base({
      {"D00", "Long castle line", "1.d4 d5 2.Nc3 Nf6 3.Bf4 e6 4.Qd2 Be7 5.O-O-O *"},
      {"A01", "Bishop line", "1.b3 e5 2.Bb2 Nc6 3.e3 Bb4 4.Nc3 Bxc3 *"},
  });
  max_coup_ouverture = 10;
  numero_coup = 5;
  cherche_ouverture(1, "1.d4 d5 2.Nc3 Nf6 3.Bf4 e6 4.Qd2 Be7 5.O-O");
  EXPECT_EQ(texte_commentaire(), "[Ouverture non référencée]\n");
  EXPECT_EQ(eco_courant, "inconnu");

  cherche_ouverture(1, "1.b3 e5 2.Bb2 Nc6 3.e3 Bb4 4.Nc3 bxc3");
  EXPECT_EQ(eco_courant, "inconnu");
  // A move that the line plays is found, whatever follows it.
  cherche_ouverture(1, "1.b3 e5 2.Bb2 Nc6 3.e3 Bb4 4.Nc3 Bxc3");
  EXPECT_EQ(eco_courant, "A01");
  // Half a move is no move.
  cherche_ouverture(1, "1.b3 e5 2.Bb2 Nc6 3.e3 Bb4 4.Nc");
  EXPECT_EQ(eco_courant, "A01");
  EXPECT_TRUE(texte_commentaire().endsWith("[Ouverture non référencée]\n"));
}

TEST_F(TestChercheOuverture, QuotesAndWildcardsInTheMovesAreTextNotSyntax) {
  cree_base({{"C20", "Anderssen's \"Opening\"", "1.e4 e5 *"}});
  max_coup_ouverture = 10;
  cherche_ouverture(1, "1.e4 e5' OR '1'='1");
  EXPECT_EQ(eco_courant, "inconnu");
  cherche_ouverture(1, "1.e4 %");
  cherche_ouverture(1, "1.e4 _5");
  EXPECT_EQ(eco_courant, "inconnu");
  EXPECT_EQ(texte_commentaire().count(QStringLiteral("non référencée")), 3);
  // And a quote in a stored name comes back as it is.
  cherche_ouverture(1, "1.e4");
  EXPECT_EQ(ouverture_courante, "Anderssen's \"Opening\"");
  EXPECT_EQ(db_eco.valeur("SELECT count(*) FROM ECO").toInt(), 1);
}

TEST_F(TestChercheOuverture, ListsTheContinuingLinesAndCountsThemInTheCaption) {
  cree_base(base_espagnole());
  liste.lignes.append({"ancienne", "X", "Y", "Z"});
  liste.titre_fenetre = " ouvertures - 1.e4 e5 2.Nf3";
  cherche_ouverture(0, "1.e4 e5 2.Nf3");
  ASSERT_EQ(liste.nb_lignes(), 3);
  QStringList codes;
  for (const auto& l : liste.lignes) codes << l.code;
  codes.sort();
  EXPECT_EQ(codes, QStringList({"C60", "C68", "C70"}));
  for (const auto& l : liste.lignes) {
    const int cle = l.cle.mid(3).toInt();
    EXPECT_TRUE(l.cle.startsWith("ref"));
    EXPECT_EQ(db_eco.valeur("SELECT Eco_coup FROM ECO WHERE Eco_cle = ?", {cle}).toString(), l.coups);
  }
  EXPECT_EQ(liste.titre_fenetre, "3 ouvertures - 1.e4 e5 2.Nf3");
  EXPECT_EQ(patience.ouvertures, 0);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
}

TEST_F(TestChercheOuverture, ListWithNoMatchLeavesTheWindowAsItWas) {
  cree_base(base_espagnole());
  liste.lignes.append({"ref9", "X", "Y", "Z"});
  liste.titre_fenetre = " ouvertures - 1.g4";
  cherche_ouverture(0, "1.g4");
  EXPECT_EQ(liste.nb_lignes(), 1);
  EXPECT_EQ(liste.titre_fenetre, " ouvertures - 1.g4");
  EXPECT_FALSE(menu_voir);
}

QList<LigneEco> lignes_nombreuses(int n) {
  QList<LigneEco> lignes;
  for (int i = 0; i < n; ++i) lignes.append({"A00", QStringLiteral("Ligne %1").arg(i), QStringLiteral("1.a3 a6 %1 *").arg(i)});
  return lignes;
}

TEST_F(TestChercheOuverture, LongListShowsProgressAndStopsAfterTheCurrentLineOnCancel) {
  cree_base(lignes_nombreuses(240));
  liste.titre_fenetre = " ouvertures - 1.a3";
  liste.apres_ajout = [](int n) {
    if (n == 57) arret_demande = true;  // the stop button, pressed while line 57 is handled
  };
  cherche_ouverture(0, "1.a3");
  EXPECT_EQ(liste.nb_lignes(), 57);
  EXPECT_EQ(liste.titre_fenetre, "57 ouvertures - 1.a3");
  EXPECT_EQ(patience.titre, "Chargement des ouvertures...");
  EXPECT_EQ(patience.ouvertures, 1);
  EXPECT_EQ(patience.fermetures, 1);
  ASSERT_FALSE(patience.libelles.isEmpty());
  EXPECT_EQ(patience.libelles.last(), "57/240  ouvertures");
  EXPECT_NEAR(patience.valeurs.last(), 100.0 / 240 * 57, 1e-9);
  EXPECT_FALSE(plateforme::curseur_attente_actif());

  // A new list clears the stop request and runs to the end.
  liste.apres_ajout = nullptr;
  liste.titre_fenetre = " ouvertures";
  cherche_ouverture(0, "");
  EXPECT_EQ(liste.nb_lignes(), 240);
  EXPECT_EQ(patience.libelles.last(), "240/240  ouvertures");
  EXPECT_DOUBLE_EQ(patience.valeurs.last(), 100.0);
}

TEST_F(TestChercheOuverture, HundredLinesOrFewerGoWithoutTheProgressWindow) {
  cree_base(lignes_nombreuses(100));
  cherche_ouverture(0, "1.a3 a6");
  EXPECT_EQ(liste.nb_lignes(), 100);
  EXPECT_EQ(patience.ouvertures, 0);
  EXPECT_TRUE(patience.libelles.isEmpty());
}

TEST_F(TestChercheOuverture, OtherModesOnlyUpdateTheButtons) {
  cree_base(base_espagnole());
  cherche_ouverture(2, "1.d4");
  EXPECT_EQ(eco_courant, "inconnu");
  EXPECT_EQ(liste.nb_lignes(), 0);
  EXPECT_TRUE(menu_voir);
  cherche_ouverture(2, "1.c4");
  EXPECT_FALSE(menu_voir);
}

TEST_F(TestChercheOuverture, DatabaseErrorIsShownAndTheCallerGoesOn) {
  cree_base(base_espagnole());
  db_eco.ferme();
  plateforme::BoitesEnTest::repond(boite::OK);
  cherche_ouverture(1, "1.e4");
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style & boite::EXCLAMATION, boite::EXCLAMATION);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, "Morvandel");
  EXPECT_EQ(eco_courant, "inconnu");
  EXPECT_FALSE(plateforme::curseur_attente_actif());
}

// Emptied under the program, the base refuses a lookup; put back byte for byte, it is read at the next one.
TEST_F(TestChercheOuverture, ABaseEmptiedThenPutBackIsReadAgainAtTheNextLookup) {
  cree_base(base_espagnole());
  const QByteArray bonne = octets_fichier(chemin_base(), "<absent>");
  cherche_ouverture(0, "1.d4");  // the file's pages read, the count statement kept
  ecrit_octets(chemin_base(), QByteArray());
  plateforme::BoitesEnTest::repond(boite::OK);
  cherche_ouverture(1, "1.e4");
  ASSERT_EQ(plateforme::BoitesEnTest::textes(),
            QStringList{plateforme::avec_detail(plateforme::texte_message(780), "no such table: ECO")});
  ecrit_octets(chemin_base(), bonne);
  cherche_ouverture(1, "1.e4 e5");
  EXPECT_EQ(eco_courant, "C20");
}

TEST_F(TestChercheOuverture, ADuplicateKeyInTheListEndsTheFillWithAMessage) {
  cree_base(base_espagnole());
  // Another line already holds the key of the first row.
  liste.apres_ajout = [this](int n) {
    if (n == 1) liste.lignes.append({QStringLiteral("ref%1").arg(liste.lignes[0].cle.mid(3).toInt() + 1), "", "", ""});
  };
  plateforme::BoitesEnTest::repond(boite::OK);
  cherche_ouverture(0, "1.e4");
  EXPECT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(patience.ouvertures, 0);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
}

TEST_F(TestChercheOuverture, TheOpeningsCommandSetsTheCaptionFillsAndShowsTheList) {
  cree_base(base_espagnole());
  texte_partie = "1.e4 e5";
  montre_ouvertures_possibles();
  EXPECT_EQ(liste.titre_fenetre, "4 ouvertures - 1.e4 e5");
  EXPECT_EQ(liste.montree, 1);
}

}  // namespace
