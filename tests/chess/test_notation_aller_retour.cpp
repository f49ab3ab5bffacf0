// Every legal move of a set of positions is written, then its short text is
// read back on the board before the move: the reader must find the same
// squares and piece. Both orientations, both letter styles of the long text,
// the short text read with English and with French letters.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/regles.h"
#include "platform/boites.h"
#include "tests/chess/test_notation_aide.h"

using namespace aide_notation;

namespace {

struct Position {
  const char* nom;
  std::vector<std::string> diagramme;  // White at the bottom
  std::string passant_b, passant_n;   // squares passed over, "" for none
};

const std::vector<Position>& positions() {
  static const std::vector<Position> liste = {
      {"start", {"rnbqkbnr", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", "RNBQKBNR"}, "", ""},
      {"castling, pins, captures",
       {"r...k..r", "p.ppqpb.", "bn..pnp.", "...PN...", ".p..P...", "..N..Q.p", "PPPBBPPP", "R...K..R"}, "", ""},
      {"promotions with capture",
       {"r...k..r", "Pppp.ppp", ".b...nbN", "nP......", "BBP.P...", "q....N..", "Pp.P..PP", "R..Q.RK."}, "", ""},
      {"twins: knights, rooks, three queens",
       {"rn..k..r", "....p...", ".n......", "R.......", "....Q..Q", ".....N..", "..K.....", "RN.....Q"}, "", ""},
      {"en passant both ways, promotions both ways",
       {".r..k...", "..P.....", "........", "...pP...", ".....pP.", "........", "......p.", "....K..R"}, "g3", "d6"},
      {"pinned knight, blocked rook",
       {"R...k...", "........", "........", "p.......", ".b......", "........", "...N....", "R...K.N."}, "", ""},
  };
  return liste;
}

// The short text with French letters for the piece and the promotion.
std::string en_francais(const std::string& court) {
  static const std::string anglais = "RNBQK", francais = "TCFDR";
  std::string t = court;
  size_t debut = t.find('.');
  debut = debut == std::string::npos ? 0 : debut + 1;
  while (debut < t.size() && t[debut] == ' ') ++debut;
  for (size_t i = 0; i < t.size(); ++i) {
    if (i != debut && (i == 0 || t[i - 1] != '=')) continue;
    const auto k = anglais.find(t[i]);
    if (k != std::string::npos) t[i] = francais[k];
  }
  return t;
}

// Orientation, letter style of the long text.
class AllerRetour : public TestMorvandel, public ::testing::WithParamInterface<std::tuple<int, int>> {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    couleur_joueur = std::get<0>(GetParam());
    style_notation = std::get<1>(GetParam());
  }

  void pose_position(const Position& p) {
    pose(p.diagramme);
    passant_blanc = p.passant_b.empty() ? 0 : passant(p.passant_b);
    passant_noir = p.passant_n.empty() ? 0 : passant(p.passant_n);
    roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
  }
};

}  // namespace

TEST_P(AllerRetour, EveryLegalMoveReadsBackToTheSameSquaresAndPiece) {
  int nb_coups = 0, nb_indices = 0, nb_promotions = 0, nb_en_passant = 0, nb_roques = 0;
  for (const Position& p : positions()) {
    for (int couleur : {BLANC, NOIR}) {
      SCOPED_TRACE(std::string(p.nom) + (couleur == BLANC ? ", White" : ", Black"));
      pose_position(p);
      const EtatPlateau avant = sauve_etat();
      std::set<std::string> textes;
      const std::vector<Coup> coups = coups_legaux(couleur);
      ASSERT_FALSE(coups.empty());
      for (const Coup& c : coups) {
        const int code = tab_echiquier(c.cs, c.ls);
        numero_coup = 17;
        const CoupJoue joue = joue_coup(c.cs, c.ls, c.cd, c.ld, c.promotion);
        const EtatPlateau apres = sauve_etat();
        restaure_etat(avant);
        // The text-free player leaves the same board and flags.
        const CoupJoue seul = execute_coup(c.cs, c.ls, c.cd, c.ld, c.promotion);
        EXPECT_EQ(apres.plateau, tab_echiquier);
        EXPECT_TRUE(apres.passant_b == passant_blanc && apres.passant_n == passant_noir &&
                    apres.roque[couleur] == roque_interdit[couleur] && apres.trait == dernier_trait);
        EXPECT_TRUE(seul.texte_long.empty() && seul.code_pris == joue.code_pris && seul.promotion == joue.promotion);
        restaure_etat(avant);
        SCOPED_TRACE(joue.texte_long + " /" + joue.texte_court);
        ++nb_coups;

        // The long text names the real squares of the move.
        if (!joue.roque) {
          EXPECT_NE(joue.texte_long.find(nom(c.cs, c.ls)), std::string::npos);
          EXPECT_NE(joue.texte_long.find(nom(c.cd, c.ld)), std::string::npos);
        } else {
          ++nb_roques;
        }
        EXPECT_EQ(joue.texte_long.rfind(couleur == BLANC ? " 17." : " ", 0), 0u);
        EXPECT_EQ(joue.texte_court.rfind(couleur == BLANC ? " 17." : " ", 0), 0u);
        EXPECT_TRUE(textes.insert(joue.texte_court).second) << "two moves share one short text";

        for (int style : {2, 1}) {
          const std::string texte = style == 2 ? joue.texte_court : en_francais(joue.texte_court);
          std::string token = texte;
          int cs = -1, ls = -1, cd = -1, ld = -1, lu = -1;
          std::string marques;
          decode_coup(couleur, style, token, cs, ls, cd, ld, lu, marques);
          EXPECT_EQ(lu, code) << texte;
          EXPECT_EQ(nom(cs, ls), nom(c.cs, c.ls)) << texte;
          EXPECT_EQ(nom(cd, ld), nom(c.cd, c.ld)) << texte;
          EXPECT_TRUE(cs == c.cs && ls == c.ls && cd == c.cd && ld == c.ld) << texte;
          if (c.promotion) {
            EXPECT_EQ(marques, std::string("=") + (style == 2 ? "...RNBQK" : "...TCFDR")[c.promotion]) << texte;
          }
          EXPECT_EQ(marques.find("e.p.") != std::string::npos, joue.en_passant) << texte;
        }
        if (!desambiguisation(c.cs, c.ls, c.cd, c.ld).empty()) ++nb_indices;
        nb_promotions += c.promotion ? 1 : 0;
        nb_en_passant += joue.en_passant ? 1 : 0;
        EXPECT_EQ(avant.plateau, tab_echiquier);
      }
    }
  }
  // The set really holds what it claims.
  EXPECT_GT(nb_coups, 300);
  EXPECT_GE(nb_roques, 5);
  EXPECT_GE(nb_en_passant, 2);
  EXPECT_GE(nb_promotions, 24);
  EXPECT_GE(nb_indices, 10);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().isEmpty());
}

// Whole games: the short texts of a sequence of moves joined into a movetext
// and read back token by token from the start, moving as the reader says.
TEST_P(AllerRetour, AGameReplaysFromItsOwnMovetext) {
  pose_position(positions()[0]);
  const EtatPlateau depart = sauve_etat();
  // A short game with an en-passant capture, a promotion, castling both
  // sides and a knight move that needs its file.
  const char* const coups[][2] = {{"e2", "e4"}, {"d7", "d5"}, {"e4", "e5"}, {"f7", "f5"}, {"e5", "f6"},
                                  {"b8", "c6"}, {"f6", "g7"}, {"g8", "f6"}, {"g7", "h8"}, {"d8", "d6"},
                                  {"f1", "d3"}, {"c8", "d7"}, {"b1", "c3"}, {"e8", "c8"}, {"g1", "e2"},
                                  {"c8", "b8"}, {"e1", "g1"}};
  std::string movetext;
  for (const auto& c : coups) {
    const int couleur = couleur_piece(case_de(c[0]));
    if (couleur == BLANC) ++numero_coup;
    ASSERT_TRUE(coup_legal(col_de(c[0]), lig_de(c[0]), col_de(c[1]), lig_de(c[1]))) << c[0] << c[1];
    movetext += joue_coup(col_de(c[0]), lig_de(c[0]), col_de(c[1]), lig_de(c[1]), TYPE_DAME).texte_court;
  }
  const TableauCases fin = tab_echiquier;
  EXPECT_EQ(movetext,
            " 1.e4 d5 2.e5 f5 3.exf6e.p. Nc6 4.fxg7 Nf6 5.gxh8=Q Qd6 6.Bd3 Bd7 7.Nc3 O-O-O 8.Nge2 Kb8 9.O-O");

  restaure_etat(depart);
  numero_coup = 0;
  size_t i = 0;
  int couleur = BLANC, nb = 0;
  while (i < movetext.size()) {
    const size_t fin_token = movetext.find(' ', i + 1);
    std::string token = movetext.substr(i, fin_token == std::string::npos ? std::string::npos : fin_token - i);
    i = fin_token == std::string::npos ? movetext.size() : fin_token;
    int cs, ls, cd, ld, code;
    std::string marques;
    decode_coup(couleur, 2, token, cs, ls, cd, ld, code, marques);
    ASSERT_TRUE(coup_legal(cs, ls, cd, ld)) << token;
    if (couleur == BLANC) ++numero_coup;
    const int promotion = marques.find("=Q") != std::string::npos ? TYPE_DAME : 0;
    joue_coup(cs, ls, cd, ld, promotion);
    couleur = couleur_adverse(couleur);
    ++nb;
  }
  EXPECT_EQ(nb, 17);
  EXPECT_EQ(fin, tab_echiquier);
}

INSTANTIATE_TEST_SUITE_P(OrientationsEtLettres, AllerRetour,
                         ::testing::Combine(::testing::Values(BLANC, NOIR), ::testing::Values(1, 2)));
