// The movetext of a loaded game: its main line and comments, and the
// program's own movetext made from it.
#include "chess/etat.h"
#include "gamefiles/movetext_pgn.h"
#include "openings/ligne_eco.h"
#include "tests/gamefiles/aide_pgn.h"

namespace {

std::string joint(const std::vector<std::string>& v) {
  std::string t;
  for (const auto& s : v) t += (t.empty() ? "" : " ") + s;
  return t;
}

struct CasMovetext {
  const char* nom;
  const char* movetext;
  const char* coups;
  std::vector<std::string> commentaires;
  const char* resultat;
};

const CasMovetext CAS[] = {
    {"comments after White and Black", "1.e4 {good} e5 2.Nf3 Nc6 {solid} *", "e4 e5 Nf3 Nc6",
     {"", "good", "", "", "solid"}, "*"},
    {"comment before the first move kept apart", "{Intro} 1.e4 e5 1-0", "e4 e5", {"Intro"}, "1-0"},
    {"comment after a NAG", "1.e4 $1 {after nag} e5 $2 $14 0-1", "e4 e5", {"", "after nag"}, "0-1"},
    {"comment after a marked move", "1.e4! {bang} e5?! {dubious} *", "e4 e5", {"", "bang", "dubious"}, "*"},
    {"semicolon comment", "1.e4 ; to the end of the line\ne5 *", "e4 e5", {"", "to the end of the line"}, "*"},
    {"comments inside variations left out",
     "1.e4 (1.d4 {inside} d5 (1...Nf6 {deeper}) 2.c4) e5 {main} (1...c5 {sicilian}) 2.Nf3 *", "e4 e5 Nf3",
     {"", "", "main"}, "*"},
    {"two comments on one move joined", "1.e4 {one} {two} ; three\ne5 *", "e4 e5", {"", "one two three"}, "*"},
    {"blank after the move number", "1. e4 {c} e5 2. Nf3 *", "e4 e5 Nf3", {"", "c"}, "*"},
    {"Black's move numbered", "1. e4 1... e5 {c} 2. Nf3 *", "e4 e5 Nf3", {"", "", "c"}, "*"},
    {"en passant marks and annotation marks", "1.e4!? e5?? 2.exd6e.p. Nf6 3.d4 e.p. !! $3 *", "e4 e5 exd6 Nf6 d4",
     {""}, "*"},
    {"comment over lines made one line", "1.e4 {a  long\n  comment {with} e5 *", "e4 e5", {"", "a long comment (with"}, "*"},
    {"result inside comments is not the result", "1.e4 {1-0} e5 (1...c5 0-1) 1/2-1/2", "e4 e5", {"", "1-0"}, "1/2-1/2"},
    {"no result", "1.e4 e5", "e4 e5", {""}, ""},
    {"text after the result is not read", "1.e4 1-0 2.d4 {late}", "e4", {""}, "1-0"},
    {"a stray closing bracket hides nothing", "1.e4 ) e5 {c} ) 2.Nf3 (2.f4) 1-0", "e4 e5 Nf3", {"", "", "c"}, "1-0"},
};

class MovetextPgn : public TestPgn, public ::testing::WithParamInterface<CasMovetext> {};

}  // namespace

TEST_P(MovetextPgn, LaLignePrincipaleEtSesCommentaires) {
  const CasMovetext& c = GetParam();
  const pgn::MovetextLu m = pgn::lit_movetext(c.movetext);
  EXPECT_EQ(joint(m.coups), c.coups);
  EXPECT_EQ(m.commentaires, c.commentaires);
  EXPECT_EQ(m.resultat, c.resultat);
  EXPECT_FALSE(m.commentaire_ouvert);
}

INSTANTIATE_TEST_SUITE_P(Movetexts, MovetextPgn, ::testing::ValuesIn(CAS), NomDuCas());

TEST_F(TestPgn, LeNumeroDuPremierCoupEtLeTraitSontLus) {
  const pgn::MovetextLu noir = pgn::lit_movetext("12...Nc6 13.Nf3 *");
  EXPECT_EQ(noir.premier_numero, 12);
  EXPECT_TRUE(noir.noir_d_abord);
  const pgn::MovetextLu blanc = pgn::lit_movetext("{start} 7. Nf3 Nc6");
  EXPECT_EQ(blanc.premier_numero, 7);
  EXPECT_FALSE(blanc.noir_d_abord);
  // A number no game reaches, even past what an int holds, is no move number.
  for (const char* grand : {"40000. e4 e5", "11111111111111111111111111111. e4 e5"}) {
    const pgn::MovetextLu m = pgn::lit_movetext(grand);
    EXPECT_EQ(m.premier_numero, 0) << grand;
    EXPECT_EQ(m.coups, (std::vector<std::string>{"e4", "e5"})) << grand;
  }
  EXPECT_EQ(pgn::texte_numerote(noir.coups, 12, true), "12...Nc6 13.Nf3");
  EXPECT_EQ(pgn::texte_numerote({"e4", "e5", "Nf3"}, 1, false), "1.e4 e5 2.Nf3");
}

TEST_F(TestPgn, UnCommentaireNonFermeEstSignaleEtLaSuiteEstUnCommentaire) {
  plateforme::BoitesEnTest::repond(boite::OK);
  commentaires_coups = {"", "of an earlier game", "x", "y"};
  const std::string reste = extrait_commentaires_pgn("1.e4 {oops e5 2.Nf3 *");
  EXPECT_EQ(reste, "1.e4");
  EXPECT_EQ(commentaires_coups, (std::vector<std::string>{"", "oops e5 2.Nf3 *"}))
      << "the earlier game's comments are gone";
  ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].endsWith(QStringLiteral("PGN !")));
}

TEST_F(TestPgn, ExtraireLesCommentairesRendLaLignePrincipaleNumerotee) {
  commentaires_coups = {"", "a", "b", "c", "d", "e", "f"};
  EXPECT_EQ(extrait_commentaires_pgn("1. e4 {open} (1. d4) e5 $1 2. Nf3 {dev} 1-0"), "1.e4 e5 2.Nf3 1-0");
  EXPECT_EQ(commentaires_coups, (std::vector<std::string>{"", "open", "", "dev"}));
  extrait_commentaires_pgn("1.d4 d5");
  EXPECT_EQ(commentaires_coups, (std::vector<std::string>{""})) << "a game without comments has none";
}

TEST_F(TestPgn, LesCommentairesSontRemisApresLeurCoupMemeAuDelaDu40eCoup) {
  std::vector<std::string> coups;
  for (int i = 0; i < 21; ++i) coups.insert(coups.end(), {"Nf3", "Nf6", "Ng1", "Ng8"});
  const std::string texte = pgn::texte_numerote(coups, 1, false);  // 42 moves, "41." among them
  commentaires_coups.assign(84, std::string());
  commentaires_coups[0] = "intro";
  commentaires_coups[1] = "first";
  commentaires_coups[4] = "back";
  commentaires_coups[81] = "forty-one";
  commentaires_coups.push_back("");
  commentaires_coups.push_back("after the end");
  const std::string avec = insere_commentaires(texte);
  EXPECT_TRUE(avec.starts_with("{intro} 1.Nf3 {first} Nf6 2.Ng1 Ng8 {back} 3.Nf3")) << avec;
  EXPECT_NE(avec.find(" 41.Nf3 {forty-one} Nf6 42."), std::string::npos) << avec;
  EXPECT_TRUE(avec.ends_with("42.Ng1 Ng8 {after the end}")) << avec;
  // What is taken out comes back the same.
  extrait_commentaires(avec);
  EXPECT_EQ(commentaires_coups[81], "forty-one");
  EXPECT_EQ(commentaires_coups[0], "intro");
}

TEST_F(TestPgn, InsererSansCommentaireRendLeMovetext) {
  commentaires_coups.assign(1, std::string());
  EXPECT_EQ(insere_commentaires("1.e4 e5 2.Nf3"), "1.e4 e5 2.Nf3");
  commentaires_coups = {"", "", "x"};
  EXPECT_EQ(insere_commentaires("1.e4 e5 1-0"), "1.e4 e5 {x} 1-0") << "a result is not a move";
}

namespace {

struct CasProgramme {
  const char* nom;
  const char* fen;
  const char* movetext;
  const char* attendu;
};

const CasProgramme PROGRAMMES[] = {
    {"blanks after numbers, castling", "", "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 *",
     "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7"},
    {"castling with zeros", "", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.0-0 Nf6", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6"},
    {"annotations and comments", "", "1.e4! {best} e5?! $2 (1...c5) 2.Nf3 1-0", "1.e4 e5 2.Nf3"},
    {"a knight named by its file", "", "1.Nf3 Nf6 2.d3 d6 3.Nbd2 Nbd7", "1.Nf3 Nf6 2.d3 d6 3.Nbd2 Nbd7"},
    {"from a position, Black to move", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
     "1... e5 2. Nf3 *", "1...e5 2.Nf3"},
    {"from a position at move 30", "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 30", "30.Ra8+ 1-0", "30.Ra8"},
    {"a move that cannot be played keeps the rest as written", "", "1.e4 e5 2.Ke3 Nc6 3.Nf3",
     "1.e4 e5 2.Ke3 Nc6 3.Nf3"},
    {"a word that is no move", "", "1.e4 e5 2.Zz9 Nc6", "1.e4 e5 2.Zz9 Nc6"},
};

class MovetextProgramme : public TestPgn, public ::testing::WithParamInterface<CasProgramme> {};

}  // namespace

TEST_P(MovetextProgramme, LeMovetextEstCeluiQueLeProgrammeEcrit) {
  const CasProgramme& c = GetParam();
  place_position_depart();
  const TableauCases avant = tab_echiquier;
  couleur_joueur = NOIR;
  numero_coup = 17;
  EXPECT_EQ(pgn::movetext_programme(pgn::lit_movetext(c.movetext), c.fen), c.attendu);
  EXPECT_EQ(tab_echiquier, avant) << "the shared board is left as it was";
  EXPECT_EQ(couleur_joueur, NOIR);
  EXPECT_EQ(numero_coup, 17);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Parties, MovetextProgramme, ::testing::ValuesIn(PROGRAMMES), NomDuCas());

TEST_F(TestPgn, LeMovetextDUnePartieEstCeluiDeLaBaseDesOuvertures) {
  // Checks, mates, promotions, captures: the opening base is built from the
  // program's own movetexts, which a loaded game must match as a prefix.
  const char* const parties[] = {
      "1.f3 e5 2.g4 Qh4#",
      "1.a4 b5 2.axb5 a6 3.bxa6 Bb7 4.axb7 Nc6 5.bxa8=Q Qxa8 6.Nc3 Nd4 7.e3 Qxg2 8.exd4 Qxh1",
      "1.d4 e5 2.dxe5 d6 3.exd6 Bxd6 4.Nf3 Bg4 5.Bg5 Qxg5 6.Nxg5 Bb4+ 7.c3 Bxe2 8.Qxe2+ Ne7",
  };
  for (const char* p : parties) {
    const std::string attendu = movetext_de_ligne(p);
    EXPECT_EQ(pgn::movetext_programme(pgn::lit_movetext(p), ""), attendu) << p;
  }
}
