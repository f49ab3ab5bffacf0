// Reading PGN files as other programs write them: line ends, encodings, tag
// shapes, where one game ends and the next begins, byte offsets.
#include <QFile>
#include <QProcess>

#include "gamefiles/movetext_pgn.h"
#include "tests/gamefiles/aide_pgn.h"

namespace {

struct CasDialecte {
  const char* nom;
  std::string octets;
  std::vector<std::string> blancs;  // White of each game read, "-" when the game has no White tag
  std::string movetext_premiere;    // the first game's movetext as read
};

std::string blanc_de(const pgn::PartieLue& p) { return p.presents[pgn::WHITE] ? p.valeurs[pgn::WHITE].toStdString() : "-"; }

const CasDialecte CAS[] = {
    {"LF", "[Event \"A\"]\n[White \"Anna\"]\n\n1.e4 e5 1-0\n\n[Event \"B\"]\n[White \"Bert\"]\n\n1.d4 0-1\n",
     {"Anna", "Bert"}, "1.e4 e5 1-0"},
    {"CRLF", "[Event \"A\"]\r\n[White \"Anna\"]\r\n\r\n1.e4 e5\r\n2.Nf3 1-0\r\n\r\n", {"Anna"}, "1.e4 e5\n2.Nf3 1-0"},
    {"CR", "[Event \"A\"]\r[White \"Anna\"]\r\r1.e4 e5\r2.Nf3 *\r\r[Event \"B\"]\r[White \"Bert\"]\r\r1.c4 *",
     {"Anna", "Bert"}, "1.e4 e5\n2.Nf3 *"},
    {"BOM and UTF-8", "\xEF\xBB\xBF[Event \"A\"]\n[White \"\xC3\x89lodie\"]\n\n1.e4 *\n", {"\xC3\x89lodie"}, "1.e4 *"},
    {"Windows-1252", "[Event \"A\"]\n[White \"\xC9lodie M\xFCller\"]\n\n1.e4 {tr\xE8s bien} *\n",
     {"\xC3\x89lodie M\xC3\xBCller"}, "1.e4 {tr\xC3\xA8s bien} *"},
    {"no blank line between games", "[Event \"A\"]\n[White \"Anna\"]\n1.e4 1-0\n[Event \"B\"]\n[White \"Bert\"]\n1.d4 0-1\n",
     {"Anna", "Bert"}, "1.e4 1-0"},
    {"next tags without a result", "[White \"Anna\"]\n\n1.e4 e5\n[White \"Bert\"]\n\n1.d4\n", {"Anna", "Bert"}, "1.e4 e5"},
    {"tags in any order and case", "[black \"Carl\"]\n[WHITE \"Anna\"]\n[event \"A\"]\n\n1.e4 *\n", {"Anna"}, "1.e4 *"},
    {"escaped quote and backslash", "[White \"Dupont \\\"Le Grand\\\" \\\\ fils\"]\n\n1.e4 *\n",
     {"Dupont \"Le Grand\" \\ fils"}, "1.e4 *"},
    {"seven tags missing", "[White \"Anna\"]\n\n1.e4 *\n\n[Black \"Bert\"]\n\n1.d4 *\n", {"Anna", "-"}, "1.e4 *"},
    {"movetext without tags", "1.e4 e5 1-0\n\n1.d4 d5 0-1\n1.c4 *\n", {"-", "-", "-"}, "1.e4 e5 1-0"},
    {"stray text before and between games",
     "Exported by some program\n\n[White \"Anna\"]\n\n1.e4 1-0\n\nThat was all for today.\n\n[White \"Bert\"]\n\n1.d4 *\n",
     {"Anna", "Bert"}, "1.e4 1-0"},
    {"escape lines", "% written by a program\n[White \"Anna\"]\n%[White \"Nobody\"]\n\n1.e4\n% 1-0\ne5 *\n",
     {"Anna"}, "1.e4\ne5 *"},
    {"result inside comments and variations",
     "[White \"Anna\"]\n\n1.e4 {1-0 was expected} e5 ; 0-1 here\n2.Nf3 (2.f4 1-0) Nc6 *\n", {"Anna"},
     "1.e4 {1-0 was expected} e5 ; 0-1 here\n2.Nf3 (2.f4 1-0) Nc6 *"},
    {"malformed tags are skipped",
     "[Event \"A\"]\n[Result ]\n[Site \"no closing quote]\n[Round]\n[]\n[White \"Anna\"]\n\n1.e4 *\n", {"Anna"}, "1.e4 *"},
    {"several tags on a line", "[Event \"A\"][White \"Anna\"] [Black \"Bert\"]\n\n1.e4 *\n", {"Anna"}, "1.e4 *"},
    {"game starting with a comment", "[White \"Anna\"]\n\n{A short game.}\n1.e4 e5 *\n", {"Anna"},
     "{A short game.}\n1.e4 e5 *"},
    {"game starting with Black's move", "[White \"Anna\"]\n[SetUp \"1\"]\n\n12...Nc6 13.Nf3 *\n", {"Anna"},
     "12...Nc6 13.Nf3 *"},
    {"comment over several lines", "[White \"Anna\"]\n\n1.e4 {a long\n[not a tag] comment} e5 *\n", {"Anna"},
     "1.e4 {a long"},
    // A ")" that closes nothing takes the depth nowhere: the result after it
    // still ends the game, and the next game (without tags) is its own.
    {"stray closing bracket", "[White \"Anna\"]\n\n1.e4 ) e5 ) 1-0\n\n1.d4 d5 (1...e5) 0-1\n",
     {"Anna", "-"}, "1.e4 ) e5 ) 1-0"},
    // Lines after the first move: the list walks them without cutting them
    // into lines first, and must end each game where the full reading does.
    {"result on a later line, after comments, variations and escapes",
     "[White \"Anna\"]\n\n1.e4 e5 2.Nf3\n{a comment\nover lines} Nc6 (2...d6\n3.d4 1-0) 3.Bb5 ; 0-1\n% 1-0\n  a6 "
     "1/2-1/2 text after\n1.c4 *\n[White \"Bert\"]\n\n1.d4 *\n",
     {"Anna", "-", "Bert"},
     "1.e4 e5 2.Nf3\n{a comment\nover lines} Nc6 (2...d6\n3.d4 1-0) 3.Bb5 ; 0-1\na6 1/2-1/2 text after"},
    {"indented tags after moves on a later line", "[White \"Anna\"]\n\n1.e4\ne5 {[Not a tag]}\n \t[White \"Bert\"]\n1.d4 *\n",
     {"Anna", "Bert"}, "1.e4\ne5 {[Not a tag]}"},
    {"CR lines after the first move", "[White \"Anna\"]\r\r1.e4\r{c\r} e5\r\r1-0\r1.c4 *\r[White \"Bert\"]\r1.d4 *",
     {"Anna", "-", "Bert"},
     "1.e4\n{c\n} e5\n1-0"},
    {"last game without result nor line end", "[White \"Anna\"]\n\n1.e4\r\ne5 2.Nf3", {"Anna"}, "1.e4\ne5 2.Nf3"},
    {"tabs and blanks around lines", "  [White \"Anna\"]  \n\t\n\t1.e4 e5 *  \n", {"Anna"}, "1.e4 e5 *"},
    {"empty file", "", {}, ""},
};

class DialectesPgn : public TestPgn, public ::testing::WithParamInterface<CasDialecte> {};

}  // namespace

TEST_P(DialectesPgn, ChaquePartieEstLueAvecSesTagsEtSonMovetext) {
  const CasDialecte& c = GetParam();
  const std::vector<pgn::PartieLue> parties = lit_texte(c.octets);
  std::vector<std::string> blancs;
  for (const auto& p : parties) blancs.push_back(blanc_de(p));
  EXPECT_EQ(blancs, c.blancs);
  if (!parties.empty()) {
    EXPECT_EQ(parties[0].movetext, c.movetext_premiere);
  }
  // The listing (tags only) finds the same games at the same offsets.
  const std::vector<pgn::PartieLue> liste = lit_texte(c.octets, false);
  ASSERT_EQ(liste.size(), parties.size());
  for (std::size_t i = 0; i < liste.size(); ++i) {
    EXPECT_EQ(liste[i].debut, parties[i].debut) << i;
    EXPECT_TRUE(liste[i].movetext.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Fichiers, DialectesPgn, ::testing::ValuesIn(CAS), NomDuCas());

TEST_F(TestPgn, LesValeursDesTagsConnusEtLesLignesDEnteteSontGardees) {
  const auto parties = lit_texte(
      "[Event \"Open de Dijon\"]\r\n[Site \"Dijon FRA\"]\r\n[Date \"2024.05.01\"]\r\n[Round \"3\"]\r\n"
      "[White \"Anna\"]\r\n[Black \"Bert\"]\r\n[Result \"1-0\"]\r\n[ECO \"C50\"]\r\n[WhiteElo \"2100\"]\r\n"
      "[EventDate \"2024.04.30\"]\r\n\r\n1.e4 1-0\r\n");
  ASSERT_EQ(parties.size(), 1u);
  const pgn::PartieLue& p = parties[0];
  const char* attendus[] = {"Open de Dijon", "Dijon FRA", "2024.05.01", "3", "Anna", "Bert", "1-0", "C50"};
  for (int i = 0; i < pgn::NB_TAGS_CONNUS; ++i) {
    EXPECT_TRUE(p.presents[i]) << pgn::nom_tag(i);
    EXPECT_EQ(p.valeurs[i], QString::fromUtf8(attendus[i])) << pgn::nom_tag(i);
  }
  EXPECT_EQ(p.nb_tags, 10);
  ASSERT_EQ(p.lignes_tags.size(), 10u);
  EXPECT_EQ(p.lignes_tags[8], "[WhiteElo \"2100\"]");
  EXPECT_EQ(p.valeur_tag("whiteelo"), "2100");
  EXPECT_EQ(p.valeur_tag("eventdate"), "2024.04.30");
  EXPECT_EQ(p.valeur_tag("Annotator"), "");
}

TEST_F(TestPgn, UneValeurDeTagSeTrouveParSonNomEntier) {
  const std::string entete = "[WhiteElo \"2100\"]\r\n[White \"Anna \\\"A\\\"\"]\r\n[Date \"2024.05.01\"]\r\n";
  const struct {
    const char* tag;
    const char* valeur;
  } lignes[] = {{"[White", "Anna \"A\""}, {"[WhiteElo", "2100"}, {"[Date", "2024.05.01"}, {"[Black", ""},
                {"[white", ""}, {"[Dat", ""}};
  for (const auto& l : lignes) EXPECT_EQ(pgn::valeur_tag_pgn(l.tag, entete), l.valeur) << l.tag;
}

TEST_F(TestPgn, LesDecalagesMenentAuDebutDeChaquePartie) {
  std::string texte = "\xEF\xBB\xBF";
  for (int i = 0; i < 5; ++i) texte += partie_pgn("W" + std::to_string(i), "B", "1.e4 e5", "*", i % 2 ? "\r\n" : "\n");
  const QString chemin = ecrit_fichier(texte);
  const auto parties = lit_toutes(chemin);
  ASSERT_EQ(parties.size(), 5u);
  EXPECT_EQ(parties[0].debut, 3) << "after the byte-order mark";
  for (const auto& p : parties) EXPECT_EQ(texte.compare(static_cast<std::size_t>(p.debut), 7, "[Event "), 0) << p.debut;

  // Read again from an offset: the same game, and the one after it.
  pgn::FichierPgn f;
  ASSERT_TRUE(f.ouvre(chemin));
  pgn::LecteurPgn lecteur(f);
  pgn::PartieLue p;
  ASSERT_TRUE(f.positionne(parties[3].debut));
  ASSERT_TRUE(lecteur.partie_suivante(p, true));
  EXPECT_EQ(p.valeurs[pgn::WHITE], QStringLiteral("W3"));
  EXPECT_EQ(p.movetext, "1.e4 e5 *");
  ASSERT_TRUE(lecteur.partie_suivante(p, true));
  EXPECT_EQ(p.valeurs[pgn::WHITE], QStringLiteral("W4"));
  // An offset inside a line does not start a line; one past the end is refused.
  EXPECT_FALSE(f.positionne(parties[3].debut + 2));
  EXPECT_FALSE(f.positionne(f.taille() + 1));
  EXPECT_TRUE(f.positionne(0)) << "the start of the file (before the mark) starts a line";
}

TEST_F(TestPgn, LesGrandsFichiersSeLisentBlocParBloc) {
  // More than a block of CR-only lines, so that line ends fall on block
  // edges, and one movetext line longer than a block.
  std::string texte;
  const int n = 30000;
  for (int i = 0; i < n; ++i) texte += partie_pgn("J" + std::to_string(i), "B", "1.e4 e5 2.Nf3 Nc6", "1-0", "\r");
  std::string longue = "[White \"Long\"]\r\n\r\n1.e4 {";
  longue += std::string(3u << 20, 'x');
  longue += "} e5 0-1\r\n";
  texte += longue;
  const auto parties = lit_texte(texte, false);
  ASSERT_EQ(parties.size(), static_cast<std::size_t>(n + 1));
  for (int i = 0; i < n; i += 997) EXPECT_EQ(parties[static_cast<std::size_t>(i)].valeurs[pgn::WHITE], QString("J%1").arg(i));
  EXPECT_EQ(parties.back().valeurs[pgn::WHITE], QStringLiteral("Long"));
  EXPECT_EQ(texte.compare(static_cast<std::size_t>(parties.back().debut), 7, "[White "), 0);
}

namespace {

// A game placed so that an edge of the reader's blocks falls `avant_bord`
// bytes after its first byte.
struct CasBord {
  const char* nom;
  std::size_t avant_bord;
  std::string white;  // the value as written in the file, Windows-1252
  std::string white_lu;  // as read (UTF-8)
  const char* au_bord;   // the last byte of the block and the first of the next, when it matters
};

void PrintTo(const CasBord& c, std::ostream* os) { *os << c.nom; }

std::string partie_bord(const CasBord& c) {
  return "[Event \"Bord\"]\r\n[White \"" + c.white + "\"]\r\n[Black \"Noir\"]\r\n\r\n1.e4 e5 *\r\n\r\n";
}

const std::string LONGUE(300000, 'x');
const std::string TRES_LONGUE(3 * pgn::FichierPgn::TAILLE_BLOC, 'y');

const CasBord BORDS[] = {
    {"game beginning on the edge", 0, "Anna", "Anna", "\n["},
    {"tag line split by the edge", 22, "Coup\xE9 en deux", "Coup\xC3\xA9 en deux", "e "},
    {"escape split by the edge", 26, "a\\\"b\\\\c", "a\"b\\c", "\\\""},
    {"CR and LF on both sides of the edge", 15, "Anna", "Anna", "\r\n"},
    {"long tag across the edge", 1000, LONGUE, LONGUE, "xx"},
    {"tag line longer than a block", 100, TRES_LONGUE, TRES_LONGUE, "yy"},
};

class BordsDeBloc : public TestPgn, public ::testing::WithParamInterface<CasBord> {};

}  // namespace

TEST_P(BordsDeBloc, LaPartieEstLueEntiereEtLaSuivanteAussi) {
  const CasBord& c = GetParam();
  const std::size_t bord = pgn::FichierPgn::TAILLE_BLOC;
  const std::string partie = partie_bord(c);
  ASSERT_LT(c.avant_bord, partie.size());
  std::string texte = parties_jusqu_a(bord - c.avant_bord);
  const std::size_t debut = texte.size();
  texte += partie + partie_pgn("Apres", "B", "1.d4", "*", "\r\n");
  ASSERT_EQ(texte.substr(bord - 1, 2), c.au_bord) << "where the edge falls";
  const QString chemin = ecrit_fichier(texte);
  for (const bool coups : {true, false}) {
    const auto parties = lit_toutes(chemin, coups);
    ASSERT_GE(parties.size(), 2u);
    const pgn::PartieLue& p = parties[parties.size() - 2];
    EXPECT_EQ(p.debut, static_cast<std::int64_t>(debut)) << coups;
    EXPECT_TRUE(p.valeurs[pgn::WHITE] == QString::fromStdString(c.white_lu)) << coups;
    EXPECT_EQ(p.valeurs[pgn::BLACK], QStringLiteral("Noir")) << coups;
    EXPECT_EQ(p.movetext, coups ? "1.e4 e5 *" : "") << "the list keeps no movetext";
    EXPECT_EQ(parties.back().valeurs[pgn::WHITE], QStringLiteral("Apres")) << coups;
    std::size_t nb_event = 0;
    for (std::size_t k = texte.find("[Event "); k != std::string::npos; k = texte.find("[Event ", k + 1)) ++nb_event;
    EXPECT_EQ(parties.size(), nb_event) << "every game before it was found";
  }
  // The game read again from its offset, as the list's double-click does.
  pgn::FichierPgn f;
  ASSERT_TRUE(f.ouvre(chemin));
  ASSERT_TRUE(f.positionne(static_cast<std::int64_t>(debut)));
  pgn::LecteurPgn lecteur(f);
  pgn::PartieLue p;
  ASSERT_TRUE(lecteur.partie_suivante(p, true));
  EXPECT_EQ(p.valeur_tag("White"), c.white_lu);
  EXPECT_EQ(p.movetext, "1.e4 e5 *");
}

INSTANTIATE_TEST_SUITE_P(Fichiers, BordsDeBloc, ::testing::ValuesIn(BORDS), NomDuCas());

// The list walks a movetext over the buffer's bytes: wherever a block edge
// falls in it, the game ends where the full reading ends it (a game without
// tags follows, which a result missed would swallow).
TEST_F(TestPgn, UnBordDeBlocNImporteOuDansLesCoupsNeChangeRienALaListe) {
  const std::string partie =
      "[White \"Bord\"]\r\n\r\n1.e4 e5 2.Nf3\r\n{a comment\r\nover lines} Nc6 (2...d6\r\n3.d4 1-0) 3.Bb5 ; 0-1\r\n"
      "% 1-0\r\n  a6 1/2-1/2\r\n";
  const std::size_t coups = partie.find("1.e4");
  const std::size_t bord = pgn::FichierPgn::TAILLE_BLOC;
  for (std::size_t avant = coups; avant <= partie.size(); ++avant) {
    std::string texte = parties_jusqu_a(bord - avant);
    const std::size_t debut = texte.size();
    texte += partie + "\r\n1.c4 *\r\n[White \"Apres\"]\r\n\r\n1.d4 *\r\n";
    const QString chemin = ecrit_fichier(texte);
    const auto completes = lit_toutes(chemin, true);
    const auto liste = lit_toutes(chemin, false);
    ASSERT_GE(completes.size(), 3u) << avant;
    ASSERT_EQ(liste.size(), completes.size()) << avant;
    for (std::size_t k = completes.size() - 3; k < completes.size(); ++k) {
      EXPECT_EQ(liste[k].debut, completes[k].debut) << avant;
      EXPECT_EQ(liste[k].valeurs[pgn::WHITE], completes[k].valeurs[pgn::WHITE]) << avant;
    }
    EXPECT_EQ(liste[liste.size() - 3].debut, static_cast<std::int64_t>(debut)) << avant;
    EXPECT_FALSE(liste[liste.size() - 2].presents[pgn::WHITE]) << avant;
    EXPECT_EQ(liste.back().valeurs[pgn::WHITE], QStringLiteral("Apres")) << avant;
  }
}

TEST_F(TestPgn, UnFichierLuNEstJamaisModifie) {
  const std::string texte = partie_pgn("Anna", "Bert", "1.e4 e5");
  const QString chemin = ecrit_fichier(texte);
  QFile::setPermissions(chemin, QFile::ReadOwner);
  ASSERT_EQ(lit_toutes(chemin).size(), 1u) << "a read-only file is read";
  EXPECT_EQ(octets_fichier(chemin, "<absent>").toStdString(), texte);
}

TEST_F(TestPgn, LesFichiersEcritsParPgnExtractSontLus) {
  const QString outil = chemin_pgn_extract();
  if (outil.isEmpty()) GTEST_SKIP() << "pgn-extract is not installed (tools/installe_paquets.sh installs it)";
  // A file with comments, variations, NAGs, accented names (Windows-1252)
  // and LF line ends, as pgn-extract writes it back.
  std::string source =
      "[Event \"Championnat\"]\n[Site \"Besan\xE7on\"]\n[Date \"2023.11.02\"]\n[Round \"2\"]\n"
      "[White \"L\xE9on, Andr\xE9\"]\n[Black \"M\xFCller, J\xFCrgen\"]\n[Result \"1-0\"]\n\n"
      "1. e4 {Le meilleur coup.} e5 $1 2. Nf3 (2. f4 exf4 (2... d5) 3. Nf3) Nc6 3. Bb5 a6 4. Ba4 Nf6 "
      "5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 1-0\n\n"
      "[Event \"Championnat\"]\n[Site \"Besan\xE7on\"]\n[Date \"2023.11.02\"]\n[Round \"3\"]\n"
      "[White \"Dupont\"]\n[Black \"Durand\"]\n[Result \"1/2-1/2\"]\n\n"
      "1. d4 d5 2. c4 e6 3. Nc3 Nf6 {Classique} 4. Bg5 Be7 1/2-1/2\n";
  QString erreurs;
  const auto parties = relu_par_pgn_extract(ecrit_fichier(source, QStringLiteral("source.pgn")), &erreurs);
  EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
  ASSERT_EQ(parties.size(), 2u);
  EXPECT_EQ(parties[0].valeurs[pgn::WHITE], QString::fromUtf8("L\xC3\xA9on, Andr\xC3\xA9"));
  EXPECT_EQ(parties[0].valeurs[pgn::BLACK], QString::fromUtf8("M\xC3\xBCller, J\xC3\xBCrgen"));
  EXPECT_EQ(parties[0].valeurs[pgn::SITE], QString::fromUtf8("Besan\xC3\xA7on"));
  EXPECT_EQ(parties[1].valeurs[pgn::ROUND], QStringLiteral("3"));
  EXPECT_TRUE(parties[0].movetext.ends_with("1-0")) << parties[0].movetext;
  EXPECT_TRUE(parties[1].movetext.ends_with("1/2-1/2")) << parties[1].movetext;
  // Its movetext (numbers for Black's moves, a number at the end of a line
  // and its move on the next) gives the main line and its comments.
  const pgn::MovetextLu m = pgn::lit_movetext(parties[0].movetext);
  EXPECT_EQ(m.coups.size(), 17u);
  ASSERT_GE(m.commentaires.size(), 2u);
  EXPECT_EQ(m.commentaires[1], "Le meilleur coup.");
  EXPECT_EQ(pgn::movetext_programme(m, ""),
            "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 d6 8.c3 O-O 9.h3");
  EXPECT_EQ(pgn::lit_movetext(parties[1].movetext).commentaires,
            (std::vector<std::string>{"", "", "", "", "", "", "Classique"}));
}
