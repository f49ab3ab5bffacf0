// Printing the game in hand: the three formats on a short game and on a game
// of 150 moves, read back from the PDF; wrapping at blanks; page breaks by
// measured height; no board window; a failed print.
#include <QAction>
#include <QListWidget>
#include <QRegularExpression>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/imprimante.h"
#include "chess/poids.h"
#include "play/entete_partie.h"
#include "play/impression.h"
#include "play/rejoue.h"
#include "tests/common/aide_pdf.h"
#include "tests/play/aide_plateau.h"

namespace {

// The lines of every page of the one job printed, blanks collapsed.
QStringList lignes_imprimees(int* pages = nullptr) {
  EXPECT_EQ(impressions().size(), 1);
  if (impressions().isEmpty()) return {};
  const QStringList texte = pages_pdf(impressions().back());
  if (pages) *pages = static_cast<int>(texte.size());
  EXPECT_EQ(nb_pages_pdf(impressions().back()), texte.size());
  QStringList l;
  for (const QString& page : texte)
    for (const QString& ligne : lignes_page(page)) l << ligne.simplified();
  return l;
}

// A game of `n` full moves of knights going out and back.
std::string partie_de_cavaliers(int n) {
  const char* blancs[] = {"Nf3", "Nc3", "Nb1", "Ng1"};
  const char* noirs[] = {"Nf6", "Nc6", "Nb8", "Ng8"};
  std::string t;
  for (int i = 0; i < n; ++i) t += std::to_string(i + 1) + "." + blancs[i % 4] + " " + noirs[i % 4] + " ";
  return t;
}

class TestImpressionPartie : public TestPlateau {
 protected:
  void SetUp() override {
    TestPlateau::SetUp();
    sauve_abrege = 1;
    eco_courant = "C40";
    ouverture_courante = "Partie du cavalier";
  }
  // The board window with `coups` replayed onto it.
  void joue(const std::string& coups) {
    ouvre();
    texte_partie = coups;
    ControlesPartie c = p->controles();
    rejoue_partie(c, BLANC);
  }
  // Prints and expects the success message only.
  QStringList imprime(int format, int* pages = nullptr) {
    plateforme::BoitesEnTest::repond(boite::OK);
    EXPECT_TRUE(imprime_partie(format));
    EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{texte(220)});
    return lignes_imprimees(pages);
  }
};

TEST(CoupeAuxBlancs, CutsAtBlanksNeverInsideAWord) {
  const QString soixante_dix = QString(66, 'a') + " bcd";
  const struct {
    QString texte;
    QStringList attendu;
  } cas[] = {
      {"", {}},
      {soixante_dix, {soixante_dix}},
      {soixante_dix + "e", {QString(66, 'a'), "bcde"}},
      {"1.e4 e5  2.Nf3", {"1.e4 e5 2.Nf3"}},
      {QString(75, 'x') + " y", {QString(70, 'x'), "xxxxx y"}},
  };
  for (const auto& c : cas) EXPECT_EQ(coupe_aux_blancs(c.texte, 70), c.attendu) << c.texte.toStdString();
}

TEST_F(TestImpressionPartie, BuiltHeaderHoldsTwelveTagsThenAnEmptyLine) {
  nom_joueur[1] = "Alice";
  nom_moteur[1] = "Morvandel";
  niveau_elo[1] = 1500;
  lieu_jeu = "Autun";
  resultat_partie = "1-0";
  const QStringList l = entete_impression().split("\r\n");
  ASSERT_EQ(l.size(), 14);
  EXPECT_TRUE(l[0].startsWith("[Event \"Partie du "));
  EXPECT_EQ(l[1], "[Site \"Autun\"]");
  EXPECT_EQ(l[4], "[White \"Alice\"]");
  EXPECT_EQ(l[5], "[Black \"Morvandel\"]");
  // The user's rating goes with the user, the engine's level Elo with the engine.
  EXPECT_EQ(l[6], "[WhiteElo \"1500\"]");
  EXPECT_EQ(l[7], "[BlackElo \"" + table_elo[profondeur_max[1]] + "\"]");
  EXPECT_EQ(l[8], "[Result \"1-0\"]");
  EXPECT_EQ(l[9], "[ECO \"C40\"]");
  EXPECT_EQ(l[11], "[Variation \"a modifier\"]");
  EXPECT_EQ(l[12], "");
  entete_pgn = "[Event \"Club\"]\r\n";
  EXPECT_EQ(entete_impression(), "[Event \"Club\"]\r\n");
}

// Each format of a game of three half-moves: what stands on the page, in order.
TEST_F(TestImpressionPartie, ShortGameInEachFormat) {
  joue("1.e4 e5 2.Nf3");
  // A tag line wider than the page goes on, whole, over the next lines.
  const QString long_tag = "[Opening \"" + QString("Sicilienne, variante Najdorf ").repeated(8).left(200) + "\"]";
  entete_pgn = ("[Event \"Club\"]\r\n" + long_tag + "\r\n[White \"Alice\"]\r\n").toStdString();
  const QStringList liste = lignes_liste();
  ASSERT_EQ(liste.size(), 3);
  const QString titre = "MORVANDEL - Partie en cours - ";
  const struct {
    int format;
    QStringList attendu;
  } cas[] = {
      {0, {"[Event \"Club\"]", "[White \"Alice\"]", "1.e4 e5 2.Nf3"}},
      {1, {"[Event \"Club\"]", "[White \"Alice\"]", (liste[0] + " " + liste[1].trimmed()).simplified(),
           liste[2].simplified()}},
      {2,
       {"[Event \"Club\"]", "[White \"Alice\"]", "r n b q k b n r r n b q k b n r",
        ". . . . . . . . . . . . p . . .", ". . . . P . . . . . . . P . . .",
        "R N B Q K B N R R N B Q K B N R", (liste[0] + " " + liste[1].trimmed()).simplified(),
        "r n b q k b n r", ". . . . . N . .", "R N B Q K B . R", liste[2].simplified()}},
      {7, {}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.format);
    plateforme::ImpressionsEnTest::active(dossier() + QString("/f%1").arg(c.format));
    QDir().mkpath(dossier() + QString("/f%1").arg(c.format));
    plateforme::BoitesEnTest::efface();
    int pages = 0;
    const QStringList l = imprime(c.format, &pages);
    EXPECT_EQ(pages, 1);
    ASSERT_FALSE(l.isEmpty());
    EXPECT_TRUE(l[0].startsWith(titre)) << l[0].toStdString();
    int k = 1;
    for (const QString& a : c.attendu) {
      while (k < l.size() && l[k] != a) ++k;
      EXPECT_LT(k, l.size()) << "missing or out of order: " << a.toStdString() << "\n" << l.join("\n").toStdString();
    }
    if (c.format == 7) {
      EXPECT_EQ(l.size(), 1);
    } else {
      const qsizetype o = l.indexOf(QRegularExpression("\\[Opening .*"));
      EXPECT_EQ(l.mid(o, l.indexOf("[White \"Alice\"]") - o).join(' '), long_tag);
    }
  }
}

// 150 moves: every format continues over pages, nothing lost, moves whole.
TEST_F(TestImpressionPartie, LongGameGoesOnOverPagesWithNothingLost) {
  joue(partie_de_cavaliers(150));
  entete_pgn = "[Event \"Long\"]\r\n";
  const QStringList liste = lignes_liste();
  ASSERT_EQ(liste.size(), 300);

  // Format 0: the movetext's tokens, in order, none cut; no line over 70.
  int pages = 0;
  QStringList l = imprime(0, &pages);
  QStringList jetons;
  for (const QString& ligne : l.mid(2)) {
    if (ligne.startsWith('[')) continue;
    EXPECT_LE(ligne.size(), 70);
    jetons << ligne.split(' ', Qt::SkipEmptyParts);
  }
  EXPECT_EQ(jetons, QString::fromStdString(texte_partie).split(' ', Qt::SkipEmptyParts));

  // Format 1: 150 lines of two half-moves.
  plateforme::BoitesEnTest::efface();
  plateforme::ImpressionsEnTest::efface();
  l = imprime(1, &pages);
  EXPECT_GE(pages, 3);
  QStringList attendues;
  for (int i = 0; i < 300; i += 2) attendues << (liste[i] + " " + liste[i + 1].trimmed()).simplified();
  l.removeIf([](const QString& s) { return !s.contains("..."); });
  EXPECT_EQ(l, attendues);

  // Format 2: 150 pairs, never cut across a page: eight rows and a caption
  // on the same page.
  plateforme::BoitesEnTest::efface();
  plateforme::ImpressionsEnTest::efface();
  plateforme::BoitesEnTest::repond(boite::OK);
  int format = 2;
  ASSERT_TRUE(imprime_partie(format));
  const QStringList feuilles = pages_pdf(impressions().back());
  EXPECT_GE(feuilles.size(), 20);
  EXPECT_EQ(nb_pages_pdf(impressions().back()), feuilles.size());
  static const QRegularExpression rangee("^([.pnbrqkPNBRQK] ){15}[.pnbrqkPNBRQK]$");
  int legendes = 0;
  for (const QString& f : feuilles) {
    int rangees = 0, ici = 0;
    for (const QString& ligne : lignes_page(f)) {
      const QString s = ligne.simplified();
      if (rangee.match(s).hasMatch()) ++rangees;
      if (s.contains("...")) ++ici;
    }
    EXPECT_EQ(rangees, 8 * ici) << f.toStdString();
    legendes += ici;
  }
  EXPECT_EQ(legendes, 150);
}

// A game from a set-up or pasted position: its tag lines name the position,
// its moves carry their own numbers, Black's first move too. A game from the
// usual start, in either orientation, names none.
TEST_F(TestImpressionPartie, UnePartieDepuisUnePositionNommeSaPositionEtSesNumeros) {
  const char* const DEBUT = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  struct Cas {
    const char* nom;
    int en_bas;
    QStringList pieces;  // placed by the set-up, at move 40
    QString fen;         // else pasted when not empty; the start position expected in the tags
    std::vector<std::pair<const char*, const char*>> coups;
    QString movetext;  // as printed
    bool tags;         // [SetUp] and [FEN] printed
  };
  const Cas cas[] = {
      {"a set-up game, White first", BLANC, {"Ke1", "ke8", "Pa7"}, "4k3/P7/8/8/8/8/8/4K3 w - - 0 40",
       {{"a7", "a8"}, {"e8", "d7"}}, "40.a8=Q Kd7", true},
      {"a pasted game, Black first", BLANC, {}, "4k3/P7/8/8/8/8/8/4K3 b - - 3 40", {{"e8", "d7"}, {"a7", "a8"}},
       "40...Kd7 41.a8=Q", true},
      {"a pasted game, Black at the bottom", NOIR, {}, "r3k3/8/8/8/4P3/8/8/4K2R b Kq e3 7 31", {{"e8", "d8"}},
       "31...Kd8", true},
      {"a new game, Black at the bottom", NOIR, {}, {}, {{"e2", "e4"}}, "1.e4", false},
      {"the usual start pasted", BLANC, {}, DEBUT, {{"g1", "f3"}}, "1.Nf3", false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    plateforme::BoitesEnTest::efface();
    plateforme::ImpressionsEnTest::efface();
    fenetres::decharge<plateau>();
    couleur_joueur = c.en_bas;
    ouvre();
    eco_courant = "C40";  // named by the base, or left by the game before
    // The game in hand had tags of its own: they do not go with the new game.
    if (!c.fen.isEmpty()) entete_pgn = "[Event \"Ancienne\"]\r\n[White \"Alice\"]\r\n\r\n";
    if (!c.pieces.isEmpty()) {
      ASSERT_TRUE(met_en_place(c.pieces, 40));
    } else if (!c.fen.isEmpty()) {
      colle_fen(c.fen);
    }
    for (const auto& [de, vers] : c.coups) {
      if (QByteArray(de) == "a7") plateforme::BoitesEnTest::saisit("Q");
      coup(de, vers);
    }
    ASSERT_EQ(lignes_liste().size(), static_cast<int>(c.coups.size()));
    plateforme::BoitesEnTest::efface();  // the promotion's question
    const QStringList l = imprime(0);
    EXPECT_EQ(l.contains("[SetUp \"1\"]"), c.tags) << l.join("\n").toStdString();
    EXPECT_EQ(l.contains("[FEN \"" + c.fen + "\"]"), c.tags) << l.join("\n").toStdString();
    EXPECT_TRUE(l.contains(c.movetext)) << l.join("\n").toStdString();
    EXPECT_FALSE(l.join("\n").contains("Ancienne")) << "a new game record";
    EXPECT_EQ(l.contains("[ECO \"C40\"]"), !c.tags) << "an opening of the base names a game from the usual start only";
  }
  // Tags naming a position of their own (a game loaded with its FEN) keep it.
  const std::string charge = "[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\r\n";
  EXPECT_EQ(avec_position_depart(charge), charge);
}

// An odd number of half-moves: the last pair's right-hand diagram and caption
// are blank, with or without the result line that records the final
// position once more; an even number prints whole pairs only.
TEST_F(TestImpressionPartie, LaDernierePaireDUnNombreImpairDeDemiCoupsALaDroiteVide) {
  static const QRegularExpression paire("^([.pnbrqkPNBRQK] ){15}[.pnbrqkPNBRQK]$");
  static const QRegularExpression seul("^([.pnbrqkPNBRQK] ){7}[.pnbrqkPNBRQK]$");
  const struct {
    const char* coups;
    int paires, seuls;  // rows of two diagrams, rows of one
  } cas[] = {
      {"1.e4 e5 2.Nf3 1-0", 8, 8},
      {"1.e4 e5 2.Nf3", 8, 8},
      {"1.e4 e5 2.Nf3 Nc6 0-1", 16, 0},
      {"1.e4 1/2-1/2", 0, 8},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.coups);
    plateforme::BoitesEnTest::efface();
    plateforme::ImpressionsEnTest::efface();
    joue(c.coups);
    const QStringList l = imprime(2);
    int paires = 0, seuls = 0;
    for (const QString& ligne : l) {
      paires += paire.match(ligne).hasMatch();
      seuls += seul.match(ligne).hasMatch();
    }
    EXPECT_EQ(paires, c.paires) << l.join("\n").toStdString();
    EXPECT_EQ(seuls, c.seuls) << l.join("\n").toStdString();
    // No caption names the result line.
    for (const QString& ligne : l) {
      if (ligne.startsWith('[') || ligne.startsWith("MORVANDEL")) continue;
      EXPECT_FALSE(ligne.contains("1-0") || ligne.contains("0-1") || ligne.contains("1/2")) << ligne.toStdString();
    }
    fenetres::decharge<plateau>();
  }
}

// Without a board window the print items are off; printed anyway, a game
// without move list gives its title and tag lines.
TEST_F(TestImpressionPartie, NoBoardWindowPrintsTheHeaderOnly) {
  Menu& m = fenetres::instance<Menu>();
  for (QAction* a : m.menu_edt_encours) EXPECT_FALSE(a->isEnabled());
  ouvre();
  for (QAction* a : m.menu_edt_encours) EXPECT_TRUE(a->isEnabled());
  fenetres::decharge<plateau>();
  for (QAction* a : m.menu_edt_encours) EXPECT_FALSE(a->isEnabled());

  historique_positions = {std::string(64, ' '), std::string(64, ' ')};
  for (int format : {1, 2}) {
    plateforme::BoitesEnTest::efface();
    plateforme::ImpressionsEnTest::efface();
    const QStringList l = imprime(format);
    ASSERT_GE(l.size(), 13);
    EXPECT_TRUE(l[1].startsWith("[Event "));
    EXPECT_EQ(l.last(), "[Variation \"a modifier\"]");
  }
}

TEST_F(TestImpressionPartie, FailedPrintIsReportedAndNotCalledFinished) {
  joue("1.e4 e5");
  plateforme::ImpressionsEnTest::echoue("Imprimante hors ligne");
  plateforme::BoitesEnTest::repond(boite::OK);
  int format = 0;
  EXPECT_FALSE(imprime_partie(format));
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, "Imprimante hors ligne");
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style & boite::CRITIQUE, boite::CRITIQUE);
  EXPECT_TRUE(impressions().isEmpty());
}

// The menu item prints its format.
TEST_F(TestImpressionPartie, MenuItemPrintsItsFormat) {
  Menu& m = fenetres::instance<Menu>();
  joue("1.d4 d5");
  plateforme::BoitesEnTest::repond(boite::OK);
  m.menu_edt_encours[1]->trigger();
  const QStringList l = lignes_imprimees();
  EXPECT_TRUE(l.contains((lignes_liste()[0] + " " + lignes_liste()[1].trimmed()).simplified()));
}

}  // namespace
