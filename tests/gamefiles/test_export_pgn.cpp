// A game in PGN export form: the tag roster, the movetext in standard
// notation, the lines, and a movetext put on one line.
#include "gamefiles/export_pgn.h"
#include "tests/gamefiles/aide_pgn.h"

namespace {

using Tags = std::vector<std::pair<std::string, std::string>>;

// The lines of a text, CRLF taken off.
std::vector<std::string> lignes(const std::string& t) {
  std::vector<std::string> l;
  std::size_t i = 0;
  while (i <= t.size()) {
    std::size_t fin = t.find("\r\n", i);
    if (fin == std::string::npos) fin = t.size();
    l.push_back(t.substr(i, fin - i));
    i = fin + 2;
  }
  return l;
}

}  // namespace

TEST(ExportPgn, LaDateSEcritAnneeMoisJour) {
  const std::pair<const char*, const char*> cas[] = {
      {"2024.05.01", "2024.05.01"}, {"01/05/2024", "2024.05.01"}, {"1/5/2024", "2024.05.01"},
      {"2024", "2024.??.??"},       {"", "????.??.??"},           {"????.??.??", "????.??.??"},
      {"hier", "????.??.??"},       {"2024-05-01", "2024.05.01"}, {"1.2.3.4", "????.??.??"},
  };
  for (const auto& [lu, attendu] : cas) EXPECT_EQ(pgn::date_pgn(lu), attendu) << lu;
}

TEST(ExportPgn, LeRosterVientDAbordCompletEtLeResultatEstCeluiDeLaPartie) {
  struct Cas {
    const char* nom;
    Tags tags;
    std::string resultat;
    std::vector<std::string> attendu;
  };
  const Cas cas[] = {
      {"no tags at all", {}, "1-0",
       {"[Event \"?\"]", "[Site \"?\"]", "[Date \"????.??.??\"]", "[Round \"?\"]", "[White \"?\"]", "[Black \"?\"]",
        "[Result \"1-0\"]", "", ""}},
      {"a stale result, tags out of order, a printed date",
       {{"ECO", "C20"}, {"black", "B"}, {"Result", "*"}, {"White", "A"}, {"Date", "07/03/2024"}, {"Event", "E"}},
       "0-1",
       {"[Event \"E\"]", "[Site \"?\"]", "[Date \"2024.03.07\"]", "[Round \"?\"]", "[White \"A\"]", "[Black \"B\"]",
        "[Result \"0-1\"]", "[ECO \"C20\"]", "", ""}},
      {"values escaped, control characters made blanks, no result yet",
       {{"White", "Le \"Grand\" \\ Roi"}, {"Annotator", "a\tb"}, {"bad name", "x"}, {"Annotator", "twice"}}, "",
       {"[Event \"?\"]", "[Site \"?\"]", "[Date \"????.??.??\"]", "[Round \"?\"]",
        "[White \"Le \\\"Grand\\\" \\\\ Roi\"]", "[Black \"?\"]", "[Result \"*\"]", "[Annotator \"a b\"]", "", ""}},
  };
  for (const Cas& c : cas) EXPECT_EQ(lignes(pgn::entete_export(c.tags, c.resultat)), c.attendu) << c.nom;
}

TEST(ExportPgn, LesCoupsSontEnNotationStandard) {
  struct Cas {
    const char* nom;
    std::string lu;  // a movetext as the program or a user writes it
    std::string fen;
    std::string attendu;
  };
  const Cas cas[] = {
      {"check marks and mate", "1.f3 e5 2.g4 Qh4", "", "1.f3 e5 2.g4 Qh4# 0-1"},
      {"a check", "1.e4 f6 2.Qh5", "", "1.e4 f6 2.Qh5+ 0-1"},
      {"no e.p., the capture kept", "1.e4 a6 2.e5 d5 3.exd6e.p.", "", "1.e4 a6 2.e5 d5 3.exd6 0-1"},
      {"the disambiguation a reader needs, no more", "1.Ngf3 a6 2.d4 a5 3.Nbd2", "",
       "1.Nf3 a6 2.d4 a5 3.Nbd2 0-1"},
      {"a Black move after a comment is numbered", "1.e4 {bon} e5 2.Nf3 {ferme}", "",
       "1.e4 {bon} 1...e5 2.Nf3 {ferme} 0-1"},
      {"a comment keeps no closing brace", "{avant} 1.d4 ; a } b\n d5", "", "{avant} 1.d4 {a ) b} 1...d5 0-1"},
      {"the game's result replaces the written one", "1.e4 e5 1/2-1/2", "", "1.e4 e5 0-1"},
      {"from a set-up position, Black first", "1...Kb8", "k7/8/1K6/8/8/8/8/7R b - - 0 1", "1...Kb8 0-1"},
      {"a promotion giving check", "40.a8=Q", "4k3/P7/8/8/8/8/8/4K3 w - - 0 40", "40.a8=Q+ 0-1"},
      {"a promotion giving mate", "40.c8=R", "k7/2P5/1K6/8/8/8/8/8 w - - 0 40", "40.c8=R# 0-1"},
      {"a mate written as a check", "1.f3 e5 2.g4 Qh4+", "", "1.f3 e5 2.g4 Qh4# 0-1"},
      {"a move that cannot be played stays as written", "1.e4 Zz9 2.Nf3", "", "1.e4 Zz9 2.Nf3 0-1"},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(pgn::movetext_export(pgn::lit_movetext(c.lu), c.fen, "0-1", true), c.attendu) << c.nom;
}

TEST(ExportPgn, LesLignesTiennentEnSoixanteDixNeufCaracteres) {
  std::string lu;
  for (int i = 0; i < 20; ++i) lu += "Nf3 Nf6 Ng1 Ng8 {un commentaire assez long pour couper} ";
  const std::string t = pgn::movetext_export(pgn::lit_movetext(lu), "", "1/2-1/2", true);
  const std::vector<std::string> l = lignes(t);
  ASSERT_GT(l.size(), 10u);
  for (const std::string& ligne : l) {
    EXPECT_LE(ligne.size(), pgn::LARGEUR_LIGNE_PGN) << ligne;
    EXPECT_FALSE(ligne.empty() || ligne.front() == ' ' || ligne.back() == ' ') << ligne;
  }
  EXPECT_EQ(l.back().substr(l.back().size() - 7), "1/2-1/2");
  // One result token in the whole text.
  EXPECT_EQ(t.find("1/2-1/2"), t.size() - 7);
  const std::string une = pgn::movetext_export(pgn::lit_movetext(lu), "", "1/2-1/2", true, true);
  EXPECT_EQ(une.find('\n'), std::string::npos);
}

// A line takes every token that fits in its 79 characters, to the last one.
TEST(ExportPgn, UneLigneSeCoupeAuDelaDeSoixanteDixNeufCaracteresPasAvant) {
  const std::string debut = "1.e4 ";  // then a comment of one word
  struct Cas {
    std::size_t mot;  // the comment's length, braces included
    std::vector<std::string> lignes;
  };
  const auto commentaire = [](std::size_t n) { return "{" + std::string(n - 2, 'a') + "}"; };
  const std::size_t plein = pgn::LARGEUR_LIGNE_PGN - debut.size();
  const Cas cas[] = {
      {plein, {debut + commentaire(plein), "1...e5 1-0"}},
      {plein + 1, {"1.e4", commentaire(plein + 1), "1...e5 1-0"}},
      {plein - 1, {debut + commentaire(plein - 1), "1...e5 1-0"}},
  };
  for (const Cas& c : cas) {
    const std::string lu = "1.e4 " + commentaire(c.mot) + " e5";
    EXPECT_EQ(lignes(pgn::movetext_export(pgn::lit_movetext(lu), "", "1-0", true)), c.lignes) << c.mot;
  }
}

TEST(ExportPgn, UnMovetextSurUneLigneGardeSesCoupsApresUnPointVirgule) {
  const std::pair<const char*, const char*> cas[] = {
      {"1.e4 ; le meilleur\n e5 2.Nf3 1-0", "1.e4 {le meilleur}  e5 2.Nf3 1-0"},
      {"1.e4 ; a} b\r\ne5", "1.e4 {a) b}  e5"},
      {"1.e4 {sur\ndeux lignes} e5", "1.e4 {sur deux lignes} e5"},
      {"1.d4 {a ; b} d5", "1.d4 {a ; b} d5"},
  };
  for (const auto& [lu, attendu] : cas) {
    const std::string une = pgn::movetext_sur_une_ligne(lu);
    EXPECT_EQ(une, attendu) << lu;
    EXPECT_EQ(pgn::lit_movetext(une).coups, pgn::lit_movetext(lu).coups) << lu;
  }
  // Keeping the lines, only the ";" comments change.
  EXPECT_EQ(pgn::movetext_sur_une_ligne("1.e4 ; a\ne5 {b\nc} 2.Nf3", true), "1.e4 {a}\ne5 {b\nc} 2.Nf3");
}

class ExportFichier : public TestPgn {};

TEST_F(ExportFichier, UnePartieDuFormulaireSeRelitParPgnExtract) {
  const std::string texte =
      "[White \"Anne\"]\n[Result \"*\"]\n[Date \"2024.01.02\"]\n\n{d\xC3\xA9\x62ut} 1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 "
      "4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 d6 8.c3 O-O 9.h3 {la variante Breyer} Nb8 10.d4 Nbd7 1-0";
  const std::string e = pgn::partie_export(texte, "1-0");
  EXPECT_TRUE(e.starts_with("[Event \"?\"]\r\n[Site \"?\"]\r\n[Date \"2024.01.02\"]\r\n")) << e;
  EXPECT_TRUE(e.ends_with(" 1-0\r\n\r\n")) << e;
  if (chemin_pgn_extract().isEmpty()) GTEST_SKIP() << "pgn-extract is not installed";
  QString erreurs;
  const std::vector<pgn::PartieLue> relues = relu_par_pgn_extract(ecrit_fichier(e), &erreurs);
  EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
  ASSERT_EQ(relues.size(), 1u);
  EXPECT_EQ(relues[0].valeur_tag("Result"), "1-0");
  const pgn::MovetextLu m = pgn::lit_movetext(relues[0].movetext);
  EXPECT_EQ(m.coups.size(), 20u);
  EXPECT_EQ(m.commentaires.at(0), "d\xC3\xA9\x62ut");
  EXPECT_EQ(m.commentaires.at(17), "la variante Breyer");
}
