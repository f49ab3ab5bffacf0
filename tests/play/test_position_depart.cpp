// The position a game starts from, as its saved and printed tags name it:
// nothing for the usual start in either orientation, the position itself for
// a set-up or pasted game, whatever was played since.
#include <gtest/gtest.h>

#include "chess/etat.h"
#include "platform/fenetres.h"
#include "play/entete_partie.h"
#include "tests/play/aide_plateau.h"

namespace {

class PositionDepart : public TestPlateau {};

}  // namespace

TEST_F(PositionDepart, SeuleUnePartieDepuisUnePositionDeSonChoixLaNomme) {
  struct Cas {
    const char* nom;
    int en_bas;           // couleur_joueur when the window loads
    QStringList pieces;   // a set-up of these pieces, at move 12
    QString colle;        // else this text pasted, when not empty
    std::string attendu;  // fen_depart_partie()
    const char *de, *vers;  // a move played afterwards
  };
  const Cas cas[] = {
      {"a new game, White at the bottom", BLANC, {}, {}, "", "e2", "e4"},
      {"a new game, Black at the bottom", NOIR, {}, {}, "", "e2", "e4"},
      {"a set-up", BLANC, {"Kg1", "kg8", "ph7"}, {}, "6k1/7p/8/8/8/8/8/6K1 w - - 0 12", "g1", "f2"},
      {"a FEN pasted, Black to move", BLANC, {}, "r3k3/8/8/8/4P3/8/8/4K2R b Kq e3 7 31",
       "r3k3/8/8/8/4P3/8/8/4K2R b Kq e3 7 31", "e8", "d8"},
      {"a FEN pasted with Black at the bottom", NOIR, {}, "4k3/8/8/8/8/8/8/R3K3 w Q - 0 5",
       "4k3/8/8/8/8/8/8/R3K3 w Q - 0 5", "a1", "a2"},
      {"the usual start pasted at move 1", BLANC, {}, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "",
       "g1", "f3"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    couleur_joueur = c.en_bas;
    ouvre();
    if (!c.pieces.isEmpty()) {
      ASSERT_TRUE(met_en_place(c.pieces, 12));
    }
    if (!c.colle.isEmpty()) colle_fen(c.colle);
    EXPECT_EQ(fen_depart_partie(), c.attendu);
    // A move played since does not change it.
    coup(c.de, c.vers);
    ASSERT_EQ(lignes_liste().size(), 1);
    EXPECT_EQ(fen_depart_partie(), c.attendu);
    const std::string entete = avec_position_depart("[Event \"E\"]\r\n\r\n");
    EXPECT_EQ(entete, c.attendu.empty() ? std::string("[Event \"E\"]\r\n\r\n")
                                        : "[Event \"E\"]\r\n[SetUp \"1\"]\r\n[FEN \"" + c.attendu + "\"]\r\n\r\n");
    // Tags that name a position of their own keep it.
    EXPECT_EQ(avec_position_depart("[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\r\n"), "[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\r\n");
    fenetres::decharge<plateau>();
  }
}
